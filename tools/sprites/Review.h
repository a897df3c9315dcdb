#ifndef QUILLFENN_TOOLS_SPRITES_REVIEW_H
#define QUILLFENN_TOOLS_SPRITES_REVIEW_H

#include "SpriteCatalog.h"

#include <SFML/Graphics/Image.hpp>

// Pictures for looking the art over: never shipped with the game.
namespace Review
{
// Every sprite at twice its size in the two colours, with its name under it.
sf::Image contactSheet(const SpriteCatalog& catalog, sf::Color light, sf::Color dark);

// A small town laid out on the grid as the game places tiles, at three times its size.
sf::Image scene(const SpriteCatalog& catalog, sf::Color light, sf::Color dark);
} // namespace Review

#endif
