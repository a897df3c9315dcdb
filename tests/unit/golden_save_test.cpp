// The seeded automated player's first year, saved, must give the very bytes
// kept in tests/data/golden: work on the simulation that must not change how
// the city plays shows here first. tools/golden.sh checks ten years.

#include "../support/AutoPlayer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace
{

std::string goldenText(unsigned seed)
{
    std::ifstream file(std::string(QUILLFENN_TEST_DATA) + "/golden/seed-" + std::to_string(seed) + "-year-1.sav",
                       std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The first line where two save texts part, for the report.
std::string firstDifference(const std::string& a, const std::string& b)
{
    std::istringstream ia(a), ib(b);
    std::string la, lb;
    for (int line = 1;; ++line)
    {
        bool moreA = static_cast<bool>(std::getline(ia, la));
        bool moreB = static_cast<bool>(std::getline(ib, lb));
        if (!moreA && !moreB)
            return "none";
        if (!moreA || !moreB || la != lb)
            return "line " + std::to_string(line) + ": golden \"" + (moreA ? la : "(end)") + "\", played \"" +
                   (moreB ? lb : "(end)") + "\"";
    }
}

class GoldenSaveTest : public testing::TestWithParam<unsigned>
{
};

TEST_P(GoldenSaveTest, AYearOfTheSeededPlayerSavesTheGoldenBytes)
{
    const std::string golden = goldenText(GetParam());
    ASSERT_FALSE(golden.empty()) << "no golden save for seed " << GetParam();
    testing::internal::CaptureStdout(); // the game's log of a whole year
    std::string played;
    bool sound;
    {
        AutoPlayer player(GetParam());
        sound = player.playUntil(360);
        if (sound)
            sound = player.saveText(played);
        if (!sound && played.empty())
            played = player.failure();
    }
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(sound) << played;
    EXPECT_TRUE(played == golden) << "first difference: " << firstDifference(golden, played);
}

INSTANTIATE_TEST_SUITE_P(Seeds, GoldenSaveTest, testing::Values(1u, 2u, 3u));

} // namespace
