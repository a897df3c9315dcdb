#include "resources/SoundManager.h"

// PLACEHOLDER implementation.

SoundManager::SoundManager(Game* game) : game(game) {}
SoundManager::~SoundManager() {}
void SoundManager::loadSounds() {}
bool SoundManager::isSfxEnabled() const { return false; }
void SoundManager::play(const std::string&) {}
sf::Sound* SoundManager::getSound(const std::string&) { return nullptr; }
sf::Music* SoundManager::getMusic(const std::string&) { return nullptr; }
void SoundManager::playMusic() {}
void SoundManager::update(float) {}
void SoundManager::stopAllMusic() {}
