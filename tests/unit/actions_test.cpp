#include "SimFixture.h"

#include "simulation/House.h"

#include <cmath>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

const int construction = static_cast<int>(FinanceCategory::Construction);

using ActionTest = SimTest;

// Clicks until the running action completes; returns the clicks it took.
int clickToCompletion(Game& game, int limit = 200)
{
    int n = 0;
    while (game.action.id != 0 && n < limit)
    {
        game.progressAction();
        finishDay(game);
        ++n;
    }
    return n;
}

CONCURRENCY_TEST_F(ActionTest, BuildARoadBesideTheStartingRoad)
{
    newGame(42);
    ASSERT_EQ(map.roads.size(), 1u);
    Tile* start = map.roads.front();
    Tile* site = nullptr;
    for (Tile* t : start->orthogonalNeighbours())
    {
        if (slotOf(*t, 1) >= 0)
            site = t;
    }
    ASSERT_NE(site, nullptr);

    const int cost = 10;
    city.addMoney(-cost, FinanceCategory::Construction);
    game.startAction(site->id, slotOf(*site, 1), cost);
    EXPECT_EQ(game.action.id, 1);
    EXPECT_EQ(game.action.tile, site);
    EXPECT_EQ(game.action.clicksNeeded, 10);

    EXPECT_EQ(clickToCompletion(game), 10);
    EXPECT_EQ(site->type, TileRoad);
    EXPECT_NE(std::find(map.roads.begin(), map.roads.end(), site), map.roads.end());
    EXPECT_EQ(map.roads.size(), 2u);
    // The day the tenth click began books the city's upkeep besides the road.
    EXPECT_EQ(city.money, 25000.0 - cost + city.profitYesterday);
    EXPECT_LT(city.profitYesterday, 0.0);
    EXPECT_EQ(city.yearExpenses[construction], -cost);
    EXPECT_EQ(city.monthExpenses[construction], -cost);
    EXPECT_EQ(game.action.id, 0);
    EXPECT_EQ(game.action.tileId, -1);
    EXPECT_EQ(game.day, 1) << "ten clicks make a day";
    EXPECT_TRUE(game.shaking);
    EXPECT_FLOAT_EQ(game.shakeStrength, 0.36f);
    EXPECT_FLOAT_EQ(game.shakeDecay, 1.2f);
    // The new road reveals its surroundings and its new neighbours offer building.
    EXPECT_TRUE(map.getTile(site->x + 2, site->y)->flags & TileRevealed);
    EXPECT_TRUE(map.getTile(site->x, site->y - 2)->flags & TileRevealed);
    for (Tile* t : site->orthogonalNeighbours())
    {
        if (t->type == TileEmpty)
        {
            EXPECT_EQ(t->actions.front(), 1) << t->x << "," << t->y;
        }
    }
}

// A road at (5, 5) with a tree east of it, all revealed.
class ClickTest : public SimTest
{
protected:
    void SetUp() override
    {
        blankMap(12, 12);
        build(5, 5, TileRoad);
        build(6, 5, TileTree);
        map.updateTileActions();
    }

    void start(Tile& t, int action)
    {
        int slot = slotOf(t, action);
        ASSERT_GE(slot, 0) << "action " << action;
        game.startAction(t.id, slot, 0);
        ASSERT_EQ(game.action.id, action);
    }
};

CONCURRENCY_TEST_F(ClickTest, BuildRateSpeedsUpBuildingOnly)
{
    struct Case
    {
        int x, y, action;
        double rate;
        int clicks, result;
    };
    const Case cases[] = {
        {5, 4, 1, 2.5, 4, TileRoad},   {5, 4, 1, 1.0, 10, TileRoad}, {5, 4, 2, 2.5, 10, TileHouse},
        {5, 4, 10, 5.0, 10, TileFactory}, {6, 5, 16, 5.0, 8, TileEmpty}, {5, 4, 15, 2.5, 10, TileTree},
        {6, 5, 8, 3.0, 5, TilePark},
    };
    for (const Case& c : cases)
    {
        SetUp();
        game.buildRate = c.rate;
        start(tile(c.x, c.y), c.action);
        EXPECT_EQ(clickToCompletion(game), c.clicks) << "action " << c.action << " at rate " << c.rate;
        EXPECT_EQ(tile(c.x, c.y).type, c.result) << "action " << c.action;
    }
}

CONCURRENCY_TEST_F(ClickTest, TenthClickAdvancesTheDay)
{
    start(tile(5, 4), 10); // a factory takes 50 clicks
    for (int i = 0; i < 9; ++i)
        game.progressAction();
    EXPECT_EQ(game.clicks, 9);
    EXPECT_EQ(game.day, 0);
    game.progressAction();
    EXPECT_EQ(game.clicks, 0);
    EXPECT_EQ(game.day, 1);
    EXPECT_EQ(game.action.progress, 10.0);
}

// A day that ended within the frame that started it still holds its thread
// until the main loop frees it; the tenth click of that frame keeps its day.
CONCURRENCY_TEST_F(ClickTest, TenthClickPassesItsDayBeforeTheLastDaysThreadIsFreed)
{
    start(tile(5, 4), 10);
    ASSERT_NE(game.nextDay(), 0);
    while (true)
    {
        sf::Lock lock(game.updateMutex);
        if (!game.updateRunning)
            break;
    }
    ASSERT_NE(game.updateThread, nullptr);
    for (int i = 0; i < 10; ++i)
        game.progressAction();
    finishDay(game);
    EXPECT_EQ(game.day, 2);
    EXPECT_EQ(game.clicks, 0);
}

