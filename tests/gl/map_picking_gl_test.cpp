// The tile under the mouse is the tile drawn there. Every tile is drawn as
// the rhombus it owns on screen, one marked tile in red and the others in
// blue, and picking must name the marked tile exactly where the picture is
// red: at its corners, after every quarter turn and with the view between
// pixels as a screen shake leaves it.

#include "MapWorld.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace
{

using fixtures::MapWorld;
using fixtures::TempDir;

const sf::Color red(255, 0, 0);
const sf::Color blue(0, 0, 255);

// A tile sprite filling the 32 x 16 rhombus a tile owns (centred 17 across
// and 8 down in its box, tested at pixel centres): these rhombi tile the plane.
sf::Image ownedRhombus(const sf::Color& colour)
{
    sf::Image image;
    image.create(34, 17, sf::Color::Transparent);
    for (unsigned y = 0; y < 17; ++y)
        for (unsigned x = 0; x < 34; ++x)
            if (std::abs(x + 0.5 - 17) / 16 + std::abs(y + 0.5 - 8) / 8 < 1)
                image.setPixel(x, y, colour);
    return image;
}

// Sprites for the picking world: empty ground red, every road piece blue,
// and the game's own picking mask.
void writePickingSprites(const TempDir& dir)
{
    dir.writeImage("sprites/tile_border.png", ownedRhombus(red));
    for (const char* name : {"road1", "road2", "road3", "road4", "road5", "road6", "road7", "road8", "road9",
                             "road10", "road11", "road1_end1", "road1_end2", "road2_end1", "road2_end2"})
        dir.writeImage(std::string("sprites/") + name + ".png", ownedRhombus(blue));
    sf::Image mask;
    ASSERT_TRUE(mask.loadFromFile(std::string(QUILLFENN_RUN_DIR) + "/sprites/isomap.png"));
    dir.writeImage("sprites/isomap.png", mask);
}

class PickingWorld
{
public:
    PickingWorld() : world(0, prepare(dir)) {}

    static std::string prepare(const TempDir& dir)
    {
        writePickingSprites(dir);
        return dir.path;
    }

    TempDir dir;
    MapWorld world;
};

struct Case
{
    int markX, markY;  // the red tile before turning
    int turns;         // quarter turns to the right
    float shiftX, shiftY; // view centre off the whole pixel
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << "mark " << c.markX << ", " << c.markY << ", " << c.turns << " turns, view off by " << c.shiftX << ", "
         << c.shiftY;
}

class MapPickingTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(MapPickingTest, PickingNamesTheTileDrawnUnderThePoint)
{
    const Case& c = GetParam();
    PickingWorld picking;
    MapWorld& world = picking.world;
    world.blankMap(8, 8, true);
    for (Tile& t : world.map().tiles)
        t.setType(TileRoad, 0);
    world.tile(c.markX, c.markY).setType(TileEmpty, 0);
    world.centerOnMap();

    testing::internal::CaptureStdout();
    for (int i = 0; i < c.turns; ++i)
        world.map().rotateRight();
    testing::internal::GetCapturedStdout();
    // Where the marked contents stand now.
    sf::Vector2i mark(-1, -1);
    for (const Tile& t : world.map().tiles)
        if (t.type == TileEmpty)
            mark = sf::Vector2i(t.x, t.y);
    ASSERT_NE(mark.x, -1);
    if (c.turns % 4 == 0)
        EXPECT_EQ(mark, sf::Vector2i(c.markX, c.markY));
    else
        EXPECT_NE(mark, sf::Vector2i(c.markX, c.markY)) << "a turn moves the contents";

    sf::Vector2f center = world.game.gameView->getCenter();
    world.centerOn(center.x + c.shiftX, center.y + c.shiftY);
    sf::Image picture = world.draw();

    // Every point around the marked tile's box, and its corners beyond.
    sf::Vector2i box = world.boxOnScreen(mark.x, mark.y);
    int markPixels = 0, wrong = 0;
    testing::internal::CaptureStdout();
    for (int y = box.y - 4; y < box.y + 21; ++y)
        for (int x = box.x - 4; x < box.x + 38; ++x)
        {
            sf::Color seen = picture.getPixel(x, y);
            if (seen != red && seen != blue)
                continue; // beyond the map's edge
            bool found = false;
            sf::Vector2i picked = world.game.pickTile(x, y, true, &found);
            bool drawnHere = seen == red;
            markPixels += drawnHere;
            if (!found || (picked == mark) != drawnHere)
            {
                if (++wrong <= 5)
                    ADD_FAILURE() << "point " << x << ", " << y << " shows " << (drawnHere ? "the mark" : "another tile")
                                  << " but picks " << picked.x << ", " << picked.y << " (mark " << mark.x << ", "
                                  << mark.y << ")";
            }
        }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(wrong, 0);
    // The whole rhombus of 32 x 16 is on screen: 256 pixels.
    EXPECT_EQ(markPixels, 256);
}

INSTANTIATE_TEST_SUITE_P(
    TurnsAndCorners, MapPickingTest,
    ::testing::Values(Case{3, 5, 0, 0.0f, 0.0f}, Case{3, 5, 1, 0.0f, 0.0f}, Case{3, 5, 2, 0.0f, 0.0f},
                      Case{3, 5, 3, 0.0f, 0.0f}, Case{3, 5, 4, 0.0f, 0.0f}, Case{0, 0, 1, 0.5f, 0.5f},
                      Case{7, 0, 2, -0.25f, 0.75f}, Case{0, 7, 3, 0.5f, -0.5f}, Case{7, 7, 0, -0.5f, 0.25f},
                      Case{7, 3, 1, 0.75f, 0.0f}, Case{2, 6, 2, 0.0f, -0.75f}));

TEST(MapPicking, APointBesideTheMapFindsNoTile)
{
    PickingWorld picking;
    MapWorld& world = picking.world;
    world.blankMap(4, 4, true);
    world.centerOnMap();
    bool found = true;
    testing::internal::CaptureStdout();
    sf::Vector2i picked = world.game.pickTile(2, 2, true, &found);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(found);
    EXPECT_EQ(picked, sf::Vector2i(0, 0));
    EXPECT_EQ(log, "clickedTile: 0, 0\n");
}

} // namespace
