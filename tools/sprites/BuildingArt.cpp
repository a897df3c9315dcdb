#include "BuildingArt.h"

#include "Iso.h"
#include "Rng.h"
#include "Sculpt.h"
#include "TileArt.h"

#include <cmath>
#include <vector>

namespace
{
const int tileWidth = 34;

// A building being drawn: its canvas, its faces and the tile geometry.
struct Site
{
    explicit Site(int height) :
    canvas(tileWidth, height),
    sculpt(tileWidth, height),
    iso(Iso::bottomOf(height))
    {
    }

    // Paints the faces so far; details go on top afterwards.
    void render()
    {
        sculpt.render(canvas);
    }

    Canvas canvas;
    Sculpt sculpt;
    Iso iso;
};

// Windows along a wall: every `pitch` columns from u0 while they fit, rows v0..v0+h-1.
void westWindows(Site& s, const Footprint& f, int u0, int pitch, int v0, int w, int h, int count)
{
    for (int k = 0; k < count; ++k)
        s.iso.westRect(s.canvas, f, u0 + k * pitch, u0 + k * pitch + w, v0, v0 + h, Pattern::Ink);
}

void southWindows(Site& s, const Footprint& f, int u0, int pitch, int v0, int w, int h, int count)
{
    for (int k = 0; k < count; ++k)
        s.iso.southRect(s.canvas, f, u0 + k * pitch, u0 + k * pitch + w, v0, v0 + h, Pattern::Ink);
}

// A door on the west wall, with a light step in front.
void westDoor(Site& s, const Footprint& f, int u, int height)
{
    s.iso.westRect(s.canvas, f, u, u + 2, 1, 1 + height, Pattern::Ink);
    s.iso.westRect(s.canvas, f, u + 1, u + 2, 2, 3, Pattern::Paper);
}

// A few blades of grass inked on the bare ground around a building.
void grass(Site& s, uint32_t seed, int count)
{
    Rng rng(seed);
    int top = s.canvas.height - 17;
    for (int n = 0; n < count * 4 && count > 0; ++n)
    {
        int x = 3 + rng.below(28);
        int y = 2 + rng.below(13);
        if (!TileArt::inDiamond(x, y) || TileArt::onDiamondEdge(x, y))
            continue;
        if (s.canvas.get(x, top + y) != Clear || s.canvas.get(x, top + y - 1) != Clear
            || s.canvas.get(x + 1, top + y) != Clear || s.canvas.get(x - 1, top + y) != Clear)
            continue;
        s.canvas.set(x, top + y, Black);
        s.canvas.set(x + 1, top + y - 1, Black);
        --count;
    }
}

// A small round bush standing at grid point (i, j).
void bush(Site& s, double i, double j, double r)
{
    Point p = s.iso.at(i, j);
    Canvas blob(tileWidth, s.canvas.height);
    blob.fillCircle(p.x, p.y - r, r, White);
    blob.outline(Black);
    blob.set(static_cast<int>(p.x + r * 0.3), static_cast<int>(p.y - r * 0.6), Black);
    s.canvas.blit(blob, 0, 0);
}

// A chimney: a small block standing on a roof at height z.
void chimney(Site& s, double i, double j, double z, int h)
{
    Footprint c{i, i + 1, j, j + 1};
    s.iso.addBlock(s.sculpt, c, z, z + h, Pattern::Paper, Pattern::Paper, Pattern::Ink);
}

// A low picket fence along the front (south-west) edges of the plot.
void fence(Site& s, double from, double to)
{
    for (int j = static_cast<int>(from); j <= static_cast<int>(to); ++j)
    {
        Point p = s.iso.at(0.5, j);
        int x = static_cast<int>(p.x) - 1;
        int y = static_cast<int>(p.y);
        s.canvas.set(x, y - 1, Black);
        s.canvas.set(x, y - 2, Black);
        s.canvas.set(x + 1, y - 2, Black);
    }
}

struct HouseShape
{
    Footprint body;
    int wall;
    int rise;
    bool ridgeAlongI;
    Pattern roof;
    Pattern walls;
};

// The body and roof of a simple gabled house.
void gabledHouse(Site& s, const HouseShape& h)
{
    s.iso.addWallWest(s.sculpt, h.body, 0, h.wall, h.walls);
    s.iso.addWallSouth(s.sculpt, h.body, 0, h.wall, h.walls);
    Footprint eaves = h.body.grown(0.5);
    if (h.ridgeAlongI)
        s.iso.addGableAlongI(s.sculpt, eaves, h.wall, h.rise, h.roof, Pattern::Paper);
    else
        s.iso.addGableAlongJ(s.sculpt, eaves, h.wall, h.rise, h.roof, Pattern::Paper);
}

// A dithered shadow line under the eaves of the south wall.
void eaveShadow(Site& s, const Footprint& f, int wall)
{
    int ws = 2 * static_cast<int>(f.i1 - f.i0) + 1;
    s.iso.southRect(s.canvas, f, 1, ws, wall - 1, wall, Pattern::Checker);
}
} // namespace

