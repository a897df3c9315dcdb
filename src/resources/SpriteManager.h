#ifndef QUILLFENN_RESOURCES_SPRITEMANAGER_H
#define QUILLFENN_RESOURCES_SPRITEMANAGER_H

// PLACEHOLDER: the sprite manager and palettes are built by the resource layer.

#include <SFML/Graphics.hpp>

#include <map>
#include <string>

class Game;

class SpriteManager
{
public:
    explicit SpriteManager(Game* game);
    void applyPalette(int index);
    void loadSprites();
    sf::Sprite* loadSprite(const std::string& name);
    sf::Sprite* getSprite(const std::string& name);
    void randomizeColors();
    void reloadTextures();

    Game* game;
    std::map<std::string, sf::Sprite*> sprites;
    std::map<std::string, sf::Texture*> textures;
};

#endif
