// Inputs that once broke the font, settings, text and save file readers,
// kept under tests/data/fuzz/<reader>/ (the same files seed the fuzz targets
// of fuzz/). A glyph input is a font definition, a NUL byte and the font
// image; a save file input is a slot file.

#include "SaveFixture.h"

#include "resources/Font.h"
#include "resources/FontDefinition.h"
#include "resources/Utils.h"
#include "simulation/SaveFile.h"

#include <gtest/gtest.h>

#include <cmath>

#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace
{

std::string readData(const std::string& relative)
{
    std::ifstream file(std::string(QUILLFENN_TEST_DATA) + "/fuzz/" + relative, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

// The font a glyph input describes, cut as the game cuts it; the image and
// the definition text stay with the caller when asked for.
std::unique_ptr<Font> fontFromInput(const std::string& relative, sf::Image* imageOut = nullptr,
                                    std::string* textOut = nullptr)
{
    std::string input = readData(relative);
    size_t nul = input.find('\0');
    if (nul == std::string::npos)
        return nullptr;
    FontDefinition* definition = new FontDefinition("fixture-missing");
    std::istringstream text(input.substr(0, nul));
    definition->read(text);
    testing::internal::CaptureStdout(); // the missing image's log line
    std::unique_ptr<Font> font(new Font(nullptr, definition, false));
    testing::internal::GetCapturedStdout();
    sf::Image image;
    if (!image.loadFromMemory(input.data() + nul + 1, input.size() - nul - 1))
        return nullptr;
    font->cutGlyphs(image);
    if (imageOut)
        *imageOut = image;
    if (textOut)
        *textOut = input.substr(0, nul);
    return font;
}

// Every glyph input, whatever its fault was: each glyph lies inside its band
// of the image, sizes are never negative and wrapping keeps every unit.
TEST(FuzzFindings, EveryGlyphInputCutsInsideTheImage)
{
    const std::filesystem::path dir = std::filesystem::path(QUILLFENN_TEST_DATA) / "fuzz" / "glyphs";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
    {
        const std::string name = "glyphs/" + entry.path().filename().string();
        sf::Image image;
        std::string text;
        std::unique_ptr<Font> font = fontFromInput(name, &image, &text);
        ASSERT_NE(font, nullptr) << name;
        ++inputs;
        const int width = static_cast<int>(image.getSize().x);
        const int height = static_cast<int>(image.getSize().y);
        for (const auto& glyph : font->charMap)
        {
            const sf::IntRect& r = font->glyphRects[glyph.second->set].at(glyph.second->glyph);
            EXPECT_TRUE(r.left >= 1 && r.width >= 1 && r.left + r.width < width) << name;
            EXPECT_TRUE(r.top >= 0 && r.top < height) << name;
        }
        sf::Vector2i size = font->measureText(text);
        EXPECT_TRUE(size.x >= 0 && size.y >= 0) << name;
        // A unit 0 (from an overlong sequence) ends a wrapped text.
        WideString in = utf8ToWide(text), out = utf8ToWide(font->wordWrap(text, 7));
        EXPECT_EQ(out.substr(0, out.find(u'\0')).size(), in.substr(0, in.find(u'\0')).size()) << name;
    }
    EXPECT_GE(inputs, 3);
}

// Band "S#S##S#S###S": a 1, blank 2, b 1 and { 3 pixels wide.
TEST(FuzzFindings, HugeMetricsSaturateInsteadOfOverflowing)
{
    std::unique_ptr<Font> font = fontFromInput("glyphs/metrics-overflow");
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->definition->sets.size(), 2u);
    ASSERT_NE(font->getGlyph(u'a'), nullptr);
    // The second band starts far below the image.
    EXPECT_EQ(font->getGlyph(u'c'), nullptr);
    EXPECT_EQ(font->measureText("a"), sf::Vector2i(INT_MAX, 9));
    EXPECT_EQ(font->measureText("ab{ab"), sf::Vector2i(INT_MAX, 9));
    EXPECT_EQ(font->measureText("\n\n"), sf::Vector2i(0, 0));
    EXPECT_EQ(font->wordWrap("ab ab ab", 10), "ab\nab\nab");
}

TEST(FuzzFindings, UnclosedBracesMeasureAsGlyphs)
{
    std::unique_ptr<Font> font = fontFromInput("glyphs/unclosed-braces");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->getGlyph(u'{'), nullptr);
    const int pairs = 3000;
    std::string text;
    for (int i = 0; i < pairs; ++i)
        text += "{ ";
    EXPECT_EQ(font->measureText(text), sf::Vector2i(pairs * 5, 9));
    // One closing brace at the end makes the whole text one tag.
    EXPECT_EQ(font->measureText(text + "}"), sf::Vector2i(0, 0));
    EXPECT_EQ(font->measureText("a{" + text + "}b"), sf::Vector2i(2, 9));

    // "{ {" fills 8 of 10 pixels; the next brace breaks the line at the blank.
    std::string wrapped = font->wordWrap(text, 10);
    std::vector<std::string> lines = split(wrapped, '\n');
    ASSERT_EQ(lines.size(), static_cast<size_t>(pairs / 2));
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        ASSERT_EQ(lines[i], "{ {") << "line " << i;
    EXPECT_EQ(lines.back(), "{ { ");
}

// A band of more glyphs than a glyph index can count: the ones past it get
// no glyph rather than an index that points before the list.
TEST(FuzzFindings, GlyphsPastTheSixteenBitIndexAreLeftOut)
{
    const unsigned glyphs = 32770;
    const sf::Color separator(255, 0, 255);
    sf::Image image;
    image.create(2 * glyphs + 2, 1, sf::Color::White);
    for (unsigned x = 0; x < image.getSize().x; x += 2)
        image.setPixel(x, 0, separator);

    FontDefinition* definition = new FontDefinition("fixture-missing");
    FontSet* set = new FontSet();
    set->rowHeightBitmap = 1;
    for (unsigned j = 0; j < glyphs; ++j)
        set->characters.push_back(static_cast<char16_t>(0x100 + j));
    definition->sets.push_back(set);
    testing::internal::CaptureStdout();
    Font font(nullptr, definition, false);
    testing::internal::GetCapturedStdout();
    font.cutGlyphs(image);

    const GlyphRef* last = font.getGlyph(static_cast<char16_t>(0x100 + 32767));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->glyph, 32767);
    EXPECT_EQ(font.glyphRects[0][32767], sf::IntRect(2 * 32767 + 1, 0, 1, 1));
    for (unsigned j = 32768; j < glyphs; ++j)
        EXPECT_EQ(font.getGlyph(static_cast<char16_t>(0x100 + j)), nullptr) << j;
    EXPECT_EQ(font.measureText(wideToUtf8(set->characters)), sf::Vector2i(32768, 9));
}

