#ifndef QUILLFENN_TOOLS_FACEBUILDER_H
#define QUILLFENN_TOOLS_FACEBUILDER_H

#include "FontFace.h"
#include "GlyphArt.h"

// Builds the game's five fonts from the two hand-drawn faces (regular and
// small) and the hand-drawn bold corrections.
class FaceBuilder
{
public:
    // Reads normal.txt, small.txt and bold.txt from the art folder.
    bool loadArt(const std::string& folder);

    // Font 0: the regular face.
    FontFace normal() const;
    // Font 1: the small face.
    FontFace small() const;
    // Font 2: the regular face widened, with hand-drawn corrections.
    FontFace bold() const;
    // Font 3: the small face in black with a white outline, for map labels.
    FontFace numbers() const;
    // Font 4: regular capitals with small capitals for the lower case.
    FontFace mixed() const;

    // Every printable character from first to last, in code order.
    static std::string range(char first, char last);

    // The glyph one pixel heavier: each stroke doubled to the right unless
    // that would close a one-pixel gap.
    static Glyph embolden(const Glyph& glyph);

    // The glyph grown by one pixel on every side, ink ringed with outline.
    static Glyph outline(const Glyph& glyph);

    GlyphArt normalArt;
    GlyphArt smallArt;
    GlyphArt boldFixes;
};

#endif
