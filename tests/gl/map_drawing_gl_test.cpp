// The map as the player sees it: tiles, buildings, fires, trash, the edge of
// the revealed land and the four information layers, drawn with the game's
// own sprites and checked by pixels in a light and a dark palette. The
// pictures are saved beside the run folder (map_*.png) for a look by eye.

#include "MapWorld.h"

#include "resources/Font.h"
#include "resources/Settings.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{

using fixtures::MapWorld;

const std::string pictureFolder = std::string(QUILLFENN_RUN_DIR) + "/../";

// --- Finding sprites in a picture ----------------------------------------------

// Share (0..1) of the template's opaque pixels that the picture shows at (x, y).
double matchAt(const sf::Image& picture, const sf::Image& sprite, int x, int y, bool mirrored = false)
{
    int opaque = 0, same = 0;
    sf::Vector2u size = sprite.getSize();
    sf::Vector2u frame = picture.getSize();
    for (unsigned sy = 0; sy < size.y; ++sy)
        for (unsigned sx = 0; sx < size.x; ++sx)
        {
            sf::Color c = sprite.getPixel(mirrored ? size.x - 1 - sx : sx, sy);
            if (c.a == 0)
                continue;
            ++opaque;
            int px = x + static_cast<int>(sx), py = y + static_cast<int>(sy);
            if (px >= 0 && py >= 0 && px < static_cast<int>(frame.x) && py < static_cast<int>(frame.y) &&
                picture.getPixel(px, py) == c)
                ++same;
        }
    return opaque ? static_cast<double>(same) / opaque : 0.0;
}

// The best share over every top-left corner inside a rectangle.
double bestMatch(const sf::Image& picture, const sf::Image& sprite, const sf::IntRect& corners)
{
    double best = 0.0;
    for (int y = corners.top; y < corners.top + corners.height; ++y)
        for (int x = corners.left; x < corners.left + corners.width; ++x)
            best = std::max(best, matchAt(picture, sprite, x, y));
    return best;
}

// A sprite drawn by the anchor rule on a tile's box: the share the picture shows.
double tileSpriteMatch(MapWorld& world, const sf::Image& picture, const sf::Image& sprite, int tx, int ty,
                       bool mirrored = false)
{
    sf::Vector2i box = world.boxOnScreen(tx, ty);
    return matchAt(picture, sprite, box.x, box.y + 17 - static_cast<int>(sprite.getSize().y), mirrored);
}

// Pixels of one colour inside a rectangle.
int countColour(const sf::Image& picture, const sf::IntRect& rect, const sf::Color& colour)
{
    int n = 0;
    for (int y = rect.top; y < rect.top + rect.height; ++y)
        for (int x = rect.left; x < rect.left + rect.width; ++x)
            if (x >= 0 && y >= 0 && x < static_cast<int>(picture.getSize().x) &&
                y < static_cast<int>(picture.getSize().y) && picture.getPixel(x, y) == colour)
                ++n;
    return n;
}

// True when two pictures hold the same pixels.
bool samePicture(const sf::Image& a, const sf::Image& b)
{
    return a.getSize() == b.getSize() &&
           std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), 4u * a.getSize().x * a.getSize().y) == 0;
}

// Pixels that differ between two pictures inside a tile's diamond, its shared edges left out.
int interiorChanges(const sf::Image& a, const sf::Image& b, sf::Vector2i box)
{
    int n = 0;
    for (int r = 2; r <= 14; ++r)
    {
        int h = std::min(r, 16 - r);
        for (int col = 16 - 2 * h + 3; col <= 17 + 2 * h - 3; ++col)
            n += a.getPixel(box.x + col, box.y + r) != b.getPixel(box.x + col, box.y + r);
    }
    return n;
}

// A cell of a sprite sheet as an image of its own.
sf::Image cell(const sf::Image& sheet, const sf::IntRect& rect)
{
    sf::Image image;
    image.create(rect.width, rect.height, sf::Color::Transparent);
    image.copy(sheet, 0, 0, rect);
    return image;
}

// A text as the numbers font draws it, on a clear background.
sf::Image labelImage(MapWorld& world, const std::string& text)
{
    Font* font = world.game.fonts->getFont(3);
    sf::RenderTexture target;
    target.create(64, 16);
    target.clear(sf::Color::Transparent);
    font->drawText(text, 0, 0, target);
    target.display();
    return target.getTexture().copyToImage();
}