Canvas BuildingArt::smallHouse(int variant)
{
    Site s(36);
    switch (variant)
    {
    case 1:
    {
        // Cottage with its gable and door toward the road.
        HouseShape h{{2, 7, 1, 6}, 8, 8, true, Pattern::Ink, Pattern::Paper};
        gabledHouse(s, h);
        chimney(s, 5, 2, 14, 4);
        s.render();
        eaveShadow(s, h.body, h.wall);
        westDoor(s, h.body, 4, 5);
        s.iso.westRect(s.canvas, h.body, 8, 10, 3, 6, Pattern::Ink);
        southWindows(s, h.body, 2, 4, 3, 2, 3, 2);
        grass(s, 11, 4);
        break;
    }
    case 2:
    {
        // Long low house, ridge along the road.
        HouseShape h{{3, 7, 1, 7}, 7, 7, false, Pattern::Rows, Pattern::Paper};
        gabledHouse(s, h);
        chimney(s, 4, 5, 12, 4);
        s.render();
        westDoor(s, h.body, 6, 4);
        westWindows(s, h.body, 2, 8, 3, 2, 2, 2);
        s.iso.southRect(s.canvas, h.body, 3, 5, 3, 5, Pattern::Ink);
        bush(s, 1.5, 6.5, 2.5);
        grass(s, 12, 3);
        break;
    }
    case 3:
    {
        // Cottage with a porch over the door and a dark gable.
        HouseShape h{{3, 7, 2, 6}, 8, 7, true, Pattern::Ink, Pattern::Paper};
        s.iso.addWallWest(s.sculpt, h.body, 0, h.wall, Pattern::Paper);
        s.iso.addWallSouth(s.sculpt, h.body, 0, h.wall, Pattern::Paper);
        s.iso.addGableAlongI(s.sculpt, h.body.grown(0.5), h.wall, h.rise, Pattern::Ink, Pattern::Checker);
        s.iso.addBlock(s.sculpt, {1.5, 3, 3, 5}, 0, 1, Pattern::Paper, Pattern::Paper, Pattern::Paper);
        s.render();
        eaveShadow(s, h.body, h.wall);
        westDoor(s, h.body, 4, 5);
        southWindows(s, h.body, 2, 4, 3, 2, 3, 2);
        bush(s, 1.5, 6.8, 2);
        grass(s, 13, 4);
        break;
    }
    default:
    {
        // House with a flat-roofed garage beside it.
        HouseShape h{{2, 7, 1, 5}, 8, 7, true, Pattern::Ink, Pattern::Paper};
        gabledHouse(s, h);
        Footprint garage{2, 5, 5, 7};
        s.iso.addBlock(s.sculpt, garage, 0, 6, Pattern::Paper, Pattern::Paper, Pattern::Checker);
        s.render();
        eaveShadow(s, h.body, h.wall);
        westDoor(s, h.body, 4, 5);
        s.iso.westRect(s.canvas, h.body, 1, 3, 3, 6, Pattern::Ink);
        s.iso.westRect(s.canvas, garage, 1, 4, 1, 5, Pattern::Rows);
        s.iso.southRect(s.canvas, garage, 1, 3, 2, 4, Pattern::Ink);
        grass(s, 14, 4);
        break;
    }
    }
    return s.canvas;
}

Canvas BuildingArt::largeHouse(int variant)
{
    Site s(42);
    switch (variant)
    {
    case 1:
    {
        // Two storeys, gable to the road.
        HouseShape h{{2, 7, 1, 7}, 14, 9, true, Pattern::Ink, Pattern::Paper};
        gabledHouse(s, h);
        chimney(s, 5, 2, 20, 5);
        s.render();
        eaveShadow(s, h.body, h.wall);
        westDoor(s, h.body, 6, 5);
        westWindows(s, h.body, 2, 8, 3, 2, 3, 2);
        westWindows(s, h.body, 2, 4, 9, 2, 3, 3);
        southWindows(s, h.body, 1, 4, 3, 2, 3, 3);
        southWindows(s, h.body, 1, 4, 9, 2, 3, 3);
        fence(s, 1, 6);
        break;
    }
    case 2:
    {
        // Broad house, ridge along the road.
        HouseShape h{{2, 7, 1, 7}, 13, 8, false, Pattern::Rows, Pattern::Paper};
        gabledHouse(s, h);
        chimney(s, 3, 2, 19, 5);
        s.render();
        westDoor(s, h.body, 6, 5);
        westWindows(s, h.body, 2, 8, 3, 2, 3, 2);
        westWindows(s, h.body, 2, 4, 9, 2, 3, 3);
        southWindows(s, h.body, 1, 4, 3, 2, 3, 3);
        southWindows(s, h.body, 3, 4, 15, 2, 3, 1);
        grass(s, 21, 3);
        break;
    }
    default:
    {
        // House with a lower side wing.
        HouseShape h{{3, 7, 1, 5}, 14, 8, true, Pattern::Ink, Pattern::Paper};
        gabledHouse(s, h);
        HouseShape wing{{2, 6, 5, 7}, 8, 5, false, Pattern::Ink, Pattern::Paper};
        gabledHouse(s, wing);
        s.render();
        eaveShadow(s, h.body, h.wall);
        westDoor(s, h.body, 4, 5);
        westWindows(s, h.body, 2, 4, 9, 2, 3, 2);
        s.iso.westRect(s.canvas, wing.body, 1, 3, 3, 6, Pattern::Ink);
        southWindows(s, wing.body, 1, 4, 3, 2, 3, 2);
        bush(s, 1.2, 1.5, 2);
        break;
    }
    }
    return s.canvas;
}