// Save files whose numbers the loader once took in and the days then broke
// on: not numbers at all (nan, inf), beyond any city, outside a share or a
// capacity, or a day the next day no longer counts.
class SaveFileFindings : public SaveTest
{
protected:
    // The running city a refused file must leave alone.
    void SetUp() override
    {
        SaveTest::SetUp();
        housesAlongRoad();
        game.day = 40;
        city.takeLoan(300);
    }

    std::string loadInput(const std::string& name)
    {
        writeSlot(1, readData("save_file/" + name));
        testing::internal::CaptureStdout();
        bool loaded = game.loadGame(1);
        std::string log = testing::internal::GetCapturedStdout();
        return loaded ? "" : log;
    }

    void passDays(int days)
    {
        for (int i = 0; i < days; ++i)
        {
            ASSERT_NE(game.nextDay(), 0);
            ASSERT_TRUE(finishDayWithin(game, 10000));
        }
    }
};

TEST_F(SaveFileFindings, AbsurdNumbersAreRefusedAndChangeNothing)
{
    struct Case
    {
        const char* input;
        const char* shown;
    };
    const Case cases[] = {
        {"money-nan", "line 3: field 1 of the \"city info\" line is out of range: \"nan\""},
        {"book-infinite", "line 11: field 4 of the \"current month expenses\" line is out of range"},
        {"growth-huge", "line 17: field 9 of the \"house\" line is out of range: \"1e308\""},
        {"residents-over-capacity", "a house for 3 cannot hold 9 residents"},
        {"landfill-overfull", "a landfill for 10000 cannot be filled that far"},
        {"trash-negative", "line 3: field 5 of the \"city info\" line is out of range"},
        {"last-day", "line 2: field 1 of the \"date, action\" line is out of range"},
    };
    ASSERT_TRUE(game.saveGame(2));
    const std::string before = slotText(2);
    for (const Case& c : cases)
    {
        std::string log = loadInput(c.input);
        EXPECT_NE(log.find("refused"), std::string::npos) << c.input;
        std::vector<ShownMessage> shown = messages();
        ASSERT_FALSE(shown.empty()) << c.input;
        EXPECT_EQ(shown.back().title, Font::toUpper("Oh no.")) << c.input;
        EXPECT_NE(shown.back().text.find(c.shown), std::string::npos) << c.input << ": " << shown.back().text;
        ASSERT_TRUE(game.saveGame(2));
        EXPECT_EQ(slotText(2), before) << c.input;
    }
}

// A housing demand no day could leave is worked out anew from the homes:
// the city loads and its demand is a share again.
TEST_F(SaveFileFindings, AHousingDemandAboveOneIsWorkedOutAnew)
{
    ASSERT_EQ(loadInput("housing-demand-above-one"), "");
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_GE(game.housingDemand[i], 0.0) << i;
        EXPECT_LE(game.housingDemand[i], 1.0) << i;
    }
    EXPECT_EQ(game.housingDemand[3], 0.0) << "the fourth, beyond a share, is dropped";
    passDays(1);
    EXPECT_EQ(game.housingDemand[3], 0.0);
}

// Numbers at the edge of what the loader takes: the days pay, book and
// count without leaving the int or finite range, and what they leave saves
// and loads again.
TEST_F(SaveFileFindings, EdgeNumbersSurviveTheirDaysAndSaveAgain)
{
    struct Case
    {
        const char* input;
        bool paysAWholeInt; // a payout beyond int is paid as the largest int
    };
    // A rent beyond int drives the residents out on some days before they
    // pay: its sum is checked by the sanitizer build alone.
    for (const Case& c : {Case{"pending-income-huge", true}, Case{"rent-overflow", false},
                          Case{"money-at-limit", false}})
    {
        const char* input = c.input;
        ASSERT_EQ(loadInput(input), "") << input;
        const double before = city.money;
        passDays(2);
        EXPECT_TRUE(std::isfinite(city.money) && std::fabs(city.money) <= 2e15) << input;
        if (c.paysAWholeInt)
        {
            EXPECT_GT(city.money - before, 2e9) << input;
        }
        ASSERT_TRUE(game.saveGame(2));
        const std::string saved = slotText(2);
        testing::internal::CaptureStdout();
        ASSERT_TRUE(game.loadGame(2)) << input << ": " << testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(game.saveGame(3));
        EXPECT_EQ(slotText(3), saved) << input;
    }
    // Pushed past the limit by the days' rent, the book is kept at it.
    EXPECT_EQ(city.monthIncomes[static_cast<int>(FinanceCategory::HousingIncome)], SaveFile::MaxReal);
    EXPECT_NE(slotText(3).find("1e+15,"), std::string::npos);
}

} // namespace
