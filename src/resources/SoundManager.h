#ifndef QUILLFENN_RESOURCES_SOUNDMANAGER_H
#define QUILLFENN_RESOURCES_SOUNDMANAGER_H

// PLACEHOLDER: the sound manager and playlist are built by the resource layer.

#include <SFML/Audio.hpp>

#include <string>

class Game;

class SoundManager
{
public:
    explicit SoundManager(Game* game);
    virtual ~SoundManager();
    void loadSounds();
    bool isSfxEnabled() const;
    void play(const std::string& name);
    sf::Sound* getSound(const std::string& name);
    sf::Music* getMusic(const std::string& name);
    void playMusic();
    void update(float dt);
    void stopAllMusic();

    Game* game;
};

#endif