Canvas BuildingArt::flats(int variant)
{
    const int storeys = variant == 4 ? 5 : 4;
    const int storey = 7;
    const int height = storeys * storey + 2;
    Site s(17 + height + 8);
    Footprint body = variant == 2 ? Footprint{1, 7, 2, 7} : Footprint{1, 7, 1, 7};
    Pattern south = Pattern::Paper;
    Pattern west = Pattern::Paper;
    s.iso.addWallWest(s.sculpt, body, 0, height, west);
    s.iso.addWallSouth(s.sculpt, body, 0, height, south);
    s.iso.addTop(s.sculpt, body, height, Pattern::Paper);
    // Parapet inset and a roof hut.
    s.iso.addTop(s.sculpt, body.grown(-1), height, Pattern::Sparse);
    s.iso.addBlock(s.sculpt, {4, 6, 3, 5}, height, height + 4, Pattern::Paper, Pattern::Light, Pattern::Paper);
    if (variant == 4)
        s.iso.addPyramid(s.sculpt, body, height, 6, Pattern::Ink, Pattern::Dark);
    s.render();
    int ww = 2 * static_cast<int>(body.j1 - body.j0) + 1;
    int ws = 2 * static_cast<int>(body.i1 - body.i0) + 1;
    for (int f = 0; f < storeys; ++f)
    {
        int v = 2 + f * storey;
        for (int u = 2; u + 2 < ww; u += 4)
            if (!(f == 0 && u >= ww / 2 - 2 && u <= ww / 2))
                s.iso.westRect(s.canvas, body, u, u + 2, v, v + 3, Pattern::Ink);
        for (int u = 1; u + 2 < ws; u += 4)
            s.iso.southRect(s.canvas, body, u, u + 2, v, v + 3, Pattern::Ink);
        // Balcony rails under the upper windows.
        if (variant == 1 && f > 0)
            for (int u = 1; u + 2 < ws; u += 4)
                s.iso.southRect(s.canvas, body, u - 1, u + 3, v - 1, v, Pattern::Ink);
        if (variant == 2 && f > 0)
            s.iso.westRect(s.canvas, body, 1, ww - 1, v - 2, v - 1, Pattern::Checker);
    }
    // Entrance with a canopy in the middle of the west wall.
    int door = (ww / 2) & ~1;
    s.iso.westRect(s.canvas, body, door - 1, door + 3, 1, 6, Pattern::Ink);
    s.iso.westRect(s.canvas, body, door, door + 2, 2, 5, Pattern::Checker);
    s.iso.westRect(s.canvas, body, door - 2, door + 4, 6, 7, Pattern::Ink);
    return s.canvas;
}

Canvas BuildingArt::commercial(int variant)
{
    const int heights[4] = {34, 42, 50, 38};
    int height = heights[(variant - 1) % 4];
    Site s(17 + height + 10);
    Footprint body = variant == 4 ? Footprint{1, 7, 1, 7} : Footprint{2, 7, 1, 6};
    s.iso.addWallWest(s.sculpt, body, 0, height, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, body, 0, height, Pattern::Paper);
    s.iso.addTop(s.sculpt, body, height, Pattern::Paper);
    s.iso.addTop(s.sculpt, body.grown(-1), height, Pattern::Checker);
    if (variant == 3)
    {
        // Stepped crown.
        Footprint crown = body.grown(-1.5);
        s.iso.addBlock(s.sculpt, crown, height, height + 5, Pattern::Paper, Pattern::Light, Pattern::Paper);
    }
    s.render();
    int ww = 2 * static_cast<int>(body.j1 - body.j0) + 1;
    int ws = 2 * static_cast<int>(body.i1 - body.i0) + 1;
    // Glass curtain walls: bands of dark glass between the floors.
    for (int v = 6; v + 2 < height; v += 4)
    {
        s.iso.westRect(s.canvas, body, 1, ww - 1, v, v + 2, variant == 2 ? Pattern::Checker : Pattern::Ink);
        s.iso.southRect(s.canvas, body, 1, ws - 1, v, v + 2, variant == 2 ? Pattern::Checker : Pattern::Ink);
    }
    if (variant == 2)
        for (int u = 2; u < ww - 1; u += 3)
            s.iso.westRect(s.canvas, body, u, u + 1, 5, height - 1, Pattern::Ink);
    // Lobby: wide glass doors.
    int door = (ww / 2) & ~1;
    s.iso.westRect(s.canvas, body, door - 2, door + 4, 1, 5, Pattern::Ink);
    s.iso.westRect(s.canvas, body, door, door + 2, 1, 4, Pattern::Paper);
    // Antenna.
    Point top = s.iso.at((body.i0 + body.i1) / 2, (body.j0 + body.j1) / 2, height + (variant == 3 ? 5 : 0));
    int ax = static_cast<int>(top.x);
    int ay = static_cast<int>(top.y);
    if (variant != 4)
    {
        s.canvas.line(ax, ay, ax, ay - 8, Black);
        s.canvas.set(ax - 1, ay - 5, Black);
        s.canvas.set(ax + 1, ay - 5, Black);
    }
    return s.canvas;
}

