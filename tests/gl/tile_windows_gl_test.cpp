// The tile actions window and the tile information window through the real
// UI, on a street with one of every kind of tile.

#include "HudWorld.h"

#include "gui/Image.h"
#include "simulation/ActionPrices.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>
#include "support/ConcurrencyTest.h"

namespace
{

using fixtures::HudWorld;
using namespace screens;

typedef std::vector<std::pair<std::string, std::string>> Lines;

// Where the street's tiles stand.
enum Spot
{
    HouseSmall = 1,
    HouseLarge,
    HouseFlats,
    Market,
    ShopMiddle,
    Convenience,
    Park,
    WaterTower,
    FactorySpot,
    FireStation,
    PoliceStation,
    Hospital,
    Office,
    Rubble,
    Pumping,
    LandfillSpot,
    TreeSpot
};

// A road along y = 5 from x = 0 to 18, a building of every kind on its
// north side at (spot, 4), empty land on its south side, every unlock on.
class TileWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world.blankMap(20, 20);
        world.game.unlockFlags = 0x1ff;
        for (int x = 0; x <= 18; ++x)
            world.build(x, 5, TileRoad);
        const int kinds[][2] = {{TileHouse, 1}, {TileHouse, 2}, {TileHouse, 3}, {TileShop, 1}, {TileShop, 2},
                                {TileShop, 3},  {TilePark, 0},  {TileWaterTower, 0}, {TileFactory, 0},
                                {TileFireStation, 0}, {TilePoliceStation, 0}, {TileHospital, 0}, {TileOffice, 0},
                                {TileRubble, 0}, {TilePumpingStation, 0}, {TileLandfill, 0}, {TileTree, 0}};
        for (int spot = HouseSmall; spot <= TreeSpot; ++spot)
            world.build(spot, 4, kinds[spot - 1][0], kinds[spot - 1][1]);
        world.game.map->updateTileActions();
        // Land beside the road that is not revealed keeps the actions it had.
        hidden = world.game.map->getTile(0, 6);
        hidden->flags = TileOffScreen;
        world.game.map->recalculateVisibleTiles();
        world.game.centerViewOnTile(9, 5);
    }

    Tile* at(int x, int y) { return world.game.map->getTile(x, y); }
    Tile* spot(int s) { return at(s, 4); }

    // The actions the open window shows on its page: id, title and price text.
    struct Cell
    {
        int id;
        std::string title;
        std::string price;
    };
    std::vector<Cell> cells()
    {
        std::vector<Cell> shown;
        if (!tileActionsWindow)
            return shown;
        for (int id = 1; id < 20; ++id)
        {
            std::string name = "action" + std::to_string(id);
            gui::Widget* button = tileActionsWindow->findChildById(hashString(name.c_str()), true);
            if (!button)
                continue;
            gui::Widget* cell = button->parent;
            Cell c;
            c.id = id;
            c.title = static_cast<gui::Text*>(cell->findChildById(hashString("title"), true))->text;
            c.price = static_cast<gui::Text*>(cell->findChildById(hashString("price"), true))->text;
            shown.push_back(c);
        }
        // In the order they stand in the grid.
        std::sort(shown.begin(), shown.end(), [this](const Cell& a, const Cell& b) { return cellOrder(a.id) < cellOrder(b.id); });
        return shown;
    }
    int cellOrder(int id)
    {
        std::string name = "action" + std::to_string(id);
        gui::Widget* button = tileActionsWindow->findChildById(hashString(name.c_str()), true);
        sf::Vector2i p = button->getAbsolutePosition();
        return p.y * 1000 + p.x;
    }
    gui::Widget* actionButton(int id)
    {
        std::string name = "action" + std::to_string(id);
        return tileActionsWindow ? tileActionsWindow->findChildById(hashString(name.c_str()), true) : nullptr;
    }

    // The heading and the label/value lines of the open information window.
    std::string heading()
    {
        return static_cast<gui::Text*>(tileInformationWindow->findChildById(hashString("tileName"), false))->text;
    }
    Lines lines()
    {
        Lines out;
        std::string label;
        for (gui::Widget* child : tileInformationWindow->children)
        {
            if (child->id == hashString("infoLabel"))
                label = static_cast<gui::Text*>(child)->text;
            else if (child->id == hashString("infoValue"))
                out.push_back({label, static_cast<gui::Text*>(child)->text});
        }
        return out;
    }
    double money()
    {
        sf::Lock lock(world.game.city->moneyMutex);
        return world.game.city->money;
    }

    HudWorld world;
    Tile* hidden = nullptr;
};

