#ifndef QUILLFENN_TOOLS_SPRITES_PIXELFONT_H
#define QUILLFENN_TOOLS_SPRITES_PIXELFONT_H

#include "Canvas.h"

#include <string>

// Two tiny built-in bitmap fonts (3 x 5 and 5 x 7), upper case, digits and a
// little punctuation; lower-case letters are drawn as capitals.
class PixelFont
{
public:
    // The 3 x 5 font (true) or the 5 x 7 font (false).
    explicit PixelFont(bool small);

    // Draws text with its top-left at (x, y), each font pixel scale x scale; returns the width drawn.
    int draw(Canvas& canvas, int x, int y, const std::string& text, Tone tone, int scale = 1) const;

    // Width of the text in canvas pixels at the given scale.
    int measure(const std::string& text, int scale = 1) const;

    // True when font pixel (col, row) of the character is set.
    bool pixel(char c, int col, int row) const;

    int glyphWidth;
    int glyphHeight;
    bool tiny;
};

#endif