// Top-left corners around the spot over a tile where its layer mark belongs.
sf::IntRect markCorners(MapWorld& world, int tx, int ty, const sf::Image& mark)
{
    sf::Vector2i box = world.boxOnScreen(tx, ty);
    int left = box.x + 17 - static_cast<int>(mark.getSize().x) / 2;
    return sf::IntRect(left - 4, box.y - 14, 9, 29);
}

// --- The town ---------------------------------------------------------------------

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

// What a house shows in the layers. Houses with several marks stand apart,
// so no neighbour's plate lies over them.
struct HouseShows
{
    int x, y;
    int residents;
    double attractiveness;
    int needs;
    int warnings;
    int mood; // 0 negative, 1 neutral, 2 positive
};

const HouseShows townHouses[] = {
    {0, 3, 1, 0.6, 0, 0, 2},
    {1, 3, 4, 0.0, NeedWater, 0, 1},
    {2, 3, 15, -0.5, 0, 0, 0},
    {3, 1, 3, 0.3, NeedWater | NeedShopping | NeedJobs, WarnCrime | WarnFireHazard | WarnNoHospital, 2},
    {5, 1, 0, -0.2, 0, WarnNoHospital, 0},
    {3, 7, 2, 0.1, NeedShopping, 0, 1},
    {5, 7, 9, -0.1, NeedJobs, WarnFireHazard, 1},
    {8, 5, 2, 0.25, NeedWater, WarnCrime, 2},
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

    // Draws the town in a layer and keeps the picture for a look by eye.
    sf::Image drawLayer(int layer, const std::string& name = "")
    {
        world.map().setInfoLayer(layer);
        sf::Image picture = world.draw();
        picture.saveToFile(pictureFolder + "map_" + (name.empty() ? "layer" + std::to_string(layer) : name) +
                           "_palette" + std::to_string(GetParam()) + ".png");
        return picture;
    }

    // The best share of any of the named sprites on a tile.
    double bestOf(const sf::Image& picture, const std::vector<std::string>& names, int tx, int ty, bool mirrored)
    {
        double best = 0.0;
        for (const std::string& name : names)
            best = std::max(best, tileSpriteMatch(world, picture, world.spriteImage(name), tx, ty, mirrored));
        return best;
    }

    MapWorld world;
};

// --- Tiles and buildings -------------------------------------------------------------

// Every kind of building, with the sprites it may be drawn with.
struct Kind
{
    int type, level;
    std::vector<std::string> sprites;
};

const std::vector<Kind> kinds = {
    {TileHouse, 1, {"house_small_1", "house_small_2", "house_small_3", "house_small_4"}},
    {TileHouse, 2, {"house_large_1", "house_large_2", "house_large_3"}},
    {TileHouse, 3, {"flats_1", "flats_2", "flats_3", "flats_4"}},
    {TileShop, 1, {"market"}},
    {TileShop, 2, {"shop"}},
    {TileShop, 3, {"convenience_store"}},
    {TilePark, 0, {"park1"}},
    {TileWaterTower, 0, {"watertower"}},
    {TileFactory, 0, {"factory_1", "factory_2"}},
    {TileFireStation, 0, {"fire_station"}},
    {TilePoliceStation, 0, {"police_station"}},
    {TileHospital, 0, {"hospital"}},
    {TileOffice, 0, {"commercial_1", "commercial_2", "commercial_3", "commercial_4"}},
    {TileRubble, 0, {"rubble"}},
    {TilePumpingStation, 0, {"pumping_station"}},
    {TileLandfill, 0, {"landfill"}},
    {TileTree, 0, {"tree1"}},
};

TEST_P(MapDrawingTest, AloneOnItsPlotEveryKindIsDrawnPixelForPixelTurnedByItsFacing)
{
    for (const Kind& kind : kinds)
    {
        for (int facing : {4, 3, 1, 2})
        {
            // The front corner of the map: no tile is drawn after it.
            world.blankMap(3, 3, true);
            world.build(0, 2, kind.type, kind.level, facing);
            world.build(1, 2, TileRoad, 0, 0);
            world.centerOnMap();
            sf::Image picture = world.draw();
            // Records turn their door toward the road; trees, parks and rubble have none.
            bool mirrored = world.tile(0, 2).building && (facing == 1 || facing == 2);
            EXPECT_DOUBLE_EQ(bestOf(picture, kind.sprites, 0, 2, mirrored), 1.0)
                << kind.sprites[0] << " facing " << facing;
            if (kind.sprites.size() == 1 && mirrored)
            {
                EXPECT_LT(bestOf(picture, kind.sprites, 0, 2, false), 1.0) << kind.sprites[0] << " not turned";
            }
        }
    }
}

