#include "resources/FontDefinition.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

// Parses definition text.
class Parsed
{
public:
    explicit Parsed(const std::string& text) : definition("test")
    {
        std::istringstream in(text);
        definition.read(in);
    }
    size_t count() const { return definition.sets.size(); }
    const FontSet& set(size_t i) const { return *definition.sets.at(i); }

    FontDefinition definition;
};

TEST(FontDefinitionTest, FreshSetValues)
{
    Parsed p("begin\nend\n");
    ASSERT_EQ(p.count(), 1u);
    EXPECT_EQ(p.set(0).rowHeight, 9);
    EXPECT_EQ(p.set(0).rowOffset, 0);
    EXPECT_EQ(p.set(0).lineOffset, 0);
    EXPECT_EQ(p.set(0).letterSpacing, 0);
    EXPECT_EQ(p.set(0).lineSpacing, 0);
    EXPECT_EQ(p.set(0).underlinePosition, 0);
    EXPECT_EQ(p.set(0).rowHeightBitmap, 0);
    EXPECT_TRUE(p.set(0).characters.empty());
    EXPECT_STREQ(p.definition.name, "test");
}

TEST(FontDefinitionTest, EveryKeyReachesItsField)
{
    Parsed p("begin\nrowHeight 11\nrowOffset -2\nlineOffset 3\nletterSpacing 1\n"
             "lineSpacing 2\nunderlinePosition 6\nrowHeightBitmap 12\ncharacters abc\nend\n");
    ASSERT_EQ(p.count(), 1u);
    const FontSet& s = p.set(0);
    EXPECT_EQ(s.rowHeight, 11);
    EXPECT_EQ(s.rowOffset, -2);
    EXPECT_EQ(s.lineOffset, 3);
    EXPECT_EQ(s.letterSpacing, 1);
    EXPECT_EQ(s.lineSpacing, 2);
    EXPECT_EQ(s.underlinePosition, 6);
    EXPECT_EQ(s.rowHeightBitmap, 12);
    EXPECT_EQ(s.characters, u"abc");
}

TEST(FontDefinitionTest, DefaultUnderlineBeforeTheFirstBlock)
{
    Parsed p("underlinePosition 3\nrowHeight 20\nbegin\nend\nbegin\nunderlinePosition 5\nend\n");
    ASSERT_EQ(p.count(), 2u);
    EXPECT_EQ(p.set(0).underlinePosition, 3);
    EXPECT_EQ(p.set(1).underlinePosition, 5);
    // Only underlinePosition counts before the first begin.
    EXPECT_EQ(p.set(0).rowHeight, 9);
}

TEST(FontDefinitionTest, ValuesAndCharacters)
{
    struct Case
    {
        const char* line;
        WideString characters;
        int rowHeight;
    };
    const Case cases[] = {
        {"characters \"a b\"", u"a b", 9},
        {"characters a b", u"a", 9},
        {"characters \"\xC3\xA4\xE2\x82\xAC\"", u"\u00E4\u20AC", 9}, // UTF-8 to 16-bit units
        {"rowHeight 12px", u"", 12},
        {"rowHeight x", u"", 0},
        {"rowHeight -4", u"", -4},
        {"rowHeight 14\r", u"", 14},
        {"RowHeight 14", u"", 9}, // keys are case-sensitive
        {"rowheight 14", u"", 9},
        {"\trowHeight 15", u"", 15},  // tabs vanish before anything else
        {"  rowHeight 15", u"", 9},   // a blank indent makes an empty key
        {"\t// rowHeight 16", u"", 9},
        {"//rowHeight 16", u"", 9},
    };
    for (const Case& c : cases)
    {
        Parsed p(std::string("begin\n") + c.line + "\nend\n");
        ASSERT_EQ(p.count(), 1u) << c.line;
        EXPECT_EQ(p.set(0).characters, c.characters) << c.line;
        EXPECT_EQ(p.set(0).rowHeight, c.rowHeight) << c.line;
    }
}

TEST(FontDefinitionTest, BlocksAndTheirEnds)
{
    // Keys after end still change the set already appended.
    Parsed late("begin\nrowHeight 5\nend\nrowHeight 7\n");
    ASSERT_EQ(late.count(), 1u);
    EXPECT_EQ(late.set(0).rowHeight, 7);

    // A block left open never reaches the font.
    Parsed open("begin\ncharacters a\nend\nbegin\ncharacters b\n");
    ASSERT_EQ(open.count(), 1u);
    EXPECT_EQ(open.set(0).characters, u"a");

    // A begun block replaced by the next begin is dropped.
    Parsed replaced("begin\ncharacters a\nbegin\ncharacters b\nend\n");
    ASSERT_EQ(replaced.count(), 1u);
    EXPECT_EQ(replaced.set(0).characters, u"b");

    // A repeated end keeps one entry.
    Parsed twice("begin\nend\nend\n");
    EXPECT_EQ(twice.count(), 1u);

    // Set order follows the order of the end lines.
    Parsed order("begin\ncharacters a\nend\nbegin\ncharacters b\nend\n");
    ASSERT_EQ(order.count(), 2u);
    EXPECT_EQ(order.set(0).characters, u"a");
    EXPECT_EQ(order.set(1).characters, u"b");

    // begin and end may carry a value.
    Parsed valued("begin 1\ncharacters z\nend 1\n");
    ASSERT_EQ(valued.count(), 1u);
    EXPECT_EQ(valued.set(0).characters, u"z");
}

TEST(FontDefinitionTest, MissingFileGivesNoSets)
{
    FontDefinition definition("x");
    definition.readFile("/nonexistent/fonts/x.dat");
    EXPECT_TRUE(definition.sets.empty());
}

TEST(FontDefinitionTest, LongNameIsCut)
{
    FontDefinition definition(std::string(40, 'n'));
    EXPECT_EQ(std::string(definition.name), std::string(31, 'n'));
}

} // namespace
