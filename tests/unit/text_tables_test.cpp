#include "simulation/TextTables.h"

#include "simulation/BuildingKinds.h"

#include <gtest/gtest.h>

namespace
{

// Callers index the tables by ids that may have no entry; those slots must be empty strings.
TEST(TextTablesTest, SlotsWithoutEntryAreEmpty)
{
    EXPECT_EQ(actionTitles[0], "");
    for (int i = 1; i < ActionCount; ++i)
        EXPECT_FALSE(actionTitles[i].empty()) << i;
    for (int i = ActionCount; i < 32; ++i)
        EXPECT_EQ(actionTitles[i], "") << i;
    for (int i = 0; i <= 11; ++i)
        EXPECT_FALSE(financeCategoryNames[i].empty()) << i;
    for (int i = 12; i < 32; ++i)
        EXPECT_EQ(financeCategoryNames[i], "") << i;
    EXPECT_FALSE(financeCategoryHelp[10].empty());
    for (int i = 11; i < 32; ++i)
        EXPECT_EQ(financeCategoryHelp[i], "") << i;
    EXPECT_EQ(actionTitles[17], "Put out fires!");
    EXPECT_EQ(financeCategoryNames[11], "Misc.");
}

} // namespace
