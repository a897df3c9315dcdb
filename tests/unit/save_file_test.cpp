// The save file's text on its own: the exact lines the writer makes, reals
// that read back as the same doubles, and the reader's refusal of damaged
// or hostile text.

#include "resources/Utils.h"
#include "simulation/SaveFile.h"
#include "simulation/Tile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{

// A 3 x 2 city: house, road, factory / landfill, fire station, office.
SaveFile smallCity()
{
    SaveFile save;
    save.day = 47;
    save.actionId = 1;
    save.actionClicksNeeded = 10;
    save.actionProgress = 2.5;
    save.actionTileId = 1;
    save.money = 31337.25;
    save.width = 3;
    save.height = 2;
    save.tiles.resize(6);
    int types[6] = {TileHouse, TileRoad, TileFactory, TileLandfill, TileFireStation, TileOffice};
    for (int i = 0; i < 6; ++i)
    {
        SavedTile& tile = save.tiles[i];
        tile.x = i % 3;
        tile.y = i / 3;
        tile.type = types[i];
        tile.revealed = true;
        tile.hasRecord = types[i] != TileRoad;
    }
    save.tiles[0].record.level = 1;
    save.tiles[0].record.capacity = 3;
    save.tiles[0].record.residents = 2;
    save.tiles[2].record.goodsType = 1;
    save.tiles[2].record.efficiency = 0.75;
    save.tiles[3].record.fill = 12.5;
    save.tiles[3].record.capacity = 10000;
    return save;
}

std::vector<std::string> linesOf(const std::string& text)
{
    return split(text, '\n');
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST(SaveFileTest, WritesEveryLineWithItsTerminator)
{
    std::vector<std::string> lines = linesOf(smallCity().format());
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0], "2, /* save version */");
    EXPECT_EQ(lines[1], "47,0,0,0,0,0,0,0,1,10,2.5,1,1,0,0,0, /* date, action */");
    EXPECT_EQ(lines[2], "31337.25,0,0,0,0, /* city info */");
    EXPECT_EQ(lines[3], "0,0,0,0, /* housing demand */");
    EXPECT_EQ(split(lines[4], ',').size(), 33u);
    EXPECT_NE(lines[4].find(", /* production & demand */"), std::string::npos);
    const char* books[] = {"current year incomes",  "current year expenses",  "last year incomes",
                           "last year expenses",    "current month incomes", "current month expenses",
                           "last month incomes",    "last month expenses"};
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ(split(lines[5 + i], ',').size(), 33u) << books[i];
        EXPECT_NE(lines[5 + i].find(std::string(", /* ") + books[i] + " */"), std::string::npos) << books[i];
    }
    EXPECT_EQ(lines[13], "3,2,0, /* map size, rotation */");
    EXPECT_EQ(lines[14], "0,0,3,0,1,0,0,0,0,1, /* tile */");
    EXPECT_EQ(lines[15], "0,0,0,0, /* base building */");
    EXPECT_EQ(lines[16], "1,3,0,0,0,0,2,0,0,0,0,0, /* house */");
    EXPECT_EQ(lines[17], "1,0,2,0,1,0,0,0,0,0, /* tile */");
    EXPECT_EQ(lines[18], "2,0,7,0,1,0,0,0,0,1, /* tile */");
    EXPECT_EQ(lines[20], "0,0,0,0.75,1, /* factory */");
    EXPECT_EQ(lines[21], "0,1,14,0,1,0,0,0,0,1, /* tile */");
    EXPECT_EQ(lines[23], "12.5,10000, /* landfill */");
    EXPECT_EQ(lines[24], "1,1,8,0,1,0,0,0,0,1, /* tile */");
    EXPECT_EQ(lines[25], "0,0,0,0, /* base building */");
    EXPECT_EQ(lines[26], "2,1,11,0,1,0,0,0,0,1, /* tile */");
    EXPECT_EQ(lines[28], "0,0,0, /* commercial */");
}

