#include "resources/Utils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

struct EncodeCase
{
    uint32_t codePoint;
    std::string bytes;
};

TEST(Utf8, EncodesEveryLengthAndReplacesOutOfRange)
{
    const EncodeCase cases[] = {
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0xE9, "\xC3\xA9"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFD, "\xEF\xBF\xBD"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0x110000, "\xEF\xBF\xBD"},
        {0xFFFFFFFF, "\xEF\xBF\xBD"},
    };
    for (const EncodeCase& c : cases)
    {
        char buffer[4] = {};
        int n = utf8Encode(c.codePoint, buffer);
        EXPECT_EQ(std::string(buffer, n), c.bytes) << std::hex << c.codePoint;
    }
}

TEST(Utf8, SequenceLengthFromLeadByte)
{
    const std::pair<unsigned char, int> cases[] = {
        {0x00, 1}, {0x7F, 1}, {0x80, 1}, {0xBF, 1}, {0xC0, 2}, {0xDF, 2}, {0xE0, 3},
        {0xEF, 3}, {0xF0, 4}, {0xF7, 4}, {0xF8, 5}, {0xFB, 5}, {0xFC, 6}, {0xFF, 6},
    };
    for (const auto& c : cases)
    {
        char lead[2] = {static_cast<char>(c.first), 0};
        EXPECT_EQ(utf8SequenceLength(lead), c.second) << int(c.first);
    }
}

TEST(Utf8, DecodeRoundTripsEncode)
{
    for (uint32_t cp : {0x24u, 0xA2u, 0x939u, 0x20ACu, 0xD55Cu, 0x10348u, 0x10FFFFu})
    {
        char buffer[5] = {};
        int n = utf8Encode(cp, buffer);
        int length = 0;
        EXPECT_EQ(utf8Decode(buffer, &length), cp);
        EXPECT_EQ(length, n);
    }
}

TEST(Utf8, TruncatedSequenceStopsAtTheTerminator)
{
    // A three-byte lead followed by one continuation and the end of the text.
    const char text[] = "\xE2\x82";
    int length = 0;
    EXPECT_EQ(utf8Decode(text, &length), 0xFFFDu);
    EXPECT_EQ(length, 2);

    WideString wide = utf8ToWide(std::string("a\xF0"));
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], u'a');
    EXPECT_EQ(wide[1], 0xFFFD);
}

TEST(Utf8, WideConversionsKeepSixteenBitsPerCodePoint)
{
    std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    WideString wide = utf8ToWide(text);
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(wide[0], u'a');
    EXPECT_EQ(wide[1], 0xE9);
    EXPECT_EQ(wide[2], 0x20AC);
    EXPECT_EQ(wide[3], 0xF600); // 0x1F600 with its high bits dropped
    EXPECT_EQ(wideToUtf8(u"a\u00e9\u20ac"), "a\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(utf8ToWide(""), WideString());
}

TEST(HashString, ShiftsAndXorsSignedCharacters)
{
    EXPECT_EQ(hashString(""), 0);
    EXPECT_EQ(hashString("a"), 97);
    EXPECT_EQ(hashString("ab"), 160);
    // A byte above 0x7F is a negative char, widened with its sign.
    EXPECT_EQ(hashString("\xFF"), -1);
    EXPECT_EQ(hashString("a\xFF"), (97 * 2) ^ -1);
    // Long names wrap around in 32 bits instead of overflowing.
    std::string longName(40, 'z');
    int32_t expected = 0;
    for (char c : longName)
        expected = static_cast<int32_t>((static_cast<uint32_t>(expected) * 2u) ^ static_cast<uint32_t>(c));
    EXPECT_EQ(hashString(longName.c_str()), expected);
    EXPECT_NE(hashString("closeWindow"), hashString("dlgWnd"));
}

TEST(Split, PlainPiecesFollowStreamRules)
{
    using V = std::vector<std::string>;
    const std::pair<std::string, V> cases[] = {
        {"a,,b,,", V{"a", "", "b", ""}},
        {"", V{}},
        {",", V{""}},
        {"abc", V{"abc"}},
        {"a,b,", V{"a", "b"}},
        {",a", V{"", "a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.first, ','), c.second) << c.first;
}

TEST(Split, QuotedStretchStaysWhole)
{
    using V = std::vector<std::string>;
    const std::pair<std::string, V> cases[] = {
        {"characters \"a b\" x", V{"characters", "a b", "x"}},
        {"characters \"a b\"", V{"characters", "a b"}},
        {"key \" \"", V{"key", " "}},
        // A single quote is removed but keeps no blank.
        {"key \"a b", V{"key", "a", "b"}},
        // A "#" already in the line comes out as a blank too.
        {"key a#b", V{"key", "a b"}},
        {"begin", V{"begin"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitQuoted(c.first, ' '), c.second) << c.first;
}

TEST(Paths, SavesFolderFollowsTheBase)
{
    std::string old = getBasePath();
    setBasePath("/tmp/game/");
    EXPECT_EQ(getBasePath(), "/tmp/game/");
    EXPECT_EQ(getSavesPath(), "/tmp/game/saves/");
    setBasePath(old);
}

class ListFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillfenn-list-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    void touch(const std::string& name) { std::ofstream(dir + "/" + name) << "x"; }
    std::string dir;
};

TEST_F(ListFilesTest, KeepsNamesContainingTheExtensionAnywhere)
{
    for (const char* name : {"1.sav", "notes.txt", ".DS_Store", "a.sav.bak", "sav", "2.SAV", "x.save"})
        touch(name);
    std::vector<std::string> names = listFiles(dir + "/", "sav");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1.sav", "a.sav.bak", "x.save"}));
}

TEST_F(ListFilesTest, MissingFolderGivesNothing)
{
    EXPECT_TRUE(listFiles(dir + "/missing/", "sav").empty());
    EXPECT_TRUE(listFiles(dir + "/", "sav").empty());
}

TEST(ReplaceAll, ReplacesEveryOccurrence)
{
    EXPECT_EQ(replaceAll("<b>x<b>", "<", "{"), "{b>x{b>");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

} // namespace
