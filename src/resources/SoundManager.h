#ifndef QUILLFENN_RESOURCES_SOUNDMANAGER_H
#define QUILLFENN_RESOURCES_SOUNDMANAGER_H

#include <SFML/Audio.hpp>

#include <map>
#include <string>
#include <vector>

class Game;

// Sound effects by name, music streams by name, and the background playlist
// of the game: "music/1" to "music/7" in shuffled order with a pause between tracks.
class SoundManager
{
public:
    explicit SoundManager(Game* owner);
    virtual ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Seconds of silence between two playlist tracks.
    static constexpr float trackPause = 3.0f;

    // Loads every effect and music stream; missing files leave silent entries.
    void loadSounds();

    // Shuffles the playlist with rand(): for i = 1 .. n-1, swap i with rand() % (i + 1).
    void shufflePlaylist();

    // True when the setting "sfxEnabled" is "true".
    bool isSfxEnabled() const;

    // True when the setting "musicEnabled" is "true".
    bool isMusicEnabled() const;

    // Plays the effect (or else the music stream) of that name while effects are enabled.
    void play(const std::string& name);

    // The effect of that name, or null.
    sf::Sound* getSound(const std::string& name);

    // The music stream of that name, or null.
    sf::Music* getMusic(const std::string& name);

    // Starts the playlist's current track unless it already plays.
    void playMusic();

    // Advances the playlist after the pause that follows a finished track.
    void update(float dt);

    // Stops every music stream.
    void stopAllMusic();

    // Frees every effect, stream and buffer; the audio device closes with
    // the last of them. The game is silent afterwards.
    void release();

    Game* game;
    std::map<std::string, sf::SoundBuffer*> buffers;
    std::map<std::string, sf::Sound*> effects;
    std::map<std::string, sf::Music*> music;
    std::vector<std::string> playlist;
    std::string currentTrack;
    int trackIndex = 0;
    float silence = 0.0f;

private:
    // True when the named stream exists and is playing.
    bool isPlaying(const std::string& name);

    // True when an audio output device opened (checked once).
    bool audioDevice();

    bool deviceChecked = false;
    bool deviceFound = false;
};

#endif
