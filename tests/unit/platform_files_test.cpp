// The file services the saves and screenshots stand on: only regular files
// are read and nothing ever waits on opening one; a temporary file's place
// is cleared before it is written; a taken name gets a counter.

#include "../support/Fixtures.h"

#include "resources/Platform.h"
#include "resources/Utils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

TEST(PlatformFilesTest, OnlyRegularFilesAreReadAndNoneBlocks)
{
    fixtures::TempDir dir;
    dir.write("file.txt", "0123456789");
    ASSERT_EQ(mkfifo((dir.path + "pipe").c_str(), 0644), 0);
    ASSERT_EQ(mkdir((dir.path + "folder").c_str(), 0755), 0);

    struct Case
    {
        const char* name;
        long long maxBytes;
        bool startOnly;
        platform::ReadResult result;
        const char* data;
    };
    const Case cases[] = {
        {"file.txt", 100, false, platform::ReadOk, "0123456789"},
        {"file.txt", 10, false, platform::ReadOk, "0123456789"},
        {"file.txt", 9, false, platform::ReadTooLarge, ""},
        {"file.txt", 4, true, platform::ReadOk, "0123"},
        {"file.txt", 0, true, platform::ReadOk, ""},
        {"pipe", 100, false, platform::ReadNotAFile, ""},
        {"pipe", 100, true, platform::ReadNotAFile, ""},
        {"folder", 100, false, platform::ReadNotAFile, ""},
        {"missing", 100, false, platform::ReadMissing, ""},
    };
    for (const Case& c : cases)
    {
        std::string data = "left over";
        std::string path = dir.path + c.name;
        platform::ReadResult result = c.startOnly ? platform::readFileStart(path, c.maxBytes, data)
                                                  : platform::readFile(path, c.maxBytes, data);
        EXPECT_EQ(result, c.result) << c.name << " " << c.maxBytes;
        EXPECT_EQ(data, c.data) << c.name << " " << c.maxBytes;
    }
}

// Whatever stands where the temporary file goes (a pipe would block the
// open, a link would lead the write elsewhere) is replaced by the file.
TEST(PlatformFilesTest, WritingReplacesWhateverHoldsTheTemporaryPlace)
{
    fixtures::TempDir dir;
    dir.write("elsewhere.txt", "untouched");
    ASSERT_EQ(mkfifo((dir.path + "a.tmp").c_str(), 0644), 0);
    ASSERT_EQ(symlink((dir.path + "elsewhere.txt").c_str(), (dir.path + "b.tmp").c_str()), 0);
    for (const char* name : {"a", "b"})
    {
        std::string path = dir.path + name + ".sav";
        std::string error;
        ASSERT_TRUE(platform::writeFileReplacing(path, dir.path + name + ".tmp", "saved", &error)) << error;
        std::string data;
        EXPECT_EQ(platform::readFile(path, 100, data), platform::ReadOk) << name;
        EXPECT_EQ(data, "saved") << name;
        EXPECT_FALSE(fileExists(dir.path + name + ".tmp")) << name;
    }
    std::string data;
    platform::readFile(dir.path + "elsewhere.txt", 100, data);
    EXPECT_EQ(data, "untouched");
}

TEST(PlatformFilesTest, ATakenNameGetsTheFirstFreeCounter)
{
    fixtures::TempDir dir;
    const std::string stem = dir.path + "11-12-2026 08-42-13";
    EXPECT_EQ(platform::unusedPath(stem, ".png"), stem + ".png");
    dir.write("11-12-2026 08-42-13.png", "a");
    EXPECT_EQ(platform::unusedPath(stem, ".png"), stem + " (2).png");
    dir.write("11-12-2026 08-42-13 (2).png", "b");
    dir.write("11-12-2026 08-42-13 (4).png", "d");
    EXPECT_EQ(platform::unusedPath(stem, ".png"), stem + " (3).png");
}

} // namespace