Canvas BuildingArt::factory(int variant)
{
    Site s(52);
    Footprint hall = variant == 1 ? Footprint{1, 7, 1, 6} : Footprint{1, 6, 1, 7};
    const int wall = 10;
    s.iso.addWallWest(s.sculpt, hall, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, hall, 0, wall, Pattern::Paper);
    if (variant == 1)
    {
        // Saw-tooth roof: three ridges along j, steep faces glazed.
        for (int k = 0; k < 3; ++k)
        {
            Footprint bay{hall.i0 + 2 * k, hall.i0 + 2 * k + 2, hall.j0, hall.j1};
            s.iso.addGableAlongJ(s.sculpt, bay, wall, 5, Pattern::Ink, Pattern::Paper);
        }
    }
    else
        s.iso.addTop(s.sculpt, hall, wall, Pattern::Checker);
    // Chimney stack.
    Footprint stack = variant == 1 ? Footprint{5, 6, 1.5, 2.5} : Footprint{4, 5, 2, 3};
    s.iso.addBlock(s.sculpt, stack, wall, wall + 22, Pattern::Paper, Pattern::Checker, Pattern::Ink);
    if (variant == 2)
    {
        Footprint silo{1.5, 3.5, 2, 4};
        s.iso.addBlock(s.sculpt, silo, wall, wall + 8, Pattern::Paper, Pattern::Light, Pattern::Paper);
        s.iso.addPyramid(s.sculpt, silo, wall + 8, 3, Pattern::Paper, Pattern::Light);
    }
    s.render();
    int ww = 2 * static_cast<int>(hall.j1 - hall.j0) + 1;
    int ws = 2 * static_cast<int>(hall.i1 - hall.i0) + 1;
    // Loading door and windows.
    s.iso.westRect(s.canvas, hall, 3, 7, 1, 7, Pattern::Rows);
    for (int u = 9; u + 2 < ww; u += 3)
        s.iso.westRect(s.canvas, hall, u, u + 2, 5, 8, Pattern::Ink);
    for (int u = 1; u + 2 < ws; u += 3)
        s.iso.southRect(s.canvas, hall, u, u + 2, 5, 8, Pattern::Paper);
    // Smoke puffs above the stack.
    Point top = s.iso.at(stack.i0 + 0.5, stack.j0 + 0.5, wall + 22);
    Canvas smoke(tileWidth, s.canvas.height);
    smoke.fillCircle(top.x + 1, top.y - 4, 2.5, White);
    smoke.fillCircle(top.x + 4, top.y - 8, 3.2, White);
    smoke.fillCircle(top.x + 8, top.y - 12, 2.6, White);
    smoke.outline(Black);
    s.canvas.blit(smoke, 0, 0);
    return s.canvas;
}

Canvas BuildingArt::shop()
{
    Site s(36);
    Footprint body{2, 7, 1, 7};
    const int wall = 10;
    s.iso.addWallWest(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body, wall, Pattern::Paper);
    // Sign board standing on the roof edge above the shop front.
    Footprint sign{2, 2.5, 2, 6};
    s.iso.addWallWest(s.sculpt, sign, wall, wall + 5, Pattern::Paper);
    // Striped awning over the shop window.
    s.iso.addWallWest(s.sculpt, {1, 2, 1.5, 6.5}, 5, 7, Pattern::Columns);
    s.render();
    // Shop window and door under the awning.
    s.iso.westRect(s.canvas, body, 1, 7, 1, 4, Pattern::Ink);
    s.iso.westRect(s.canvas, body, 2, 6, 2, 4, Pattern::Checker);
    s.iso.westRect(s.canvas, body, 8, 10, 1, 5, Pattern::Ink);
    southWindows(s, body, 2, 4, 4, 2, 3, 2);
    // A shopping bag on the sign board.
    Footprint signFace{2, 2.5, 2, 6};
    s.iso.westRect(s.canvas, signFace, 3, 6, wall + 1, wall + 3, Pattern::Ink);
    s.iso.westRect(s.canvas, signFace, 4, 5, wall + 3, wall + 4, Pattern::Ink);
    return s.canvas;
}

