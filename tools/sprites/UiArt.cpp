#include "UiArt.h"

#include "BuildingArt.h"
#include "IconArt.h"
#include "PixelFont.h"
#include "Rng.h"
#include "TileArt.h"

#include <cmath>
#include <string>

namespace
{
// Draws a 9 x 9 corner into the frame sheet, mirrored as needed.
void frameCorner(Canvas& sheet, const Canvas& corner, bool flipX, bool flipY)
{
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
        {
            int tx = flipX ? 18 - x : x;
            int ty = flipY ? 18 - y : y;
            sheet.set(tx, ty, corner.get(x, y));
        }
}

// A claw hammer standing on its handle.
Canvas hammer()
{
    return Canvas::fromRows({
        "..######..........",
        ".#oooooo####......",
        "#oooooooooooo#....",
        "#oooooooooooo##...",
        ".#oooooooooo#.##..",
        "..####oo####...#..",
        ".....#oo#.........",
        ".....#oo#.........",
        ".....#oo#.........",
        ".....#oo#.........",
        ".....#oo#.........",
        ".....#oo#.........",
        ".....#oo#.........",
        ".....####.........",
    });
}
} // namespace

Canvas UiArt::plate(int w, int h)
{
    Canvas c(w, h);
    c.fillRect(1, 1, w - 2, h - 2, White);
    c.fillRect(1, 0, w - 2, 1, Black);
    c.fillRect(1, h - 1, w - 2, 1, Black);
    c.fillRect(0, 1, 1, h - 2, Black);
    c.fillRect(w - 1, 1, 1, h - 2, Black);
    return c;
}

Canvas UiArt::buttonFace(int size)
{
    Canvas c = plate(size, size);
    c.fillRect(2, size - 2, size - 4, 1, Black);
    return c;
}

Canvas UiArt::cursor()
{
    return Canvas::fromRows({
        "..........",
        ".#........",
        ".##.......",
        ".#o#......",
        ".#oo#.....",
        ".#ooo#....",
        ".#oooo#...",
        ".#ooooo#..",
        ".#oooooo#.",
        ".#ooo####.",
        ".#o#oo#...",
        ".##.#oo#..",
        ".#...#oo#.",
        "......##..",
    });
}

Canvas UiArt::helpButton(int width, int height)
{
    Canvas c = width >= 12 ? buttonFace(width) : plate(width, height);
    if (width >= 12)
    {
        Canvas q = Canvas::fromRows({".###.", "#...#", "...#.", "..#..", ".....", "..#.."});
        c.blit(q, (width - 5) / 2, 2);
        // Thicken the question mark.
        Canvas bold = Canvas::fromRows({".##.", "...#", "..#.", "....", "..#."});
        c.blit(bold, (width - 5) / 2 + 1, 2);
    }
    else if (width >= 9)
        c.blit(Canvas::fromRows({"###", "..#", ".#.", "...", ".#."}), (width - 3) / 2, (height - 5) / 2);
    else
        c.blit(Canvas::fromRows({"##.", ".#.", "...", ".#."}), 2, 1);
    return c;
}

Canvas UiArt::corner()
{
    return Canvas::fromRows({
        "########",
        "#oooo###",
        "#o####..",
        "#o#oo#..",
        "#o#o#...",
        "#o##....",
        "##......",
        "##......",
    });
}

Canvas UiArt::windowFrame()
{
    Canvas sheet(19, 19);
    sheet.fillRect(0, 0, 19, 19, White);
    Canvas corner = Canvas::fromRows({
        ".########",
        "#oooooooo",
        "#o#######",
        "#o#oooooo",
        "#o#o#oooo",
        "#o#oo#ooo",
        "#o#oooooo",
        "#o#oooooo",
        "#o#oooooo",
    });
    frameCorner(sheet, corner, false, false);
    frameCorner(sheet, corner, true, false);
    frameCorner(sheet, corner, false, true);
    frameCorner(sheet, corner, true, true);
    // The middle strips repeat the corner's straight part.
    for (int k = 0; k < 9; ++k)
    {
        sheet.set(9, k, corner.get(8, k));
        sheet.set(9, 18 - k, corner.get(8, k));
        sheet.set(k, 9, corner.get(k, 8));
        sheet.set(18 - k, 9, corner.get(k, 8));
    }
    return sheet;
}

