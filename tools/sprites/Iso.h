#ifndef QUILLFENN_TOOLS_SPRITES_ISO_H
#define QUILLFENN_TOOLS_SPRITES_ISO_H

#include "Sculpt.h"

// A rectangle of ground in grid steps: a tile is 8 steps along each axis,
// i growing toward the tile's x + 1 neighbour (up-right on screen) and
// j toward its y + 1 neighbour (down-right).
struct Footprint
{
    double i0;
    double i1;
    double j0;
    double j1;

    // The footprint grown by d steps on every side.
    Footprint grown(double d) const;
};

// Isometric geometry of one 34 x 17 tile box placed inside a canvas.
// One grid step moves 2 pixels across and 1 pixel up or down, so every
// ground edge is a clean 2:1 stair; z is the height in pixels.
class Iso
{
public:
    // A tile box with its top-left corner at (cornerX, cornerY) of the canvas.
    Iso(int cornerX, int cornerY);

    // The tile box at the bottom of a canvas of the given height.
    static Iso bottomOf(int canvasHeight);

    // Centre of the pixel pair that grid point (i, j) occupies, raised by z.
    Point at(double i, double j, double z = 0) const;

    // Corners of a footprint at height z: west (left), north (top), east (right), south (bottom).
    Point left(const Footprint& f, double z = 0) const;
    Point top(const Footprint& f, double z = 0) const;
    Point right(const Footprint& f, double z = 0) const;
    Point bottom(const Footprint& f, double z = 0) const;

    // The flat top of a footprint at height z.
    int addTop(Sculpt& sculpt, const Footprint& f, double z, Pattern fill, bool outlined = true) const;

    // The wall on the footprint's lower-left side (facing x - 1), from height z0 to z1.
    int addWallWest(Sculpt& sculpt, const Footprint& f, double z0, double z1, Pattern fill) const;

    // The wall on the footprint's lower-right side (facing y + 1), from height z0 to z1.
    int addWallSouth(Sculpt& sculpt, const Footprint& f, double z0, double z1, Pattern fill) const;

    // A box: both visible walls and its top.
    void addBlock(Sculpt& sculpt, const Footprint& f, double z0, double z1, Pattern west, Pattern south,
                  Pattern roof) const;

    // A gable roof whose ridge runs along i; the gable end sits over the west wall.
    void addGableAlongI(Sculpt& sculpt, const Footprint& f, double z, double rise, Pattern slope, Pattern gable) const;

    // A gable roof whose ridge runs along j; the gable end sits over the south wall.
    void addGableAlongJ(Sculpt& sculpt, const Footprint& f, double z, double rise, Pattern slope, Pattern gable) const;

    // A four-sided pyramid roof.
    void addPyramid(Sculpt& sculpt, const Footprint& f, double z, double rise, Pattern west, Pattern south) const;

    // Image row of the west wall's base at image column x (for details on that wall).
    int westBase(const Footprint& f, int x) const;

    // Image row of the south wall's base at image column x.
    int southBase(const Footprint& f, int x) const;

    // First image column of the west wall and of the south wall.
    int westStart(const Footprint& f) const;
    int southStart(const Footprint& f) const;

    // Paints a rectangle on the west wall: columns u0..u1-1 from the wall's first
    // column, rows v0..v1-1 above the wall's base.
    void westRect(Canvas& canvas, const Footprint& f, int u0, int u1, int v0, int v1, Pattern pattern) const;

    // The same on the south wall, u counted from the corner.
    void southRect(Canvas& canvas, const Footprint& f, int u0, int u1, int v0, int v1, Pattern pattern) const;

    // A flat quadrilateral lying on the ground (a path, a pond) at height z.
    int addGround(Sculpt& sculpt, double i0, double i1, double j0, double j1, double z, Pattern fill,
                  bool outlined = true) const;

    int boxX;
    int boxY;

private:
    // Rows v0..v1-1 above a wall's base row at column x.
    static void paintColumn(Canvas& canvas, int x, int base, int v0, int v1, Pattern pattern);
};

#endif
