#include "SimFixture.h"

#include "simulation/House.h"

#include <cmath>
#include <set>

namespace
{

using MapTest = SimTest;

TEST_F(MapTest, SizeIdsAndBounds)
{
    struct Case
    {
        int width, height, expectWidth, expectHeight;
    };
    const Case cases[] = {
        {0, 0, 75, 75},   // default size
        {0, 10, 75, 75},  // the height is ignored without a width
        {-3, 40, 75, 75},
        {20, 10, 20, 10},
        {30, 0, 75, 75},  // a grid needs rows
        {300, 5, 75, 75}, // too large to hold its neighbourhoods
    };
    for (const Case& c : cases)
    {
        map.create(c.width, c.height, true);
        EXPECT_EQ(map.width, c.expectWidth) << c.width << "x" << c.height;
        EXPECT_EQ(map.height, c.expectHeight) << c.width << "x" << c.height;
        EXPECT_EQ(map.tiles.size(), static_cast<size_t>(c.expectWidth * c.expectHeight));
    }

    map.create(0, 0, false);
    EXPECT_EQ(tile(0, 0).id, 0u);
    EXPECT_EQ(tile(1, 0).id, 1u);
    EXPECT_EQ(tile(0, 1).id, 151u);
    EXPECT_EQ(tile(3, 16).id, 3u + 2 * 16 * 75 + 1);
    EXPECT_EQ(map.getTile(74, 74), &map.tiles.back());
    for (sf::Vector2i p : {sf::Vector2i(-1, 0), sf::Vector2i(75, 0), sf::Vector2i(0, 75), sf::Vector2i(0, -1)})
    {
        EXPECT_EQ(map.getTile(p.x, p.y), nullptr) << p.x << "," << p.y;
        EXPECT_EQ(map.tileAt(p.x, p.y), nullptr);
    }
}

// Replays rand() to know which tiles start as trees and which layout is drawn.
TEST_F(MapTest, NewGameTreesAndStartingLayout)
{
    const int w = 9, h = 7, cx = 4, cy = 3;
    bool seenOdd = false, seenEven = false, overwroteTree = false;
    int trees = 0;
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        std::srand(seed);
        std::vector<bool> tree(w * h);
        for (int i = 0; i < w * h; ++i)
            tree[i] = std::rand() % 4 == 2;
        bool odd = std::rand() % 2 == 1;
        (odd ? seenOdd : seenEven) = true;

        newGame(seed, w, h);
        std::set<std::pair<int, int>> layout;
        if (odd)
            layout = {{cx, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
        else
            layout = {{cx, cy - 1}, {cx, cy}, {cx - 1, cy}, {cx + 1, cy}};
        for (const Tile& t : map.tiles)
        {
            bool inLayout = layout.count({t.x, t.y}) > 0;
            if (inLayout && tree[t.x + t.y * w])
                overwroteTree = true;
            if (!inLayout)
            {
                ASSERT_EQ(t.type, tree[t.x + t.y * w] ? TileTree : TileEmpty) << seed << " at " << t.x << "," << t.y;
            }
            int dx = t.x - cx, dy = t.y - cy;
            bool revealed = static_cast<int>(std::sqrt(dx * dx + dy * dy)) <= 3;
            ASSERT_EQ((t.flags & TileRevealed) != 0, revealed) << t.x << "," << t.y;
        }
        for (bool isTree : tree)
            trees += isTree;

        Tile& road = tile(cx, cy);
        Tile& house = odd ? tile(cx + 1, cy) : tile(cx, cy - 1);
        EXPECT_EQ(road.type, TileRoad);
        EXPECT_EQ(house.type, TileHouse);
        ASSERT_NE(dynamic_cast<House*>(house.building), nullptr);
        EXPECT_EQ(dynamic_cast<House*>(house.building)->level, 1);
        if (odd)
        {
            EXPECT_EQ(road.facing, 1);
            EXPECT_EQ(house.facing, 4); // the road is to its west
            EXPECT_EQ(tile(cx, cy - 1).type, TileEmpty);
            EXPECT_EQ(tile(cx, cy + 1).type, TileEmpty);
        }
        else
        {
            EXPECT_EQ(house.facing, 1); // the road is to its south
            EXPECT_EQ(tile(cx - 1, cy).type, TileEmpty);
            EXPECT_EQ(tile(cx + 1, cy).type, TileEmpty);
        }
        EXPECT_EQ(map.roads, std::vector<Tile*>{&road});
        EXPECT_EQ(map.houses, std::vector<Tile*>{&house});
        EXPECT_TRUE(road.actions.empty()) << "a road beside a house stays";
    }
    EXPECT_TRUE(seenOdd);
    EXPECT_TRUE(seenEven);
    EXPECT_TRUE(overwroteTree);
    double share = trees / (40.0 * w * h);
    EXPECT_GT(share, 0.2);
    EXPECT_LT(share, 0.3);
}

TEST_F(MapTest, RevealUsesTheWholePartOfTheDistance)
{
    map.create(12, 12, true);
    map.revealArea(5, 5, 3, false);
    const struct
    {
        int dx, dy;
        bool revealed;
    } cases[] = {{0, 0, true}, {3, 0, true}, {3, 1, true}, {3, 2, true}, {2, 2, true}, {-3, -2, true},
                 {3, 3, false}, {-3, 3, false}, {4, 0, false}, {0, -4, false}};
    for (const auto& c : cases)
        EXPECT_EQ((tile(5 + c.dx, 5 + c.dy).flags & TileRevealed) != 0, c.revealed) << c.dx << "," << c.dy;

    // At an edge the part outside is skipped; nothing is hidden again.
    map.revealArea(0, 0, 1, false);
    map.revealArea(5, 5, 0, false);
    EXPECT_TRUE(tile(1, 1).flags & TileRevealed);
    EXPECT_TRUE(tile(3, 5).flags & TileRevealed);
}

TEST_F(MapTest, PerTypeListsHoldRevealedTilesSortedById)
{
    // On a narrow grid the ids of row 15 restart below those of row 14.
    blankMap(10, 16);
    build(5, 5, TileRoad);
    build(9, 14, TileHouse); // id 9 + 280 + 14 = 303
    build(0, 15, TileHouse); // id 0 + 300 + 0 = 300
    build(1, 1, TileFactory);
    build(8, 8, TileOffice);
    build(3, 3, TileWaterTower);
    build(4, 4, TilePumpingStation);
    build(6, 6, TileLandfill);
    build(2, 2, TilePark);
    tile(9, 9).setType(TileShop, 1);
    tile(9, 9).flags = 0; // not revealed: in no list
    map.recalculateVisibleTiles();

    EXPECT_EQ(map.revealedTiles.size(), 159u);
    EXPECT_EQ(map.roads, std::vector<Tile*>{&tile(5, 5)});
    EXPECT_EQ(map.houses, (std::vector<Tile*>{&tile(0, 15), &tile(9, 14)}));
    EXPECT_EQ(map.factories, std::vector<Tile*>{&tile(1, 1)});
    EXPECT_EQ(map.offices, std::vector<Tile*>{&tile(8, 8)});
    EXPECT_EQ(map.workplaces, (std::vector<Tile*>{&tile(1, 1), &tile(8, 8)}));
    EXPECT_EQ(map.waterSupplies, (std::vector<Tile*>{&tile(3, 3), &tile(4, 4)}));
    EXPECT_EQ(map.landfills, std::vector<Tile*>{&tile(6, 6)});
    EXPECT_EQ(map.parks, std::vector<Tile*>{&tile(2, 2)});
    EXPECT_TRUE(map.shops.empty());
    EXPECT_EQ(map.lastChangedType, TileAllTypes);
    EXPECT_EQ(map.lastChangedTile, nullptr);
}

TEST_F(MapTest, FourRightTurnsRestoreTheMap)
{
    newGame(7, 12, 12);
    build(2, 9, TileShop, 1);
    std::vector<unsigned> ids;
    std::vector<int> types;
    for (const Tile& t : map.tiles)
    {
        ids.push_back(t.id);
        types.push_back(t.type);
    }
    Building* shop = tile(2, 9).building;

    map.rotateRight();
    // The contents of (x, y) now stand at (11 - y, x).
    EXPECT_EQ(tile(2, 2).building, shop);
    EXPECT_EQ(shop->tile, &tile(2, 2));
    EXPECT_EQ(tile(2, 2).id, ids[2 + 9 * 12]);
    EXPECT_EQ(tile(2, 9).building, nullptr);
    EXPECT_EQ(tile(2, 9).x, 2);
    EXPECT_EQ(tile(2, 9).y, 9);
    EXPECT_EQ(map.shops, std::vector<Tile*>{&tile(2, 2)});

    for (int i = 0; i < 3; ++i)
        map.rotateRight();
    EXPECT_EQ(map.rotation, -4);
    for (size_t i = 0; i < map.tiles.size(); ++i)
    {
        EXPECT_EQ(map.tiles[i].id, ids[i]);
        EXPECT_EQ(map.tiles[i].type, types[i]);
    }
    EXPECT_EQ(tile(2, 9).building, shop);
    EXPECT_EQ(shop->tile, &tile(2, 9));

    map.rotateLeft();
    map.rotateRight();
    EXPECT_EQ(map.rotation, -4);
    EXPECT_EQ(tile(2, 9).building, shop);
}

TEST_F(MapTest, TurnKeepsFacingWithThePositionAndFollowsTheAction)
{
    blankMap(8, 8);
    build(3, 4, TileRoad);
    build(4, 4, TileHouse);
    map.updateTileActions();
    ASSERT_EQ(tile(4, 4).facing, 4);

    // A road two tiles away offers a building slot to start an action on.
    build(1, 1, TileRoad);
    map.updateTileActions();
    Tile& site = tile(1, 2);
    int slot = slotOf(site, 2);
    ASSERT_GE(slot, 0);
    unsigned siteId = site.id;
    game.startAction(site.id, slot, 0);
    ASSERT_EQ(game.action.tile, &site);

    map.rotateLeft(); // contents of (x, y) go to (y, 7 - x)
    EXPECT_EQ(map.rotation, 1);
    EXPECT_EQ(tile(4, 4).type, TileRoad);
    EXPECT_EQ(tile(4, 4).facing, 4) << "facing belongs to the position";
    ASSERT_EQ(tile(4, 3).type, TileHouse);
    EXPECT_EQ(tile(4, 3).facing, 1) << "the house's new place faces the road now south of it";
    EXPECT_EQ(game.action.tile, &tile(2, 6));
    EXPECT_EQ(game.action.tile->id, siteId);
}

TEST_F(MapTest, NonSquareGridIsNotRotated)
{
    newGame(3, 6, 4);
    std::vector<unsigned> ids;
    for (const Tile& t : map.tiles)
        ids.push_back(t.id);
    Building* house = map.houses.at(0)->building;
    Tile* houseTile = map.houses.at(0);

    map.rotateRight();
    map.rotateLeft();
    EXPECT_EQ(map.rotation, 0);
    EXPECT_EQ(houseTile->building, house);
    EXPECT_EQ(house->tile, houseTile);
    for (size_t i = 0; i < map.tiles.size(); ++i)
        EXPECT_EQ(map.tiles[i].id, ids[i]);
}

TEST_F(MapTest, TurnKeepsTheViewOnTheSameTile)
{
    newGame(5, 12, 12);
    sf::View view(sf::FloatRect(0, 0, 640, 360));
    game.gameView = &view;
    for (bool right : {true, false})
    {
        game.centerViewOnTile(2, 5);
        sf::Vector2i p = game.pickTile(320, 180, false);
        sf::Vector2i expect = right ? sf::Vector2i(11 - p.y, p.x) : sf::Vector2i(p.y, 11 - p.x);
        right ? map.rotateRight() : map.rotateLeft();
        EXPECT_EQ(view.getCenter(),
                  sf::Vector2f(16.0f * (expect.x + expect.y) + 16, 8.0f * (expect.y - expect.x) + 8));
    }
    game.gameView = nullptr;
}

TEST_F(MapTest, OnScreenFlagFollowsTheView)
{
    blankMap(20, 20);
    map.updateOnScreenTiles(); // no view: nothing changes
    EXPECT_EQ(tile(0, 0).flags, TileRevealed);

    // A small view around the screen point of tile (5, 5), which is (160, 0).
    sf::View view(sf::FloatRect(140, -20, 60, 40));
    game.gameView = &view;
    map.updateOnScreenTiles();
    EXPECT_FALSE(tile(5, 5).flags & TileOffScreen);
    EXPECT_TRUE(tile(0, 0).flags & TileOffScreen);
    EXPECT_TRUE(tile(19, 19).flags & TileOffScreen);
    // A tall building below the view still reaches into it; one further up does not.
    EXPECT_FALSE(tile(3, 7).flags & TileOffScreen);
    EXPECT_TRUE(tile(8, 2).flags & TileOffScreen);
    EXPECT_TRUE(tile(5, 5).flags & TileRevealed);
    game.gameView = nullptr;
}

} // namespace