Canvas UiArt::windowShadow()
{
    Canvas sheet(19, 19);
    sheet.fillRect(0, 0, 19, 19, Black);
    // Cut corners softened with a dither; the straight strips stay solid so stretching keeps them even.
    const int soft[][2] = {{0, 0}, {1, 0}, {0, 1}};
    for (const auto& p : soft)
    {
        sheet.set(p[0], p[1], Clear);
        sheet.set(18 - p[0], p[1], Clear);
        sheet.set(p[0], 18 - p[1], Clear);
        sheet.set(18 - p[0], 18 - p[1], Clear);
    }
    for (int k = 2; k < 5; ++k)
    {
        if (k % 2 == 0)
        {
            sheet.set(k, 0, Clear);
            sheet.set(0, k, Clear);
            sheet.set(18 - k, 18, Clear);
            sheet.set(18, 18 - k, Clear);
            sheet.set(18 - k, 0, Clear);
            sheet.set(18, k, Clear);
            sheet.set(k, 18, Clear);
            sheet.set(0, 18 - k, Clear);
        }
    }
    sheet.set(1, 1, Clear);
    sheet.set(17, 17, Clear);
    sheet.set(17, 1, Clear);
    sheet.set(1, 17, Clear);
    return sheet;
}

Canvas UiArt::titleBar()
{
    Canvas bar(24, 9);
    bar.fillRect(4, 0, 16, 9, Black);
    // The caps' inner columns are solid so they join the bar the code fills between them.
    Canvas cap = Canvas::fromRows({
        "..##",
        ".###",
        "####",
        "#o##",
        "oo##",
        "#o##",
        "####",
        ".###",
        "..##",
    });
    bar.blit(cap, 0, 0);
    bar.blit(cap, 20, 0, true);
    return bar;
}

Canvas UiArt::priceBackground()
{
    Canvas c = plate(32, 9);
    c.set(2, 4, Black);
    c.set(29, 4, Black);
    return c;
}

Canvas UiArt::progressBar()
{
    Canvas c = plate(100, 6);
    c.set(1, 1, Black);
    c.set(98, 1, Black);
    c.set(1, 4, Black);
    c.set(98, 4, Black);
    // The channel the bar fills: rows 2-3 from x 5 to 94, with a dotted guide.
    for (int x = 5; x < 95; x += 2)
        c.set(x, 3, Black);
    c.fillRect(3, 2, 1, 2, Black);
    c.fillRect(96, 2, 1, 2, Black);
    return c;
}

Canvas UiArt::buildProgressBackground()
{
    Canvas c = plate(110, 10);
    for (int x = 3; x < 107; x += 2)
    {
        c.set(x, 2, Black);
        c.set(x, 7, Black);
    }
    c.fillRect(2, 3, 1, 4, Black);
    c.fillRect(107, 3, 1, 4, Black);
    return c;
}

Canvas UiArt::plusOne()
{
    Canvas glyphs(11, 7);
    // A plus and a one, inked, then haloed so they read over any tile.
    glyphs.fillRect(1, 3, 5, 1, Black);
    glyphs.fillRect(3, 1, 1, 5, Black);
    glyphs.fillRect(8, 1, 1, 5, Black);
    glyphs.set(7, 2, Black);
    glyphs.fillRect(7, 5, 3, 1, Black);
    return glyphs.grown(White);
}

Canvas UiArt::slot(int kind)
{
    Canvas c = plate(80, 16);
    c.fillRect(16, 1, 1, 14, Black);
    for (int y = 2; y < 14; y += 2)
        c.set(78, y, Black);
    Canvas icon(16, 16);
    if (kind == 0)
    {
        // A stack of coins.
        icon.blit(Canvas::fromRows({
                      "...######...",
                      "..#oooooo#..",
                      ".#oo####oo#.",
                      ".#oooooooo#.",
                      ".##oooooo##.",
                      ".#o######o#.",
                      ".##oooooo##.",
                      ".#o######o#.",
                      ".##oooooo##.",
                      "..########..",
                  }),
                  2, 3);
    }
    else if (kind == 1)
    {
        // Two people.
        icon.blit(Canvas::fromRows({
                      ".....###......",
                      "....#ooo#.....",
                      "..###ooo#.....",
                      ".#ooo###......",
                      ".#ooo#o###....",
                      "..###ooooo#...",
                      ".#ooo#ooooo#..",
                      "#ooooo#oooo#..",
                      "#ooooo#oooo#..",
                      "#ooooo######..",
                      "#######.......",
                  }),
                  2, 3);
    }
    else
    {
        // A calendar leaf.
        icon.fillRect(3, 4, 10, 9, White);
        icon.strokeRect(2, 3, 12, 11, Black);
        icon.fillRect(2, 3, 12, 3, Black);
        icon.set(5, 2, Black);
        icon.set(10, 2, Black);
        for (int y = 7; y < 13; y += 2)
            for (int x = 4; x < 13; x += 2)
                icon.set(x, y, Black);
    }
    c.blit(icon, 0, 0);
    return c;
}

