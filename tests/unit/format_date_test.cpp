// The date as the heads-up display and the save slots write it: day and
// month from 1, a leading zero below 10, the year after a "Y".

#include "game/Screens.h"

#include <gtest/gtest.h>

namespace
{

TEST(FormatDate, DayMonthAndYearWithLeadingZerosBelowTen)
{
    const struct
    {
        int day;
        const char* shown;
    } cases[] = {
        {0, "01/01 Y1"},   {8, "09/01 Y1"},   {9, "10/01 Y1"},   {29, "30/01 Y1"},    {30, "01/02 Y1"},
        {269, "30/09 Y1"}, {270, "01/10 Y1"}, {305, "06/11 Y1"}, {359, "30/12 Y1"},   {360, "01/01 Y2"},
        {3605, "06/01 Y11"}, {3599, "30/12 Y10"}, {36000, "01/01 Y101"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(screens::formatDate(c.day), c.shown) << "day " << c.day;
}

} // namespace
