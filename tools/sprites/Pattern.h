#ifndef QUILLFENN_TOOLS_SPRITES_PATTERN_H
#define QUILLFENN_TOOLS_SPRITES_PATTERN_H

// Two-tone fills: each says, for a pixel, whether it is inked (black).
// Periods are chosen so that tiles placed 16 x 8 apart line up.
enum class Pattern
{
    Paper,      // all white
    Ink,        // all black
    Sparse,     // one pixel in eight
    Light,      // one pixel in four
    Checker,    // every other pixel
    Dark,       // three pixels in four
    Rows,       // every other row (siding, shutters)
    Columns,    // every other column
    Bricks      // staggered brick courses
};

// True when the pattern puts ink at (x, y).
bool patternInks(Pattern pattern, int x, int y);

#endif