Canvas UiArt::dateButton(bool enabled)
{
    Canvas c = buttonFace(24);
    // Calendar page with rings, a grid of days and an arrow to the next day.
    c.fillRect(4, 5, 12, 13, Black);
    c.fillRect(5, 8, 10, 9, White);
    c.fillRect(6, 3, 1, 4, Black);
    c.fillRect(13, 3, 1, 4, Black);
    for (int y = 9; y < 17; y += 2)
        for (int x = 6; x < 15; x += 2)
            c.set(x, y, enabled ? Black : White);
    if (enabled)
        c.fillRect(12, 13, 2, 2, Black);
    Canvas arrow = Canvas::fromRows({
        "..#..",
        "..##.",
        "#####",
        "..##.",
        "..#..",
    });
    if (!enabled)
    {
        arrow = Canvas::fromRows({"..#..", "..o#.", "#ooo#", "..o#.", "..#.."});
        for (int y = 1; y < 23; ++y)
            for (int x = 1; x < 23; ++x)
                if (c.get(x, y) == Black && (x + y) % 2 == 0 && x > 3 && x < 17)
                    c.set(x, y, White);
    }
    c.blit(arrow.grown(White), 14, 9);
    return c;
}

Canvas UiArt::cancelButton()
{
    Canvas c = buttonFace(16);
    for (int k = 0; k < 8; ++k)
    {
        for (int w = 0; w < 2; ++w)
        {
            c.set(4 + k + w - 1 + 1, 3 + k, Black);
            c.set(11 - k - w + 1 - 1, 3 + k, Black);
        }
    }
    return c;
}

Canvas UiArt::actionProgressButton()
{
    Canvas c = plate(64, 24);
    c.strokeRect(2, 2, 60, 19, Black);
    c.fillRect(2, 22, 60, 1, Black);
    c.set(2, 2, White);
    c.set(61, 2, White);
    // A hammer on the left third; the right part stays plain for the percentage.
    c.blit(hammer(), 5, 5);
    c.fillRect(25, 5, 1, 13, Black);
    for (int y = 6; y < 18; y += 2)
        c.set(24, y, Black);
    return c;
}

Canvas UiArt::title()
{
    Canvas c(240, 40);
    PixelFont font(false);
    const std::string name = "QUILLFENN";
    const int scale = 4;
    int w = font.measure(name, scale);
    int x0 = (240 - w) / 2;
    Canvas letters(240, 40);
    font.draw(letters, x0, 4, name, White, scale);
    // Lower half of each letter dithered, like ink settling in a nib stroke.
    for (int y = 4 + 4 * scale; y < 4 + 7 * scale; ++y)
        for (int x = 0; x < 240; ++x)
            if (letters.get(x, y) == White && (x + y) % 2 == 0 && y >= 4 + 5 * scale)
                letters.set(x, y, Black);
    Canvas rimmed = letters.grown(Black);
    // A solid drop to the lower right.
    for (int d = 3; d >= 1; --d)
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 240; ++x)
                if (rimmed.get(x, y) != Clear)
                    c.set(x + d, y + d, Black);
    c.blit(rimmed, 0, 0);
    // A quill stroke under the name.
    for (int x = x0 - 6; x < x0 + w + 6; ++x)
    {
        int y = 36 + static_cast<int>(std::round(1.5 * std::sin((x - x0) * 0.05)));
        c.set(x, y, Black);
        if ((x - x0) % 3 != 0)
            c.set(x, y + 1, Black);
    }
    return c;
}

Canvas UiArt::titleSeparator()
{
    Canvas c(240, 5);
    for (int x = 10; x < 230; ++x)
        if (x < 108 || x > 131)
            c.set(x, 2, Black);
    for (int x = 4; x < 10; x += 2)
        c.set(x, 2, Black);
    for (int x = 231; x < 237; x += 2)
        c.set(x, 2, Black);
    // A diamond in the middle with two small ones beside it.
    for (int k = 0; k < 3; ++k)
    {
        c.fillRect(120 - k, k + 0, 1 + 2 * k, 1, Black);
        c.fillRect(120 - k, 4 - k, 1 + 2 * k, 1, Black);
    }
    c.set(120, 2, White);
    c.fillRect(112, 2, 3, 1, Black);
    c.set(113, 1, Black);
    c.set(113, 3, Black);
    c.fillRect(126, 2, 3, 1, Black);
    c.set(127, 1, Black);
    c.set(127, 3, Black);
    return c;
}