Canvas BuildingArt::market()
{
    Site s(32);
    // Two stalls under striped awnings, back one first, and crates of produce.
    const double stalls[2][2] = {{4.5, 1}, {1, 3.5}};
    for (const auto& st : stalls)
    {
        Footprint counter{st[0], st[0] + 3, st[1], st[1] + 3};
        s.iso.addBlock(s.sculpt, counter, 0, 4, Pattern::Paper, Pattern::Paper, Pattern::Sparse);
        // Awning: strips along i, alternately dark and light, drawn as one piece.
        Footprint awning = counter.grown(0.5);
        s.sculpt.beginGroup();
        for (int k = 0; k < 4; ++k)
        {
            double j0 = awning.j0 + k * (awning.j1 - awning.j0) / 4;
            double j1 = awning.j0 + (k + 1) * (awning.j1 - awning.j0) / 4;
            s.iso.addTop(s.sculpt, {awning.i0, awning.i1, j0, j1}, 10, k % 2 ? Pattern::Paper : Pattern::Ink);
        }
        s.sculpt.endGroup();
        s.iso.addWallSouth(s.sculpt, awning, 8, 10, Pattern::Columns);
        s.iso.addWallWest(s.sculpt, awning, 8, 10, Pattern::Paper);
    }
    s.iso.addBlock(s.sculpt, {5, 6.5, 5.5, 7}, 0, 3, Pattern::Paper, Pattern::Paper, Pattern::Checker);
    s.iso.addBlock(s.sculpt, {6.5, 7.5, 4.5, 5.5}, 0, 2, Pattern::Paper, Pattern::Paper, Pattern::Light);
    s.render();
    // Awning posts down to the ground at the front corners.
    for (const auto& st : stalls)
    {
        Footprint awning = Footprint{st[0], st[0] + 3, st[1], st[1] + 3}.grown(0.5);
        for (const Point& p : {s.iso.left(awning, 8), s.iso.bottom(awning, 8)})
        {
            int x = static_cast<int>(p.x) + (p.x > s.iso.left(awning).x + 1 ? 0 : 1);
            for (int y = static_cast<int>(p.y) + 1; y < static_cast<int>(p.y) + 9; ++y)
                if (s.canvas.get(x, y) != Black)
                    s.canvas.set(x, y, Black);
        }
    }
    return s.canvas;
}

Canvas BuildingArt::convenienceStore()
{
    Site s(38);
    Footprint body{1, 7, 1, 7};
    const int wall = 11;
    s.iso.addWallWest(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body.grown(-1), wall, Pattern::Sparse);
    // A long canopy over the whole shop front.
    s.iso.addTop(s.sculpt, {0, 1, 1, 7}, 7, Pattern::Ink);
    s.iso.addWallWest(s.sculpt, {0, 1, 1, 7}, 6, 7, Pattern::Paper);
    // Pole sign.
    s.render();
    int ww = 13;
    s.iso.westRect(s.canvas, body, 1, ww - 1, 1, 5, Pattern::Ink);
    s.iso.westRect(s.canvas, body, 2, ww - 2, 2, 5, Pattern::Columns);
    s.iso.westRect(s.canvas, body, 5, 7, 1, 5, Pattern::Ink);
    // Illuminated band with a "24" under the roof line.
    s.iso.westRect(s.canvas, body, 1, ww - 1, 8, 10, Pattern::Ink);
    s.iso.westRect(s.canvas, body, 3, 4, 8, 9, Pattern::Paper);
    s.iso.westRect(s.canvas, body, 6, 7, 8, 9, Pattern::Paper);
    s.iso.westRect(s.canvas, body, 9, 10, 8, 9, Pattern::Paper);
    southWindows(s, body, 2, 4, 4, 2, 3, 3);
    return s.canvas;
}

Canvas BuildingArt::park()
{
    Site s(30);
    // Lawn, a crossing path, a pond, a bench and two round trees.
    s.iso.addGround(s.sculpt, 1, 7, 1, 7, 0, Pattern::Sparse);
    s.iso.addGround(s.sculpt, 3.5, 4.5, 1, 7, 0, Pattern::Paper);
    s.iso.addGround(s.sculpt, 1, 7, 3.5, 4.5, 0, Pattern::Paper);
    s.iso.addGround(s.sculpt, 5, 6.5, 5, 6.5, 0, Pattern::Checker);
    s.iso.addBlock(s.sculpt, {2, 2.5, 5, 6.5}, 0, 2, Pattern::Paper, Pattern::Paper, Pattern::Ink);
    s.render();
    auto treeAt = [&](double i, double j, double r) {
        Point p = s.iso.at(i, j);
        Canvas t(tileWidth, s.canvas.height);
        t.fillRect(static_cast<int>(p.x) - 1, static_cast<int>(p.y) - 4, 2, 4, Black);
        t.fillCircle(p.x, p.y - 4 - r, r, White);
        t.outline(Black);
        for (int y = 0; y < t.height; ++y)
            for (int x = 0; x < t.width; ++x)
                if (t.get(x, y) == White && (x - p.x) + (y - (p.y - 4 - r)) > r * 0.5)
                    t.setPattern(x, y, Pattern::Light);
        s.canvas.blit(t, 0, 0);
    };
    treeAt(6, 2, 4);
    treeAt(2, 2, 3.5);
    return s.canvas;
}