// Reals are written in their shortest exact form and read back to the bit;
// a day may push a loaded number past the limit the reader takes: it is
// written as the limit, so the city still loads.
TEST(SaveFileTest, RealsAreWrittenShortestExactAndWithinTheLimit)
{
    struct Case
    {
        double value;
        const char* text;
        double readBack;
    };
    const Case cases[] = {{25000.0, "25000", 25000.0},
                          {0.2, "0.2", 0.2},
                          {12.5, "12.5", 12.5},
                          {1234567.89, "1234567.89", 1234567.89},
                          {-40.0, "-40", -40.0},
                          {0.1 + 0.2, "0.30000000000000004", 0.1 + 0.2},
                          {1.0 / 3.0, "0.3333333333333333", 1.0 / 3.0},
                          {1e14, "1e+14", 1e14},
                          {-0.0, "-0", -0.0},
                          {1e21, "1e+15", SaveFile::MaxReal},
                          {-1e300, "-1e+15", -SaveFile::MaxReal},
                          {SaveFile::MaxReal, "1e+15", SaveFile::MaxReal}};
    for (const Case& c : cases)
    {
        SaveFile save = smallCity();
        save.money = c.value;
        std::string text = save.format();
        EXPECT_EQ(linesOf(text)[2], std::string(c.text) + ",0,0,0,0, /* city info */");
        SaveFile back;
        ASSERT_TRUE(back.parse(text)) << c.text << ": " << back.error;
        EXPECT_EQ(std::memcmp(&back.money, &c.readBack, sizeof(double)), 0) << c.text;
    }
}

TEST(SaveFileTest, ReadsWhatItWritesAndOlderRoundedReals)
{
    SaveFile save = smallCity();
    SaveFile back;
    ASSERT_TRUE(back.parse(save.format())) << back.error;
    EXPECT_EQ(back.format(), save.format());
    EXPECT_EQ(back.tiles[3].record.fill, 12.5);
    EXPECT_EQ(back.tiles[2].record.goodsType, 1);

    // Files with six significant digits, and lines ended as on Windows.
    std::vector<std::string> lines = linesOf(save.format());
    lines[2] = "1.23457e+06,12,0,-3.5,0, /* city info */";
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    ASSERT_TRUE(back.parse(text)) << back.error;
    EXPECT_EQ(back.money, 1234570.0);
    EXPECT_EQ(back.population, 12);
    EXPECT_EQ(back.profitYesterday, -3.5);
}

TEST(SaveFileTest, HeaderAloneGivesDayAndMoney)
{
    std::vector<std::string> lines = linesOf(smallCity().format());
    lines.resize(3);
    SaveFile back;
    ASSERT_TRUE(back.parse(joined(lines), true)) << back.error;
    EXPECT_EQ(back.day, 47);
    EXPECT_EQ(back.money, 31337.25);
    EXPECT_FALSE(back.parse(joined(lines)));
}

TEST(SaveFileTest, RefusesTextCutAfterAnyLine)
{
    std::vector<std::string> lines = linesOf(smallCity().format());
    for (size_t kept = 0; kept < lines.size(); ++kept)
    {
        std::vector<std::string> head(lines.begin(), lines.begin() + kept);
        SaveFile back;
        EXPECT_FALSE(back.parse(joined(head))) << "cut after line " << kept;
        EXPECT_EQ(back.errorLine, static_cast<int>(kept) + 1);
        EXPECT_NE(back.error.find("the file ends where"), std::string::npos) << back.error;
        EXPECT_TRUE(back.tiles.empty());
    }
    // Cut inside a line: the terminator is gone.
    std::string text = smallCity().format();
    size_t cut = text.find("/* tile */");
    SaveFile back;
    EXPECT_FALSE(back.parse(text.substr(0, cut - 3)));
    EXPECT_EQ(back.errorLine, 15);
}

