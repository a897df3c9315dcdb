// "Open containing folder" starts the desktop's opener without a shell and
// without waiting for it, and the main loop's reaping leaves no zombie once
// it ends. A stand-in xdg-open on
// PATH records what it was given.

#include "../support/Fixtures.h"

#include "resources/Platform.h"
#include "resources/Utils.h"

#include <SFML/System/Sleep.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

// Runs a test with a stand-in opener first on PATH.
class OpenerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = std::getenv("PATH");
        oldPath = old ? old : "";
        // It notes its process id, waits (a bounded while) for the test's
        // go-ahead, then writes whether it got it, and its arguments.
        dir.write("bin/xdg-open", "#!/bin/sh\n"
                                  "out=\"" + dir.path + "\"\n"
                                  "echo $$ > \"$out/pid.part\" && mv \"$out/pid.part\" \"$out/pid\"\n"
                                  "i=0\n"
                                  "while [ ! -e \"$out/go\" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n"
                                  "if [ -e \"$out/go\" ]; then state=waited; else state=alone; fi\n"
                                  "printf '%s\\n' \"$state\" \"$#\" \"$@\" > \"$out/args.part\"\n"
                                  "mv \"$out/args.part\" \"$out/args\"\n");
        chmod((dir.path + "bin/xdg-open").c_str(), 0755);
        setenv("PATH", (dir.path + "bin:" + oldPath).c_str(), 1);
    }

    void TearDown() override { setenv("PATH", oldPath.c_str(), 1); }

    // The lines of a file the stand-in writes, once it is there (bounded wait).
    std::vector<std::string> waitForLines(const std::string& name)
    {
        for (int i = 0; i < 400 && !fileExists(dir.path + name); ++i)
            sf::sleep(sf::milliseconds(25));
        std::ifstream in(dir.path + name);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // Whether a process is gone (reaped), rather than running or a zombie.
    static bool gone(const std::string& pid)
    {
        struct stat info;
        return stat(("/proc/" + pid).c_str(), &info) != 0;
    }

    fixtures::TempDir dir;
    std::string oldPath;
};

TEST_F(OpenerTest, StartsTheOpenerOnTheFolderAndDoesNotWaitForIt)
{
    const std::string folder = dir.path + "my saves; $(touch nope)/";
    ASSERT_TRUE(platform::openWithDesktop(folder));
    // Back here while the opener still waits for the go-ahead.
    dir.write("go", "");

    std::vector<std::string> args = waitForLines("args");
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[0], "waited") << "openWithDesktop waited for the opener to end";
    EXPECT_EQ(args[1], "1");
    EXPECT_EQ(args[2], folder) << "the path must reach the opener as one argument, untouched";
    EXPECT_FALSE(fileExists(dir.path + "nope")) << "the path went through a shell";

    // Once it has ended it is reaped: no zombie stays behind.
    std::vector<std::string> pid = waitForLines("pid");
    ASSERT_EQ(pid.size(), 1u);
    for (int i = 0; i < 400 && !gone(pid[0]); ++i)
    {
        platform::reapEndedOpeners(); // as every frame does
        sf::sleep(sf::milliseconds(25));
    }
    EXPECT_TRUE(gone(pid[0])) << "the opener " << pid[0] << " was left as a zombie";
}

TEST_F(OpenerTest, NoOpenerOnThePathIsReportedAsNotStarted)
{
    setenv("PATH", (dir.path + "empty").c_str(), 1);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(platform::openWithDesktop(dir.path));
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Could not start xdg-open"), std::string::npos) << log;
}

} // namespace
