#include "FontFace.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

const sf::Color FontFace::separator(255, 0, 255);

FontBand& FontFace::addSet(const std::string& characters, const GlyphArt& art)
{
    FontBand set;
    set.bandHeight = art.height;
    for (char c : characters)
    {
        const Glyph* glyph = art.find(c);
        if (!glyph)
        {
            std::printf("font %s: no glyph for '%c'\n", name.c_str(), c);
            continue;
        }
        set.characters.push_back(c);
        set.glyphs.push_back(*glyph);
    }
    sets.push_back(set);
    return sets.back();
}

sf::Image FontFace::makeImage() const
{
    unsigned width = 1;
    unsigned height = 0;
    for (const FontBand& set : sets)
    {
        unsigned bandWidth = 1;
        for (const Glyph& glyph : set.glyphs)
            bandWidth += glyph.width() + 1;
        width = std::max(width, bandWidth);
        height += set.bandHeight;
    }
    sf::Image image;
    image.create(width, height, separator);
    const sf::Color ink = keepColours ? sf::Color::Black : sf::Color::White;
    unsigned top = 0;
    for (const FontBand& set : sets)
    {
        unsigned left = 1;
        for (const Glyph& glyph : set.glyphs)
        {
            for (int y = 0; y < set.bandHeight; ++y)
            {
                for (int x = 0; x < glyph.width(); ++x)
                {
                    char c = glyph.at(x, y);
                    sf::Color colour = c == '#' ? ink : c == 'o' ? sf::Color::White : sf::Color::Transparent;
                    image.setPixel(left + x, top + y, colour);
                }
            }
            left += glyph.width() + 1;
        }
        top += set.bandHeight;
    }
    return image;
}

namespace
{

// The definition reader drops double quotes and reads '#' as a blank, so
// those two are written as two-byte sequences that still decode to them.
std::string quotedCharacters(const std::string& characters)
{
    std::string text = "\"";
    for (char c : characters)
    {
        if (c == '"')
            text += "\xC0\xA2";
        else if (c == '#')
            text += "\xC0\xA3";
        else
            text += c;
    }
    return text + "\"";
}

} // namespace

std::string FontFace::makeDefinition() const
{
    std::string text = "// Quillfenn font \"" + name + "\": one block per band of " + name + ".png, top to bottom.\n";
    text += "underlinePosition " + std::to_string(underlinePosition) + "\n";
    for (const FontBand& set : sets)
    {
        text += "\nbegin\n";
        text += "\tcharacters " + quotedCharacters(set.characters) + "\n";
        text += "\trowHeight " + std::to_string(set.rowHeight) + "\n";
        text += "\trowHeightBitmap " + std::to_string(set.bandHeight) + "\n";
        text += "\trowOffset " + std::to_string(set.rowOffset) + "\n";
        text += "\tlineOffset 0\n";
        text += "\tletterSpacing " + std::to_string(set.letterSpacing) + "\n";
        text += "\tlineSpacing " + std::to_string(set.lineSpacing) + "\n";
        text += "end\n";
    }
    return text;
}

bool FontFace::save(const std::string& folder) const
{
    const std::string base = folder + "/" + name;
    if (!makeImage().saveToFile(base + ".png"))
        return false;
    std::ofstream file(base + ".dat", std::ios::binary);
    file << makeDefinition();
    return static_cast<bool>(file);
}