// One damaged line of the small city and what the reader says about it.
struct BadLine
{
    const char* what;
    int line; // 1-based line replaced; 0 appends
    const char* text;
    const char* error;
    int reported = 0; // the line the error names, when not the one replaced
};

TEST(SaveFileTest, RefusesDamagedLinesNamingTheProblem)
{
    const BadLine cases[] = {
        {"other version", 1, "3, /* save version */", "save version 3 is not one"},
        {"missing field", 2, "47,0,0,0,0,0,0,0,1,10,2.5,1,1,0,0, /* date, action */", "has 15 of its 16 fields"},
        {"unknown action", 2, "47,0,0,0,0,0,0,0,25,10,2.5,1,1,0,0,0, /* date, action */", "field 9"},
        {"money not a number", 3, "lots,0,0,0,0, /* city info */", "field 1 of the \"city info\" line is not a number"},
        {"empty field", 3, "25000,,0,0,0, /* city info */", "is not a whole number"},
        {"real where a whole number goes", 3, "25000,3.5,0,0,0, /* city info */", "is not a whole number"},
        {"number with junk", 3, "25000x,0,0,0,0, /* city info */", "is not a number"},
        {"int overflow", 3, "25000,99999999999,0,0,0, /* city info */", "out of range"},
        {"negative width", 14, "-2,2,0, /* map size, rotation */", "a map of -2 x 2 tiles is not possible"},
        {"zero height", 14, "3,0,0, /* map size, rotation */", "not possible"},
        {"huge map", 14, "100000,100000,0, /* map size, rotation */", "not possible"},
        {"one side too long", 14, "257,2,0, /* map size, rotation */", "not possible"},
        {"more tiles than lines", 14, "3,3,0, /* map size, rotation */", "the file ends where the \"tile\" line", 30},
        {"unknown type", 15, "0,0,15,0,1,0,0,0,0,1, /* tile */", "field 3 of the \"tile\" line is out of range"},
        {"unknown facing", 15, "0,0,3,9,1,0,0,0,0,1, /* tile */", "field 4"},
        {"house without record", 15, "0,0,3,0,1,0,0,0,0,0, /* tile */", "has no building record"},
        {"wrong record kind", 17, "1,0,15,4, /* shop */", "a \"house\" line was expected, not \"shop\""},
        {"no terminator", 17, "1,3,0,0,0,0,2,0,0,0,0,0", "cut short or damaged"},
        {"terminator of a comma-less line", 17, "1,3,0,0,0,0,2,0,0,0,0,0 /* house */", "cut short or damaged"},
        {"house level 0", 17, "0,3,0,0,0,0,2,0,0,0,0,0, /* house */", "level 0 does not exist"},
        {"negative residents", 17, "1,3,0,0,0,0,-2,0,0,0,0,0, /* house */", "field 7"},
        {"unknown goods", 21, "0,0,0,0.75,5, /* factory */", "goods of kind 5"},
        {"trailing garbage", 0, "hello", "more text after the last tile"},
        {"trailing tile", 0, "0,0,0,0,1,0,0,0,0,0, /* tile */", "more text after the last tile"},
        {"markup in a field", 3, "{<bold>},0,0,0,0, /* city info */", "\"??bold??\""},
    };
    const std::vector<std::string> good = linesOf(smallCity().format());
    for (const BadLine& c : cases)
    {
        std::vector<std::string> lines = good;
        if (c.line == 0)
            lines.push_back(c.text);
        else
            lines[c.line - 1] = c.text;
        SaveFile back;
        EXPECT_FALSE(back.parse(joined(lines))) << c.what;
        EXPECT_NE(back.error.find(c.error), std::string::npos) << c.what << ": " << back.error;
        int reported = c.reported ? c.reported : c.line == 0 ? static_cast<int>(good.size()) + 1 : c.line;
        EXPECT_EQ(back.errorLine, reported) << c.what;
    }
}

