// Checks the generated sound effects and music as the game opens them.

#include <SFML/Audio/InputSoundFile.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

struct Decoded
{
    bool opened = false;
    unsigned channels = 0;
    unsigned sampleRate = 0;
    float seconds = 0.0f;
    std::vector<int16_t> samples;

    int frame(size_t i, unsigned c) const { return samples[i * channels + c]; }
    size_t frames() const { return channels ? samples.size() / channels : 0; }
};

Decoded decode(const std::string& relative)
{
    Decoded d;
    sf::InputSoundFile file;
    d.opened = file.openFromFile(std::string(QUILLFENN_RUN_DIR) + "/" + relative);
    if (!d.opened)
        return d;
    d.channels = file.getChannelCount();
    d.sampleRate = file.getSampleRate();
    d.seconds = file.getDuration().asSeconds();
    d.samples.resize(static_cast<size_t>(file.getSampleCount()));
    d.samples.resize(static_cast<size_t>(file.read(d.samples.data(), d.samples.size())));
    return d;
}

int peakOf(const Decoded& d)
{
    int peak = 0;
    for (int16_t s : d.samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

struct EffectCase
{
    const char* name;
    float maxSeconds;
};

// Short cues; the fanfare, alarm bell, chime and jingle may ring longer.
const EffectCase effectCases[] = {
    {"click", 0.1f},          {"progress_build", 0.2f}, {"plop_road", 0.3f},   {"plop_building", 0.5f},
    {"demolish", 0.5f},       {"tick", 0.1f},           {"tock", 0.1f},        {"open_window", 0.5f},
    {"year_end", 2.0f},       {"month_end", 1.0f},      {"fire", 1.7f},        {"putoutfire", 0.8f},
    {"unlocked_feature", 1.5f}, {"upgrade", 0.6f},
};

class GeneratedEffect : public ::testing::TestWithParam<EffectCase>
{
};

TEST_P(GeneratedEffect, OpensAsShortMonoSoundThatIsAudibleUnclippedAndClickFree)
{
    const EffectCase& c = GetParam();
    Decoded d = decode(std::string("sounds/") + c.name + ".wav");
    ASSERT_TRUE(d.opened) << c.name;
    EXPECT_EQ(d.channels, 1u);
    EXPECT_EQ(d.sampleRate, 44100u);
    EXPECT_GT(d.seconds, 0.0f);
    EXPECT_LE(d.seconds, c.maxSeconds);
    ASSERT_FALSE(d.samples.empty());

    const int peak = peakOf(d);
    EXPECT_LT(peak, 32000) << "clipped";
    EXPECT_GT(peak, 8000) << "too quiet to hear";
    // Starting or stopping away from zero would click.
    EXPECT_LT(std::abs(d.samples.front()), 400);
    EXPECT_LT(std::abs(d.samples.back()), 400);
}

INSTANTIATE_TEST_SUITE_P(AllEffects, GeneratedEffect, ::testing::ValuesIn(effectCases),
                         [](const ::testing::TestParamInfo<EffectCase>& effect) { return std::string(effect.param.name); });

TEST(GeneratedEffectLength, FireAlarmRingsForAboutASecondAndAHalf)
{
    Decoded d = decode("sounds/fire.wav");
    ASSERT_TRUE(d.opened);
    EXPECT_NEAR(d.seconds, 1.5f, 0.2f);
}

class GeneratedMusic : public ::testing::TestWithParam<const char*>
{
};

TEST_P(GeneratedMusic, StreamsForHalfAMinuteToNinetySecondsAtSaneLevels)
{
    Decoded d = decode(std::string("sounds/music/") + GetParam() + ".ogg");
    ASSERT_TRUE(d.opened) << GetParam();
    EXPECT_TRUE(d.sampleRate == 44100u || d.sampleRate == 22050u);
    EXPECT_GE(d.seconds, 30.0f);
    EXPECT_LE(d.seconds, 90.0f);
    ASSERT_GT(d.frames(), 1000u);

    EXPECT_LT(peakOf(d), 32000) << "clipped";
    double sum = 0.0;
    for (int16_t s : d.samples)
        sum += static_cast<double>(s) * s;
    const double rms = std::sqrt(sum / d.samples.size()) / 32768.0;
    EXPECT_GT(rms, 0.03);
    EXPECT_LT(rms, 0.35);
}

TEST_P(GeneratedMusic, LoopsWithoutAJumpAtTheSeam)
{
    Decoded d = decode(std::string("sounds/music/") + GetParam() + ".ogg");
    ASSERT_TRUE(d.opened);
    const size_t n = d.frames();
    ASSERT_GT(n, 200u);
    for (unsigned c = 0; c < d.channels; ++c)
    {
        // The largest step between neighbouring samples near either end...
        int nearby = 0;
        for (size_t i = 1; i < 100; ++i)
        {
            nearby = std::max(nearby, std::abs(d.frame(i, c) - d.frame(i - 1, c)));
            nearby = std::max(nearby, std::abs(d.frame(n - i, c) - d.frame(n - i - 1, c)));
        }
        // ...bounds the step from the last sample back to the first.
        const int seam = std::abs(d.frame(0, c) - d.frame(n - 1, c));
        EXPECT_LE(seam, nearby * 3 / 2 + 200) << GetParam() << " channel " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(AllTracks, GeneratedMusic,
                         ::testing::Values("menu", "1", "2", "3", "4", "5", "6", "7"),
                         [](const ::testing::TestParamInfo<const char*>& track) {
                             return std::string(track.param[0] == 'm' ? "menu" : "track") +
                                    (track.param[0] == 'm' ? "" : track.param);
                         });

} // namespace
