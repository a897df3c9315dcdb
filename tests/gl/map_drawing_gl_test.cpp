// The map as the player sees it: tiles, buildings, fires, trash, the edge of
// the revealed land and the four information layers, drawn with the game's
// own sprites and checked by pixels in a light and a dark palette.

#include "MapWorld.h"

#include "resources/Font.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

using fixtures::MapWorld;

const std::string pictureFolder = std::string(QUILLFENN_RUN_DIR) + "/../";

// A 12 x 12 town: roads along y = 4 and x = 4, every kind of building beside
// them, a burning house, and land revealed only where x and y are below 10.
void buildTown(MapWorld& world)
{
    world.blankMap(12, 12, false);
    for (Tile& t : world.map().tiles)
        if (t.x < 10 && t.y < 10)
            t.flags = TileRevealed;
    for (int i = 0; i < 10; ++i)
    {
        world.build(i, 4, TileRoad, 0, 0);
        world.build(4, i, TileRoad, 0, 0);
    }
    // North of the east-west road: the road lies south (facing 1).
    world.build(0, 3, TileHouse, 1, 1);
    world.build(1, 3, TileHouse, 2, 1);
    world.build(2, 3, TileHouse, 3, 1);
    world.build(3, 3, TileShop, 1, 1);
    world.build(5, 3, TileShop, 2, 1);
    world.build(6, 3, TileShop, 3, 1);
    world.build(7, 3, TilePark, 0, 1);
    world.build(8, 3, TileWaterTower, 0, 1);
    world.build(9, 3, TileFactory, 0, 1);
    // South of it: the road lies north (facing 2).
    world.build(0, 5, TileFireStation, 0, 2);
    world.build(1, 5, TilePoliceStation, 0, 2);
    world.build(2, 5, TileHospital, 0, 2);
    world.build(3, 5, TileOffice, 0, 2);
    world.build(5, 5, TileRubble, 0, 2);
    world.build(6, 5, TilePumpingStation, 0, 2);
    world.build(7, 5, TileLandfill, 0, 2);
    world.build(8, 5, TileHouse, 1, 2);
    world.build(9, 5, TileTree, 0, 0);
    // Along the north-south road: west of it faces east (3), east of it west (4).
    world.build(3, 1, TileHouse, 1, 3);
    world.build(5, 1, TileHouse, 2, 4);
    world.build(3, 7, TileHouse, 1, 3);
    world.build(5, 7, TileHouse, 3, 4);
    world.build(0, 0, TileTree, 0, 0);
    world.build(8, 8, TileTree, 0, 0);
    world.tile(8, 5).flags |= TileBurning;
    testing::internal::CaptureStdout();
    world.map().recalculateVisibleTiles();
    testing::internal::GetCapturedStdout();
    world.centerOnMap();
}

template <typename Record>
Record* recordAt(MapWorld& world, int x, int y)
{
    return dynamic_cast<Record*>(world.tile(x, y).building);
}

// What a house shows in the layers.
struct HouseShows
{
    int x, y;
    int residents;
    double attractiveness;
    int needs;
    int warnings;
};

const HouseShows townHouses[] = {
    {0, 3, 1, 0.6, 0, 0},
    {1, 3, 4, 0.0, NeedWater | NeedShopping, WarnCrime},
    {2, 3, 15, -0.5, NeedJobs, WarnFireHazard | WarnNoHospital},
    {3, 1, 3, 0.3, NeedWater | NeedShopping | NeedJobs, WarnCrime | WarnFireHazard | WarnNoHospital},
    {5, 1, 0, -0.2, 0, WarnNoHospital},
    {3, 7, 2, 0.1, NeedShopping, 0},
    {5, 7, 9, -0.35, 0, 0},
    {8, 5, 2, 0.25, NeedWater, WarnFireHazard},
};

// Sets the record fields the day tick would have left.
void fillRecords(MapWorld& world)
{
    for (const HouseShows& h : townHouses)
    {
        House* house = recordAt<House>(world, h.x, h.y);
        house->residents = h.residents;
        house->shownAttractiveness = h.attractiveness;
        house->shownNeeds = h.needs;
        house->shownWarnings = h.warnings;
    }
    recordAt<Shop>(world, 3, 3)->customers = 12;
    recordAt<Shop>(world, 5, 3)->customers = 48;
    recordAt<Shop>(world, 6, 3)->customers = 7;
    recordAt<Factory>(world, 9, 3)->workers = 25;
    recordAt<Factory>(world, 3, 5)->workers = 100;
    recordAt<WaterSupply>(world, 8, 3)->supplied = 30;
    recordAt<Landfill>(world, 7, 5)->fill = 500.0;
}

class MapDrawingTest : public ::testing::TestWithParam<int>
{
protected:
    MapDrawingTest() : world(GetParam())
    {
        buildTown(world);
        fillRecords(world);
    }

    void save(const sf::Image& picture, const std::string& name)
    {
        picture.saveToFile(pictureFolder + "map_" + name + "_palette" + std::to_string(GetParam()) + ".png");
    }

    MapWorld world;
};

TEST_P(MapDrawingTest, Pictures)
{
    for (int layer = 0; layer < 4; ++layer)
    {
        world.map().setInfoLayer(layer);
        save(world.draw(), "layer" + std::to_string(layer));
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, MapDrawingTest, ::testing::Values(0, 5));

} // namespace