TEST(SaveFileTest, LoadsOddButHarmlessTextToADefinedResult)
{
    const std::vector<std::string> good = linesOf(smallCity().format());
    struct Odd
    {
        const char* what;
        std::function<void(std::vector<std::string>&)> change;
        std::function<void(const SaveFile&)> check;
    };
    const Odd cases[] = {
        {"blank lines at the end", [](std::vector<std::string>& l) { l.push_back(""); l.push_back("  "); },
         [](const SaveFile& s) { EXPECT_EQ(s.tiles.size(), 6u); }},
        {"fields beyond the listed ones",
         [](std::vector<std::string>& l) { l[14] = "0,0,3,0,1,0,0,0,0,1,77,88, /* tile */"; },
         [](const SaveFile& s) { EXPECT_EQ(s.tiles[0].type, TileHouse); }},
        {"x and y that do not match", [](std::vector<std::string>& l) { l[17] = "9,9,2,0,1,0,0,0,0,0, /* tile */"; },
         [](const SaveFile& s) { EXPECT_EQ(s.tiles[1].type, TileRoad); }},
        {"a flag of 5 is set", [](std::vector<std::string>& l) { l[17] = "1,0,2,0,5,0,0,0,7,0, /* tile */"; },
         [](const SaveFile& s) { EXPECT_TRUE(s.tiles[1].revealed && s.tiles[1].burning); }},
        // A road marked with a record gets only the head line, which is read and dropped.
        {"a record on a road",
         [](std::vector<std::string>& l) {
             l[17] = "1,0,2,0,1,0,0,0,0,1, /* tile */";
             l.insert(l.begin() + 18, "3,0.5,0,0, /* base building */");
         },
         [](const SaveFile& s) {
             EXPECT_EQ(s.tiles[1].type, TileRoad);
             EXPECT_FALSE(s.tiles[1].hasRecord);
             EXPECT_EQ(s.tiles[2].type, TileFactory);
         }},
        {"blanks around fields and name", [](std::vector<std::string>& l) { l[2] = " 25000 , 4 ,0,0,0 ,  /*city info*/ "; },
         [](const SaveFile& s) {
             EXPECT_EQ(s.money, 25000.0);
             EXPECT_EQ(s.population, 4);
         }},
    };
    for (const Odd& c : cases)
    {
        std::vector<std::string> lines = good;
        c.change(lines);
        SaveFile back;
        ASSERT_TRUE(back.parse(joined(lines))) << c.what << ": line " << back.errorLine << ": " << back.error;
        c.check(back);
    }
}

TEST(SaveFileTest, SurvivesArbitraryBytes)
{
    const std::string good = smallCity().format();
    std::srand(11);
    for (int round = 0; round < 2000; ++round)
    {
        std::string text = good;
        int changes = 1 + std::rand() % 4;
        for (int i = 0; i < changes; ++i)
        {
            size_t at = static_cast<size_t>(std::rand()) % text.size();
            switch (std::rand() % 3)
            {
            case 0:
                text[at] = static_cast<char>(std::rand() % 256);
                break;
            case 1:
                text.erase(at, 1 + std::rand() % 8);
                break;
            default:
                text.insert(at, std::string(1 + std::rand() % 3, static_cast<char>(std::rand() % 256)));
                break;
            }
            if (text.empty())
                text = std::string(1, '\0');
        }
        SaveFile back;
        if (back.parse(text))
        {
            EXPECT_EQ(back.tiles.size(), static_cast<size_t>(back.width) * back.height);
            EXPECT_TRUE(back.error.empty());
        }
        else
        {
            EXPECT_FALSE(back.error.empty());
            EXPECT_GT(back.errorLine, 0);
        }
    }
    for (const std::string& text : {std::string(), std::string("\n"), std::string(3, '\0'), std::string("/*"),
                                    std::string("*/"), std::string(", /* */"), std::string("2, /* save version */")})
    {
        SaveFile back;
        EXPECT_FALSE(back.parse(text));
    }
}

} // namespace
