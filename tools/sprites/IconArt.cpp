#include "IconArt.h"

#include "BuildingArt.h"
#include "TileArt.h"
#include "UiArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const int iconSize = 32;

bool sameRows(const Canvas& c, int a, int b, int count)
{
    for (int k = 0; k < count; ++k)
        for (int x = 0; x < c.width; ++x)
            if (c.get(x, a + k) != c.get(x, b + k))
                return false;
    return true;
}

Canvas withoutRows(const Canvas& c, int from, int count)
{
    Canvas out(c.width, c.height - count);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < c.width; ++x)
            out.set(x, y, c.get(x, y < from ? y : y + count));
    return out;
}

// Shortens tall art by dropping bands of rows that repeat the band below them
// (whole storeys, runs of plain wall), so towers keep their top and their base.
Canvas squash(Canvas c, int maxHeight)
{
    bool changed = true;
    while (c.height > maxHeight && changed)
    {
        changed = false;
        for (int period = 1; period <= 8 && !changed; ++period)
            for (int r = 0; r + 2 * period <= c.height && !changed; ++r)
                if (sameRows(c, r, r + period, period))
                {
                    bool blank = true;
                    for (int x = 0; x < c.width && blank; ++x)
                        blank = c.get(x, r) == Clear;
                    if (blank)
                        continue;
                    c = withoutRows(c, r, period);
                    changed = true;
                }
    }
    return c;
}