TEST_F(TileWindowsTest, ActionsWindowOffersWhatEachTileOffersWithTitlesAndPrices)
{
    const struct
    {
        int x, y;
        std::vector<int> page; // the first page, in order; empty: no window opens
        int pages;
    } cases[] = {
        {3, 6, {1, 2, 3, 4, 14, 6, 5, 7}, 3}, // empty land beside the road
        {17, 4, {16, 8}, 1},                  // tree
        {18, 5, {16}, 1},                     // the road's dead end
        {8, 5, {}, 0},                        // a road between roads and buildings
        {1, 4, {16, 3}, 1},                   // small house: demolish or enlarge
        {2, 4, {16, 4}, 1},
        {3, 4, {16}, 1},
        {4, 4, {16, 5}, 1}, // market
        {5, 4, {16, 7}, 1},
        {6, 4, {16}, 1},
        {7, 4, {16}, 1},   {8, 4, {16}, 1},  {9, 4, {16}, 1},  {10, 4, {16}, 1}, {11, 4, {16}, 1},
        {12, 4, {16}, 1},  {13, 4, {16}, 1}, {14, 4, {16}, 1}, {15, 4, {16}, 1},
        {16, 4, {}, 0},    // landfill: nothing at all
        {3, 10, {}, 0},    // empty land far from any road
        {0, 6, {}, 0},     // unrevealed, though it holds a list
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        world.game.ui_showTileActions(at(c.x, c.y));
        sf::Image picture = world.frame();
        if (c.x == 17 && c.y == 4)
            picture.saveToFile(std::string(QUILLFENN_RUN_DIR) + "/../tile_actions_tree.png");
        if (c.page.empty())
        {
            EXPECT_EQ(tileActionsWindow, nullptr);
            continue;
        }
        ASSERT_NE(tileActionsWindow, nullptr);
        EXPECT_EQ(HudWorld::titleOf(tileActionsWindow), "YES, MY MAYOR?");
        std::vector<Cell> shown = cells();
        ASSERT_EQ(shown.size(), c.page.size());
        for (size_t i = 0; i < shown.size(); ++i)
        {
            EXPECT_EQ(shown[i].id, c.page[i]);
            EXPECT_EQ(shown[i].title, actionTitles[c.page[i]]);
            EXPECT_EQ(shown[i].price, std::to_string(actionPrice(c.page[i])));
        }
        gui::Widget* next = tileActionsWindow->findChildById(hashString("nextPage"), false);
        EXPECT_EQ(next->visible, c.pages > 1);
        world.click(tileActionsWindow->findChildById(hashString("closeWindow"), false));
        EXPECT_EQ(tileActionsWindow, nullptr);
    }
}

TEST_F(TileWindowsTest, ActionsPageWithTheNextAndPreviousButtons)
{
    Tile* empty = at(3, 6);
    ASSERT_EQ(empty->actions.size(), 17u);
    world.game.ui_showTileActions(empty);
    auto ids = [this] {
        std::vector<int> out;
        for (const Cell& c : cells())
            out.push_back(c.id);
        return out;
    };
    gui::Button* previous = static_cast<gui::Button*>(tileActionsWindow->findChildById(hashString("previousPage"), false));
    gui::Button* next = static_cast<gui::Button*>(tileActionsWindow->findChildById(hashString("nextPage"), false));
    gui::Text* page = static_cast<gui::Text*>(tileActionsWindow->findChildById(hashString("pageText"), false));
    EXPECT_EQ(page->text, "1/3");
    EXPECT_FALSE(previous->enabled);
    EXPECT_TRUE(next->enabled);

    world.click(previous); // disabled: stays
    EXPECT_EQ(page->text, "1/3");
    world.click(next);
    world.frame().saveToFile(std::string(QUILLFENN_RUN_DIR) + "/../tile_actions_page2.png");
    EXPECT_EQ(ids(), (std::vector<int>{15, 8, 9, 18, 10, 19, 13, 11}));
    EXPECT_EQ(page->text, "2/3");
    EXPECT_TRUE(previous->enabled);
    world.click(next);
    world.frame();
    EXPECT_EQ(ids(), (std::vector<int>{12}));
    EXPECT_FALSE(next->enabled);
    world.click(previous);
    world.click(next);
    world.frame();

    // The last page's only action is the one that starts.
    world.click(actionButton(12));
    EXPECT_EQ(world.game.action.id, 12);
    EXPECT_EQ(world.game.action.tile, empty);
    EXPECT_DOUBLE_EQ(money(), 25000.0 - actionPrice(12));
    EXPECT_EQ(tileActionsWindow, nullptr);
}

