#ifndef QUILLFENN_TOOLS_GLYPHART_H
#define QUILLFENN_TOOLS_GLYPHART_H

#include <map>
#include <string>
#include <vector>

// One glyph drawn as rows of characters: '.' blank, '#' ink, 'o' outline.
struct Glyph
{
    std::vector<std::string> rows;

    // Cell width in pixels (0 for an empty glyph).
    int width() const;

    // Cell character at (x, y), '.' outside the drawn rows.
    char at(int x, int y) const;
};

// A face drawn by hand in a text file: a fixed band height and one glyph per
// character.
class GlyphArt
{
public:
    // Reads the art file; false (with a message) on any malformed glyph.
    bool loadFromFile(const std::string& path);

    // The glyph of c, or null.
    const Glyph* find(char c) const;

    int height = 0;
    std::map<char, Glyph> glyphs;
};

#endif
