#include "resources/SpriteLayout.h"
#include "resources/SpriteManager.h"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace
{

// The game's sprites, in the order the sprite manager loads them.
const std::vector<std::string>& gameSpriteNames()
{
    static const std::vector<std::string> names = SpriteManager::allSpriteNames();
    return names;
}

sf::Image loadSprite(const std::string& name)
{
    sf::Image image;
    image.loadFromFile(std::string(QUILLFENN_RUN_DIR) + "/sprites/" + name + ".png");
    return image;
}

bool isBlack(const sf::Color& c)
{
    return c == sf::Color(0, 0, 0, 255);
}

TEST(SpriteFiles, EveryGameSpriteExistsAndLoads)
{
    const std::vector<std::string>& names = gameSpriteNames();
    ASSERT_EQ(names.size(), 125u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (const std::string& name : names)
    {
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(std::string(QUILLFENN_RUN_DIR) + "/sprites/" + name + ".png")) << name;
        EXPECT_GT(image.getSize().x * image.getSize().y, 0u) << name;
    }
}

TEST(SpriteFiles, AllButTheMaskUseOnlyOpaqueWhiteOpaqueBlackAndClear)
{
    for (const std::string& name : gameSpriteNames())
    {
        if (name == "isomap")
            continue;
        sf::Image image = loadSprite(name);
        int strays = 0, opaque = 0;
        for (unsigned y = 0; y < image.getSize().y; ++y)
            for (unsigned x = 0; x < image.getSize().x; ++x)
            {
                sf::Color c = image.getPixel(x, y);
                if (c.a == 0)
                    continue;
                ++opaque;
                if (c != sf::Color::White && !isBlack(c))
                    ++strays;
            }
        EXPECT_EQ(strays, 0) << name;
        EXPECT_GT(opaque, 0) << name << " is blank";
    }
}

struct Size
{
    const char* name;
    unsigned width;
    unsigned height;
};

TEST(SpriteGeometry, FixedSizesTheDrawingCodeRelyOn)
{
    const Size sizes[] = {
        {"ui/detailed_window_bordered", nineSliceSize, nineSliceSize},
        {"ui/detailed_window_bordered_shadow", nineSliceSize, nineSliceSize},
        {"ui/needs_icons", 3 * needsIconSize, needsIconSize},
        {"isomap", 34, 17},
        {"tile_border", 34, 17}, {"tile_outline", 34, 17}, {"tile_highlighted", 34, 17},
        {"tile_semi_filled", 34, 17}, {"hidden_tile_overlay", 34, 17}, {"trash_on_streets", 34, 17},
        {"ui/side_build_button", 24, 24}, {"ui/side_production_button", 24, 24}, {"ui/menu_button", 24, 24},
        {"ui/date_button", 24, 24}, {"ui/date_button_disabled", 24, 24},
        {"ui/rotate_left_button", 16, 16}, {"ui/rotate_right_button", 16, 16}, {"ui/cancel_action_button", 16, 16},
        {"ui/action_progress_button", 64, 24}, {"ui/action_progress_bar", 100, 6}, {"ui/build_progress_bg", 110, 10},
        {"ui/budget_slot", 80, 16}, {"ui/population_slot", 80, 16}, {"ui/date_slot", 80, 16},
        {"ui/help_button", 12, 12}, {"ui/help_button_small", 9, 8}, {"ui/help_button_tiny", 7, 7},
        {"ui/action_clear", 32, 32}, {"ui/action_landfill", 32, 32}, {"ui/action_price_bg", 32, 9},
        {"ui/action_next", 12, 12}, {"ui/action_previous_disabled", 12, 12},
        {"ui/attraction_positive", 8, 8}, {"ui/rent_decrease", 8, 8}, {"ui/production_prev", 8, 8},
        {"ui/reset_price", 8, 8}, {"ui/crime_icon", 8, 8}, {"ui/fire_hazard_icon", 8, 8},
        {"ui/need_hospital_icon", 8, 8},
        {"ui/expenditure_titles_underline", 320, 1}, {"ui/city_population_titles_underline", 320, 1},
        {"ui/production_titles_underline", 320, 1},
    };
    for (const Size& s : sizes)
    {
        sf::Image image = loadSprite(s.name);
        EXPECT_EQ(image.getSize().x, s.width) << s.name;
        EXPECT_EQ(image.getSize().y, s.height) << s.name;
    }
    sf::Image titlebar = loadSprite("ui/titlebar");
    EXPECT_GE(titlebar.getSize().x, 24u);
    EXPECT_GE(titlebar.getSize().y, 9u);
    const std::set<std::string> notIcons = {"ui/action_price_bg", "ui/action_progress_bar",
                                            "ui/action_progress_button", "ui/action_next",
                                            "ui/action_next_disabled", "ui/action_previous",
                                            "ui/action_previous_disabled"};
    for (const std::string& name : gameSpriteNames())
    {
        if (name.rfind("ui/action_", 0) != 0 || notIcons.count(name) != 0)
            continue;
        EXPECT_EQ(loadSprite(name).getSize(), sf::Vector2u(32, 32)) << name;
    }
}

TEST(SpriteGeometry, TileSpritesStandOnAThirtyFourBySeventeenBox)
{
    const char* tiles[] = {"road1", "road11", "road2_end2", "house_small_1", "house_large_3", "flats_4",
                           "commercial_3", "factory_2", "shop", "market", "convenience_store", "park1", "tree1",
                           "rubble", "watertower", "fire_station", "police_station", "hospital",
                           "pumping_station", "landfill"};
    for (const char* name : tiles)
    {
        sf::Image image = loadSprite(name);
        EXPECT_EQ(image.getSize().x, 34u) << name;
        EXPECT_GE(image.getSize().y, 17u) << name;
        // Nothing of a tile may hang below its box's bottom corner row.
        unsigned bottom = image.getSize().y - 1;
        for (unsigned x = 0; x < 34; ++x)
        {
            if (x >= 16 && x <= 17)
                continue;
            EXPECT_EQ(image.getPixel(x, bottom).a, 0) << name << " pixel " << x << " of its last row";
        }
    }
}

TEST(SpriteGeometry, FireFramesAreTileSpritesSideBySide)
{
    sf::Image fire = loadSprite("fire_animation");
    ASSERT_EQ(fire.getSize().x, static_cast<unsigned>(fireFrameCount * fireFrameWidth));
    ASSERT_GE(fire.getSize().y, 17u);
    std::set<std::vector<sf::Uint8>> frames;
    for (int k = 0; k < fireFrameCount; ++k)
    {
        std::vector<sf::Uint8> alphas;
        int opaque = 0;
        for (unsigned y = 0; y < fire.getSize().y; ++y)
            for (int x = 0; x < fireFrameWidth; ++x)
            {
                sf::Uint8 a = fire.getPixel(static_cast<unsigned>(k * fireFrameWidth + x), y).a;
                alphas.push_back(a);
                opaque += a != 0;
            }
        EXPECT_GT(opaque, 50) << "frame " << k;
        frames.insert(alphas);
    }
    EXPECT_EQ(frames.size(), static_cast<size_t>(fireFrameCount)) << "every frame should differ";
}

TEST(SpriteGeometry, NineSliceMiddleStripsContinueTheCorners)
{
    // Stretching the one-pixel middle strips must not break the frame's lines.
    for (const char* name : {"ui/detailed_window_bordered", "ui/detailed_window_bordered_shadow"})
    {
        sf::Image sheet = loadSprite(name);
        const unsigned mid = nineSliceEdge;
        for (unsigned k = 0; k < static_cast<unsigned>(nineSliceEdge); ++k)
        {
            EXPECT_EQ(sheet.getPixel(mid, k), sheet.getPixel(mid - 1, k)) << name << " top strip row " << k;
            EXPECT_EQ(sheet.getPixel(mid, k), sheet.getPixel(mid + 1, k)) << name << " top strip row " << k;
            EXPECT_EQ(sheet.getPixel(k, mid), sheet.getPixel(k, mid - 1)) << name << " left strip col " << k;
            unsigned far = nineSliceSize - 1 - k;
            EXPECT_EQ(sheet.getPixel(mid, far), sheet.getPixel(mid - 1, far)) << name << " bottom strip";
            EXPECT_EQ(sheet.getPixel(far, mid), sheet.getPixel(far, mid - 1)) << name << " right strip";
        }
    }
    EXPECT_EQ(loadSprite("ui/detailed_window_bordered").getPixel(9, 9), sf::Color::White) << "the fill";
}

TEST(SpriteGeometry, TitleBarCapsJoinASolidBar)
{
    sf::Image bar = loadSprite("ui/titlebar");
    for (unsigned y = 0; y < 9; ++y)
    {
        EXPECT_TRUE(isBlack(bar.getPixel(3, y))) << "left cap, row " << y;
        EXPECT_TRUE(isBlack(bar.getPixel(20, y))) << "right cap, row " << y;
    }
}

TEST(SpriteGeometry, CursorTipIsAtOneOne)
{
    sf::Image cursor = loadSprite("cursor");
    EXPECT_NE(cursor.getPixel(1, 1).a, 0);
    for (unsigned x = 0; x < cursor.getSize().x; ++x)
        EXPECT_EQ(cursor.getPixel(x, 0).a, 0) << "row 0, column " << x;
    for (unsigned y = 0; y < cursor.getSize().y; ++y)
        EXPECT_EQ(cursor.getPixel(0, y).a, 0) << "column 0, row " << y;
    for (unsigned x = 2; x < cursor.getSize().x; ++x)
        EXPECT_EQ(cursor.getPixel(x, 1).a, 0) << "the tip is the only pixel of row 1";
}

TEST(SpriteGeometry, EachNeedsIconIsDrawn)
{
    sf::Image sheet = loadSprite("ui/needs_icons");
    for (int k = 0; k < 3; ++k)
    {
        int opaque = 0;
        for (int y = 0; y < needsIconSize; ++y)
            for (int x = 0; x < needsIconSize; ++x)
                opaque += sheet.getPixel(static_cast<unsigned>(k * needsIconSize + x), static_cast<unsigned>(y)).a != 0;
        EXPECT_GT(opaque, 10) << "icon " << k;
    }
}


// Dark pixels among the opaque ones, 0 to 1.
double inkShare(const sf::Image& image)
{
    int opaque = 0, dark = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
        {
            sf::Color c = image.getPixel(x, y);
            opaque += c.a != 0;
            dark += isBlack(c);
        }
    return opaque ? static_cast<double>(dark) / opaque : 0.0;
}

TEST(SpriteGeometry, UnhappyFacesAreDarkAndTheOthersLight)
{
    // Over a crowd of houses the ratings layer must tell bad from good without reading mouths.
    EXPECT_GT(inkShare(loadSprite("ui/attraction_negative")), 0.6);
    EXPECT_LT(inkShare(loadSprite("ui/attraction_neutral")), 0.6);
    EXPECT_LT(inkShare(loadSprite("ui/attraction_positive")), 0.6);
}

TEST(SpriteGeometry, HospitalIconIsACross)
{
    sf::Image cross = loadSprite("ui/need_hospital_icon");
    ASSERT_EQ(cross.getSize(), sf::Vector2u(8, 8));
    for (unsigned x : {0u, 1u, 6u, 7u})
        for (unsigned y : {0u, 1u, 6u, 7u})
            EXPECT_EQ(cross.getPixel(x, y).a, 0) << "corner pixel " << x << ", " << y;
    for (unsigned y = 0; y < 8; ++y)
        for (unsigned x = 0; x < 8; ++x)
        {
            EXPECT_EQ(cross.getPixel(x, y), cross.getPixel(7 - x, y)) << x << ", " << y;
            EXPECT_EQ(cross.getPixel(x, y), cross.getPixel(y, x)) << x << ", " << y;
        }
}
// --- Roads -----------------------------------------------------------------

TEST(RoadSprites, EveryNeighbourSetNamesAPieceWhoseRoadLeavesByThoseSides)
{
    // Midpoints of the box's four edges: north (y - 1) upper-left, south (y + 1)
    // lower-right, west (x - 1) lower-left, east (x + 1) upper-right.
    struct Side
    {
        unsigned x, y;
    };
    const Side north{8, 4}, south{24, 12}, west{8, 12}, east{24, 4};
    std::set<std::string> used;
    for (int set = 0; set < 16; ++set)
    {
        bool n = set & 1, s = set & 2, w = set & 4, e = set & 8;
        std::string name = roadSpriteName(n, s, w, e);
        used.insert(name);
        sf::Image piece = loadSprite(name);
        ASSERT_EQ(piece.getSize(), sf::Vector2u(34, 17)) << name;
        bool drawn[4] = {isBlack(piece.getPixel(north.x, north.y)), isBlack(piece.getPixel(south.x, south.y)),
                         isBlack(piece.getPixel(west.x, west.y)), isBlack(piece.getPixel(east.x, east.y))};
        bool wanted[4] = {n, s, w, e};
        for (int k = 0; k < 4; ++k)
        {
            // A lone road may show more than it needs (it is drawn as a straight piece).
            if (set == 0 && drawn[k])
                continue;
            EXPECT_EQ(drawn[k], wanted[k]) << name << " for neighbour set " << set << ", side " << k;
        }
    }
    EXPECT_EQ(used.size(), 15u) << "all fifteen pieces are in use";
}

// --- The picking mask ---------------------------------------------------------

struct Tile
{
    int x, y;
    bool operator==(const Tile& o) const { return x == o.x && y == o.y; }
};

std::ostream& operator<<(std::ostream& out, const Tile& t)
{
    return out << "(" << t.x << ", " << t.y << ")";
}

// The tile whose diamond really covers screen pixel (px, py): tile (x, y) has its box
// at (16(x + y), 8(y - x)) and owns the 32 x 16 rhombus centred 17 across and 8 down
// in that box (the centre line of the drawn diamond's edges), tested at pixel centres.
Tile trueOwner(int px, int py)
{
    double cx = px + 0.5, cy = py + 0.5;
    Tile best{0, 0};
    double bestNorm = 1e9;
    for (int x = -4; x < 16; ++x)
        for (int y = -4; y < 16; ++y)
        {
            double dx = cx - (16.0 * (x + y) + 17);
            double dy = cy - (8.0 * (y - x) + 8);
            double norm = std::abs(dx) / 16 + std::abs(dy) / 8;
            if (norm < bestNorm)
            {
                bestNorm = norm;
                best = Tile{x, y};
            }
        }
    return best;
}

// The mask's answer for a box pixel of tile t.
Tile maskAnswer(const sf::Image& mask, Tile t, int lx, int ly)
{
    sf::Color c = mask.getPixel(static_cast<unsigned>(lx), static_cast<unsigned>(ly));
    if (c == sf::Color(255, 255, 0))
        return Tile{t.x, t.y - 1};
    if (c == sf::Color(0, 255, 255))
        return Tile{t.x, t.y + 1};
    if (c == sf::Color(255, 0, 255))
        return Tile{t.x - 1, t.y};
    if (c == sf::Color(0, 255, 0))
        return Tile{t.x + 1, t.y};
    return t;
}

TEST(IsoMap, CornersAndEdgesOfTheBoxNameTheTileThatCoversThem)
{
    sf::Image mask = loadSprite("isomap");
    ASSERT_EQ(mask.getSize(), sf::Vector2u(34, 17));
    struct Case
    {
        int lx, ly;
        int dx, dy;
        const char* where;
    };
    const Case cases[] = {
        {0, 0, 0, -1, "upper-left corner"},   {33, 0, 1, 0, "upper-right corner"},
        {0, 16, -1, 0, "lower-left corner"},  {33, 16, 0, 1, "lower-right corner"},
        {16, 8, 0, 0, "centre"},              {16, 0, 0, 0, "top vertex"},
        {17, 15, 0, 0, "bottom of the diamond"}, {2, 8, 0, 0, "left end of the middle row"},
        {31, 7, 0, 0, "right end of the middle rows"}, {0, 8, -1, 0, "left tip"},
        {1, 8, -1, 0, "left tip"},            {32, 8, 0, 1, "right tip"},
        {33, 8, 0, 1, "right tip"},           {14, 1, 0, 0, "just inside the upper-left edge"},
        {13, 1, 0, -1, "just outside the upper-left edge"}, {19, 1, 0, 0, "just inside the upper-right edge"},
        {20, 1, 1, 0, "just outside the upper-right edge"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(maskAnswer(mask, Tile{0, 0}, c.lx, c.ly), (Tile{c.dx, c.dy})) << c.where;
}

TEST(IsoMap, EveryBoxPixelAgreesWithTheGeometryWhereTheMaskCanSayIt)
{
    sf::Image mask = loadSprite("isomap");
    ASSERT_EQ(mask.getSize(), sf::Vector2u(34, 17));
    const Tile self{5, 5};
    int unnameable = 0;
    for (int ly = 0; ly < 17; ++ly)
        for (int lx = 0; lx < 34; ++lx)
        {
            Tile owner = trueOwner(16 * (self.x + self.y) + lx, 8 * (self.y - self.x) + ly);
            int dx = owner.x - self.x, dy = owner.y - self.y;
            if (std::abs(dx) + std::abs(dy) > 1)
            {
                // Only the diagonal neighbour below can own box pixels; a later box covers them.
                EXPECT_EQ(dx, -1);
                EXPECT_EQ(dy, 1);
                EXPECT_EQ(ly, 16);
                ++unnameable;
                continue;
            }
            EXPECT_EQ(maskAnswer(mask, self, lx, ly), owner) << "box pixel " << lx << ", " << ly;
        }
    EXPECT_EQ(unnameable, 2) << "the two pixels under the bottom vertex";
}

TEST(IsoMap, PickingOverAWholeMapFindsTheCoveringTileEverywhere)
{
    // Picking as the game does it: every tile whose box holds the point reads the
    // mask, and the last one in storage order (y outer, x inner) wins.
    sf::Image mask = loadSprite("isomap");
    const int size = 6;
    int checked = 0;
    for (int py = -40; py < 60; ++py)
        for (int px = 0; px < 200; ++px)
        {
            Tile owner = trueOwner(px, py);
            if (owner.x < 1 || owner.y < 1 || owner.x > size - 2 || owner.y > size - 2)
                continue; // only points well inside the map, where every box exists
            bool found = false;
            Tile picked{0, 0};
            for (int ty = 0; ty < size; ++ty)
                for (int tx = 0; tx < size; ++tx)
                {
                    int lx = px - 16 * (tx + ty);
                    int ly = py - 8 * (ty - tx);
                    if (lx < 0 || lx > 33 || ly < 0 || ly > 16)
                        continue;
                    picked = maskAnswer(mask, Tile{tx, ty}, lx, ly);
                    found = true;
                }
            ASSERT_TRUE(found) << px << ", " << py;
            EXPECT_EQ(picked, owner) << "screen point " << px << ", " << py;
            ++checked;
        }
    EXPECT_GT(checked, 16 * 256 / 2);
}

} // namespace