TEST_F(TileWindowsTest, ChoosingPaysTheBuildAsConstructionAndStartsIt)
{
    Tile* empty = at(3, 6);
    world.game.ui_showTileActions(empty);
    world.click(actionButton(1));
    world.frame();
    EXPECT_EQ(tileActionsWindow, nullptr);
    EXPECT_EQ(world.game.action.id, 1);
    EXPECT_EQ(world.game.action.tile, empty);
    EXPECT_EQ(world.game.actionCost, actionPrice(1));
    EXPECT_DOUBLE_EQ(money(), 25000.0 - actionPrice(1));
    EXPECT_DOUBLE_EQ(world.game.city->monthExpenses[0], -actionPrice(1));
    EXPECT_TRUE(actionProgressButton->visible);
    EXPECT_EQ(buildTitleText->text, "Build road");

    // No second action while one runs; cancelling gives the price back.
    world.game.ui_showTileActions(at(4, 6));
    EXPECT_EQ(tileActionsWindow, nullptr);
    world.click(world.find("cancelAction"));
    EXPECT_EQ(world.game.action.id, 0);
    EXPECT_DOUBLE_EQ(money(), 25000.0);
    EXPECT_FALSE(actionProgressButton->visible);
}

TEST_F(TileWindowsTest, WithoutEnoughMoneyTheChoiceShowsOhNoAndPaysNothing)
{
    const struct
    {
        double money;
        bool starts;
    } cases[] = {{actionPrice(10) - 1.0, false}, {actionPrice(10) + 0.0, true}, {-500.0, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.money);
        world.game.city->setMoney(c.money);
        world.game.ui_showTileActions(at(3, 6));
        world.click(tileActionsWindow->findChildById(hashString("nextPage"), false));
        world.click(actionButton(10));
        world.frame();
        if (c.starts)
        {
            EXPECT_EQ(world.game.action.id, 10);
            EXPECT_DOUBLE_EQ(money(), c.money - actionPrice(10));
            EXPECT_EQ(world.dialog(), nullptr);
            world.game.cancelAction();
            continue;
        }
        EXPECT_EQ(world.game.action.id, 0);
        EXPECT_DOUBLE_EQ(money(), c.money);
        ASSERT_NE(world.dialog(), nullptr);
        EXPECT_EQ(HudWorld::titleOf(world.dialog()), "OH NO.");
        EXPECT_NE(tileActionsWindow, nullptr) << "a cheaper choice stays open";
        world.closeDialog();
        world.game.ui_closeAllWindows();
    }
}

CONCURRENCY_TEST_F(TileWindowsTest, AChoiceThatNoLongerStandsAfterATickChangesNothing)
{
    // A fire broke out while the window was open: the fire's action stays.
    world.game.ui_showTileActions(at(3, 6));
    world.game.map->startFire(*spot(HouseSmall));
    world.frame();
    world.closeDialog(); // "AAAAAAAAHH!"
    world.click(actionButton(1));
    EXPECT_EQ(world.game.action.id, 17);
    EXPECT_DOUBLE_EQ(money(), 25000.0);
    EXPECT_EQ(tileActionsWindow, nullptr);
}

TEST_F(TileWindowsTest, AChoiceFollowsItsActionWhenTheOfferedListShifts)
{
    world.game.unlockFlags = 0;
    world.game.map->updateTileActions();
    Tile* empty = at(3, 6);
    world.game.ui_showTileActions(empty);
    ASSERT_NE(actionButton(9), nullptr);
    // The tick unlocks large housing, flats and offices: the water tower moves down the list.
    world.game.unlockFlags = 0x1ff;
    world.game.map->updateTileActions();
    world.click(actionButton(9));
    EXPECT_EQ(world.game.action.id, 9);
    EXPECT_DOUBLE_EQ(money(), 25000.0 - actionPrice(9));
}

