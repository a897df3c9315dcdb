#include "SimFixture.h"

#include "simulation/House.h"

#include <string>

namespace
{

using Actions = std::vector<int>;

// A 5 x 5 revealed grid; the case builds around its centre (2, 2).
class TileActionsTest : public SimTest
{
protected:
    struct Neighbour
    {
        int dx, dy, type;
    };

    void SetUp() override { blankMap(5, 5); }

    Tile& centre() { return tile(2, 2); }

    Actions offered(int type, int level, std::vector<Neighbour> around, int unlock)
    {
        for (Tile& t : map.tiles)
        {
            t.setType(TileEmpty, 0);
            t.facing = 0;
        }
        for (const Neighbour& n : around)
            tile(2 + n.dx, 2 + n.dy).setType(n.type, 1);
        centre().setType(type, level);
        game.unlockFlags = unlock;
        map.updateTileActions();
        return centre().actions;
    }
};

const int allUnlocked = 0x1ff;
const Actions allOffers = {1, 2, 3, 4, 14, 6, 5, 7, 15, 8, 9, 18, 10, 19, 13, 11, 12};
const Actions basicOffers = {1, 2, 6, 5, 15, 8, 9, 10};

TEST_F(TileActionsTest, OffersByTypeNeighboursAndUnlocks)
{
    struct Case
    {
        std::string name;
        int type, level;
        std::vector<Neighbour> around;
        int unlock;
        Actions expect;
    };
    const Case cases[] = {
        {"empty, no road", TileEmpty, 0, {}, allUnlocked, {}},
        {"empty, diagonal road only", TileEmpty, 0, {{1, 1, TileRoad}}, allUnlocked, {}},
        {"empty, road north", TileEmpty, 0, {{0, -1, TileRoad}}, 0, basicOffers},
        {"empty, all unlocked", TileEmpty, 0, {{1, 0, TileRoad}}, allUnlocked, allOffers},
        {"tree, no road", TileTree, 0, {{1, 1, TileRoad}}, 0, {}},
        {"tree, road west", TileTree, 0, {{-1, 0, TileRoad}}, 0, {16, 8}},
        {"lone road", TileRoad, 0, {}, 0, {16}},
        {"dead end among trees", TileRoad, 0, {{0, -1, TileRoad}, {1, 0, TileTree}, {0, 1, TileTree}}, 0, {16}},
        {"road between roads", TileRoad, 0, {{0, -1, TileRoad}, {0, 1, TileRoad}}, 0, {}},
        {"road on a corner of two roads", TileRoad, 0, {{0, -1, TileRoad}, {1, 0, TileRoad}}, 0, {}},
        {"road beside a house", TileRoad, 0, {{1, 0, TileHouse}}, 0, {}},
        {"road beside a water tower", TileRoad, 0, {{0, 1, TileWaterTower}}, 0, {}},
        {"road beside a park", TileRoad, 0, {{1, 0, TilePark}, {0, 1, TileRoad}}, 0, {16}},
        {"road with a diagonal house", TileRoad, 0, {{1, 1, TileHouse}}, 0, {16}},
        {"small house", TileHouse, 1, {}, 0, {16}},
        {"small house, large unlocked", TileHouse, 1, {}, 1, {16, 3}},
        {"small house, flats unlocked", TileHouse, 1, {}, 4, {16}},
        {"large house, flats unlocked", TileHouse, 2, {}, 4, {16, 4}},
        {"large house, large unlocked", TileHouse, 2, {}, 1, {16}},
        {"flats", TileHouse, 3, {}, allUnlocked, {16}},
        {"market", TileShop, 1, {}, 0, {16, 5}},
        {"shop", TileShop, 2, {}, 0, {16}},
        {"shop, store unlocked", TileShop, 2, {}, 2, {16, 7}},
        {"convenience store", TileShop, 3, {}, allUnlocked, {16}},
        {"landfill", TileLandfill, 0, {{1, 0, TileRoad}}, allUnlocked, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(offered(c.type, c.level, c.around, c.unlock), c.expect) << c.name;

    for (int type : {TilePark, TileWaterTower, TileFactory, TileFireStation, TilePoliceStation, TileHospital,
                     TileOffice, TileRubble, TilePumpingStation})
    {
        EXPECT_EQ(offered(type, 0, {}, 0), Actions{16}) << "type " << type;
        EXPECT_EQ(offered(type, 0, {{0, 1, TileRoad}}, allUnlocked), Actions{16}) << "type " << type;
    }
}

TEST_F(TileActionsTest, EachUnlockBitAddsItsBuilding)
{
    const int unlockedAction[9] = {3, 7, 4, 12, 13, 11, 14, 18, 19};
    for (int bit = 0; bit < 9; ++bit)
    {
        Actions expect;
        for (int a : allOffers)
        {
            if (a == unlockedAction[bit] || std::find(basicOffers.begin(), basicOffers.end(), a) != basicOffers.end())
                expect.push_back(a);
        }
        EXPECT_EQ(offered(TileEmpty, 0, {{0, 1, TileRoad}}, 1 << bit), expect) << "bit " << bit;
    }
}

TEST_F(TileActionsTest, UnrevealedTilesKeepTheirList)
{
    offered(TileEmpty, 0, {{0, 1, TileRoad}}, 0);
    centre().flags = 0;
    centre().actions = {1};
    tile(2, 3).setType(TileEmpty, 0);
    map.updateTileActions();
    EXPECT_EQ(centre().actions, Actions{1});
    EXPECT_TRUE(tile(2, 3).actions.empty());
}

TEST_F(TileActionsTest, BuildingsFaceARoad)
{
    // Candidates in the order west, east, north, south; one is drawn with rand().
    struct Case
    {
        std::vector<Neighbour> roads;
        Actions candidates;
    };
    const Case cases[] = {
        {{{-1, 0, TileRoad}}, {4}},
        {{{1, 0, TileRoad}}, {3}},
        {{{0, -1, TileRoad}}, {2}},
        {{{0, 1, TileRoad}}, {1}},
        {{{1, 0, TileRoad}, {0, 1, TileRoad}}, {3, 1}},
        {{{0, 1, TileRoad}, {0, -1, TileRoad}, {1, 0, TileRoad}, {-1, 0, TileRoad}}, {4, 3, 2, 1}},
    };
    for (const Case& c : cases)
    {
        std::vector<int> seen;
        for (unsigned seed = 1; seed <= 12; ++seed)
        {
            std::srand(seed);
            int expect = c.candidates[std::rand() % c.candidates.size()];
            std::srand(seed);
            offered(TileHouse, 1, c.roads, 0);
            EXPECT_EQ(centre().facing, expect) << "seed " << seed;
            seen.push_back(centre().facing);
        }
        for (int candidate : c.candidates)
            EXPECT_NE(std::find(seen.begin(), seen.end(), candidate), seen.end()) << candidate;
    }

    std::srand(1);
    offered(TileFactory, 0, {{1, 1, TileRoad}}, 0);
    EXPECT_EQ(centre().facing, 4) << "no road beside: faces west";
    int next = std::rand();
    std::srand(1);
    EXPECT_EQ(next, std::rand()) << "no draw without a candidate";

    // Once chosen, a facing stays whatever the roads do later.
    tile(3, 2).setType(TileRoad, 0);
    map.updateTileActions();
    EXPECT_EQ(centre().facing, 4);
    EXPECT_EQ(tile(3, 2).facing, 0) << "roads have no record and get no facing";
}

} // namespace
