#include "resources/SpriteManager.h"

// PLACEHOLDER implementation.

SpriteManager::SpriteManager(Game* game) : game(game) {}
void SpriteManager::applyPalette(int) {}
void SpriteManager::loadSprites() {}
sf::Sprite* SpriteManager::loadSprite(const std::string&) { return nullptr; }
sf::Sprite* SpriteManager::getSprite(const std::string& name)
{
    auto it = sprites.find(name);
    return it == sprites.end() ? nullptr : it->second;
}
void SpriteManager::randomizeColors() {}
void SpriteManager::reloadTextures() {}
