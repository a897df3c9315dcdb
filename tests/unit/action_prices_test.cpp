#include "simulation/ActionPrices.h"

#include <gtest/gtest.h>

namespace
{

TEST(ActionPricesTest, EveryOfferedActionHasAPriceAndOtherIdsCostNothing)
{
    for (int id = 1; id < actionPriceCount; ++id)
    {
        if (id == 17)
            EXPECT_EQ(actionPrice(id), 0) << "putting out fires is never bought";
        else
            EXPECT_GT(actionPrice(id), 0) << id;
    }
    for (int id : {-1, 0, actionPriceCount, 32, 1000})
        EXPECT_EQ(actionPrice(id), 0) << id;
}

TEST(ActionPricesTest, TheStartingMoneyBuildsAFirstTownWithMoneyToSpare)
{
    // Forty road pieces, twenty small houses, a market, a shop, a park, a
    // water tower and a factory: the first months of a city.
    int town = 40 * actionPrice(1) + 20 * actionPrice(2) + actionPrice(6) + actionPrice(5) + actionPrice(8) +
               actionPrice(9) + actionPrice(10);
    EXPECT_LT(town, 25000 / 2);
    // The services and offices that come with growth are each a real decision.
    for (int id : {10, 11, 12, 13, 14, 18})
        EXPECT_GE(actionPrice(id), 10 * actionPrice(2)) << id;
    for (int id : {1, 15, 16})
        EXPECT_LE(actionPrice(id), actionPrice(2)) << id;
}

} // namespace