TEST_F(TileWindowsTest, InformationWindowShowsEachKindWithItsNumbersAndRange)
{
    House* small = dynamic_cast<House*>(spot(HouseSmall)->building);
    small->residents = 2;
    small->shownAttractiveness = 0.3;
    small->shownNeeds = NeedWater | NeedJobs;
    small->shownWarnings = WarnCrime | WarnNoHospital;
    dynamic_cast<House*>(spot(HouseFlats)->building)->shownNeeds = 0;
    dynamic_cast<Shop*>(spot(Market)->building)->customers = 7;
    dynamic_cast<WaterSupply*>(spot(WaterTower)->building)->supplied = 30;
    Factory* factory = dynamic_cast<Factory*>(spot(FactorySpot)->building);
    factory->workers = 25;
    factory->efficiency = 0.5;
    Factory* office = dynamic_cast<Factory*>(spot(Office)->building);
    office->workers = 70;
    office->efficiency = 60.0 / 90.0;
    dynamic_cast<Landfill*>(spot(LandfillSpot)->building)->fill = 1234.5;

    const struct
    {
        int x, y;
        const char* heading;
        Lines lines;
        int range; // 0: nothing highlighted
    } cases[] = {
        {1, 4, "Small house",
         {{"Level", "1"}, {"Residents", "2 of 3"}, {"Rating", "Good"}, {"Needs", "Water, jobs"},
          {"Warnings", "Crime, no hospital"}, {"Rent", "2"}},
         0},
        {2, 4, "Large house",
         {{"Level", "2"}, {"Residents", "0 of 6"}, {"Rating", "Neutral"}, {"Needs", "Water, shopping, jobs"},
          {"Warnings", "None"}, {"Rent", "4"}},
         0},
        {3, 4, "Flats",
         {{"Level", "3"}, {"Residents", "0 of 15"}, {"Rating", "Neutral"}, {"Needs", "None"}, {"Warnings", "None"},
          {"Rent", "8"}},
         0},
        {4, 4, "Market", {{"Customers", "7 of 15"}, {"Range", "4"}}, 4},
        {5, 4, "Shop", {{"Customers", "0 of 50"}, {"Range", "6"}}, 6},
        {6, 4, "Convenience store", {{"Customers", "0 of 100"}, {"Range", "8"}}, 8},
        {7, 4, "Park", {}, 0},
        {8, 4, "Water tower", {{"Households served", "30 of 50"}, {"Range", "10"}}, 10},
        {9, 4, "Factory", {{"Workers", "25 of 40"}, {"Efficiency", "50%"}, {"Range", "10"}}, 10},
        {10, 4, "Fire station", {{"Range", "12"}}, 12},
        {11, 4, "Police station", {{"Range", "12"}}, 12},
        {12, 4, "Hospital", {{"Range", "12"}}, 12},
        {13, 4, "Office building", {{"Workers", "70 of 100"}, {"Efficiency", "66%"}, {"Range", "12"}}, 12},
        {14, 4, "Rubble", {}, 0},
        {15, 4, "Pumping station", {{"Households served", "0 of 250"}, {"Range", "8"}}, 8},
        {16, 4, "Landfill", {{"Filled", "1234 of 10000"}}, 0},
        {17, 4, "Tree", {}, 0},
        {8, 5, "Road", {}, 0},
        {3, 6, "Empty land", {}, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.heading);
        Tile* tile = at(c.x, c.y);
        world.game.ui_showTileInformation(tile);
        world.frame();
        ASSERT_NE(tileInformationWindow, nullptr);
        EXPECT_EQ(HudWorld::titleOf(tileInformationWindow), "INFORMATION");
        EXPECT_EQ(heading(), c.heading);
        EXPECT_EQ(lines(), c.lines);
        EXPECT_EQ(world.game.map->selectedTileId, static_cast<int>(tile->id));
        EXPECT_EQ(world.game.map->highlightActive, c.range > 0);
        if (c.range > 0)
        {
            EXPECT_EQ(world.game.map->highlightRadius, c.range);
            EXPECT_EQ(world.game.map->highlightX, c.x);
            EXPECT_EQ(world.game.map->highlightY, c.y);
            EXPECT_TRUE(at(c.x + 1, c.y + 1)->flags & TileHighlighted);
        }
        EXPECT_EQ(tileInformationWindow->findChildById(hashString("rentIncrease"), false) != nullptr,
                  tile->type == TileHouse);
    }

    // A loaded efficiency far beyond any staff shows as a full share.
    factory->efficiency = SaveFile::MaxReal;
    world.game.ui_showTileInformation(at(9, 4));
    world.frame();
    EXPECT_EQ(lines()[1], (std::pair<std::string, std::string>("Efficiency", "100%")));
    world.game.ui_closeAllWindows();

    // Closing clears the range and the selection.
    world.game.ui_showTileInformation(spot(Market));
    world.click(tileInformationWindow->findChildById(hashString("closeWindow"), false));
    world.frame();
    EXPECT_EQ(tileInformationWindow, nullptr);
    EXPECT_FALSE(world.game.map->highlightActive);
    EXPECT_FALSE(at(5, 5)->flags & TileHighlighted);
    EXPECT_EQ(world.game.map->selectedTileId, -1);

    // A burning house says so; an unrevealed tile opens nothing.
    spot(HouseLarge)->flags |= TileBurning;
    world.game.ui_showTileInformation(spot(HouseLarge));
    ASSERT_NE(tileInformationWindow, nullptr);
    EXPECT_EQ(lines().front(), (std::pair<std::string, std::string>("Status", "On fire!")));
    world.game.ui_closeAllWindows();
    world.game.ui_showTileInformation(hidden);
    EXPECT_EQ(tileInformationWindow, nullptr);
}