Canvas BuildingArt::tree()
{
    Site s(40);
    Point base = s.iso.at(4, 4);
    Canvas t(tileWidth, s.canvas.height);
    int bx = static_cast<int>(base.x);
    int by = static_cast<int>(base.y);
    // Trunk, then a canopy of overlapping lobes shaded toward the lower right.
    t.fillRect(bx - 2, by - 9, 4, 9, White);
    const double lobes[][3] = {{0, -20, 8}, {-6, -15, 6}, {6, -15, 6.5}, {-3, -26, 5.5}, {4, -25, 5}};
    for (const auto& l : lobes)
        t.fillCircle(bx + l[0], by + l[1], l[2], White);
    t.outline(Black);
    double cx = bx, cy = by - 19;
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x)
        {
            if (t.get(x, y) != White || y > by - 9)
                continue;
            double d = (x - cx) * 0.6 + (y - cy) * 0.8;
            if (d > 5)
                t.setPattern(x, y, Pattern::Checker);
            else if (d > 1)
                t.setPattern(x, y, Pattern::Light);
        }
    t.set(bx + 1, by - 6, Black);
    t.set(bx + 1, by - 3, Black);
    // Leaf marks.
    const int marks[][2] = {{-5, -18}, {-1, -24}, {3, -19}, {-7, -13}, {1, -14}};
    for (const auto& m : marks)
    {
        t.set(bx + m[0], by + m[1], Black);
        t.set(bx + m[0] + 1, by + m[1] - 1, Black);
    }
    // Shadow under the tree.
    for (int x = bx - 6; x <= bx + 7; ++x)
        if (t.get(x, by) == Clear && (x % 2 == 0))
            t.set(x, by, Black);
    s.canvas.blit(t, 0, 0);
    return s.canvas;
}

Canvas BuildingArt::rubble()
{
    Site s(28);
    Rng rng(99);
    // A broken wall stub, then heaps of blocks back to front.
    s.iso.addWallWest(s.sculpt, {5, 6, 1, 4}, 0, 8, Pattern::Bricks);
    s.iso.addWallSouth(s.sculpt, {5, 6, 1, 4}, 0, 6, Pattern::Checker);
    for (int n = 0; n < 16; ++n)
    {
        double i = 1 + rng.below(12) * 0.5;
        double j = 1 + rng.below(12) * 0.5;
        double size = 0.8 + rng.below(3) * 0.4;
        int h = 1 + rng.below(3);
        Pattern top = n % 3 == 0 ? Pattern::Light : Pattern::Paper;
        s.iso.addBlock(s.sculpt, {i, i + size, j, j + size}, 0, h, Pattern::Paper, Pattern::Checker, top);
    }
    s.render();
    // A jagged top on the wall stub.
    Point p = s.iso.at(5, 2, 8);
    s.canvas.set(static_cast<int>(p.x) + 1, static_cast<int>(p.y) - 1, Black);
    s.canvas.set(static_cast<int>(p.x) + 2, static_cast<int>(p.y) - 2, Black);
    return s.canvas;
}

