#include "TileArt.h"

#include "Iso.h"
#include "Rng.h"
#include "Sculpt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
const int boxWidth = 34;
const int boxHeight = 17;
const double pi = 3.14159265358979323846;

// Half-width in steps of the drawn diamond's row y.
int rowHalf(int y)
{
    return y <= 8 ? y : 16 - y;
}

// A tile overlay: the diamond inked where the pattern says, optionally with an outline.
Canvas overlay(Pattern fill, bool edge, bool dottedEdge)
{
    Canvas canvas(boxWidth, boxHeight);
    for (int y = 0; y < boxHeight; ++y)
        for (int x = 0; x < boxWidth; ++x)
        {
            if (!TileArt::inDiamond(x, y))
                continue;
            if (TileArt::onDiamondEdge(x, y))
            {
                if (edge && (!dottedEdge || y % 2 == 0))
                    canvas.set(x, y, Black);
                continue;
            }
            canvas.inkPattern(x, y, fill);
        }
    return canvas;
}

// True when box pixel (x, y) belongs to the tile whose box starts at (ox, oy):
// its share of the plane is the 32 x 16 rhombus centred on (17, 8) of its box.
bool ownedBy(int x, int y, int ox, int oy)
{
    int lx = x - ox;
    int ly = y - oy;
    return std::abs(2 * lx - 33) + 2 * std::abs(2 * ly - 15) <= 32;
}
} // namespace

bool TileArt::inDiamond(int x, int y)
{
    if (y < 0 || y >= boxHeight)
        return false;
    int half = rowHalf(y);
    return x >= 16 - 2 * half && x <= 17 + 2 * half;
}

bool TileArt::onDiamondEdge(int x, int y)
{
    if (!inDiamond(x, y))
        return false;
    int half = rowHalf(y);
    return x <= 17 - 2 * half || x >= 16 + 2 * half;
}

