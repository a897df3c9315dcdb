#include "../support/ScriptedCity.h"
#include "SimFixture.h"

#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <functional>
#include <string>

namespace
{

using NeighbourhoodTest = SimTest;

std::vector<sf::Vector2i> positions(const std::vector<Tile*>& tiles)
{
    std::vector<sf::Vector2i> out;
    for (const Tile* t : tiles)
        out.emplace_back(t->x, t->y);
    return out;
}

using Points = std::vector<sf::Vector2i>;

TEST_F(NeighbourhoodTest, SquareQueriesSkipTheCentreAndTheOutside)
{
    map.create(10, 10, true);
    std::vector<Tile*> corner = map.getTilesAround(0, 0, 3, false);
    ASSERT_EQ(corner.size(), 15u);
    EXPECT_EQ(positions(corner).front(), sf::Vector2i(1, 0));
    EXPECT_EQ(positions(corner)[3], sf::Vector2i(0, 1)) << "row by row";
    EXPECT_EQ(positions(corner).back(), sf::Vector2i(3, 3));
    EXPECT_EQ(tile(0, 0).tilesWithin3().toVector(), corner);
    EXPECT_EQ(tile(5, 5).tilesWithin3().size(), 48u);
    EXPECT_EQ(tile(5, 5).tilesWithin12().size(), 99u);
    // The views give what the square query gives, wherever the tile stands.
    for (const Tile& t : map.tiles)
    {
        for (int radius : {0, 1, 3, 12, 15})
        {
            std::vector<Tile*> area = t.tilesWithin(radius).toVector();
            ASSERT_EQ(area, map.getTilesAround(t.x, t.y, radius, false)) << t.x << "," << t.y << " r" << radius;
            ASSERT_EQ(t.tilesWithin(radius).size(), area.size());
        }
    }

    tile(1, 0).flags |= TileRevealed;
    tile(2, 2).flags |= TileRevealed;
    tile(0, 0).flags |= TileRevealed;
    EXPECT_EQ(positions(map.getTilesAround(0, 0, 3, true)), (Points{{1, 0}, {2, 2}}));
    // The centre of an even-sized rectangle is its upper left middle.
    EXPECT_EQ(map.getTilesInRect(0, 0, 1, 1, false).size(), 3u);
    EXPECT_EQ(positions(map.getTilesInRect(0, 0, 1, 1, false)), (Points{{1, 0}, {0, 1}, {1, 1}}));
}

TEST_F(NeighbourhoodTest, NeighbourListOrders)
{
    map.create(6, 5, true);
    struct Case
    {
        sf::Vector2i at;
        Points orthogonal, diagonal;
    };
    const Case cases[] = {
        {{2, 2}, {{2, 1}, {1, 2}, {2, 3}, {3, 2}}, {{3, 3}, {1, 3}, {1, 1}, {3, 1}}},
        {{0, 0}, {{0, 1}, {1, 0}}, {{1, 1}}},
        {{5, 4}, {{5, 3}, {4, 4}}, {{4, 3}}},
        {{5, 0}, {{4, 0}, {5, 1}}, {{4, 1}}},
        {{3, 4}, {{3, 3}, {2, 4}, {4, 4}}, {{2, 3}, {4, 3}}},
    };
    for (const Case& c : cases)
    {
        const Tile& t = tile(c.at.x, c.at.y);
        EXPECT_EQ(positions(t.orthogonalNeighbours().toVector()), c.orthogonal) << c.at.x << "," << c.at.y;
        EXPECT_EQ(positions(t.diagonalNeighbours().toVector()), c.diagonal) << c.at.x << "," << c.at.y;
        Points all = c.orthogonal;
        all.insert(all.end(), c.diagonal.begin(), c.diagonal.end());
        EXPECT_EQ(positions(t.allNeighbours().toVector()), all);
    }
    EXPECT_EQ(tile(0, 0).north(), nullptr);
    EXPECT_EQ(tile(0, 0).southEast(), &tile(1, 1));
}

// A house at (10, 10) with its demand and one supplier of each kind placed by the case.
class SupplierTest : public SimTest
{
protected:
    void SetUp() override
    {
        blankMap(30, 30);
        house = static_cast<House*>(build(10, 10, TileHouse));
        house->shoppingDemand = house->waterDemand = house->jobDemand = 3;
        house->unmetNeeds = 7;
    }
    Tile& home() { return tile(10, 10); }
    House* house = nullptr;
};

TEST_F(SupplierTest, ShopReachIsASquare)
{
    struct Case
    {
        int dx, dy;
        bool serves;
    };
    const Case cases[] = {{4, 4, true}, {-4, 3, true}, {5, 0, false}, {0, -5, false}, {4, 5, false}};
    for (const Case& c : cases)
    {
        SetUp();
        Shop* shop = static_cast<Shop*>(build(10 + c.dx, 10 + c.dy, TileShop, 1));
        ASSERT_EQ(shop->range, 4);
        EXPECT_EQ(home().findShop(), c.serves ? shop : nullptr) << c.dx << "," << c.dy;
    }
}

TEST_F(SupplierTest, FindersTakeTheNearestWithRoom)
{
    struct Kind
    {
        int type;
        Building* (*find)(Tile&);
        void (*fill)(Building*);
    };
    const Kind kinds[] = {
        {TileShop, [](Tile& t) -> Building* { return t.findShop(); },
         [](Building* b) { static_cast<Shop*>(b)->customers = static_cast<Shop*>(b)->capacity; }},
        {TileFactory, [](Tile& t) -> Building* { return t.findWorkplace(); },
         [](Building* b) { static_cast<Factory*>(b)->workers = static_cast<Factory*>(b)->jobs; }},
        {TileOffice, [](Tile& t) -> Building* { return t.findWorkplace(); },
         [](Building* b) { static_cast<Factory*>(b)->workers = static_cast<Factory*>(b)->jobs; }},
        {TileWaterTower, [](Tile& t) -> Building* { return t.findWaterSupply(); },
         [](Building* b) { static_cast<WaterSupply*>(b)->supplied = static_cast<WaterSupply*>(b)->capacity; }},
    };
    for (const Kind& k : kinds)
    {
        SetUp();
        Building* far = build(13, 10, k.type, 1);
        Building* near = build(10, 12, k.type, 1);
        EXPECT_EQ(k.find(home()), near) << "type " << k.type;
        k.fill(near);
        EXPECT_EQ(k.find(home()), far) << "type " << k.type;
        k.fill(far);
        EXPECT_EQ(k.find(home()), nullptr) << "type " << k.type;
    }
}

TEST_F(SupplierTest, RemovedSupplierIsPassedOver)
{
    build(12, 10, TileShop, 1);
    ASSERT_NE(home().findShop(), nullptr);
    // Demolishing does not rebuild the houses' lists; the stale entry must not be used.
    build(12, 10, TileEmpty);
    EXPECT_EQ(home().findShop(), nullptr);
    build(12, 10, TileHouse);
    EXPECT_EQ(home().findShop(), nullptr);
    house->satisfyShopping();
    EXPECT_EQ(house->shoppingDemand, 3);
}

TEST_F(SupplierTest, NewHouseGetsItsOwnListsOnly)
{
    Shop* shop = static_cast<Shop*>(build(12, 10, TileShop, 1));
    build(14, 10, TileHouse);
    EXPECT_EQ(tile(14, 10).findShop(), shop);
    EXPECT_EQ(home().findShop(), shop);
}

// Why some house's lists are not what a house built now would sort for
// itself, or "" when none. Entries of tiles that no longer hold a supplier
// of the kind are passed over by every search, so they are left out.
std::string staleSupplierList(Map& map)
{
    for (Tile* house : map.houses)
    {
        struct Kind
        {
            const char* name;
            std::vector<Tile*> Tile::*list;
            bool (*live)(const Tile*);
        };
        const Kind kinds[] = {
            {"shops", &Tile::nearShops, [](const Tile* t) { return t->shop() != nullptr; }},
            {"jobs", &Tile::nearWorkplaces, [](const Tile* t) { return t->workplace() != nullptr; }},
            {"water", &Tile::nearWater, [](const Tile* t) { return t->waterSupply() != nullptr; }},
        };
        std::vector<Tile*> kept[3];
        for (int k = 0; k < 3; ++k)
        {
            for (Tile* t : house->*kinds[k].list)
                if (kinds[k].live(t))
                    kept[k].push_back(t);
        }
        house->updateNearestSuppliers(TileAllTypes);
        for (int k = 0; k < 3; ++k)
        {
            if (kept[k] != house->*kinds[k].list)
                return std::string(kinds[k].name) + " of the house at " + std::to_string(house->x) + "," +
                       std::to_string(house->y);
        }
    }
    return "";
}

// Placing, upgrading or removing a supplier updates the lists of the houses
// in its reach and a turn turns them; every list must stay the one a house
// built then would sort for itself: nearest first, ties in list order.
TEST_F(NeighbourhoodTest, EveryHouseListsItsSuppliersNearestFirstAsANewHouseWould)
{
    scripted::buildCity(game, 30, 3, 0.0);
    ASSERT_GT(map.shops.size(), 10u);
    ASSERT_EQ(staleSupplierList(map), "") << "after building";
    for (Tile* house : map.houses)
    {
        const std::vector<Tile*>& shops = house->nearShops;
        // Exactly the shops whose reach covers the house: no other can serve it.
        auto covering = std::count_if(map.shops.begin(), map.shops.end(), [house](const Tile* s) {
            const Shop* record = s->shop();
            return std::abs(s->x - house->x) <= record->range && std::abs(s->y - house->y) <= record->range;
        });
        ASSERT_EQ(static_cast<long>(shops.size()), covering);
        for (size_t i = 1; i < shops.size(); ++i)
        {
            auto d = [house](const Tile* t) {
                return (t->x - house->x) * (t->x - house->x) + (t->y - house->y) * (t->y - house->y);
            };
            ASSERT_LE(d(shops[i - 1]), d(shops[i]));
            if (d(shops[i - 1]) == d(shops[i]))
            {
                auto at = [this](const Tile* t) { return std::find(map.shops.begin(), map.shops.end(), t); };
                ASSERT_LT(at(shops[i - 1]), at(shops[i])) << "ties keep the list order";
            }
        }
    }

    Tile* home = map.houses[map.houses.size() / 2];
    int hx = home->x, hy = home->y;
    Tile* workplace = map.workplaces.front();
    int wx = workplace->x, wy = workplace->y;
    struct Step
    {
        const char* what;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"a small shop on a house", [&] { build(hx, hy, TileShop, 1); }},
        {"its upgrade, with a longer reach", [&] { build(hx, hy, TileShop, 3); }},
        {"back to a small shop", [&] { build(hx, hy, TileShop, 1); }},
        {"a workplace demolished", [&] { build(wx, wy, TileEmpty, 0); }},
        {"a water tower where it stood", [&] { build(wx, wy, TileWaterTower, 0); }},
        {"a turn to the right", [&] { map.rotateRight(); }},
        {"two turns to the left", [&] {
             map.rotateLeft();
             map.rotateLeft();
         }},
        {"a shop after the turns", [&] { build(3, 3, TileShop, 2); }},
        {"a house beside it", [&] { build(4, 3, TileHouse, 1); }},
    };
    for (const Step& step : steps)
    {
        step.run();
        ASSERT_EQ(staleSupplierList(map), "") << "after " << step.what;
    }
}

