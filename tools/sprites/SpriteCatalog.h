#ifndef QUILLFENN_TOOLS_SPRITES_SPRITECATALOG_H
#define QUILLFENN_TOOLS_SPRITES_SPRITECATALOG_H

#include "Canvas.h"

#include <SFML/Graphics/Image.hpp>

#include <string>
#include <vector>

// One finished sprite: two-tone art, or a ready-made colour image for the picking mask.
struct SpriteArt
{
    std::string name;
    Canvas canvas;
    bool colourMask;
    sf::Image mask;

    // The sprite in the given two colours (the mask keeps its own colours).
    sf::Image render(sf::Color light = sf::Color::White, sf::Color dark = sf::Color::Black) const;
};

// Every sprite of the game, in the order the game loads them.
class SpriteCatalog
{
public:
    // Draws all sprites.
    SpriteCatalog();

    // The sprite of that name, or null.
    const SpriteArt* find(const std::string& name) const;

    std::vector<SpriteArt> sprites;

private:
    void add(const std::string& name, const Canvas& canvas);
    void addTiles();
    void addBuildings();
    void addInterface();
    void addIcons();
};

#endif
