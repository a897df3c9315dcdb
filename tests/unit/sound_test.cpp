#include "../support/Fixtures.h"

#include "resources/SoundManager.h"

#include <SFML/Audio.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include "support/ConcurrencyTest.h"

namespace
{

// There is no audio device here: OpenAL's null output plays silently but
// keeps the status of sounds, which the tests read.
const bool nullAudio = setenv("ALSOFT_DRIVERS", "null", 0) == 0;

// A game whose base folder holds the given sound files (others missing).
class SoundWorld
{
public:
    explicit SoundWorld(const std::string& conf)
    {
        EXPECT_TRUE(nullAudio);
        game.settings = fixtures::makeSettings(conf);
        setBasePath(dir.path);
    }
    ~SoundWorld()
    {
        delete game.settings;
        game.settings = nullptr;
        setBasePath("");
    }

    // One second of a quiet tone saved as sounds/<name>.<extension>.
    void writeTone(const std::string& name, const std::string& extension)
    {
        std::vector<sf::Int16> samples(44100);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<sf::Int16>((i % 100) * 50);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromSamples(samples.data(), samples.size(), 1, 44100));
        dir.makeParents("sounds/" + name + "." + extension);
        ASSERT_TRUE(buffer.saveToFile(dir.path + "sounds/" + name + "." + extension));
    }

    fixtures::TempDir dir;
    Game game;
};

CONCURRENCY_TEST(SoundTest, ShuffleUsesOneDrawPerPosition)
{
    std::srand(99);
    int draws[7];
    for (int& d : draws)
        d = std::rand();
    std::srand(99);
    SoundWorld world("");
    SoundManager sounds(&world.game);

    std::vector<std::string> expected;
    for (int i = 1; i <= 7; ++i)
        expected.push_back("music/" + std::to_string(i));
    for (size_t i = 1; i < expected.size(); ++i)
        std::swap(expected[i], expected[draws[i - 1] % (i + 1)]);
    EXPECT_EQ(sounds.playlist, expected);
    // Exactly six draws were taken.
    EXPECT_EQ(std::rand(), draws[6]);
    EXPECT_TRUE(std::is_permutation(sounds.playlist.begin(), sounds.playlist.end(),
                                    expected.begin()));
}

CONCURRENCY_TEST(SoundTest, SilentTrackAdvancesAfterThreeSeconds)
{
    SoundWorld world("musicEnabled=true\nsfxEnabled=true\n");
    SoundManager sounds(&world.game);
    sounds.loadSounds(); // no files: every stream stays silent

    sounds.update(10.0f); // no track yet: nothing moves
    EXPECT_EQ(sounds.trackIndex, 0);

    sounds.playMusic();
    EXPECT_EQ(sounds.currentTrack, sounds.playlist[0]);
    sounds.update(1.0f);
    sounds.update(1.5f);
    EXPECT_EQ(sounds.trackIndex, 0);
    sounds.update(0.5f);
    EXPECT_EQ(sounds.trackIndex, 1);
    EXPECT_EQ(sounds.currentTrack, sounds.playlist[1]);
    EXPECT_FLOAT_EQ(sounds.silence, 0.0f);

    for (int i = 0; i < 6; ++i)
        sounds.update(3.0f);
    EXPECT_EQ(sounds.trackIndex, 0); // wrapped around the seven tracks

    // With music off the index still moves on, but no track is started.
    world.game.settings->set("musicEnabled", "false");
    sounds.update(3.0f);
    EXPECT_EQ(sounds.trackIndex, 1);
    EXPECT_EQ(sounds.currentTrack, sounds.playlist[0]);
}

CONCURRENCY_TEST(SoundTest, PlayingTrackHoldsThePlaylist)
{
    SoundWorld world("musicEnabled=true\n");
    SoundManager first(&world.game);
    for (const std::string& track : first.playlist)
        world.writeTone(track, "ogg");
    SoundManager sounds(&world.game);
    sounds.loadSounds();
    sounds.playMusic();
    sf::Music* stream = sounds.getMusic(sounds.currentTrack);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->getStatus(), sf::SoundSource::Playing);
    EXPECT_FLOAT_EQ(stream->getVolume(), 45.0f);
    sounds.update(5.0f);
    EXPECT_EQ(sounds.trackIndex, 0);
    sounds.stopAllMusic();
    EXPECT_EQ(stream->getStatus(), sf::SoundSource::Stopped);
}

CONCURRENCY_TEST(SoundTest, EffectsObeyTheSetting)
{
    for (bool enabled : {true, false})
    {
        SoundWorld world(enabled ? "sfxEnabled=true\n" : "sfxEnabled=false\n");
        world.writeTone("click", "wav");
        world.writeTone("music/menu", "ogg");
        SoundManager sounds(&world.game);
        testing::internal::CaptureStdout();
        sounds.loadSounds();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load sounds ... done!\n");
        EXPECT_EQ(sounds.isSfxEnabled(), enabled);

        sounds.play("click");
        sounds.play("music/menu"); // not an effect: a stream of that name plays
        sounds.play("no_such_sound");
        sf::SoundSource::Status expected = enabled ? sf::SoundSource::Playing
                                                   : sf::SoundSource::Stopped;
        EXPECT_EQ(sounds.getSound("click")->getStatus(), expected);
        EXPECT_EQ(sounds.getMusic("music/menu")->getStatus(), expected);
        EXPECT_EQ(sounds.getSound("no_such_sound"), nullptr);
        EXPECT_EQ(sounds.getMusic("music/9"), nullptr);
        // Missing files leave silent entries that play without failing.
        ASSERT_NE(sounds.getSound("tock"), nullptr);
        sounds.play("tock");
        sounds.stopAllMusic();
    }
}

} // namespace
