#include "simulation/Map.h"

#include "game/Game.h"
#include "simulation/MapRenderer.h"

#include <SFML/Graphics/View.hpp>

#include <cmath>

namespace
{
// Room above a tile's box for the tallest building when deciding what is on screen.
const float buildingHeadroom = 64.0f;

const int layerCount = 4;

// The world rectangle a view shows, its corner on a whole pixel. Picking
// rounds the same way, so the tile under the mouse is the tile drawn there
// even while a shake leaves the view between pixels.
sf::FloatRect snappedRect(const sf::View& view)
{
    sf::Vector2f size = view.getSize();
    sf::Vector2f center = view.getCenter();
    return sf::FloatRect(std::floor(center.x - size.x / 2.0f), std::floor(center.y - size.y / 2.0f), size.x,
                         size.y);
}
} // namespace

void Map::setInfoLayer(int layer)
{
    infoLayer = layer >= 0 && layer < layerCount ? layer : 0;
    if (game)
        game->ui_resetOverlayOptions();
}

void Map::draw(sf::RenderTarget& target)
{
    if (!renderer)
        renderer = new MapRenderer(this);
    renderer->advance(game ? game->deltaTime : 0.0f);

    // Culling follows the view every frame: a shake moves it without telling anyone.
    sf::View view = target.getView();
    sf::FloatRect rect = snappedRect(view);
    markOnScreen(rect);
    renderer->draw(target, rect);
    target.setView(view);
}

void Map::updateOnScreenTiles()
{
    if (game && game->gameView)
        markOnScreen(snappedRect(*game->gameView));
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
