#include "FaceBuilder.h"

namespace
{

// A face of all printable characters in three bands (by code range), every
// band spaced alike.
FontFace asciiFace(const char* name, int underline, const GlyphArt& art, int rowHeight, int letterSpacing,
                   int lineSpacing)
{
    FontFace face;
    face.name = name;
    face.underlinePosition = underline;
    face.keepColours = false;
    const std::string ranges[] = {FaceBuilder::range(' ', '?'), FaceBuilder::range('@', '_'),
                                  FaceBuilder::range('`', '~')};
    for (const std::string& characters : ranges)
    {
        FontBand& set = face.addSet(characters, art);
        set.rowHeight = rowHeight;
        set.letterSpacing = letterSpacing;
        set.lineSpacing = lineSpacing;
    }
    return face;
}

// A copy of art with every glyph passed through transform.
template <typename Transform>
GlyphArt transformed(const GlyphArt& art, int height, Transform transform)
{
    GlyphArt result;
    result.height = height;
    for (const auto& entry : art.glyphs)
        result.glyphs[entry.first] = transform(entry.second);
    return result;
}

} // namespace

bool FaceBuilder::loadArt(const std::string& folder)
{
    return normalArt.loadFromFile(folder + "/normal.txt") && smallArt.loadFromFile(folder + "/small.txt") &&
           boldFixes.loadFromFile(folder + "/bold.txt");
}

std::string FaceBuilder::range(char first, char last)
{
    std::string text;
    for (char c = first; c <= last; ++c)
        text.push_back(c);
    return text;
}

Glyph FaceBuilder::embolden(const Glyph& glyph)
{
    Glyph heavy;
    if (glyph.width() == 0)
        return glyph;
    for (int y = 0; y < static_cast<int>(glyph.rows.size()); ++y)
    {
        std::string row(glyph.width() + 1, '.');
        for (int x = 0; x < glyph.width(); ++x)
        {
            if (glyph.at(x, y) != '#')
                continue;
            row[x] = '#';
            if (glyph.at(x + 2, y) != '#')
                row[x + 1] = '#';
        }
        heavy.rows.push_back(row);
    }
    return heavy;
}

Glyph FaceBuilder::outline(const Glyph& glyph)
{
    Glyph ringed;
    const int height = static_cast<int>(glyph.rows.size());
    for (int y = -1; y <= height; ++y)
    {
        std::string row;
        for (int x = -1; x <= glyph.width(); ++x)
        {
            char c = glyph.at(x, y);
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    near = near || glyph.at(x + dx, y + dy) == '#';
            row.push_back(c == '#' ? '#' : near ? 'o' : '.');
        }
        ringed.rows.push_back(row);
    }
    return ringed;
}

FontFace FaceBuilder::normal() const
{
    return asciiFace("normal", 8, normalArt, 9, 1, 1);
}

FontFace FaceBuilder::small() const
{
    return asciiFace("small", 6, smallArt, 8, 1, 0);
}

FontFace FaceBuilder::bold() const
{
    GlyphArt art = transformed(normalArt, normalArt.height, embolden);
    for (const auto& fix : boldFixes.glyphs)
        art.glyphs[fix.first] = fix.second;
    return asciiFace("bold", 8, art, 9, 1, 1);
}

FontFace FaceBuilder::numbers() const
{
    // Neighbouring outlines share a column so the labels stay compact.
    FontFace face = asciiFace("numbers", 8, transformed(smallArt, smallArt.height + 2, outline), 9, -1, 0);
    face.keepColours = true;
    return face;
}

FontFace FaceBuilder::mixed() const
{
    FontFace face;
    face.name = "mixed";
    face.underlinePosition = 8;
    face.addSet(range(' ', '`') + range('{', '~'), normalArt);
    // Small capitals: the small face's capitals in a shorter band, lowered
    // onto the regular baseline.
    GlyphArt smallCaps;
    smallCaps.height = 6; // row 5 keeps the tail of Q
    for (char c = 'a'; c <= 'z'; ++c)
    {
        Glyph glyph = *smallArt.find(c - 'a' + 'A');
        glyph.rows.resize(smallCaps.height);
        smallCaps.glyphs[c] = glyph;
    }
    FontBand& lower = face.addSet(range('a', 'z'), smallCaps);
    lower.rowOffset = 2;
    return face;
}
