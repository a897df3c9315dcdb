#include "resources/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillfenn-conf-XXXXXX";
        int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        close(fd);
        path = pattern;
    }
    void TearDown() override { std::remove(path.c_str()); }

    void write(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }
    std::string read() const
    {
        std::ifstream file(path, std::ios::binary);
        std::stringstream buffer;
        buffer << file.rdbuf();
        return buffer.str();
    }
    std::vector<std::pair<std::string, std::string>> entries(const Settings& s) const
    {
        std::vector<std::pair<std::string, std::string>> out;
        for (const SettingsEntry* e : s.getEntries())
            out.emplace_back(e->key, e->value);
        return out;
    }

    std::string path;
};

using Entries = std::vector<std::pair<std::string, std::string>>;

TEST_F(SettingsTest, LineRules)
{
    const std::pair<std::string, Entries> cases[] = {
        {"// comment\r\nwidth=1280\r\nx\r\n", Entries{{"width", "1280"}}},
        {"a=b\n", Entries{{"a", "b"}}},
        {"a=bc\r\n", Entries{{"a", "bc"}}},
        {"noequals\n", Entries{{"noequals", "noequals"}}},
        {"ab\n=x\n", Entries{}},                    // lines of two characters are skipped
        {"==x\n", Entries{{"", "=x"}}},
        {"kk=\n", Entries{{"kk", ""}}},
        {"k=a=b\n", Entries{{"k", "a=b"}}},
        {"  // not a comment=1\n", Entries{{"  // not a comment", "1"}}},
        {"last=line", Entries{{"last", "line"}}},    // no final line feed
        {"", Entries{}},
    };
    for (const auto& c : cases)
    {
        write(c.first);
        Settings s;
        s.load(path);
        EXPECT_EQ(entries(s), c.second) << c.first;
    }
}

TEST_F(SettingsTest, MissingFileGivesAnEmptyStore)
{
    Settings s;
    s.load(path + ".missing");
    EXPECT_TRUE(s.getEntries().empty());
    EXPECT_EQ(s.get("width"), "");
    EXPECT_FALSE(s.equals("isFullscreen", "true"));
}

TEST_F(SettingsTest, DuplicateKeysAreAllChangedAndAllSaved)
{
    write("palette=1\npalette=5\n");
    Settings s;
    s.load(path);
    EXPECT_EQ(s.get("palette"), "1");
    s.setInt("palette", 2);
    s.save(path);
    EXPECT_EQ(read(), "palette=2\npalette=2\n");
}

TEST_F(SettingsTest, ChangingAbsentKeysAddsNothing)
{
    write("musicEnabled=true\n");
    Settings s;
    s.load(path);
    s.set("sfxEnabled", "true");
    s.setInt("palette", 3);
    s.toggle("isFullscreen");
    EXPECT_EQ(entries(s), (Entries{{"musicEnabled", "true"}}));
    s.toggle("musicEnabled");
    EXPECT_EQ(s.get("musicEnabled"), "false");
    s.toggle("musicEnabled");
    EXPECT_EQ(s.get("musicEnabled"), "true");
    EXPECT_TRUE(s.equals("musicEnabled", "true"));
    EXPECT_FALSE(s.equals("musicEnabled", "True"));
}

TEST_F(SettingsTest, ToggleTurnsAnythingButTrueIntoTrue)
{
    write("a=yes\nb=true\n");
    Settings s;
    s.load(path);
    s.toggle("a");
    s.toggle("b");
    EXPECT_EQ(s.get("a"), "true");
    EXPECT_EQ(s.get("b"), "false");
}

TEST_F(SettingsTest, SaveRewritesEntriesOnlyWithLineFeeds)
{
    write("// my settings\r\nwidth=1280\r\n\r\nheight=720\r\nx\r\nsfxEnabled=true\r\n");
    Settings s;
    s.load(path);
    s.save(path);
    EXPECT_EQ(read(), "width=1280\nheight=720\nsfxEnabled=true\n");
}

TEST_F(SettingsTest, OverlongKeysAndValuesAreCut)
{
    std::string key(50, 'k');
    std::string value(300, 'v');
    write(key + "=" + value + "\nshort=ok\n");
    Settings s;
    s.load(path);
    ASSERT_EQ(s.getEntries().size(), 2u);
    EXPECT_EQ(std::string(s.getEntries()[0]->key), std::string(31, 'k'));
    EXPECT_EQ(std::string(s.getEntries()[0]->value), std::string(127, 'v'));
    EXPECT_EQ(s.get(std::string(31, 'k')), std::string(127, 'v'));
    s.set("short", std::string(200, 'x'));
    EXPECT_EQ(s.get("short"), std::string(127, 'x'));
}

} // namespace