Canvas BuildingArt::waterTower()
{
    Site s(56);
    Point c = s.iso.at(4, 4);
    int cx = static_cast<int>(c.x);
    int cy = static_cast<int>(c.y);
    Canvas t(tileWidth, s.canvas.height);
    // Four legs with cross bracing.
    const int legs[4][2] = {{-9, -1}, {9, -1}, {-4, 3}, {4, 3}};
    for (const auto& l : legs)
        t.line(cx + l[0], cy + l[1], cx + l[0] * 2 / 3, cy - 22, Black);
    t.line(cx - 9, cy - 1, cx + 4, cy - 12, Black);
    t.line(cx + 9, cy - 1, cx - 4, cy - 12, Black);
    t.line(cx - 7, cy - 12, cx + 7, cy - 12, Black);
    // The tank: a drum with an elliptic top and a cone roof.
    Canvas tank(tileWidth, s.canvas.height);
    int top = cy - 34, bottom = cy - 22;
    for (int y = top; y <= bottom + 3; ++y)
        for (int x = cx - 11; x <= cx + 11; ++x)
        {
            double ex = (x + 0.5 - cx) / 11.0;
            double body = y <= bottom && std::fabs(ex) < 1.0;
            double ey = (y + 0.5 - bottom) / 3.5;
            if (body || ex * ex + ey * ey < 1.0)
                tank.setPattern(x, y, ex > 0.35 ? Pattern::Checker : (ex > 0.0 ? Pattern::Light : Pattern::Paper));
        }
    for (int y = top - 9; y <= top + 3; ++y)
        for (int x = cx - 12; x <= cx + 12; ++x)
        {
            double dx = std::fabs(x + 0.5 - cx);
            double coneEdge = top + 3 - (12 - dx) * 0.75;
            double ex = (x + 0.5 - cx) / 12.0;
            double ey = (y + 0.5 - top) / 3.5;
            if ((y >= coneEdge && y <= top) || (ex * ex + ey * ey < 1.0 && y >= top))
                tank.setPattern(x, y, x > cx ? Pattern::Light : Pattern::Paper);
        }
    tank.outline(Black);
    // Bands around the drum and a drop sign.
    for (int x = cx - 10; x <= cx + 10; ++x)
    {
        double ex = (x + 0.5 - cx) / 11.0;
        int sag = static_cast<int>(std::round(3.5 * std::sqrt(std::max(0.0, 1 - ex * ex))));
        tank.set(x, top + 4 + sag, Black);
    }
    tank.fillRect(cx - 4, top + 6, 3, 1, Black);
    tank.fillRect(cx - 5, top + 7, 5, 2, Black);
    tank.fillRect(cx - 4, top + 9, 3, 1, Black);
    tank.set(cx - 3, top + 5, Black);
    t.blit(tank, 0, 0);
    s.canvas.blit(t, 0, 0);
    return s.canvas;
}

Canvas BuildingArt::fireStation()
{
    Site s(42);
    Footprint body{2, 7, 1, 7};
    const int wall = 12;
    s.iso.addWallWest(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body, wall, Pattern::Paper);
    // Hose-drying tower at the back.
    Footprint tower{5, 7, 1, 3};
    s.iso.addBlock(s.sculpt, tower, wall, wall + 10, Pattern::Paper, Pattern::Paper, Pattern::Paper);
    s.iso.addPyramid(s.sculpt, tower.grown(0.3), wall + 10, 4, Pattern::Dark, Pattern::Ink);
    s.render();
    // Two big garage doors with light shutters, and a bell.
    for (int u : {1, 7})
    {
        s.iso.westRect(s.canvas, body, u, u + 5, 1, 9, Pattern::Ink);
        s.iso.westRect(s.canvas, body, u + 1, u + 4, 1, 8, Pattern::Rows);
    }
    s.iso.westRect(s.canvas, body, 0, 13, 10, 11, Pattern::Paper);
    southWindows(s, body, 2, 4, 6, 2, 3, 2);
    Point bell = s.iso.at(5, 2, wall + 6);
    s.canvas.fillRect(static_cast<int>(bell.x) - 2, static_cast<int>(bell.y), 3, 2, Black);
    return s.canvas;
}

Canvas BuildingArt::policeStation()
{
    Site s(42);
    Footprint body{2, 7, 1, 7};
    const int wall = 14;
    s.iso.addWallWest(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body.grown(-1), wall, Pattern::Checker);
    // Columns of a porch in front of the door.
    s.iso.addBlock(s.sculpt, {1, 2, 3, 5}, 0, 1, Pattern::Paper, Pattern::Light, Pattern::Paper);
    s.render();
    // Chequered band (the police stripe) and the blue lamp over the door.
    s.iso.westRect(s.canvas, body, 1, 12, 9, 11, Pattern::Checker);
    s.iso.southRect(s.canvas, body, 1, 10, 9, 11, Pattern::Checker);
    westDoor(s, body, 5, 5);
    westWindows(s, body, 1, 8, 3, 2, 4, 2);
    southWindows(s, body, 1, 4, 3, 2, 4, 3);
    Point lamp = s.iso.at(2, 4, wall);
    int lx = static_cast<int>(lamp.x), ly = static_cast<int>(lamp.y);
    s.canvas.fillRect(lx - 1, ly - 4, 3, 3, White);
    s.canvas.strokeRect(lx - 2, ly - 5, 5, 5, Black);
    s.canvas.set(lx, ly - 3, Black);
    s.canvas.line(lx - 4, ly - 6, lx - 3, ly - 5, Black);
    s.canvas.line(lx + 4, ly - 6, lx + 3, ly - 5, Black);
    s.canvas.set(lx, ly - 7, Black);
    return s.canvas;
}