Canvas UiArt::subtitle()
{
    Canvas c(160, 12);
    // A ribbon banner with forked ends.
    c.fillRect(14, 1, 132, 10, White);
    c.fillRect(14, 0, 132, 1, Black);
    c.fillRect(14, 11, 132, 1, Black);
    c.fillRect(14, 0, 1, 12, Black);
    c.fillRect(145, 0, 1, 12, Black);
    for (int y = 2; y < 12; ++y)
    {
        int notch = std::abs(y - 7);
        c.fillRect(4 + (5 - notch), y, 10 - (5 - notch), 1, Black);
        c.fillRect(146, y, 10 - (5 - notch), 1, Black);
    }
    PixelFont font(false);
    const std::string text = "CITY BUILDER";
    font.draw(c, (160 - font.measure(text)) / 2, 3, text, Black);
    c.set(17, 5, Black);
    c.set(142, 5, Black);
    return c;
}

Canvas UiArt::menuCity()
{
    Canvas c(320, 100);
    // A big dithered sun and a few birds behind the skyline.
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 320; ++x)
        {
            double dx = x + 0.5 - 160, dy = y + 0.5 - 40;
            double d = std::sqrt(dx * dx + dy * dy);
            if (y > 72)
                continue;
            if (d < 34 && d >= 33)
                c.set(x, y, Black);
            else if (d < 33 && ((x + y) % 2 == 0) && (y % 4 < 2 || d > 26))
                c.set(x, y, (x + y) % 4 == 0 ? Black : Clear);
        }
    const int birds[][2] = {{60, 18}, {72, 12}, {250, 22}, {262, 16}};
    for (const auto& b : birds)
        c.blit(Canvas::fromRows({"#...#", ".#.#.", "..#.."}), b[0], b[1]);
    // The town: two rows of tiles back to front, buildings from the game's own art.
    struct Lot
    {
        int tx, ty;
        Canvas art;
    };
    std::vector<Lot> lots = {
        {0, 0, BuildingArt::flats(1)},           {1, 1, BuildingArt::commercial(2)},
        {2, 2, BuildingArt::tree()},             {3, 3, BuildingArt::commercial(3)},
        {4, 4, BuildingArt::hospital()},         {5, 5, BuildingArt::commercial(1)},
        {6, 6, BuildingArt::flats(4)},           {7, 7, BuildingArt::waterTower()},
        {8, 8, BuildingArt::factory(1)},         {9, 9, BuildingArt::flats(2)},
        {1, 0, BuildingArt::largeHouse(1)},      {2, 1, BuildingArt::smallHouse(1)},
        {3, 2, BuildingArt::shop()},             {4, 3, BuildingArt::tree()},
        {5, 4, BuildingArt::smallHouse(2)},      {6, 5, BuildingArt::convenienceStore()},
        {7, 6, BuildingArt::largeHouse(2)},      {8, 7, BuildingArt::park()},
        {9, 8, BuildingArt::smallHouse(3)},      {10, 9, BuildingArt::tree()},
    };
    for (int d = 0; d >= -1; --d)
        for (const Lot& lot : lots)
        {
            if (lot.ty - lot.tx != d)
                continue;
            int sx = 16 * (lot.tx + lot.ty) - 8;
            int sy = 66 + 8 * (lot.ty - lot.tx);
            c.blit(lot.art, sx, sy + 17 - lot.art.height);
        }
    return c;
}

Canvas UiArt::menuButton()
{
    Canvas c = buttonFace(24);
    // Three bars.
    for (int k = 0; k < 3; ++k)
    {
        c.fillRect(6, 6 + k * 5, 12, 3, Black);
        c.fillRect(7, 7 + k * 5, 10, 1, White);
    }
    return c;
}

Canvas UiArt::actionArrow(bool next, bool enabled)
{
    Canvas c = plate(12, 12);
    Canvas arrow = enabled ? Canvas::fromRows({"#....", "##...", "###..", "####.", "###..", "##...", "#...."})
                           : Canvas::fromRows({"#....", "##...", "#o#..", "#oo#.", "#o#..", "##...", "#...."});
    if (!enabled)
        for (int x = 1; x < 11; x += 2)
        {
            c.set(x, 0, Clear);
            c.set(x, 11, Clear);
        }
    c.blit(arrow, next ? 4 : 3, 2, !next);
    return c;
}

Canvas UiArt::rotateButton(bool left)
{
    Canvas c = buttonFace(16);
    // A three-quarter ring with an arrow head at its end.
    Canvas ring(16, 16);
    ring.strokeCircle(8, 8, 5.5, 2, Black);
    ring.fillRect(8, 1, 6, 6, Clear);
    ring.blit(Canvas::fromRows({"#...", "##..", "###.", "##..", "#..."}), 9, 1);
    c.blit(ring, 0, 0, !left);
    return c;
}

Canvas UiArt::underline(int style)
{
    Canvas c(320, 1);
    for (int x = 0; x < 320; ++x)
    {
        bool ink = style == 0 ? x % 2 == 0 : (style == 1 ? x % 4 < 2 : (x % 6 < 3 || x % 6 == 4));
        if (ink)
            c.set(x, 0, Black);
    }
    return c;
}
