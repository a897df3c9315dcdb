#include "resources/SoundManager.h"

#include "game/Game.h"
#include "resources/Platform.h"
#include "resources/Settings.h"
#include "resources/Utils.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace
{

const char* const effectNames[] = {
    "click", "progress_build", "plop_road", "plop_building", "demolish", "tick", "open_window",
    "tock", "year_end", "month_end", "fire", "putoutfire", "unlocked_feature", "upgrade",
};

const char* const musicNames[] = {
    "music/menu", "music/1", "music/2", "music/3", "music/4", "music/5", "music/6", "music/7",
};

const float musicVolume = 45.0f;

} // namespace

SoundManager::SoundManager(Game* owner) : game(owner)
{
    for (int i = 1; i <= 7; ++i)
        playlist.push_back("music/" + std::to_string(i));
    shufflePlaylist();
}

SoundManager::~SoundManager()
{
    release();
}

void SoundManager::release()
{
    // Sounds and streams first: they still refer to their buffers.
    for (auto& entry : effects)
        delete entry.second;
    for (auto& entry : music)
        delete entry.second;
    for (auto& entry : buffers)
        delete entry.second;
    effects.clear();
    music.clear();
    buffers.clear();
    currentTrack.clear();
}

void SoundManager::loadSounds()
{
    std::printf("Load sounds ... ");
    std::fflush(stdout);
    if (!audioDevice())
    {
        // Without an output every sound call only fails, and a stream thread
        // would keep failing until exit: the game simply stays silent.
        std::printf("no audio device, sound is off ... done!\n");
        return;
    }
    for (const char* name : effectNames)
    {
        if (!buffers.count(name))
            buffers[name] = new sf::SoundBuffer();
        if (!effects.count(name))
            effects[name] = new sf::Sound();
        std::string path = getBasePath() + "sounds/" + name + ".wav";
        if (fileExists(path))
            buffers[name]->loadFromFile(path);
        effects[name]->setBuffer(*buffers[name]);
    }
    for (const char* name : musicNames)
    {
        if (!music.count(name))
            music[name] = new sf::Music();
        std::string path = getBasePath() + "sounds/" + name + ".ogg";
        if (fileExists(path))
            music[name]->openFromFile(path);
        music[name]->setVolume(musicVolume);
    }
    std::printf("done!\n");
}

bool SoundManager::audioDevice()
{
    if (deviceChecked)
        return deviceFound;
    // The first sound object opens the device.
    sf::SoundBuffer probe;
    deviceFound = platform::audioOutputAvailable();
    deviceChecked = true;
    return deviceFound;
}

void SoundManager::shufflePlaylist()
{
    for (size_t i = 1; i < playlist.size(); ++i)
    {
        size_t j = static_cast<size_t>(std::rand()) % (i + 1);
        if (i != j)
            std::swap(playlist[i], playlist[j]);
    }
}

bool SoundManager::isSfxEnabled() const
{
    return game->settings && game->settings->equals("sfxEnabled", "true");
}

bool SoundManager::isMusicEnabled() const
{
    return game->settings && game->settings->equals("musicEnabled", "true");
}

void SoundManager::play(const std::string& name)
{
    if (!isSfxEnabled())
        return;
    if (sf::Sound* sound = getSound(name))
    {
        // An empty buffer has nothing to play; OpenAL would only complain.
        if (sound->getBuffer() && sound->getBuffer()->getSampleCount() > 0)
            sound->play();
        return;
    }
    if (sf::Music* stream = getMusic(name))
    {
        if (stream->getChannelCount() > 0)
            stream->play();
    }
}

sf::Sound* SoundManager::getSound(const std::string& name)
{
    auto it = effects.find(name);
    return it == effects.end() ? nullptr : it->second;
}

sf::Music* SoundManager::getMusic(const std::string& name)
{
    auto it = music.find(name);
    return it == music.end() ? nullptr : it->second;
}

void SoundManager::playMusic()
{
    if (!isMusicEnabled() || playlist.empty())
        return;
    std::string previous = currentTrack;
    currentTrack = playlist[trackIndex];
    if (previous == currentTrack && isPlaying(currentTrack))
        return;
    sf::Music* stream = getMusic(currentTrack);
    // A stream whose file never opened stays silent; the playlist moves on after the pause.
    if (stream && stream->getChannelCount() > 0)
        stream->play();
}

void SoundManager::update(float dt)
{
    if (currentTrack.empty() || isPlaying(currentTrack))
        return;
    silence += dt;
    if (silence < trackPause)
        return;
    silence = 0.0f;
    trackIndex = (trackIndex + 1) % static_cast<int>(playlist.size());
    playMusic();
}

void SoundManager::stopAllMusic()
{
    for (auto& entry : music)
        entry.second->stop();
}

bool SoundManager::isPlaying(const std::string& name)
{
    sf::Music* stream = getMusic(name);
    return stream && stream->getStatus() == sf::SoundSource::Playing;
}