CONCURRENCY_TEST_F(ClickTest, ClickDuringTheDayTickIsRefused)
{
    start(tile(5, 4), 10);
    game.progressAction();
    game.updateRunning = true;
    game.progressAction();
    EXPECT_EQ(game.action.progress, 1.0);
    EXPECT_EQ(game.clicks, 1);
    EXPECT_EQ(game.plusOnes.size(), 1u);
    game.updateRunning = false;
    game.progressAction();
    EXPECT_EQ(game.action.progress, 2.0);
    EXPECT_EQ(game.clicks, 2);

    game.cancelAction();
    game.progressAction(); // nothing runs
    EXPECT_EQ(game.clicks, 2);
}

CONCURRENCY_TEST_F(ActionTest, NextDayReportsMonthsAndYears)
{
    const std::pair<int, int> cases[] = {{0, 1}, {28, 1}, {29, 3}, {59, 3}, {358, 1}, {359, 5}, {360, 1}, {719, 5}};
    for (const auto& c : cases)
    {
        game.day = c.first;
        EXPECT_EQ(game.nextDay(), c.second) << "from day " << c.first;
        EXPECT_EQ(game.day, c.first + 1);
        finishDay(game);
    }

    game.day = 29;
    game.updateRunning = true;
    EXPECT_EQ(game.nextDay(), 0);
    EXPECT_EQ(game.day, 29);
    game.updateRunning = false;

    sf::Thread finished([] {});
    game.updateThread = &finished; // a tick's thread object not yet freed
    EXPECT_EQ(game.nextDay(), 0);
    EXPECT_EQ(game.day, 29);
    game.updateThread = nullptr;
    EXPECT_EQ(game.nextDay(), 3);
    finishDay(game);
}

CONCURRENCY_TEST_F(ClickTest, CancelRefundsTheCostOnce)
{
    city.addMoney(-120, FinanceCategory::Construction);
    game.startAction(tile(5, 4).id, slotOf(tile(5, 4), 2), 120);
    game.progressAction();
    game.cancelAction();
    EXPECT_EQ(city.money, 25000.0);
    EXPECT_EQ(city.yearIncomes[construction], 120.0);
    EXPECT_EQ(city.yearExpenses[construction], -120.0);
    EXPECT_EQ(city.profitToday, 0.0);
    EXPECT_EQ(game.action.id, 0);
    EXPECT_EQ(game.action.progress, 0.0);
    EXPECT_EQ(tile(5, 4).type, TileEmpty);
    game.cancelAction();
    EXPECT_EQ(city.money, 25000.0);
}

CONCURRENCY_TEST_F(ClickTest, StartingAMissingActionGivesTheMoneyBack)
{
    const std::pair<int, int> cases[] = {
        {static_cast<int>(tile(5, 4).id), 99}, // no such slot
        {static_cast<int>(tile(5, 4).id), -1},
        {100000, 0},                           // no such tile
        {static_cast<int>(tile(0, 0).id), 0},  // a tile that offers nothing
    };
    for (const auto& c : cases)
    {
        city.setMoney(1000.0);
        city.addMoney(-50, FinanceCategory::Construction);
        game.startAction(c.first, c.second, 50);
        EXPECT_EQ(game.action.id, 0) << c.first << " slot " << c.second;
        EXPECT_EQ(game.action.tile, nullptr);
        EXPECT_EQ(city.money, 1000.0);
        EXPECT_EQ(game.actionCost, 0);
    }
}

CONCURRENCY_TEST_F(ClickTest, ClicksLeaveRisingPlusOnes)
{
    start(tile(5, 4), 10);
    std::srand(3);
    float drift = (std::rand() % 11 - 5) / 10.0f;
    std::srand(3);
    game.progressAction();
    ASSERT_EQ(game.plusOnes.size(), 1u);
    PlusOneParticle* p = game.plusOnes.front();
    EXPECT_EQ(p->x, 160.0f); // (5 + 4 + 1) x 16
    EXPECT_EQ(p->y, 0.0f);   // (4 - 5) x 8 + 8
    EXPECT_EQ(p->age, 0.0f);
    EXPECT_EQ(p->drift, drift);

    game.updatePlusOnes(0.0f); // a frame too short to measure
    EXPECT_EQ(p->x, 160.0f);
    game.updatePlusOnes(0.3f);
    EXPECT_FLOAT_EQ(p->y, -(drift * 10.0f + 32.0f) * 0.3f);
    EXPECT_FLOAT_EQ(p->x, 160.0f + std::log(30.0f) * drift * 10.0f * 0.3f);
    game.updatePlusOnes(0.3f);
    EXPECT_EQ(game.plusOnes.size(), 1u) << "0.6 s old is not yet too old";
    game.updatePlusOnes(0.01f);
    EXPECT_TRUE(game.plusOnes.empty());
}

CONCURRENCY_TEST_F(ActionTest, HousesAreCountedByLevel)
{
    blankMap(6, 6);
    build(0, 0, TileHouse, 1);
    build(1, 0, TileHouse, 1);
    build(2, 0, TileHouse, 3);
    build(3, 0, TileShop, 2);
    game.housesPerLevel[3] = 9;
    game.countHousesByLevel();
    EXPECT_EQ(game.housesPerLevel[0], 2);
    EXPECT_EQ(game.housesPerLevel[1], 0);
    EXPECT_EQ(game.housesPerLevel[2], 1);
    EXPECT_EQ(game.housesPerLevel[3], 0);
}

} // namespace
