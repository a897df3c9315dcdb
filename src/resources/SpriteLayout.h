#ifndef QUILLFENN_RESOURCES_SPRITELAYOUT_H
#define QUILLFENN_RESOURCES_SPRITELAYOUT_H

// Facts about the generated sprites that the drawing code relies on
// (tools/sprites/LAYOUT.md describes them in full).

// Frames of "fire_animation", side by side; frame k is the rectangle (34k, 0, 34, height).
constexpr int fireFrameCount = 6;
constexpr int fireFrameWidth = 34;

// "ui/needs_icons" holds square icons of this size side by side: water, shopping, jobs.
constexpr int needsIconSize = 8;

// The window frame sheets are cut 9 | 1 | 9 pixels both ways.
constexpr int nineSliceEdge = 9;
constexpr int nineSliceMiddle = 1;
constexpr int nineSliceSize = 2 * nineSliceEdge + nineSliceMiddle;

// The road piece for a road tile with road neighbours at north (y - 1),
// south (y + 1), west (x - 1) and east (x + 1).
inline const char* roadSpriteName(bool north, bool south, bool west, bool east)
{
    // Indexed by north | south << 1 | west << 2 | east << 3.
    static const char* const names[16] = {
        "road1",      // none: a lone piece lies west-east
        "road2_end1", // north
        "road2_end2", // south
        "road2",      // north, south
        "road1_end1", // west
        "road6",      // north, west
        "road5",      // south, west
        "road8",      // north, south, west
        "road1_end2", // east
        "road3",      // north, east
        "road4",      // south, east
        "road10",     // north, south, east
        "road1",      // west, east
        "road9",      // north, west, east
        "road7",      // south, west, east
        "road11",     // all four
    };
    return names[(north ? 1 : 0) | (south ? 2 : 0) | (west ? 4 : 0) | (east ? 8 : 0)];
}

#endif
