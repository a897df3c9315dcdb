#include "simulation/Map.h"

#include "game/Game.h"

#include <SFML/Graphics/View.hpp>

#include <cmath>

// What of the map the game view shows: the information layer drawn over it
// and the tiles on screen, which are the ones drawn and picked.

namespace
{
// Room above a tile's box for the tallest building when deciding what is on screen.
const float buildingHeadroom = 64.0f;

const int layerCount = 4;
} // namespace

void Map::setInfoLayer(int layer)
{
    infoLayer = layer >= 0 && layer < layerCount ? layer : 0;
    if (game)
        game->ui_resetOverlayOptions();
}

sf::FloatRect Map::visibleRect(const sf::View& view)
{
    sf::Vector2f size = view.getSize();
    sf::Vector2f center = view.getCenter();
    return sf::FloatRect(std::floor(center.x - size.x / 2.0f), std::floor(center.y - size.y / 2.0f), size.x,
                         size.y);
}

void Map::updateOnScreenTiles()
{
    if (game && game->gameView)
        markOnScreen(visibleRect(*game->gameView));
}

void Map::markOnScreen(const sf::FloatRect& view)
{
    for (Tile& tile : tiles)
    {
        sf::FloatRect box(16.0f * (tile.x + tile.y), 8.0f * (tile.y - tile.x) - buildingHeadroom, 34.0f,
                          17.0f + buildingHeadroom);
        bool offScreen = !view.intersects(box);
        // Only changes are written: the flags are atomic and the tick sets its own bits.
        if (offScreen != ((tile.flags & TileOffScreen) != 0))
        {
            if (offScreen)
                tile.flags |= TileOffScreen;
            else
                tile.flags &= ~TileOffScreen;
        }
    }
}