Canvas BuildingArt::hospital()
{
    Site s(50);
    Footprint body{1, 7, 1, 7};
    const int wall = 22;
    s.iso.addWallWest(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, body, 0, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body, wall, Pattern::Paper);
    s.iso.addTop(s.sculpt, body.grown(-1), wall, Pattern::Sparse);
    s.render();
    // Windows on three floors, a big cross on the west wall and one on the roof.
    for (int v : {3, 9, 15})
    {
        for (int u = 1; u < 12; u += 3)
            if (!(u >= 4 && u <= 8 && v >= 9))
                s.iso.westRect(s.canvas, body, u, u + 2, v, v + 3, Pattern::Ink);
        for (int u = 1; u < 12; u += 3)
            s.iso.southRect(s.canvas, body, u, u + 2, v, v + 3, Pattern::Ink);
    }
    s.iso.westRect(s.canvas, body, 5, 7, 10, 20, Pattern::Ink);
    s.iso.westRect(s.canvas, body, 2, 10, 14, 16, Pattern::Ink);
    s.iso.westRect(s.canvas, body, 3, 9, 1, 2, Pattern::Paper);
    Point c = s.iso.at(4, 4, wall);
    int cx = static_cast<int>(c.x), cy = static_cast<int>(c.y);
    s.canvas.fillRect(cx - 5, cy - 1, 10, 2, Black);
    s.canvas.fillRect(cx - 1, cy - 3, 2, 6, Black);
    return s.canvas;
}

Canvas BuildingArt::pumpingStation()
{
    Site s(34);
    Footprint hall{3, 7, 1, 5};
    const int wall = 9;
    s.iso.addWallWest(s.sculpt, hall, 0, wall, Pattern::Paper);
    s.iso.addWallSouth(s.sculpt, hall, 0, wall, Pattern::Paper);
    s.iso.addGableAlongI(s.sculpt, hall.grown(0.4), wall, 5, Pattern::Ink, Pattern::Paper);
    // A pipe running out of the hall to a round well head.
    s.iso.addBlock(s.sculpt, {1.5, 3, 2.5, 3.5}, 2, 4, Pattern::Paper, Pattern::Light, Pattern::Paper);
    s.render();
    s.iso.westRect(s.canvas, hall, 3, 6, 1, 6, Pattern::Ink);
    southWindows(s, hall, 2, 4, 4, 2, 3, 2);
    Point w = s.iso.at(1.5, 6);
    Canvas well(tileWidth, s.canvas.height);
    for (int y = 0; y < well.height; ++y)
        for (int x = 0; x < well.width; ++x)
        {
            double ex = (x + 0.5 - w.x) / 5.0;
            double top = (y + 0.5 - (w.y - 4)) / 2.5;
            double base = (y + 0.5 - w.y) / 2.5;
            bool drum = std::fabs(ex) < 1 && y >= w.y - 4 && y <= w.y;
            if (ex * ex + top * top < 1)
                well.set(x, y, Black);
            else if (drum || ex * ex + base * base < 1)
                well.setPattern(x, y, ex > 0.3 ? Pattern::Light : Pattern::Paper);
        }
    well.outline(Black);
    s.canvas.blit(well, 0, 0);
    // Ripples in the well.
    s.canvas.fillRect(static_cast<int>(w.x) - 2, static_cast<int>(w.y) - 4, 4, 1, White);
    return s.canvas;
}

Canvas BuildingArt::landfill()
{
    Site s(30);
    Rng rng(5);
    // A dug pit with rubbish heaped in it.
    s.iso.addGround(s.sculpt, 1, 7, 1, 7, 0, Pattern::Light);
    s.iso.addWallWest(s.sculpt, {1, 7, 1, 7}, -2, 0, Pattern::Checker);
    s.iso.addPyramid(s.sculpt, {2, 5.5, 1.5, 5}, 0, 8, Pattern::Paper, Pattern::Checker);
    s.iso.addPyramid(s.sculpt, {4, 6.5, 4, 6.5}, 0, 5, Pattern::Paper, Pattern::Checker);
    s.render();
    // Bin bags on the heaps.
    const double bags[][2] = {{3.5, 2.5}, {2.5, 4.2}, {4.6, 3.6}, {5.2, 5.4}, {4.2, 6.0}, {3.0, 3.2}, {6.0, 4.6}};
    for (const auto& b : bags)
    {
        Point p = s.iso.at(b[0], b[1], 2 + rng.below(3));
        int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
        s.canvas.fillRect(x - 1, y - 2, 3, 2, White);
        s.canvas.strokeRect(x - 2, y - 3, 5, 4, Black);
        s.canvas.set(x - 2, y - 3, Clear);
        s.canvas.set(x + 2, y - 3, Clear);
        s.canvas.set(x, y - 4, Black);
    }
    // A wire fence round the plot: posts and a top wire along the two front sides.
    for (double k = 0.5; k <= 7.5; k += 1.75)
        for (const Point& p : {s.iso.at(0.5, k), s.iso.at(k, 7.5)})
            s.canvas.fillRect(static_cast<int>(p.x), static_cast<int>(p.y) - 5, 1, 5, Black);
    for (double k = 0.5; k <= 7.5; k += 0.5)
        for (const Point& p : {s.iso.at(0.5, k, 4), s.iso.at(k, 7.5, 4)})
            s.canvas.set(static_cast<int>(p.x), static_cast<int>(p.y), Black);
    return s.canvas;
}
