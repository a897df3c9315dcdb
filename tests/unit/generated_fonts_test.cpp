// Checks the generated font files the way the game reads them: the
// definition's begin..end blocks, and glyphs cut from each band's top row by
// the separator colour at (0, 0).

#include "resources/Utils.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace
{

struct DatSet
{
    WideString characters;
    int rowHeightBitmap = 0;
};

// Blocks in the order of their "end" lines, read with the game's tokenising.
std::vector<DatSet> readDefinition(const std::string& path)
{
    std::vector<DatSet> sets;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    DatSet current;
    bool inSet = false;
    while (std::getline(file, line))
    {
        std::string cleaned;
        for (char c : line)
            if (c != '\t' && c != '\r')
                cleaned.push_back(c);
        if (cleaned.empty() || cleaned.compare(0, 2, "//") == 0)
            continue;
        std::vector<std::string> tokens = splitQuoted(cleaned, ' ');
        const std::string key = tokens[0];
        const std::string value = tokens.size() > 1 ? tokens[1] : "";
        if (key == "begin")
        {
            current = DatSet();
            inSet = true;
        }
        else if (inSet && key == "characters")
            current.characters = utf8ToWide(value);
        else if (inSet && key == "rowHeightBitmap")
            current.rowHeightBitmap = std::atoi(value.c_str());
        else if (inSet && key == "end")
            sets.push_back(current);
    }
    return sets;
}

// Glyph rectangle of each character of a band; width 0 means no glyph.
std::vector<sf::IntRect> cutBand(const sf::Image& image, int top, const DatSet& set)
{
    const int width = static_cast<int>(image.getSize().x);
    const sf::Color separator = image.getPixel(0, 0);
    std::vector<sf::IntRect> rects(set.characters.size());
    int left = 0;
    bool inGap = false;
    for (size_t j = 0; j < set.characters.size(); ++j)
    {
        int x = left + 1;
        bool found = false;
        for (; x < width; ++x)
        {
            const bool isSeparator = image.getPixel(x, top) == separator;
            if (!inGap && (isSeparator || x == width - 1))
            {
                found = true;
                break;
            }
            if (inGap && !isSeparator)
            {
                left = x - 1;
                inGap = false;
            }
        }
        if (!found)
            continue;
        rects[j] = sf::IntRect(left + 1, top, x - left - 1, set.rowHeightBitmap);
        left = x;
        inGap = x + 1 < width && image.getPixel(x + 1, top) == separator;
    }
    return rects;
}

struct LoadedFont
{
    sf::Image image;
    std::vector<DatSet> sets;
    std::map<char16_t, sf::IntRect> glyphs; // later sets win
};

LoadedFont loadFont(const std::string& name)
{
    LoadedFont font;
    const std::string base = std::string(QUILLFENN_RUN_DIR) + "/fonts/" + name;
    font.sets = readDefinition(base + ".dat");
    if (!font.image.loadFromFile(base + ".png"))
        return font;
    int top = 0;
    for (const DatSet& set : font.sets)
    {
        std::vector<sf::IntRect> rects = cutBand(font.image, top, set);
        for (size_t j = 0; j < rects.size(); ++j)
            if (rects[j].width > 0)
                font.glyphs[set.characters[j]] = rects[j];
        top += set.rowHeightBitmap;
    }
    return font;
}

// The glyph's pixels as text, so two glyphs can be compared for equality.
std::string glyphPicture(const LoadedFont& font, char16_t c)
{
    const sf::IntRect r = font.glyphs.at(c);
    std::string picture;
    for (int y = r.top; y < r.top + r.height; ++y)
    {
        for (int x = r.left; x < r.left + r.width; ++x)
            picture.push_back(font.image.getPixel(x, y).a == 0 ? '.' : '#');
        picture.push_back('\n');
    }
    return picture;
}

bool isInk(const sf::Color& pixel)
{
    return pixel.a != 0;
}

struct FontCase
{
    const char* name;
    bool keepColours;
};

const FontCase fontCases[] = {
    {"normal", false}, {"small", false}, {"bold", false}, {"numbers", true}, {"mixed", false},
};

class GeneratedFont : public ::testing::TestWithParam<FontCase>
{
};

TEST_P(GeneratedFont, BandsMatchTheImageAndEveryListedCharacterCutsToAGlyph)
{
    const FontCase& c = GetParam();
    LoadedFont font = loadFont(c.name);
    ASSERT_GT(font.image.getSize().x, 0u) << c.name;
    ASSERT_FALSE(font.sets.empty());

    int bands = 0;
    for (const DatSet& set : font.sets)
        bands += set.rowHeightBitmap;
    EXPECT_EQ(bands, static_cast<int>(font.image.getSize().y));

    const sf::Color separator = font.image.getPixel(0, 0);
    EXPECT_EQ(separator.a, 255);
    EXPECT_NE(separator, sf::Color::White);
    EXPECT_NE(separator, sf::Color::Black);

    int top = 0;
    for (const DatSet& set : font.sets)
    {
        std::vector<sf::IntRect> rects = cutBand(font.image, top, set);
        for (size_t j = 0; j < rects.size(); ++j)
            EXPECT_GT(rects[j].width, 0) << c.name << " character " << static_cast<int>(set.characters[j]);
        top += set.rowHeightBitmap;
    }
}

TEST_P(GeneratedFont, CoversPrintableAsciiWithInkOnlyWherePrinted)
{
    const FontCase& c = GetParam();
    LoadedFont font = loadFont(c.name);
    for (char16_t ch = 32; ch <= 126; ++ch)
    {
        auto it = font.glyphs.find(ch);
        ASSERT_NE(it, font.glyphs.end()) << c.name << " lacks " << static_cast<char>(ch);
        int inkPixels = 0;
        const sf::IntRect r = it->second;
        for (int y = r.top; y < r.top + r.height; ++y)
        {
            for (int x = r.left; x < r.left + r.width; ++x)
            {
                const sf::Color pixel = font.image.getPixel(x, y);
                if (!isInk(pixel))
                    continue;
                ++inkPixels;
                // Only exact white (and black in the kept-colour font) takes the palette.
                const bool recolourable = pixel == sf::Color::White || (c.keepColours && pixel == sf::Color::Black);
                EXPECT_TRUE(recolourable) << c.name << " '" << static_cast<char>(ch) << "' at " << x << "," << y;
            }
        }
        if (ch == ' ')
            EXPECT_EQ(inkPixels, 0) << c.name;
        else
            EXPECT_GT(inkPixels, 0) << c.name << " '" << static_cast<char>(ch) << "' is blank";
    }
}

TEST_P(GeneratedFont, LookAlikeCharactersStayDistinct)
{
    LoadedFont font = loadFont(GetParam().name);
    const char* const groups[] = {"Il1|", "O0o", "S5", "B8", "Z2"};
    for (const char* group : groups)
        for (const char* a = group; *a; ++a)
            for (const char* b = a + 1; *b; ++b)
                EXPECT_NE(glyphPicture(font, *a), glyphPicture(font, *b)) << GetParam().name << ": " << *a << *b;
}

INSTANTIATE_TEST_SUITE_P(AllFonts, GeneratedFont, ::testing::ValuesIn(fontCases),
                         [](const ::testing::TestParamInfo<FontCase>& font) { return std::string(font.param.name); });

TEST(GeneratedFontOutline, NumbersInkIsRingedByWhiteSoLabelsReadOnBothColours)
{
    LoadedFont font = loadFont("numbers");
    const sf::IntRect r = font.glyphs.at(u'8');
    for (int y = r.top; y < r.top + r.height; ++y)
    {
        for (int x = r.left; x < r.left + r.width; ++x)
        {
            if (font.image.getPixel(x, y) != sf::Color::Black)
                continue;
            for (int dy = -1; dy <= 1; ++dy)
            {
                for (int dx = -1; dx <= 1; ++dx)
                {
                    // Neighbours inside the cell are ink or outline, never see-through.
                    const int nx = x + dx, ny = y + dy;
                    ASSERT_TRUE(nx >= r.left && nx < r.left + r.width && ny >= r.top && ny < r.top + r.height);
                    EXPECT_NE(font.image.getPixel(nx, ny).a, 0);
                }
            }
        }
    }
}

} // namespace
