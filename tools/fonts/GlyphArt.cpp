#include "GlyphArt.h"

#include <cstdio>
#include <fstream>

int Glyph::width() const
{
    return rows.empty() ? 0 : static_cast<int>(rows[0].size());
}

char Glyph::at(int x, int y) const
{
    if (y < 0 || y >= static_cast<int>(rows.size()) || x < 0 || x >= width())
        return '.';
    return rows[y][x];
}

namespace
{

bool isArtRow(const std::string& line)
{
    if (line.empty())
        return false;
    for (char c : line)
        if (c != '.' && c != '#' && c != 'o')
            return false;
    return true;
}

// Pads the glyph to the band height and checks that its rows line up.
bool finishGlyph(char c, Glyph& glyph, int height, const std::string& path)
{
    if (glyph.rows.empty() || static_cast<int>(glyph.rows.size()) > height)
    {
        std::printf("%s: glyph '%c' has %d rows (band is %d)\n", path.c_str(), c,
                    static_cast<int>(glyph.rows.size()), height);
        return false;
    }
    for (const std::string& row : glyph.rows)
    {
        if (static_cast<int>(row.size()) != glyph.width())
        {
            std::printf("%s: glyph '%c' has rows of different widths\n", path.c_str(), c);
            return false;
        }
    }
    while (static_cast<int>(glyph.rows.size()) < height)
        glyph.rows.push_back(std::string(glyph.width(), '.'));
    return true;
}

} // namespace

bool GlyphArt::loadFromFile(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
    {
        std::printf("Cannot open glyph art %s\n", path.c_str());
        return false;
    }
    glyphs.clear();
    height = 0;
    std::string line;
    char current = 0;
    bool open = false;
    while (std::getline(file, line))
    {
        if (line.compare(0, 2, "//") == 0)
            continue;
        if (line.compare(0, 7, "height ") == 0)
        {
            height = std::stoi(line.substr(7));
            continue;
        }
        if (!line.empty() && line[0] == '=')
        {
            if (open && !finishGlyph(current, glyphs[current], height, path))
                return false;
            current = line == "=space" ? ' ' : (line.size() == 2 ? line[1] : 0);
            if (current == 0)
            {
                std::printf("%s: bad glyph header '%s'\n", path.c_str(), line.c_str());
                return false;
            }
            glyphs[current] = Glyph();
            open = true;
            continue;
        }
        if (open && isArtRow(line))
            glyphs[current].rows.push_back(line);
        else if (!line.empty())
        {
            std::printf("%s: stray line '%s'\n", path.c_str(), line.c_str());
            return false;
        }
    }
    if (open && !finishGlyph(current, glyphs[current], height, path))
        return false;
    return height > 0;
}

const Glyph* GlyphArt::find(char c) const
{
    auto it = glyphs.find(c);
    return it == glyphs.end() ? nullptr : &it->second;
}