CONCURRENCY_TEST_F(TileWindowsTest, InformationFollowsTheTickAndTheTilesContents)
{
    Tile* tile = spot(HouseSmall);
    House* house = dynamic_cast<House*>(tile->building);
    world.game.ui_showTileInformation(tile);
    world.frame();
    EXPECT_EQ(lines()[1].second, "0 of 3");

    // What a day tick publishes shows in the next frame.
    house->residents = 3;
    house->shownAttractiveness = -0.4;
    house->shownNeeds = NeedShopping;
    house->shownWarnings = WarnFireHazard;
    world.frame();
    EXPECT_EQ(lines()[1].second, "3 of 3");
    EXPECT_EQ(lines()[2].second, "Appalling");
    EXPECT_EQ(lines()[3].second, "Shopping");
    EXPECT_EQ(lines()[4].second, "Fire hazard");

    // It catches fire, then burns down to rubble: the window follows.
    tile->flags |= TileBurning;
    world.frame();
    EXPECT_EQ(lines().front().second, "On fire!");
    world.game.map->burnDownFires();
    world.frame();
    EXPECT_EQ(heading(), "Rubble");
    EXPECT_TRUE(lines().empty());

    // A market built on empty land brings its range.
    Tile* empty = at(4, 6);
    world.game.ui_showTileInformation(empty);
    EXPECT_FALSE(world.game.map->highlightActive);
    world.build(4, 6, TileShop, 1);
    world.frame();
    EXPECT_EQ(heading(), "Market");
    EXPECT_TRUE(world.game.map->highlightActive);
    EXPECT_EQ(world.game.map->highlightRadius, 4);
}

// A stand-in for the day tick on its own thread: under tileMutex it
// publishes a house's numbers and a shop's customers round after round,
// while the main thread draws the information window and buys a road.
// Run under ThreadSanitizer too.
CONCURRENCY_TEST_F(TileWindowsTest, WindowsReadOnlyWhatATickRunningBesideThemPublishes)
{
    House* house = dynamic_cast<House*>(spot(HouseSmall)->building);
    Shop* market = dynamic_cast<Shop*>(spot(Market)->building);
    const int rounds = 300;
    std::atomic<bool> done(false);
    std::thread tick([&] {
        for (int i = 1; i <= rounds; ++i)
        {
            sf::sleep(sf::microseconds(300));
            sf::Lock lock(world.game.tileMutex);
            house->residents = i % 4;
            house->shownNeeds = i % 8;
            house->shownAttractiveness = (i % 5) / 10.0;
            house->shownWarnings = i % 8;
            market->customers = i % 16;
        }
        done = true;
    });
    world.game.ui_showTileInformation(spot(HouseSmall));
    world.game.ui_showTileActions(at(3, 6));
    world.frame(0.016f);
    world.click(actionButton(1));
    while (!done)
        world.frame(0.016f);
    tick.join();
    world.frame();
    EXPECT_EQ(world.game.action.id, 1);
    EXPECT_EQ(lines()[1].second, std::to_string(rounds % 4) + " of 3");
    world.game.ui_showTileInformation(spot(Market));
    EXPECT_EQ(lines()[0].second, std::to_string(rounds % 16) + " of 15");
}

