#ifndef QUILLFENN_TOOLS_FONTFACE_H
#define QUILLFENN_TOOLS_FONTFACE_H

#include "GlyphArt.h"

#include <SFML/Graphics/Image.hpp>

#include <string>
#include <vector>

// One band of the font image and its begin..end block in the definition.
struct FontBand
{
    std::string characters;    // in the left-to-right order of the glyphs
    std::vector<Glyph> glyphs; // one per character
    int bandHeight = 0;
    int rowHeight = 9;
    int rowOffset = 0;
    int letterSpacing = 1;
    int lineSpacing = 0;
};

// A whole font as the game loads it: fonts/<name>.dat and fonts/<name>.png.
class FontFace
{
public:
    // The separator colour, written at (0, 0) of every font image.
    static const sf::Color separator;

    // Adds a set of the given characters, taking each glyph from art.
    FontBand& addSet(const std::string& characters, const GlyphArt& art);

    // The glyph image: bands stacked in set order, glyphs between separator columns.
    sf::Image makeImage() const;

    // The text of the definition file.
    std::string makeDefinition() const;

    // Writes <folder>/<name>.png and <folder>/<name>.dat; false on failure.
    bool save(const std::string& folder) const;

    std::string name;
    int underlinePosition = 0;
    bool keepColours = false; // ink drawn black with a white outline
    std::vector<FontBand> sets;
};

#endif