// The art's opaque rows and columns.
void bounds(const Canvas& c, int& x0, int& y0, int& x1, int& y1)
{
    x0 = c.width;
    y0 = c.height;
    x1 = -1;
    y1 = -1;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (c.get(x, y) != Clear)
            {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
}

// Fits tile art into a 32 x 32 icon, centred across and resting near the bottom.
Canvas fit(const Canvas& art)
{
    int x0, y0, x1, y1;
    bounds(art, x0, y0, x1, y1);
    Canvas trimmed(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            trimmed.set(x - x0, y - y0, art.get(x, y));
    trimmed = squash(trimmed, iconSize - 1);
    Canvas icon(iconSize, iconSize);
    int ox = (iconSize - trimmed.width) / 2;
    int oy = std::max(0, iconSize - 1 - trimmed.height);
    // Still too tall: keep the top, which tells the building apart, and lose the base.
    if (trimmed.height > iconSize - 1)
        oy = 0;
    icon.blit(trimmed, ox, oy);
    return icon;
}

// A bold badge in the icon's top-right corner: an up arrow or a plus.
void badge(Canvas& icon, bool plus)
{
    Canvas mark = plus ? Canvas::fromRows({"..#..", "..#..", "#####", "..#..", "..#.."})
                       : Canvas::fromRows({"..#..", ".###.", "#####", ".###.", ".###."});
    Canvas disc(11, 11);
    disc.fillCircle(5.5, 5.5, 5.5, Black);
    disc.fillCircle(5.5, 5.5, 4.5, White);
    disc.blit(mark, 3, 3);
    icon.blit(disc, iconSize - 11, 0);
}

Canvas demolishIcon()
{
    Canvas icon = fit(BuildingArt::rubble());
    // A wrecking ball swinging in on its chain.
    for (int k = 0; k < 9; ++k)
        if (k % 2 == 0)
            icon.set(27 - k / 2, 1 + k, Black);
        else
            icon.set(27 - k / 2, 1 + k, Black);
    Canvas ball(10, 10);
    ball.fillCircle(5, 5, 4.5, Black);
    ball.fillCircle(4, 4, 2.5, White);
    ball.fillCircle(4.5, 4.5, 1.5, Black);
    ball.set(3, 3, White);
    icon.blit(ball.grown(White), 17, 8);
    icon.fillRect(26, 0, 4, 2, Black);
    return icon;
}

Canvas roadIcon()
{
    Canvas art(34, 34);
    art.blit(TileArt::road(true, true, true, true), 0, 8);
    Canvas icon = fit(art);
    // A traffic cone by the crossing.
    icon.blit(Canvas::fromRows({"..#..", ".#o#.", ".###.", "#ooo#", "#####"}), 24, 12);
    return icon;
}
} // namespace

Canvas IconArt::action(const std::string& name)
{
    if (name == "clear")
        return demolishIcon();
    if (name == "road")
        return roadIcon();
    Canvas icon;
    if (name == "housing")
        icon = fit(BuildingArt::smallHouse(1));
    else if (name == "housing_large" || name == "housing_large_upgrade")
        icon = fit(BuildingArt::largeHouse(1));
    else if (name == "flats" || name == "flats_upgrade")
        icon = fit(BuildingArt::flats(1));
    else if (name == "shop")
        icon = fit(BuildingArt::shop());
    else if (name == "shop_upgrade")
        icon = fit(BuildingArt::shop());
    else if (name == "market")
        icon = fit(BuildingArt::market());
    else if (name == "convenience_store")
        icon = fit(BuildingArt::convenienceStore());
    else if (name == "park")
        icon = fit(BuildingArt::park());
    else if (name == "watertower")
        icon = fit(BuildingArt::waterTower());
    else if (name == "factory")
        icon = fit(BuildingArt::factory(1));
    else if (name == "fire_station")
        icon = fit(BuildingArt::fireStation());
    else if (name == "police_station")
        icon = fit(BuildingArt::policeStation());
    else if (name == "hospital")
        icon = fit(BuildingArt::hospital());
    else if (name == "commercial")
        icon = fit(BuildingArt::commercial(1));
    else if (name == "plant_tree")
        icon = fit(BuildingArt::tree());
    else if (name == "pumping_station")
        icon = fit(BuildingArt::pumpingStation());
    else if (name == "landfill")
        icon = fit(BuildingArt::landfill());
    else
        icon = Canvas(iconSize, iconSize);
    if (name.find("_upgrade") != std::string::npos)
        badge(icon, false);
    if (name == "plant_tree")
        badge(icon, true);
    return icon;
}

Canvas IconArt::sideButton(int k)
{
    Canvas c = UiArt::buttonFace(24);
    Canvas icon;
    switch (k)
    {
    case 0: // build: a hammer and a brick
        icon = Canvas::fromRows({
            "......####......",
            ".....#oooo##....",
            "....#ooooooo#...",
            "....#o####oo#...",
            ".....#..#oo#....",
            "........#oo#....",
            "........#oo#....",
            "........#oo#....",
            "........#oo#....",
            ".#######.#o#....",
            "#ooooooo##o#....",
            "#o#oooo#o#o#....",
            "#ooooooo#.##....",
            "#########.......",
        });
        break;
    case 1: // ratings: a star
        icon = Canvas::fromRows({
            ".......##.......",
            "......#oo#......",
            "......#oo#......",
            ".....#oooo#.....",
            "######oooo######",
            "#oooooooooooooo#",
            ".#oooooooooooo#.",
            "..#oooooooooo#..",
            "...#oooooooo#...",
            "...#oooooooo#...",
            "..#ooooooooo#...",
            "..#oooo##oooo#..",
            ".#ooo##..##ooo#.",
            ".####......####.",
        });
        break;
    case 2: // population: three people
        icon = Canvas::fromRows({
            "......###.......",
            ".....#ooo#......",
            "..##.#ooo#.##...",
            ".#oo#.###.#oo#..",
            ".#oo##ooo##oo#..",
            "..###ooooo###...",
            ".#oo#ooooo#oo#..",
            "#ooo#ooooo#ooo#.",
            "#ooo#ooooo#ooo#.",
            "#ooo#ooooo#ooo#.",
            "#####ooooo#####.",
            "....#ooooo#.....",
            "....#######.....",
        });
        break;
    case 3: // needs: a water drop and a shopping bag
        icon = Canvas::fromRows({
            "...#............",
            "..#o#...........",
            "..#o#.....###...",
            ".#ooo#...#...#..",
            ".#ooo#..#######.",
            "#ooooo#.#ooooo#.",
            "#o#ooo#.#ooooo#.",
            "#o#ooo#.#oo#oo#.",
            ".#ooo#..#ooooo#.",
            "..###...#ooooo#.",
            "........#######.",
        });
        break;
    case 4: // finances: coins and a note
        icon = Canvas::fromRows({
            "..############..",
            "..#oooooooooo#..",
            "..#oo#oooo#oo#..",
            "..#ooo####ooo#..",
            "..#oo#oooo#oo#..",
            "..############..",
            "................",
            "...######.......",
            "..#oooooo#......",
            "..########.####.",
            "..#oooooo##oooo#",
            "..########o##oo#",
            "..#oooooo##oooo#",
            "..########.####.",
        });
        break;
    case 5: // city: a skyline
        icon = Canvas::fromRows({
            ".........#......",
            "........###.....",
            "........#o#.....",
            "..###...#o#.....",
            "..#o#...#o#####.",
            "..#o#...#o#ooo#.",
            "###o#####o#o#o#.",
            "#o#o#oo#o##ooo#.",
            "#o#o#o#oo#o#o##.",
            "#ooo#oo#o#oooo#.",
            "#o#o#o#oo#o#o##.",
            "################",
        });
        break;
    default: // production: a factory and a crate
        icon = Canvas::fromRows({
            ".##.............",
            "#oo#............",
            "#oo#............",
            "#oo#..#...#.....",
            "#oo#.#o#.#o#....",
            "#oo##ooo#ooo#...",
            "#ooooooooooo#...",
            "#o##o##o##oo#...",
            "#o##o##o##oo####",
            "#oooooooooo#o#o#",
            "#oooooooooo##o##",
            "############o#o#",
            "...........#####",
        });
        break;
    }
    c.blit(icon, (24 - icon.width) / 2, (22 - icon.height) / 2 + 1);
    return c;
}

Canvas IconArt::attraction(int mood)
{
    Canvas c = Canvas::fromRows({
        "..####..",
        ".#oooo#.",
        "#oo##oo#",
        "#oooooo#",
        "#oooooo#",
        "#oooooo#",
        ".#oooo#.",
        "..####..",
    });
    c.set(3, 2, White);
    c.set(4, 2, White);
    c.set(2, 2, Black);
    c.set(5, 2, Black);
    if (mood > 0)
    {
        c.set(2, 4, Black);
        c.set(5, 4, Black);
        c.fillRect(3, 5, 2, 1, Black);
    }
    else if (mood == 0)
        c.fillRect(2, 5, 4, 1, Black);
    else
    {
        // A dark face with light features: over a crowd of houses the unhappy
        // ones stand out at a glance.
        for (int y = 1; y < 7; ++y)
            for (int x = 1; x < 7; ++x)
                if (c.get(x, y) == White)
                    c.set(x, y, Black);
        c.set(2, 2, White);
        c.set(5, 2, White);
        c.fillRect(3, 4, 2, 1, White);
        c.set(2, 5, White);
        c.set(5, 5, White);
    }
    return c;
}

Canvas IconArt::rentChange(bool increase)
{
    Canvas up = Canvas::fromRows({
        "...##...",
        "..####..",
        ".######.",
        "########",
        "..####..",
        "..####..",
        "..####..",
        "..####..",
    });
    if (increase)
        return up;
    Canvas down(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            down.set(x, y, up.get(x, 7 - y));
    return down;
}

Canvas IconArt::smallArrow(bool next)
{
    Canvas arrow = Canvas::fromRows({
        "..#.....",
        "..##....",
        "..###...",
        "..####..",
        "..####..",
        "..###...",
        "..##....",
        "..#.....",
    });
    return next ? arrow : arrow.mirrored();
}

Canvas IconArt::resetPrice()
{
    return Canvas::fromRows({
        "..####..",
        ".#....#.",
        "#......#",
        "#......#",
        "#....###",
        ".#....##",
        "..###..#",
        "........",
    });
}

Canvas IconArt::needsIcons()
{
    Canvas sheet(24, 8);
    // Water: a drop.
    sheet.blit(Canvas::fromRows({
                   "...#....",
                   "..#o#...",
                   ".#ooo#..",
                   "#ooooo#.",
                   "#o#ooo#.",
                   "#oo#oo#.",
                   ".#ooo#..",
                   "..###...",
               }),
               0, 0);
    // Shopping: a basket.
    sheet.blit(Canvas::fromRows({
                   "..####..",
                   ".#....#.",
                   "########",
                   "#o#o#o##",
                   "#o#o#o##",
                   ".#o#o##.",
                   ".######.",
                   "........",
               }),
               8, 0);
    // Jobs: a briefcase.
    sheet.blit(Canvas::fromRows({
                   "..####..",
                   "..#..#..",
                   "########",
                   "#oooooo#",
                   "###oo###",
                   "#oooooo#",
                   "#oooooo#",
                   "########",
               }),
               16, 0);
    return sheet;
}

Canvas IconArt::crime()
{
    // A robber's mask.
    return Canvas::fromRows({
        "........",
        "........",
        "########",
        "#o####o#",
        "##o##o##",
        ".######.",
        "........",
        "........",
    });
}

Canvas IconArt::fireHazard()
{
    return Canvas::fromRows({
        "...#....",
        "..#o#...",
        "..#oo#..",
        ".#oo#o#.",
        "#oo#oo#.",
        "#o###o#.",
        "#o#o#o#.",
        ".#####..",
    });
}

Canvas IconArt::needHospital()
{
    // The medical cross; a filled square read as a window over the houses.
    return Canvas::fromRows({
        "..####..",
        "..#oo#..",
        "###oo###",
        "#oooooo#",
        "#oooooo#",
        "###oo###",
        "..#oo#..",
        "..####..",
    });
}
