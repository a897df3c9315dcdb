#include "../support/Fixtures.h"

#include "gui/Text.h"

#include <gtest/gtest.h>

namespace
{

const int r = fixtures::blockRowHeight;

class TextWidgetTest : public ::testing::Test
{
protected:
    gui::Text* make(int w = 100, int h = 20)
    {
        text.reset(new gui::Text(&world.game, 0, 0, w, h));
        return text.get();
    }
    fixtures::HeadlessGame world;
    std::unique_ptr<gui::Text> text;
};

TEST_F(TextWidgetTest, SameTextIsLaidOutOnce)
{
    gui::Text* t = make();
    t->autoHeight = true;
    t->setText("ab\ncd");
    EXPECT_EQ(t->height, 2 * r);
    // A stale height shows whether a second layout ran.
    t->height = 99;
    t->setText("ab\ncd");
    EXPECT_EQ(t->height, 99);
    t->setText("ab");
    EXPECT_EQ(t->height, r);
    // Angle brackets are stored as braces, so the same tag text is not laid out again either.
    t->setText("a<b>");
    t->height = 99;
    t->setText("a<b>");
    EXPECT_EQ(t->height, 99);
}

TEST_F(TextWidgetTest, AngleBracketsBecomeTagsWithoutWidth)
{
    gui::Text* t = make();
    t->setText("a<color>b</color>");
    EXPECT_EQ(t->text, "a{color}b{/color}");
    ASSERT_EQ(t->lineSizes.size(), 1u);
    EXPECT_EQ(t->lineSizes[0], sf::Vector2i(8, r));
}

TEST_F(TextWidgetTest, LinesSizesAndFlags)
{
    gui::Text* t = make(20, 20);
    t->setText("ab\nabc\n\na");
    EXPECT_EQ(t->lines, (std::vector<std::string>{"ab", "abc", "", "a"}));
    EXPECT_EQ(t->getTextSize(), sf::Vector2i(12, 4 * r));

    // Flag 1 wraps to the widget width, flag 2 upper-cases.
    t->setText("aa bb cc", gui::Text::WrapText);
    EXPECT_EQ(t->lines, (std::vector<std::string>{"aa bb", "cc"}));
    t->setText("aa bb cc", gui::Text::UpperCase);
    EXPECT_EQ(t->lines, (std::vector<std::string>{"AA BB CC"}));
    t->setText("aa bb cc", gui::Text::WrapText | gui::Text::UpperCase);
    EXPECT_EQ(t->lines, (std::vector<std::string>{"AA BB", "CC"}));

    // The wordWrap member wraps every text.
    t->wordWrap = true;
    t->setText("dd ee ff");
    EXPECT_EQ(t->lines, (std::vector<std::string>{"dd ee", "ff"}));
}

TEST_F(TextWidgetTest, MaxLinesShowsTheLastLines)
{
    gui::Text* t = make();
    t->maxLines = 2;
    t->autoHeight = true;
    t->setText("1\n2\n3\n4\n5");
    EXPECT_EQ(t->firstShownLine(), 3u);
    EXPECT_EQ(t->lines[t->firstShownLine()], "4");
    EXPECT_EQ(t->height, 2 * r);
    t->setText("1");
    EXPECT_EQ(t->firstShownLine(), 0u);
}

TEST_F(TextWidgetTest, AutoHeightOfAnEmptyTextIsZero)
{
    gui::Text* t = make(100, 30);
    t->autoHeight = true;
    t->setText("x");
    t->setText("");
    EXPECT_EQ(t->height, 0);
    EXPECT_EQ(t->getTextSize(), sf::Vector2i(0, 0));
}

TEST_F(TextWidgetTest, BadFontIndexMeasuresNothing)
{
    gui::Text* t = make();
    t->autoHeight = true;
    t->setFont(9);
    t->setText("abc", gui::Text::WrapText);
    EXPECT_EQ(t->getFont(), nullptr);
    EXPECT_EQ(t->getTextSize(), sf::Vector2i(0, 0));
    EXPECT_EQ(t->height, 0);

    // Back to a real font: the text is measured again.
    t->setFont(1);
    EXPECT_EQ(t->getTextSize(), sf::Vector2i(12, r));

    // No font manager at all is just as safe.
    gui::Text orphan(nullptr, 0, 0, 10, 10);
    orphan.setText("abc");
    EXPECT_EQ(orphan.getTextSize(), sf::Vector2i(0, 0));
}

} // namespace