TEST_F(TileWindowsTest, RentButtonsRaiseAndLowerWithinTheLimits)
{
    Tile* tile = spot(HouseSmall);
    House* house = dynamic_cast<House*>(tile->building);
    world.game.ui_showTileInformation(tile);
    auto rent = [this] { return lines().back().second; };
    gui::Widget* raise = tileInformationWindow->findChildById(hashString("rentIncrease"), false);
    gui::Widget* lower = tileInformationWindow->findChildById(hashString("rentDecrease"), false);

    world.click(raise);
    EXPECT_EQ(house->rentOffset, 1);
    EXPECT_EQ(rent(), "3");
    for (int i = 0; i < 4; ++i)
        world.click(lower);
    EXPECT_EQ(house->rentOffset, -1) << "the rent never falls to 0";
    EXPECT_EQ(rent(), "1");
    for (int i = 0; i < 10; ++i)
        world.click(raise);
    EXPECT_EQ(house->rentOffset, 6);
    EXPECT_EQ(rent(), "8");
}

TEST_F(TileWindowsTest, MouseClicksOnTheMapOpenTheTwoWindows)
{
    // Right click: information, in any layer.
    world.game.map->setInfoLayer(2);
    sf::Vector2i market = world.screenPointOf(*spot(Market));
    world.clickAt(market.x, market.y, sf::Mouse::Right);
    ASSERT_NE(tileInformationWindow, nullptr);
    EXPECT_EQ(heading(), "Market");

    // Left click: actions, only in build mode.
    sf::Vector2i empty = world.screenPointOf(*at(3, 6));
    world.clickAt(empty.x, empty.y);
    EXPECT_EQ(tileActionsWindow, nullptr);
    world.game.map->setInfoLayer(0);
    world.clickAt(empty.x, empty.y);
    ASSERT_NE(tileActionsWindow, nullptr);
    EXPECT_EQ(cells().front().id, 1);

    // A right click on another tile moves the information window there.
    sf::Vector2i road = world.screenPointOf(*at(8, 5));
    world.game.ui_closeAllWindows();
    world.clickAt(market.x, market.y, sf::Mouse::Right);
    world.clickAt(road.x, road.y, sf::Mouse::Right);
    ASSERT_NE(tileInformationWindow, nullptr);
    EXPECT_EQ(heading(), "Road");
    EXPECT_FALSE(world.game.map->highlightActive);
    EXPECT_EQ(world.game.map->selectedTileId, static_cast<int>(at(8, 5)->id));
}

TEST_F(TileWindowsTest, TileWindowsFollowTheirTileThroughARotation)
{
    Tile* market = spot(Market);
    unsigned int id = market->id;
    world.game.ui_showTileInformation(market);
    world.click(world.find("rotateLeft"));
    world.frame();
    ASSERT_NE(tileInformationWindow, nullptr);
    EXPECT_EQ(heading(), "Market");
    EXPECT_EQ(world.game.map->selectedTileId, static_cast<int>(id));
    Tile* moved = nullptr;
    for (Tile& tile : world.game.map->tiles)
        if (tile.id == id)
            moved = &tile;
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(moved, market);
    EXPECT_EQ(world.game.map->highlightX, moved->x);
    EXPECT_EQ(world.game.map->highlightY, moved->y);
}

TEST_F(TileWindowsTest, InformationWindowKeepsClearOfTheSideButtonsAndTheStatusBar)
{
    for (sf::Vector2i size : {sf::Vector2i(640, 360), sf::Vector2i(800, 600)})
    {
        world.resize(size.x, size.y);
        world.game.ui_showTileInformation(spot(HouseSmall));
        sf::Vector2i p = tileInformationWindow->getAbsolutePosition();
        gui::Widget* side = world.find("sideProduction");
        EXPECT_GT(p.x, side->getAbsolutePosition().x + side->width);
        // The Close button hangs below the window's edge.
        EXPECT_LE(p.y + tileInformationWindow->height + 6, size.y - 13 - 2);
        world.game.ui_closeAllWindows();
    }
}

} // namespace
