#include "../support/Fixtures.h"

#include "resources/Font.h"
#include "resources/FontDefinition.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace
{

const int bandHeight = 3;

// A font whose sets are given as (characters, top row of the band):
// 'S' separator, '#' glyph pixel, ' ' transparent glyph pixel.
std::unique_ptr<Font> cutFont(const std::vector<std::pair<std::string, std::string>>& sets)
{
    FontDefinition* definition = new FontDefinition("fixture-missing");
    size_t width = 0;
    for (const auto& s : sets)
    {
        FontSet* set = new FontSet();
        set->characters = utf8ToWide(s.first);
        set->rowHeightBitmap = bandHeight;
        definition->sets.push_back(set);
        width = std::max(width, s.second.size());
    }
    sf::Image image;
    image.create(static_cast<unsigned>(width), static_cast<unsigned>(bandHeight * sets.size()),
                 sf::Color::Transparent);
    for (size_t k = 0; k < sets.size(); ++k)
        for (size_t x = 0; x < sets[k].second.size(); ++x)
        {
            char p = sets[k].second[x];
            sf::Color c = p == 'S' ? fixtures::separator
                                   : (p == '#' ? sf::Color::White : sf::Color::Transparent);
            image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(k * bandHeight), c);
        }
    std::unique_ptr<Font> font(new Font(nullptr, definition, false));
    font->cutGlyphs(image);
    return font;
}

// (left, width) of a character's glyph, or (-1, -1) without one.
std::pair<int, int> glyphSpan(const Font& font, char16_t c)
{
    const GlyphRef* ref = font.getGlyph(c);
    if (!ref)
        return {-1, -1};
    const sf::IntRect& r = font.glyphRects[ref->set][ref->glyph];
    return {r.left, r.width};
}

TEST(FontCutTest, GlyphsBetweenSeparators)
{
    struct Case
    {
        const char* name;
        std::string pattern;
        std::string chars;
        std::vector<std::pair<int, int>> spans;
    };
    const Case cases[] = {
        {"one-pixel separators", "S##S#S###S", "abc", {{1, 2}, {4, 1}, {6, 3}}},
        {"a gap of separators is skipped", "S#SSS##S", "ab", {{1, 1}, {5, 2}}},
        {"transparent pixels belong to the glyph", "S # SS  S", "ab", {{1, 3}, {6, 2}}},
        {"the last column is never a glyph", "S###", "a", {{1, 2}}},
        {"characters past the image get nothing", "S#SSSS", "abc", {{1, 1}, {-1, -1}, {-1, -1}}},
        {"a band all separator has no glyphs", "SSSSSS", "ab", {{-1, -1}, {-1, -1}}},
        {"a glyph ending at the last column", "S#S##", "abc", {{1, 1}, {3, 1}, {-1, -1}}},
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<Font> font = cutFont({{c.chars, c.pattern}});
        for (size_t j = 0; j < c.chars.size(); ++j)
            EXPECT_EQ(glyphSpan(*font, c.chars[j]), c.spans[j]) << c.name << ", char " << j;
    }
}

TEST(FontCutTest, BandsStackAndTheLaterSetWins)
{
    std::unique_ptr<Font> font = cutFont({{"ab", "S#S##S"}, {"c", "S###S"}, {"a", "S####S"}});
    const GlyphRef* a = font->getGlyph(u'a');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->set, 2);
    EXPECT_EQ(font->glyphRects[2][0], sf::IntRect(1, 2 * bandHeight, 4, bandHeight));
    const GlyphRef* c = font->getGlyph(u'c');
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(font->glyphRects[1][0], sf::IntRect(1, bandHeight, 3, bandHeight));
    // The earlier rectangle is still cut, only the map points elsewhere.
    EXPECT_EQ(font->glyphRects[0][0], sf::IntRect(1, 0, 1, bandHeight));
    EXPECT_EQ(font->getGlyph(u'z'), nullptr);
}

TEST(FontCutTest, AtMostSixtyFourSets)
{
    std::vector<std::pair<std::string, std::string>> sets(64, {"a", "S#S"});
    sets.push_back({"q", "S#S"});
    testing::internal::CaptureStdout();
    std::unique_ptr<Font> font = cutFont(sets);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("FONT ERROR: Max font sets exceeded (max: 64). Call 911.\n"),
              std::string::npos);
    EXPECT_EQ(font->getGlyph(u'q'), nullptr);
    ASSERT_NE(font->getGlyph(u'a'), nullptr);
    EXPECT_EQ(font->getGlyph(u'a')->set, 63);
}

TEST(FontCutTest, BandBelowTheImageHasNoGlyphs)
{
    FontDefinition* definition = new FontDefinition("fixture-missing");
    for (const char* chars : {"a", "b"})
    {
        FontSet* set = new FontSet();
        set->characters = utf8ToWide(chars);
        set->rowHeightBitmap = 4;
        definition->sets.push_back(set);
    }
    sf::Image image;
    image.create(3, 4, sf::Color::White);
    image.setPixel(0, 0, fixtures::separator);
    Font font(nullptr, definition, false);
    font.cutGlyphs(image);
    EXPECT_NE(font.getGlyph(u'a'), nullptr);
    EXPECT_EQ(font.getGlyph(u'b'), nullptr);
}

