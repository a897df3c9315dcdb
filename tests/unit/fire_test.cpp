#include "SimFixture.h"

#include "simulation/House.h"

#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

const int construction = static_cast<int>(FinanceCategory::Construction);

// Three houses along a road; a paid road action runs when the first fire starts.
class FireTest : public SimTest
{
protected:
    void SetUp() override
    {
        housesAlongRoad();
        city.addMoney(-10, FinanceCategory::Construction);
        game.startAction(tile(7, 5).id, slotOf(tile(7, 5), 1), 10);
        ASSERT_EQ(game.action.id, 1);
    }

    // The clicks one more fire adds, read ahead from rand().
    int nextFireClicks(unsigned seed)
    {
        std::srand(seed);
        int clicks = std::rand() % 6 + 4;
        std::srand(seed);
        return clicks;
    }
};

TEST_F(FireTest, FireStopsTheActionAndAsksForFirefighting)
{
    game.progressAction();
    int first = nextFireClicks(5);
    map.startFire(tile(2, 4));
    EXPECT_TRUE(tile(2, 4).flags & TileBurning);
    EXPECT_EQ(game.action.id, 17);
    EXPECT_EQ(game.action.tile, nullptr);
    EXPECT_EQ(game.action.tileId, -1);
    EXPECT_EQ(game.action.clicksNeeded, 20 + first);
    EXPECT_EQ(game.action.progress, 0.0);
    EXPECT_EQ(city.money, 25000.0) << "the road is refunded";
    EXPECT_EQ(city.yearIncomes[construction], 10.0);

    game.progressAction();
    EXPECT_EQ(game.action.progress, 1.0);

    int second = nextFireClicks(6);
    map.startFire(tile(3, 4));
    EXPECT_EQ(game.action.clicksNeeded, 20 + first + second);
    EXPECT_EQ(game.action.progress, 1.0) << "clicks on the fire count on";
    EXPECT_EQ(city.yearIncomes[construction], 10.0) << "one refund only";

    map.startFire(tile(3, 4));
    EXPECT_EQ(game.action.clicksNeeded, 20 + first + second) << "already burning";

    // Cancelling the firefighting must not pay the road back a second time.
    game.cancelAction();
    EXPECT_EQ(city.money, 25000.0);
    EXPECT_EQ(city.yearIncomes[construction], 10.0);
}

// The day tick lights fires from its own thread while holding the tile mutex.
CONCURRENCY_TEST_F(FireTest, FireFromTheTickThread)
{
    int clicks = nextFireClicks(8);
    std::thread tick([this] {
        sf::Lock lock(game.tileMutex);
        city.beginTick();
        map.startFire(tile(4, 4));
        city.endTick();
    });
    tick.join();
    sf::Lock lock(game.updateMutex);
    EXPECT_EQ(game.action.id, 17);
    EXPECT_EQ(game.action.clicksNeeded, 20 + clicks);
    EXPECT_EQ(city.money, 25000.0) << "the refund lands when the tick ends";
}

TEST_F(FireTest, ManyFiresNeedAtMostSeventyClicks)
{
    blankMap(12, 12);
    std::srand(9);
    for (Tile& t : map.tiles)
    {
        map.startFire(t);
        ASSERT_LE(game.action.clicksNeeded, 70);
    }
    EXPECT_EQ(game.action.clicksNeeded, 70);
}

TEST_F(FireTest, PuttingOutLeavesRubble)
{
    static_cast<House*>(tile(4, 4).building)->fireDamage = -30.0;
    map.startFire(tile(2, 4));
    map.startFire(tile(3, 4));
    game.buildRate = 5.0;
    int needed = game.action.clicksNeeded;
    int clicks = 0;
    while (game.action.id == 17 && clicks < 100)
    {
        game.progressAction();
        finishDay(game);
        ++clicks;
    }
    EXPECT_EQ(clicks, needed) << "one per click whatever the build rate";
    for (int x : {2, 3})
    {
        EXPECT_EQ(tile(x, 4).type, TileRubble);
        EXPECT_EQ(tile(x, 4).building, nullptr);
        EXPECT_FALSE(tile(x, 4).flags & TileBurning);
        EXPECT_EQ(tile(x, 4).actions, std::vector<int>{16});
    }
    EXPECT_EQ(static_cast<House*>(tile(4, 4).building)->fireDamage, 0.0);
    EXPECT_EQ(map.houses, std::vector<Tile*>{&tile(4, 4)});
    EXPECT_EQ(game.action.id, 0);
    EXPECT_FLOAT_EQ(game.shakeStrength, 0.65f);
}

} // namespace
