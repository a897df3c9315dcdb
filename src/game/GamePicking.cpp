#include "game/Game.h"

#include "game/MainMenu.h"
#include "resources/SpriteManager.h"
#include "simulation/Map.h"

#include <cmath>
#include <cstdio>

namespace
{
bool isColour(const sf::Color& pixel, sf::Uint8 r, sf::Uint8 g, sf::Uint8 b)
{
    return pixel.r == r && pixel.g == g && pixel.b == b && pixel.a == 255;
}
} // namespace

sf::Vector2i Game::pickTile(int x, int y, bool revealedOnly, bool* found)
{
    sf::Image mask;
    sf::Sprite* isomap = sprites ? sprites->getSprite("isomap") : nullptr;
    if (isomap && isomap->getTexture())
        mask = isomap->getTexture()->copyToImage();

    sf::Vector2f center = gameView->getCenter();
    sf::Vector2f size = gameView->getSize();
    // The view's corner rounded down to a whole pixel, as the map is drawn.
    int wx = x + static_cast<int>(std::floor(center.x - size.x / 2));
    int wy = y + static_cast<int>(std::floor(center.y - size.y / 2));

    sf::Vector2i result(0, 0);
    bool any = false;
    for (const Tile& tile : map->tiles)
    {
        if (revealedOnly && !(tile.flags & 1))
            continue;
        int lx = wx - 16 * (tile.x + tile.y);
        int ly = wy - 8 * (tile.y - tile.x);
        if (lx < 0 || lx > 33 || ly < 0 || ly > 16)
            continue;
        sf::Color pixel;
        if (static_cast<unsigned>(lx) < mask.getSize().x && static_cast<unsigned>(ly) < mask.getSize().y)
            pixel = mask.getPixel(lx, ly);
        if (isColour(pixel, 255, 255, 0))
            result = sf::Vector2i(tile.x, tile.y - 1);
        else if (isColour(pixel, 0, 255, 255))
            result = sf::Vector2i(tile.x, tile.y + 1);
        else if (isColour(pixel, 255, 0, 255))
            result = sf::Vector2i(tile.x - 1, tile.y);
        else if (isColour(pixel, 0, 255, 0))
            result = sf::Vector2i(tile.x + 1, tile.y);
        else
            result = sf::Vector2i(tile.x, tile.y);
        any = true;
    }
    if (found)
        *found = any;
    std::printf("clickedTile: %d, %d\n", result.x, result.y);
    return result;
}

sf::Vector2i Game::pickClickedTile(const sf::Event& event, bool* found)
{
    return pickTile(event.mouseButton.x / pixelScale, event.mouseButton.y / pixelScale, true, found);
}

void Game::openTileActions(const sf::Event& event)
{
    // The title screen lies over the last map: clicks on it must not reach that map.
    if (currentAction().id != 0 || mainMenu->shown)
        return;
    sf::Lock lock(tileMutex);
    bool found = false;
    sf::Vector2i position = pickClickedTile(event, &found);
    Tile* tile = found ? map->tileAt(position.x, position.y) : nullptr;
    if (tile && !tile->actions.empty() && map->infoLayer == 0)
        ui_showTileActions(tile);
}

void Game::openTileInformation(const sf::Event& event)
{
    if (mainMenu->shown)
        return;
    sf::Lock lock(tileMutex);
    bool found = false;
    sf::Vector2i position = pickClickedTile(event, &found);
    Tile* tile = found ? map->tileAt(position.x, position.y) : nullptr;
    if (tile)
    {
        playSound("open_window");
        ui_showTileInformation(tile);
    }
}

void Game::centerViewOnTile(int tx, int ty)
{
    centerViewOnPoint(static_cast<float>(16 * (tx + ty) + 16), static_cast<float>(8 * (ty - tx) + 8));
}

void Game::centerViewOnPoint(float x, float y)
{
    if (!gameView)
        return;
    sf::Vector2f size = gameView->getSize();
    gameView->reset(sf::FloatRect(x - size.x / 2, y - size.y / 2, size.x, size.y));
    map->updateOnScreenTiles();
}
