#include "Iso.h"

#include <cmath>

namespace
{
Point lerp(const Point& a, const Point& b, double t)
{
    return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Point raised(const Point& p, double dz)
{
    return Point{p.x, p.y - dz};
}
} // namespace

Footprint Footprint::grown(double d) const
{
    return Footprint{i0 - d, i1 + d, j0 - d, j1 + d};
}

Iso::Iso(int cornerX, int cornerY) :
boxX(cornerX),
boxY(cornerY)
{
}

Iso Iso::bottomOf(int canvasHeight)
{
    return Iso(0, canvasHeight - 17);
}

Point Iso::at(double i, double j, double z) const
{
    return Point{boxX + 2 * (i + j) + 1, boxY + 8 - i + j + 0.5 - z};
}

Point Iso::left(const Footprint& f, double z) const
{
    Point p = at(f.i0, f.j0, z);
    return Point{p.x - 1, p.y};
}

Point Iso::top(const Footprint& f, double z) const
{
    Point p = at(f.i1, f.j0, z);
    return Point{p.x, p.y - 0.5};
}

Point Iso::right(const Footprint& f, double z) const
{
    Point p = at(f.i1, f.j1, z);
    return Point{p.x + 1, p.y};
}

Point Iso::bottom(const Footprint& f, double z) const
{
    Point p = at(f.i0, f.j1, z);
    return Point{p.x, p.y + 0.5};
}

int Iso::addTop(Sculpt& sculpt, const Footprint& f, double z, Pattern fill, bool outlined) const
{
    return sculpt.addFace({left(f, z), top(f, z), right(f, z), bottom(f, z)}, fill, outlined);
}

int Iso::addWallWest(Sculpt& sculpt, const Footprint& f, double z0, double z1, Pattern fill) const
{
    return sculpt.addFace({left(f, z1), bottom(f, z1), bottom(f, z0), left(f, z0)}, fill);
}

int Iso::addWallSouth(Sculpt& sculpt, const Footprint& f, double z0, double z1, Pattern fill) const
{
    return sculpt.addFace({bottom(f, z1), right(f, z1), right(f, z0), bottom(f, z0)}, fill);
}

void Iso::addBlock(Sculpt& sculpt, const Footprint& f, double z0, double z1, Pattern west, Pattern south,
                   Pattern roof) const
{
    addWallWest(sculpt, f, z0, z1, west);
    addWallSouth(sculpt, f, z0, z1, south);
    addTop(sculpt, f, z1, roof);
}

void Iso::addGableAlongI(Sculpt& sculpt, const Footprint& f, double z, double rise, Pattern slope,
                         Pattern gable) const
{
    Point apexWest = raised(lerp(left(f, z), bottom(f, z), 0.5), rise);
    Point apexEast = raised(lerp(top(f, z), right(f, z), 0.5), rise);
    sculpt.addFace({apexWest, apexEast, right(f, z), bottom(f, z)}, slope);
    sculpt.addFace({left(f, z), apexWest, bottom(f, z)}, gable);
}

void Iso::addGableAlongJ(Sculpt& sculpt, const Footprint& f, double z, double rise, Pattern slope,
                         Pattern gable) const
{
    Point ridgeNorth = raised(lerp(left(f, z), top(f, z), 0.5), rise);
    Point ridgeSouth = raised(lerp(bottom(f, z), right(f, z), 0.5), rise);
    sculpt.addFace({left(f, z), ridgeNorth, ridgeSouth, bottom(f, z)}, slope);
    sculpt.addFace({bottom(f, z), ridgeSouth, right(f, z)}, gable);
}

void Iso::addPyramid(Sculpt& sculpt, const Footprint& f, double z, double rise, Pattern west, Pattern south) const
{
    Point apex = raised(lerp(left(f, z), right(f, z), 0.5), rise);
    sculpt.addFace({left(f, z), apex, bottom(f, z)}, west);
    sculpt.addFace({bottom(f, z), apex, right(f, z)}, south);
}

int Iso::westBase(const Footprint& f, int x) const
{
    int i0 = static_cast<int>(std::floor(f.i0));
    return boxY + 8 - 2 * i0 + static_cast<int>(std::floor((x - boxX) / 2.0));
}

int Iso::southBase(const Footprint& f, int x) const
{
    int j1 = static_cast<int>(std::floor(f.j1));
    return boxY + 8 + 2 * j1 - static_cast<int>(std::floor((x - boxX) / 2.0));
}

int Iso::westStart(const Footprint& f) const
{
    return boxX + 2 * static_cast<int>(std::floor(f.i0 + f.j0));
}

int Iso::southStart(const Footprint& f) const
{
    return boxX + 2 * static_cast<int>(std::floor(f.i0 + f.j1)) + 1;
}

void Iso::westRect(Canvas& canvas, const Footprint& f, int u0, int u1, int v0, int v1, Pattern pattern) const
{
    for (int u = u0; u < u1; ++u)
        paintColumn(canvas, westStart(f) + u, westBase(f, westStart(f) + u), v0, v1, pattern);
}

void Iso::southRect(Canvas& canvas, const Footprint& f, int u0, int u1, int v0, int v1, Pattern pattern) const
{
    for (int u = u0; u < u1; ++u)
        paintColumn(canvas, southStart(f) + u, southBase(f, southStart(f) + u), v0, v1, pattern);
}

void Iso::paintColumn(Canvas& canvas, int x, int base, int v0, int v1, Pattern pattern)
{
    for (int v = v0; v < v1; ++v)
        canvas.setPattern(x, base - v, pattern);
}

int Iso::addGround(Sculpt& sculpt, double i0, double i1, double j0, double j1, double z, Pattern fill,
                   bool outlined) const
{
    return addTop(sculpt, Footprint{i0, i1, j0, j1}, z, fill, outlined);
}