TEST(FontTest, MissingImageLeavesAUsableFont)
{
    testing::internal::CaptureStdout();
    Font font(nullptr, new FontDefinition("fixture-missing"), false);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("FONT ERROR: Could not find file: "), std::string::npos);
    EXPECT_NE(log.find("fonts/fixture-missing.png\n"), std::string::npos);
    EXPECT_EQ(font.texture, nullptr);
    EXPECT_EQ(font.measureText("abc"), sf::Vector2i(0, 0));
    EXPECT_EQ(font.getRowHeight(), 0);
    EXPECT_EQ(font.getLineSpacing(), 0);
    EXPECT_EQ(font.wordWrap("a b c", 5), "a b c");
}

class BlockFontTest : public ::testing::Test
{
protected:
    BlockFontTest() : font(fixtures::makeHeadlessBlockFont(nullptr)) {}
    std::unique_ptr<Font> font;
};

TEST_F(BlockFontTest, Measure)
{
    const int r = fixtures::blockRowHeight;
    struct Case
    {
        const char* text;
        sf::Vector2i size;
    };
    const Case cases[] = {
        {"", {0, 0}},
        {"a", {4, r}},
        {"abc", {12, r}},
        {"ii", {6, r}},
        {"{color=red}ab", {8, r}},      // a tag has no width
        {"a{b", {8, r}},                // an unclosed brace without a glyph is skipped
        {"{}", {0, 0}},
        {"ab\ncde", {12, 2 * r}},
        {"ab\n", {8, 2 * r}},           // a trailing break adds a row
        {"ab\n\ncd", {8, 2 * r}},       // a break right after a break adds nothing
        {"\xE2\x82\xAC<>", {0, 0}},       // no known glyphs
    };
    for (const Case& c : cases)
        EXPECT_EQ(font->measureText(c.text), c.size) << c.text;
}

TEST_F(BlockFontTest, UnclosedBraceWithAGlyphIsMeasured)
{
    std::unique_ptr<Font> braces = cutFont({{"{a", "S#S#S"}});
    EXPECT_EQ(braces->measureText("{a").x, 2);
    EXPECT_EQ(braces->measureText("{a}").x, 0);
}

TEST_F(BlockFontTest, WordWrap)
{
    // Every unit advances 4 pixels except 'i' (3).
    struct Case
    {
        const char* text;
        int width;
        const char* wrapped;
    };
    const Case cases[] = {
        {"aa bb cc", 0, "aa bb cc"},
        {"aa bb cc", 20, "aa bb\ncc"},
        {"aa bb cc", 100, "aa bb cc"},
        // The first unit of every new line counts: bbbb fills 16 alone.
        {"aaa bbbb cccc", 16, "aaa\nbbbb\ncccc"},
        // A word longer than the width runs over instead of breaking.
        {"aaaaaaaa b", 12, "aaaaaaaa\nb"},
        {"aaaaaaaa", 12, "aaaaaaaa"},
        // After a line break nothing is dropped and no empty line appears.
        {"ab\ncccccc dd", 16, "ab\ncccccc\ndd"},
        {"ab\n\ncd", 16, "ab\n\ncd"},
        // The last line is emitted even when it ends in a tag or an unknown unit.
        {"aa bb cc{end}", 20, "aa bb\ncc{end}"},
        {"aa bb cc\xE2\x82\xAC", 20, "aa bb\ncc\xE2\x82\xAC"},
        {"aa bb {x}", 20, "aa bb\n{x}"},
        // Tags take no room when deciding the break.
        {"a{long tag}a bb", 20, "a{long tag}a bb"},
        // A blank at the line start is no place to break.
        {" aaaaaa", 12, " aaaaaa"},
        {"", 10, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(font->wordWrap(c.text, c.width), c.wrapped) << c.text << " @" << c.width;
}

TEST_F(BlockFontTest, WrappedLinesFitUnlessOneWordIsTooLong)
{
    const std::string text =
        "the quick brown fox jumps over the lazy dog while five boxing wizards jump quickly";
    for (int width = 8; width <= 120; width += 5)
    {
        std::string wrapped = font->wordWrap(text, width);
        std::string joined;
        for (const std::string& line : split(wrapped, '\n'))
        {
            if (line.find(' ') != std::string::npos)
            {
                EXPECT_LE(font->measureText(line).x, width) << "'" << line << "' @" << width;
            }
            joined += (joined.empty() ? "" : " ") + line;
        }
        EXPECT_EQ(joined, text) << "a unit was lost @" << width;
    }
}

TEST(FontTextTest, UpperCaseKeepsWhatItCannotChange)
{
    EXPECT_EQ(Font::toUpper("Hello, world 42!"), "HELLO, WORLD 42!");
    EXPECT_EQ(Font::toUpper(""), "");
    std::string euro = "\xE2\x82\xAC";
    EXPECT_EQ(Font::toUpper(euro + "a"), euro + "A");
}

} // namespace