TEST_P(MapDrawingTest, TilesInFrontCoverTheOnesBehind)
{
    // An office tower stands in front of a house: its whole sprite shows, the
    // house only where the tower leaves room.
    world.blankMap(6, 6, true);
    world.build(3, 1, TileHouse, 1, 4);
    world.build(2, 2, TileOffice, 0, 4);
    world.centerOnMap();
    sf::Image picture = world.draw();
    const std::vector<std::string>& offices = kinds[12].sprites;
    ASSERT_DOUBLE_EQ(bestOf(picture, offices, 2, 2, false), 1.0);
    double house = bestOf(picture, kinds[0].sprites, 3, 1, false);
    EXPECT_LT(house, 0.9);
    EXPECT_GT(house, 0.2);
    // Taken away, the house shows whole again.
    world.tile(2, 2).setType(TileEmpty, 0);
    EXPECT_DOUBLE_EQ(bestOf(world.draw(), kinds[0].sprites, 3, 1, false), 1.0);
}

TEST_P(MapDrawingTest, EveryBuildingOfTheTownIsDrawnOnItsPlot)
{
    struct Place
    {
        int x, y;
        size_t kind;
    };
    const Place places[] = {
        {0, 3, 0}, {1, 3, 1}, {2, 3, 2}, {3, 3, 3}, {5, 3, 4}, {6, 3, 5}, {7, 3, 6}, {8, 3, 7}, {9, 3, 8},
        {0, 5, 9}, {1, 5, 10}, {2, 5, 11}, {3, 5, 12}, {5, 5, 13}, {6, 5, 14}, {7, 5, 15}, {9, 5, 16},
    };
    sf::Image picture = drawLayer(0);
    for (const Place& p : places)
    {
        const Tile& t = world.tile(p.x, p.y);
        bool mirrored = t.building && (t.facing == 1 || t.facing == 2);
        // In the crowd the buildings in front hide parts of those behind.
        EXPECT_GT(bestOf(picture, kinds[p.kind].sprites, p.x, p.y, mirrored), 0.5)
            << kinds[p.kind].sprites[0] << " at " << p.x << ", " << p.y;
    }
}

