#ifndef QUILLFENN_TOOLS_SPRITES_SCULPT_H
#define QUILLFENN_TOOLS_SPRITES_SCULPT_H

#include "Canvas.h"

#include <vector>

// A point in image space; pixel (x, y) covers [x, x + 1) x [y, y + 1).
struct Point
{
    double x;
    double y;
};

// Solid shapes made of flat faces, inked with outlines where faces meet.
// Faces are painted in order (later ones in front); each face later in order
// draws the line where it meets an earlier face or the outside, so every
// crease is one pixel thick and sits on the nearer face.
class Sculpt
{
public:
    // An empty sculpt over a canvas of the given size.
    Sculpt(int w, int h);

    // Adds a convex polygon face with a fill; returns its face index.
    int addFace(const std::vector<Point>& corners, Pattern fill, bool outlined = true);

    // Paints the faces and their outlines onto the canvas (clear pixels stay clear).
    void render(Canvas& canvas) const;

    // The face index at a pixel, 0 for none.
    int faceAt(int x, int y) const;

    // Faces added until endGroup() draw no lines between each other.
    void beginGroup();

    // Back to one group per face.
    void endGroup();

    struct Face
    {
        Pattern fill;
        Pattern rim;
        bool outlined;
        int group;
    };

    int width;
    int height;
    std::vector<int> labels;
    std::vector<Face> faces;
    int openGroup;
};

#endif