void TileArt::clipToDiamond(Canvas& canvas)
{
    int top = canvas.height - boxHeight;
    for (int y = top; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (!inDiamond(x, y - top))
                canvas.set(x, y, Clear);
}

Canvas TileArt::tileBorder()
{
    return overlay(Pattern::Paper, true, true);
}

Canvas TileArt::tileOutline()
{
    return overlay(Pattern::Paper, true, false);
}

Canvas TileArt::tileHighlighted()
{
    return overlay(Pattern::Sparse, true, true);
}

Canvas TileArt::tileSemiFilled()
{
    return overlay(Pattern::Checker, false, false);
}

Canvas TileArt::hiddenTileOverlay()
{
    return overlay(Pattern::Dark, true, false);
}

Canvas TileArt::road(bool north, bool south, bool west, bool east)
{
    Canvas canvas(boxWidth, boxHeight);
    Sculpt sculpt(boxWidth, boxHeight);
    Iso iso(0, 0);
    const double lo = 2, hi = 6, beyond = 1.5;
    iso.addGround(sculpt, 0, 8, 0, 8, 0, Pattern::Paper, false);
    sculpt.beginGroup();
    iso.addGround(sculpt, lo, hi, lo, hi, 0, Pattern::Ink);
    if (west)
        iso.addGround(sculpt, -beyond, lo, lo, hi, 0, Pattern::Ink);
    if (east)
        iso.addGround(sculpt, hi, 8 + beyond, lo, hi, 0, Pattern::Ink);
    if (north)
        iso.addGround(sculpt, lo, hi, -beyond, lo, 0, Pattern::Ink);
    if (south)
        iso.addGround(sculpt, lo, hi, hi, 8 + beyond, 0, Pattern::Ink);
    sculpt.endGroup();
    sculpt.render(canvas);

    // Centre-line dashes, two steps long every four steps so they run on across tiles.
    bool straightWE = west && east && !north && !south;
    bool straightNS = north && south && !west && !east;
    auto dash = [&](double i, double j) {
        Point p = iso.at(i, j);
        int x = static_cast<int>(p.x) - 1;
        int y = static_cast<int>(p.y);
        canvas.set(x, y, White);
        canvas.set(x + 1, y, White);
    };
    const int steps[4] = {1, 2, 5, 6};
    for (int k = 0; k < 4; ++k)
    {
        int s = steps[k];
        bool inArm = s < lo || s >= hi;
        if (straightWE || (inArm && ((west && s < lo) || (east && s >= hi))))
            dash(s, 4);
        if (straightNS || (inArm && ((north && s < lo) || (south && s >= hi))))
            dash(4, s);
    }
    clipToDiamond(canvas);
    return canvas;
}

Canvas TileArt::fireAnimation()
{
    const int frameHeight = 48;
    const int frames = 6;
    Canvas sheet(boxWidth * frames, frameHeight);
    // Tongue bases across the footprint, back (top of screen) to front.
    struct Tongue
    {
        double i, j, size, phase;
    };
    const Tongue tongues[] = {
        {6, 1, 0.7, 0.3}, {4, 2, 0.8, 2.1}, {7, 4, 0.7, 4.0}, {2, 2, 0.8, 1.2}, {5, 4, 1.0, 3.3},
        {1, 4, 0.75, 5.1}, {3, 5, 1.0, 0.7}, {6, 6, 0.8, 2.7}, {2, 7, 0.7, 4.6}, {4, 7, 0.85, 1.9},
    };
    Iso iso = Iso::bottomOf(frameHeight);
    for (int k = 0; k < frames; ++k)
    {
        Canvas frame(boxWidth, frameHeight);
        Sculpt sculpt(boxWidth, frameHeight);
        double t = 2 * pi * k / frames;
        for (const Tongue& tongue : tongues)
        {
            Point base = iso.at(tongue.i, tongue.j, 0);
            double flicker = 0.5 + 0.5 * std::sin(t + tongue.phase);
            double h = tongue.size * (14 + 12 * flicker);
            double w = 2.5 + 2.0 * tongue.size;
            double sway = 2.5 * std::sin(t * 2 + tongue.phase * 1.7);
            sculpt.addFace({{base.x - w, base.y + 1},
                            {base.x - w * 0.9, base.y - h * 0.35},
                            {base.x + sway, base.y - h},
                            {base.x + w * 0.9, base.y - h * 0.35},
                            {base.x + w, base.y + 1}},
                           Pattern::Paper);
            double ih = h * 0.55;
            double iw = w * 0.45;
            sculpt.addFace({{base.x - iw, base.y},
                            {base.x - iw, base.y - ih * 0.4},
                            {base.x + sway * 0.6, base.y - ih},
                            {base.x + iw, base.y - ih * 0.4},
                            {base.x + iw, base.y}},
                           Pattern::Checker, false);
        }
        sculpt.render(frame);
        // Sparks rise a little every frame and wrap around.
        Rng rng(77);
        for (int s = 0; s < 9; ++s)
        {
            int x = 4 + rng.below(26);
            int y0 = 6 + rng.below(24);
            int y = frameHeight - 12 - ((frameHeight - y0 + k * 5) % (frameHeight - 10));
            if (frame.get(x, y) == Clear && frame.get(x, y + 1) == Clear)
                frame.set(x, y, Black);
        }
        sheet.blit(frame, k * boxWidth, 0);
    }
    return sheet;
}

Canvas TileArt::trashOnStreets()
{
    Canvas canvas(boxWidth, boxHeight);
    Rng rng(2024);
    // Bin bags: little white lumps with a knot; papers and cans: single pixels.
    const int bags[][2] = {{9, 9}, {22, 6}, {15, 12}, {25, 10}, {12, 5}};
    for (const auto& bag : bags)
    {
        int x = bag[0], y = bag[1];
        canvas.fillRect(x - 1, y - 1, 4, 3, White);
        canvas.strokeRect(x - 2, y - 2, 6, 5, Black);
        canvas.set(x - 2, y - 2, Clear);
        canvas.set(x + 3, y - 2, Clear);
        canvas.set(x, y - 3, Black);
        canvas.set(x + 1, y - 3, Black);
        canvas.set(x + 1, y, Black);
    }
    // A white rim round the bags, inside the tile, so they stand out on the dark road.
    Canvas bagsOnly = canvas;
    for (int y = 0; y < boxHeight; ++y)
        for (int x = 0; x < boxWidth; ++x)
        {
            bool besideBag = bagsOnly.get(x - 1, y) == Black || bagsOnly.get(x + 1, y) == Black ||
                             bagsOnly.get(x, y - 1) == Black || bagsOnly.get(x, y + 1) == Black;
            if (bagsOnly.get(x, y) == Clear && besideBag && inDiamond(x, y) && !onDiamondEdge(x, y))
                canvas.set(x, y, White);
        }
    for (int n = 0; n < 14; ++n)
    {
        int x = 4 + rng.below(26);
        int y = 3 + rng.below(11);
        if (inDiamond(x, y) && !onDiamondEdge(x, y) && canvas.get(x, y) == Clear && canvas.get(x + 1, y) == Clear)
        {
            canvas.set(x, y, Black);
            if (n % 3 == 0)
                canvas.set(x + 1, y, White);
        }
    }
    return canvas;
}

sf::Image TileArt::isomap()
{
    sf::Image mask;
    mask.create(boxWidth, boxHeight, sf::Color::White);
    struct Neighbour
    {
        int dx, dy;
        sf::Color colour;
    };
    // Box origins of the four neighbours relative to this tile's box.
    const Neighbour neighbours[] = {
        {-16, -8, sf::Color(255, 255, 0)},  // (tx, ty - 1)
        {16, 8, sf::Color(0, 255, 255)},    // (tx, ty + 1)
        {-16, 8, sf::Color(255, 0, 255)},   // (tx - 1, ty)
        {16, -8, sf::Color(0, 255, 0)},     // (tx + 1, ty)
    };
    for (int y = 0; y < boxHeight; ++y)
        for (int x = 0; x < boxWidth; ++x)
        {
            if (ownedBy(x, y, 0, 0))
                continue;
            bool found = false;
            for (const Neighbour& n : neighbours)
                if (ownedBy(x, y, n.dx, n.dy))
                {
                    mask.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), n.colour);
                    found = true;
                }
            // The two pixels under the bottom corner belong to (tx - 1, ty + 1), which the
            // mask cannot name; the box of a later row always covers them, so point at
            // the nearer side neighbour.
            if (!found)
                mask.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                              x < 17 ? sf::Color(255, 0, 255) : sf::Color(0, 255, 255));
        }
    return mask;
}