TEST_F(SupplierTest, SatisfyFillsSuppliersInDistanceOrder)
{
    Shop* near = static_cast<Shop*>(build(11, 10, TileShop, 1));
    Shop* far = static_cast<Shop*>(build(13, 10, TileShop, 1));
    near->customers = near->capacity - 1;
    house->shoppingDemand = 5;
    house->satisfyShopping();
    EXPECT_EQ(near->customers, near->capacity);
    EXPECT_EQ(far->customers, 4);
    EXPECT_EQ(house->shoppingDemand, 0);
    EXPECT_EQ(house->unmetNeeds, NeedWater | NeedJobs);

    Factory* factory = static_cast<Factory*>(build(10, 13, TileFactory));
    WaterSupply* tower = static_cast<WaterSupply*>(build(8, 8, TileWaterTower));
    house->satisfyJobs();
    house->satisfyWater();
    EXPECT_EQ(factory->workers, 3);
    EXPECT_EQ(tower->supplied, 3);
    EXPECT_EQ(house->unmetNeeds, 0);
}

TEST_F(SupplierTest, DailyHandOutServesTheNearestHousesFirst)
{
    // Ids rise with the row, so the far house comes first in the list.
    House* farHouse = house;
    House* nearHouse = static_cast<House*>(build(13, 13, TileHouse));
    House* lonely = static_cast<House*>(build(28, 28, TileHouse));
    Shop* market = static_cast<Shop*>(build(13, 12, TileShop, 1));
    Factory* factory = static_cast<Factory*>(build(12, 13, TileFactory));
    WaterSupply* tower = static_cast<WaterSupply*>(build(13, 14, TileWaterTower));
    ASSERT_EQ(map.houses.front(), &home());
    struct Need
    {
        const char* name;
        int House::*demand;
        int asked;
        const std::atomic<int>& served;
        int room;    // of the one supplier
        int farLeft; // what the far house still wants once the near one is served
    };
    const Need needs[] = {
        {"shopping", &House::shoppingDemand, 10, market->customers, 15, 5},
        {"jobs", &House::jobDemand, 30, factory->workers, 40, 20},
        {"water", &House::waterDemand, 30, tower->supplied, 50, 10},
    };
    for (House* h : {farHouse, nearHouse, lonely})
    {
        for (const Need& need : needs)
            h->*need.demand = need.asked;
        h->unmetNeeds = 7;
    }

    map.assignHousesToSuppliers();
    for (const Need& need : needs)
    {
        SCOPED_TRACE(need.name);
        EXPECT_EQ(nearHouse->*need.demand, 0);
        EXPECT_EQ(farHouse->*need.demand, need.farLeft);
        EXPECT_EQ(lonely->*need.demand, need.asked) << "no supplier reaches it";
        EXPECT_EQ(need.served.load(), need.room) << "every supplier ends full";
    }
    EXPECT_EQ(nearHouse->unmetNeeds, 0);
    EXPECT_EQ(farHouse->unmetNeeds, 7);
    EXPECT_EQ(lonely->unmetNeeds, 7);
}

TEST_F(NeighbourhoodTest, HighlightMarksRevealedTilesAround)
{
    map.create(12, 12, true);
    map.revealArea(5, 5, 2, true);
    map.highlightArea(5, 5, 1);
    int marked = 0;
    for (const Tile& t : map.tiles)
        marked += (t.flags & TileHighlighted) != 0;
    EXPECT_EQ(marked, 8) << "the centre stays unmarked";
    EXPECT_FALSE(tile(5, 5).flags & TileHighlighted);

    // A new highlight replaces the old one; unrevealed tiles are never marked.
    map.highlightArea(7, 5, 1);
    EXPECT_FALSE(tile(4, 4).flags & TileHighlighted);
    EXPECT_TRUE(tile(6, 5).flags & TileHighlighted);
    EXPECT_FALSE(tile(8, 5).flags & TileHighlighted);
    EXPECT_EQ(map.highlightX, 7);

    map.clearHighlight();
    EXPECT_FALSE(map.highlightActive);
    EXPECT_EQ(map.highlightRadius, 0);
    for (const Tile& t : map.tiles)
        EXPECT_FALSE(t.flags & TileHighlighted);
}

} // namespace
