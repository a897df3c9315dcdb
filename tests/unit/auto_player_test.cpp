// A year of a new game played by the automated player: every day's checks
// and every monthly save and load must hold, the player must have done a
// bit of everything, and the city must have grown.

#include "../support/AutoPlayer.h"

#include "simulation/City.h"

#include <SFML/System/Lock.hpp>
#include <gtest/gtest.h>

namespace
{

TEST(AutoPlayerTest, AYearOfPlayKeepsTheCitySoundAndSavesItExactly)
{
    testing::internal::CaptureStdout(); // the game's log of a whole year
    AutoPlayer player(20261210);
    bool sound = player.playUntil(360);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(sound) << player.failure();

    Game& game = player.game();
    const AutoPlayer::Counts& c = player.counts();
    EXPECT_EQ(game.day, 360);
    EXPECT_EQ(c.days, 360) << "every day checked";
    // The save of the last month end waits for a later move.
    EXPECT_GE(c.loads, 11) << "a save and load every month";
    EXPECT_EQ(c.saves, 2 * c.loads) << "each load saved again and compared";
    EXPECT_GT(c.actionsCompleted, 50);
    EXPECT_GT(c.completedById[1], 0) << "roads";
    EXPECT_GT(c.completedById[2], 0) << "homes";
    EXPECT_GT(c.cancels, 0);
    EXPECT_GT(c.demolitions, 0);
    EXPECT_GT(c.rotations, 0);
    EXPECT_GT(c.refusedClicks, 0);
    EXPECT_GT(c.calendarPresses, 0);
    EXPECT_GT(c.rentChanges, 0);
    EXPECT_GT(c.priceChanges, 0);
    EXPECT_GT(c.loansTaken + c.loansRepaid, 0);

    // Most moves build the city up: within the year it has what its homes
    // need, parks, homes that pay rent, and enough people for larger homes,
    // which it builds.
    EXPECT_GT(c.sensibleMoves, 2 * c.randomMoves);
    EXPECT_GT(c.randomMoves, 0);
    EXPECT_GT(c.completedById[9], 0) << "a water tower";
    EXPECT_GT(c.completedById[5] + c.completedById[6], 0) << "a market or shop";
    EXPECT_GT(c.completedById[10], 0) << "a factory";
    EXPECT_GT(c.completedById[8], 0) << "a park";
    EXPECT_TRUE(game.unlockFlags & 1) << "large housing unlocked";
    EXPECT_GT(c.completedById[3], 0) << "large homes built";
    {
        sf::Lock lock(game.city->moneyMutex);
        EXPECT_GT(game.city->lastYearIncomes[static_cast<int>(FinanceCategory::HousingIncome)], 10000.0)
            << "the homes pay rent";
    }
    sf::Lock lock(game.city->populationMutex);
    EXPECT_GT(game.city->population, 95);
}

// The same seed plays the same year: a failure can be played again.
TEST(AutoPlayerTest, TheSameSeedPlaysTheSameGame)
{
    testing::internal::CaptureStdout();
    double money[2];
    int population[2];
    for (int run = 0; run < 2; ++run)
    {
        AutoPlayer player(7);
        ASSERT_TRUE(player.playUntil(60)) << player.failure();
        money[run] = player.game().city->money;
        population[run] = player.game().city->population;
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(money[0], money[1]);
    EXPECT_EQ(population[0], population[1]);
}

} // namespace