TEST_P(MapDrawingTest, RoadPiecesFollowTheirRoadNeighbours)
{
    struct Case
    {
        bool north, south, west, east;
        const char* sprite;
    };
    const Case cases[] = {
        {false, false, false, false, "road1"}, {false, false, true, true, "road1"},
        {true, true, false, false, "road2"},   {true, false, false, true, "road3"},
        {false, true, false, true, "road4"},   {false, true, true, false, "road5"},
        {true, false, true, false, "road6"},   {false, true, true, true, "road7"},
        {true, true, true, false, "road8"},    {true, false, true, true, "road9"},
        {true, true, false, true, "road10"},   {true, true, true, true, "road11"},
        {false, false, true, false, "road1_end1"}, {false, false, false, true, "road1_end2"},
        {true, false, false, false, "road2_end1"}, {false, true, false, false, "road2_end2"},
    };
    for (const Case& c : cases)
    {
        world.blankMap(5, 5, true);
        world.build(2, 2, TileRoad, 0, 0);
        if (c.north)
            world.build(2, 1, TileRoad, 0, 0);
        if (c.south)
            world.build(2, 3, TileRoad, 0, 0);
        if (c.west)
            world.build(1, 2, TileRoad, 0, 0);
        if (c.east)
            world.build(3, 2, TileRoad, 0, 0);
        world.centerOnMap();
        sf::Image picture = world.draw();
        // Neighbours drawn later share the edge stair; inside it the piece is exact.
        sf::Image expected = world.spriteImage(c.sprite);
        sf::Vector2i box = world.boxOnScreen(2, 2);
        int wrong = 0;
        for (int r = 2; r <= 14; ++r)
        {
            int h = std::min(r, 16 - r);
            for (int col = 16 - 2 * h + 3; col <= 17 + 2 * h - 3; ++col)
            {
                sf::Color want = expected.getPixel(col, r);
                sf::Color seen = picture.getPixel(box.x + col, box.y + r);
                if (want.a != 0 && want != seen)
                    ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << c.sprite << " (n " << c.north << " s " << c.south << " w " << c.west << " e "
                            << c.east << ")";
    }
}

TEST_P(MapDrawingTest, VariantsStayWithTheirBuildingWhenTheMapTurns)
{
    world.blankMap(8, 8, true);
    for (int x = 0; x < 8; ++x)
        world.build(x, 4, TileRoad, 0, 0);
    for (int x = 0; x < 8; ++x)
        world.build(x, 3, TileHouse, 1, 1);
    world.centerOnMap();
    const std::vector<std::string> variants = {"house_small_1", "house_small_2", "house_small_3",
                                               "house_small_4"};
    // Which variant each house shows, by tile id.
    auto variantsById = [&](const sf::Image& picture) {
        std::map<unsigned, int> shown;
        for (const Tile& t : world.map().tiles)
        {
            if (t.type != TileHouse)
                continue;
            int best = -1;
            double bestShare = 0.0;
            for (int v = 0; v < 4; ++v)
            {
                double share = tileSpriteMatch(world, picture, world.spriteImage(variants[v]), t.x, t.y,
                                               t.facing == 1 || t.facing == 2);
                if (share > bestShare)
                {
                    bestShare = share;
                    best = v;
                }
            }
            shown[t.id] = best;
        }
        return shown;
    };
    std::map<unsigned, int> before = variantsById(world.draw());
    std::set<int> looks;
    for (const auto& entry : before)
        looks.insert(entry.second);
    EXPECT_GT(looks.size(), 1u) << "a row of houses all look alike";

    testing::internal::CaptureStdout();
    world.map().rotateRight();
    testing::internal::GetCapturedStdout();
    // The turned houses now have their fronts on other sides.
    for (Tile& t : world.map().tiles)
        if (t.type == TileHouse)
            t.facing = 4;
    std::map<unsigned, int> after = variantsById(world.draw());
    EXPECT_EQ(after, before);
}

// --- Fire, trash, the edge, the selection and the highlight ---------------------------

TEST_P(MapDrawingTest, BurningTilesShowTheFireFramesInTurn)
{
    sf::Image sheet = world.spriteImage("fire_animation");
    auto frame = [&](int k) { return cell(sheet, sf::IntRect(34 * k, 0, 34, 48)); };
    world.map().fireFrame = 0;
    world.map().fireTimer = 0.0f;
    sf::Image picture = world.draw();
    EXPECT_GT(tileSpriteMatch(world, picture, frame(0), 8, 5), 0.95);
    EXPECT_LT(tileSpriteMatch(world, picture, frame(0), 3, 7), 0.5) << "a house that does not burn";

    // A tenth of a second on, the next frame; six frames on, the first again.
    picture = world.draw(0.1f);
    EXPECT_EQ(world.map().fireFrame, 1);
    EXPECT_GT(tileSpriteMatch(world, picture, frame(1), 8, 5), 0.95);
    EXPECT_LT(tileSpriteMatch(world, picture, frame(0), 8, 5), tileSpriteMatch(world, picture, frame(1), 8, 5));
    for (int k = 0; k < 5; ++k)
        world.draw(0.1f);
    EXPECT_EQ(world.map().fireFrame, 0);
}

TEST_P(MapDrawingTest, TrashLiesOnTheStreetsOnlyWhenItPilesUp)
{
    world.game.city->streetTrash = 0.0;
    sf::Image clean = world.draw();
    // Tiles whose ground changed from the clean streets: tall buildings in
    // front hide parts of some roads, and the office tower all of two.
    auto littered = [&](double amount, int type) {
        world.game.city->streetTrash = amount;
        sf::Image picture = world.draw();
        int n = 0;
        for (const Tile& t : world.map().tiles)
            if ((t.flags & TileRevealed) && t.type == type)
                n += interiorChanges(picture, clean, world.boxOnScreen(t.x, t.y)) > 4;
        return n;
    };
    int roads = static_cast<int>(world.map().roads.size());
    ASSERT_EQ(roads, 19);
    EXPECT_EQ(littered(999.0, TileRoad), 0);
    int some = littered(1500.0, TileRoad);
    EXPECT_GT(some, 0);
    EXPECT_LT(some, roads);
    EXPECT_GE(littered(2500.0, TileRoad), some);
    EXPECT_EQ(littered(10000.0, TileRoad), roads - 2) << "far beyond the warning every street is littered";
    EXPECT_EQ(littered(10000.0, TileEmpty), 0) << "litter lies on roads only";
    // Trash from a damaged save, beyond what an int can count.
    EXPECT_EQ(littered(1e300, TileRoad), roads - 2);
    EXPECT_EQ(littered(HUGE_VAL, TileRoad), roads - 2);
    EXPECT_EQ(littered(SaveFile::MaxReal, TileRoad), roads - 2) << "the most a save file holds";
    drawLayer(0, "trash");
}

TEST_P(MapDrawingTest, TheRevealedLandEndsInAVeil)
{
    // Land revealed where x and y are below 5, with a road through it.
    world.blankMap(8, 8, false);
    for (Tile& t : world.map().tiles)
        if (t.x < 5 && t.y < 5)
            t.flags = TileRevealed;
    for (int x = 0; x < 5; ++x)
        world.build(x, 2, TileRoad, 0, 0);
    world.centerOnMap();
    sf::Image picture = drawLayer(0, "edge");
    sf::Image veil = world.spriteImage("hidden_tile_overlay");
    for (int i = 0; i <= 5; ++i)
    {
        // The road drawn after its veiled neighbour shares the edge with it.
        EXPECT_GT(tileSpriteMatch(world, picture, veil, 5, i), 0.9) << "edge tile 5, " << i;
        EXPECT_DOUBLE_EQ(tileSpriteMatch(world, picture, veil, i, 5), 1.0) << "edge tile " << i << ", 5";
    }
    // One step further out nothing is drawn at all, and the revealed land carries no veil.
    sf::Image blank;
    blank.create(640, 360, world.game.lightColor);
    for (int i = 0; i <= 6; ++i)
    {
        EXPECT_EQ(interiorChanges(picture, blank, world.boxOnScreen(6, i)), 0) << "tile 6, " << i;
        EXPECT_EQ(interiorChanges(picture, blank, world.boxOnScreen(i, 6)), 0) << "tile " << i << ", 6";
        if (i < 5)
        {
            EXPECT_LT(tileSpriteMatch(world, picture, veil, 4, i), 0.9) << "revealed tile 4, " << i;
        }
    }
}

TEST_P(MapDrawingTest, TheSelectedTileBlinksWhileItsWindowIsOpen)
{
    Tile& house = world.tile(3, 7);
    sf::Image sprite = world.spriteImage("house_small_1");
    auto houseShown = [&](const sf::Image& picture) {
        double best = 0.0;
        for (const char* name : {"house_small_1", "house_small_2", "house_small_3", "house_small_4"})
            best = std::max(best, tileSpriteMatch(world, picture, world.spriteImage(name), 3, 7));
        return best > 0.9;
    };
    sf::Image outline = world.spriteImage("tile_outline");
    EXPECT_TRUE(houseShown(world.draw()));

    world.map().setSelectedTile(&house);
    sf::Image on = world.draw(0.1f);
    EXPECT_FALSE(houseShown(on)) << "the first half of the blink";
    EXPECT_GT(tileSpriteMatch(world, on, outline, 3, 7), 0.9);
    sf::Image off = world.draw(0.5f);
    EXPECT_TRUE(houseShown(off)) << "the second half";
    sf::Image again = world.draw(0.5f);
    EXPECT_FALSE(houseShown(again)) << "the next period";
    again.saveToFile(pictureFolder + "map_selected_palette" + std::to_string(GetParam()) + ".png");

    world.map().setSelectedTile(nullptr);
    for (float step : {0.1f, 0.5f, 0.5f})
        EXPECT_TRUE(houseShown(world.draw(step)));
}

TEST_P(MapDrawingTest, TheHighlightedRangeIsDotted)
{
    world.blankMap(9, 9, true);
    world.build(4, 4, TilePoliceStation, 0, 4);
    world.build(3, 4, TileRoad, 0, 0);
    world.centerOnMap();
    sf::Image dots = world.spriteImage("tile_highlighted");
    world.map().highlightArea(4, 4, 2);
    sf::Image picture = world.draw();
    picture.saveToFile(pictureFolder + "map_highlight_palette" + std::to_string(GetParam()) + ".png");
    for (const Tile& t : world.map().tiles)
    {
        // The station rises over the three plots behind it.
        if (t.type != TileEmpty || (t.x == 5 && t.y == 3) || (t.x == 5 && t.y == 4) || (t.x == 4 && t.y == 3))
            continue;
        bool inside = std::abs(t.x - 4) <= 2 && std::abs(t.y - 4) <= 2;
        EXPECT_EQ(tileSpriteMatch(world, picture, dots, t.x, t.y) > 0.99, inside) << t.x << ", " << t.y;
    }
    EXPECT_GT(tileSpriteMatch(world, picture, world.spriteImage("police_station"), 4, 4), 0.99)
        << "the building itself stands over the dots";
    world.map().clearHighlight();
    picture = world.draw();
    EXPECT_LT(tileSpriteMatch(world, picture, dots, 3, 3), 0.9) << "after the window closed";
}

TEST_P(MapDrawingTest, HiddenBuildingsLeaveTheirFootprints)
{
    // The share of a sprite's dark pixels above its box that a picture shows
    // (the tower faces the road to its south: mirrored).
    auto riseShown = [&](const sf::Image& picture, const std::string& name, int tx, int ty) {
        sf::Image sprite = world.spriteImage(name);
        sf::Vector2i box = world.boxOnScreen(tx, ty);
        int top = box.y + 17 - static_cast<int>(sprite.getSize().y);
        int dark = 0, same = 0;
        for (int y = 0; y < static_cast<int>(sprite.getSize().y) - 17; ++y)
            for (int x = 0; x < 34; ++x)
                if (sprite.getPixel(33 - x, y) == world.game.darkColor)
                {
                    ++dark;
                    same += picture.getPixel(box.x + x, top + y) == world.game.darkColor;
                }
        return static_cast<double>(same) / dark;
    };
    sf::Image shown = world.draw();
    // The "Hide buildings" box; choosing a layer clears it again.
    world.map().showBuildings = false;
    sf::Image hidden = world.draw();
    hidden.saveToFile(pictureFolder + "map_hidden_palette" + std::to_string(GetParam()) + ".png");
    EXPECT_GT(riseShown(shown, "watertower", 8, 3), 0.9);
    // What is left there is the checkered footprint of the factory behind it.
    EXPECT_LT(riseShown(hidden, "watertower", 8, 3), 0.5);

    sf::Image footprint = world.spriteImage("tile_semi_filled");
    for (const Tile& t : world.map().tiles)
    {
        // The flames of the burning house still rise over the plots behind it.
        bool nearFire = std::abs(t.x - 8) <= 1 && std::abs(t.y - 5) <= 1;
        if (t.building && !nearFire)
        {
            EXPECT_GT(tileSpriteMatch(world, hidden, footprint, t.x, t.y), 0.9) << t.x << ", " << t.y;
        }
    }
    // Trees lie flat too, since they hide what stands behind them; the fire still burns.
    EXPECT_GT(tileSpriteMatch(world, hidden, footprint, 0, 0), 0.9);
    EXPECT_GT(tileSpriteMatch(world, shown, world.spriteImage("tree1"), 0, 0), 0.99);
    EXPECT_GT(tileSpriteMatch(world, hidden, cell(world.spriteImage("fire_animation"), sf::IntRect(0, 0, 34, 48)), 8, 5),
              0.95);
    world.map().showBuildings = true;
    EXPECT_GT(riseShown(world.draw(), "watertower", 8, 3), 0.9);
}

TEST_P(MapDrawingTest, TilesOutsideTheViewAreLeftOutAndAFrameIsOneDrawCall)
{
    world.draw();
    ASSERT_NE(world.map().renderer, nullptr);
    EXPECT_EQ(world.map().renderer->drawCalls, 1);
    size_t whole = world.map().renderer->vertices.size();

    // The view moved so that only the east corner of the town is on screen.
    sf::Vector2f center = world.game.gameView->getCenter();
    world.game.gameView->setCenter(center.x + 400, center.y);
    world.draw();
    EXPECT_TRUE(world.tile(0, 0).flags & TileOffScreen);
    EXPECT_TRUE(world.tile(5, 5).flags & TileOffScreen);
    EXPECT_FALSE(world.tile(9, 9).flags & TileOffScreen);
    EXPECT_LT(world.map().renderer->vertices.size(), whole / 2);
    EXPECT_EQ(world.map().renderer->drawCalls, 1);

    // Off the map entirely: nothing to draw.
    world.game.gameView->setCenter(center.x + 5000, center.y);
    world.draw();
    EXPECT_EQ(world.map().renderer->drawCalls, 0);
}

TEST_P(MapDrawingTest, AtTwiceThePixelScaleEveryWorldPixelBecomesABlock)
{
    // A 1280 x 720 target under the same 640 x 360 view, as the game draws
    // at pixel scale 2: each pixel of the plain picture becomes a 2 x 2 block.
    world.map().setInfoLayer(3);
    sf::Image plain = world.draw();
    sf::RenderTexture big;
    ASSERT_TRUE(big.create(1280, 720));
    for (int frame = 0; frame < 2; ++frame)
    {
        big.clear(world.game.lightColor);
        big.setView(*world.game.gameView);
        world.map().draw(big);
        big.display();
    }
    EXPECT_EQ(world.map().renderer->drawCalls, 2) << "the map at one texel a pixel, then scaled once";
    sf::Image picture = big.getTexture().copyToImage();
    int wrong = 0;
    for (unsigned y = 0; y < 720; ++y)
        for (unsigned x = 0; x < 1280; ++x)
            wrong += picture.getPixel(x, y) != plain.getPixel(x / 2, y / 2);
    EXPECT_EQ(wrong, 0);
    // The view the caller set is left as it was.
    EXPECT_EQ(big.getView().getCenter(), world.game.gameView->getCenter());
}

TEST_P(MapDrawingTest, ANewPaletteRecoloursTheMap)
{
    int other = GetParam() == 0 ? 5 : 0;
    sf::Color oldDark = world.game.darkColor;
    world.draw();
    world.game.settings->set("palette", std::to_string(other));
    world.game.sprites->reloadTextures();
    sf::Image picture = world.draw();
    sf::IntRect all(0, 0, 640, 360);
    EXPECT_EQ(countColour(picture, all, oldDark), 0);
    EXPECT_GT(countColour(picture, all, world.game.darkColor), 1000);
    EXPECT_GT(bestOf(picture, {"watertower"}, 8, 3, true), 0.9);
}

// --- The information layers ------------------------------------------------------------

TEST_P(MapDrawingTest, BuildModeShowsNoMarksAndABadLayerFallsBackToIt)
{
    sf::Image plain = drawLayer(0);
    world.map().setInfoLayer(7);
    EXPECT_EQ(world.map().infoLayer, 0);
    world.map().setInfoLayer(-1);
    EXPECT_EQ(world.map().infoLayer, 0);
    EXPECT_TRUE(samePicture(world.draw(), plain));
    // Every other layer adds its marks.
    for (int layer = 1; layer < 4; ++layer)
    {
        world.map().setInfoLayer(layer);
        EXPECT_FALSE(samePicture(world.draw(), plain)) << "layer " << layer;
    }
}

TEST_P(MapDrawingTest, PopulationLabelsFollowTheirSwitches)
{
    struct Label
    {
        int x, y;
        std::string text;
        int group; // 0 houses, 1 shops, 2 workplaces
    };
    const std::vector<Label> labels = {
        {0, 3, "1/3", 0},  {1, 3, "4/6", 0}, {2, 3, "15/15", 0}, {3, 1, "3/3", 0}, {5, 1, "0/6", 0},
        {3, 7, "2/3", 0},  {5, 7, "9/15", 0}, {8, 5, "2/3", 0},  {3, 3, "12", 1},  {5, 3, "48", 1},
        {6, 3, "7", 1},    {9, 3, "25", 2},   {3, 5, "100", 2},
    };
    auto shown = [&](const sf::Image& picture, const Label& l) {
        sf::Image text = labelImage(world, l.text);
        // The label image is 64 wide; its ink starts at the left.
        sf::Vector2i box = world.boxOnScreen(l.x, l.y);
        int width = world.game.fonts->getFont(3)->measureText(l.text).x;
        return bestMatch(picture, text, sf::IntRect(box.x + 17 - width / 2 - 4, box.y - 14, 9, 29)) > 0.95;
    };
    sf::Image picture = drawLayer(1);
    for (const Label& l : labels)
        EXPECT_TRUE(shown(picture, l)) << l.text << " at " << l.x << ", " << l.y;

    // Each check box hides its group and leaves the others.
    for (int hidden = 0; hidden < 3; ++hidden)
    {
        world.map().showHouseLabels = hidden != 0;
        world.map().showShopLabels = hidden != 1;
        world.map().showWorkplaceLabels = hidden != 2;
        picture = world.draw();
        for (const Label& l : labels)
            EXPECT_EQ(shown(picture, l), l.group != hidden) << l.text << " with group " << hidden << " hidden";
    }
    world.map().showShopLabels = false;
    world.map().showWorkplaceLabels = false;
    world.map().showHouseLabels = true;
    world.draw().saveToFile(pictureFolder + "map_houses_only_palette" + std::to_string(GetParam()) + ".png");
}

TEST_P(MapDrawingTest, AttractionFacesFollowTheRating)
{
    const char* const faces[3] = {"ui/attraction_negative", "ui/attraction_neutral", "ui/attraction_positive"};
    sf::Image picture = drawLayer(2);
    for (const HouseShows& h : townHouses)
    {
        double share[3];
        for (int mood = 0; mood < 3; ++mood)
        {
            sf::Image face = world.spriteImage(faces[mood]);
            share[mood] = bestMatch(picture, face, markCorners(world, h.x, h.y, face));
        }
        EXPECT_DOUBLE_EQ(share[h.mood], 1.0) << h.x << ", " << h.y;
        for (int mood = 0; mood < 3; ++mood)
        {
            if (mood != h.mood)
            {
                EXPECT_LT(share[mood], 1.0) << faces[mood] << " over " << h.x << ", " << h.y;
            }
        }
    }
    // Shops and workplaces carry no face.
    sf::Image positive = world.spriteImage(faces[2]);
    EXPECT_LT(bestMatch(picture, positive, markCorners(world, 9, 3, positive)), 0.9);
}

TEST_P(MapDrawingTest, NeedsAndWarningsShowOverTheirHouses)
{
    sf::Image needsSheet = world.spriteImage("ui/needs_icons");
    std::vector<sf::Image> icons;
    for (int k = 0; k < 3; ++k)
        icons.push_back(cell(needsSheet, sf::IntRect(8 * k, 0, 8, 8)));
    for (const char* name : {"ui/crime_icon", "ui/fire_hazard_icon", "ui/need_hospital_icon"})
        icons.push_back(world.spriteImage(name));
    const char* const iconNames[6] = {"water", "shopping", "jobs", "crime", "fire hazard", "hospital"};

    sf::Image picture = drawLayer(3);
    for (const HouseShows& h : townHouses)
    {
        int bits = h.needs | h.warnings << 3;
        sf::Vector2i box = world.boxOnScreen(h.x, h.y);
        // Up to three icons in a row, two rows: anywhere inside the plate over the house.
        sf::IntRect corners(box.x + 17 - 17, box.y - 14, 26, 29);
        for (int k = 0; k < 6; ++k)
        {
            bool wanted = (bits & (1 << k)) != 0;
            EXPECT_EQ(bestMatch(picture, icons[k], corners) == 1.0, wanted)
                << iconNames[k] << " over " << h.x << ", " << h.y;
        }
    }
    // Without needs or risks a house stays as in build mode.
    sf::Image plain = drawLayer(0);
    sf::Vector2i box = world.boxOnScreen(0, 3);
    sf::IntRect over(box.x + 8, box.y - 10, 18, 27);
    for (int y = over.top; y < over.top + over.height; ++y)
        for (int x = over.left; x < over.left + over.width; ++x)
            ASSERT_EQ(picture.getPixel(x, y), plain.getPixel(x, y)) << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Palettes, MapDrawingTest, ::testing::Values(0, 5));

TEST(MapDrawingWhileDaysPass, FramesAreDrawnWhileTheDayTickRuns)
{
    // The main loop draws while a day is worked out on its own thread: the
    // drawing reads only what the tick leaves safe to read.
    MapWorld world;
    buildTown(world);
    fillRecords(world);
    world.game.day = 0;
    testing::internal::CaptureStdout();
    for (int day = 0; day < 20; ++day)
    {
        ASSERT_NE(world.game.nextDay(), 0);
        for (int frame = 0; world.game.updateThread && frame < 1000; ++frame)
        {
            world.map().setInfoLayer(frame % 4);
            world.draw(0.016f);
            world.game.freeFinishedUpdateThread();
        }
        while (world.game.updateThread)
            world.game.freeFinishedUpdateThread();
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(world.game.day, 20);
}


} // namespace
