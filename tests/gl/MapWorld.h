#ifndef QUILLFENN_TESTS_MAPWORLD_H
#define QUILLFENN_TESTS_MAPWORLD_H

// A game that draws its map into a 640 x 360 render texture at pixel scale
// 1, with the sprites and fonts of a base folder (the build's own by default).

#include "../support/Fixtures.h"
#include "../support/GameParts.h"

#include "resources/Utils.h"
#include "simulation/draw/MapRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace fixtures
{

class MapWorld
{
public:
    explicit MapWorld(int palette = 0, const std::string& base = std::string(QUILLFENN_RUN_DIR) + "/")
    {
        savedBase = getBasePath();
        setBasePath(base);
        game.settings = makeSettings("palette=" + std::to_string(palette) + "\nsfxEnabled=false\nmusicEnabled=false\n");
        game.pixelScale = 1;
        game.renderTexture = new sf::RenderTexture();
        game.renderTexture->create(640, 360);
        game.postProcessing = true;
        game.gameView = new sf::View(sf::FloatRect(0, 0, 640, 360));
        game.uiView = new sf::View(sf::FloatRect(0, 0, 640, 360));
        testing::internal::CaptureStdout();
        game.sprites = new SpriteManager(&game);
        game.fonts = new FontManager(&game);
        game.sprites->loadSprites();
        game.fonts->loadFonts();
        game.ui = new UI(&game);
        game.city = new City(&game);
        game.city->reset();
        game.map = new Map(&game);
        log = testing::internal::GetCapturedStdout();
    }
    ~MapWorld()
    {
        freeGameParts(game);
        setBasePath(savedBase);
    }
    MapWorld(const MapWorld&) = delete;
    MapWorld& operator=(const MapWorld&) = delete;

    Map& map() { return *game.map; }

    Tile& tile(int x, int y) { return *game.map->getTile(x, y); }

    // A grid of empty tiles, revealed when asked.
    void blankMap(int width, int height, bool revealed)
    {
        testing::internal::CaptureStdout();
        game.map->create(width, height, true);
        for (Tile& t : game.map->tiles)
        {
            t.setType(TileEmpty, 0);
            t.flags = revealed ? TileRevealed : 0;
        }
        game.map->recalculateVisibleTiles();
        testing::internal::GetCapturedStdout();
    }

    // Builds on a tile, facing a given side.
    void build(int x, int y, int type, int level = 1, int facing = 4)
    {
        Tile& t = tile(x, y);
        t.setType(type, level);
        t.facing = facing;
    }

    // Centres the view on a world point; a fraction puts the corner between pixels.
    void centerOn(float x, float y)
    {
        game.gameView->setCenter(x, y);
        game.map->updateOnScreenTiles();
    }

    // Centres the view on the middle of the grid.
    void centerOnMap()
    {
        int w = game.map->width;
        int h = game.map->height;
        centerOn(16.0f * (w - 1 + h - 1) / 2.0f + 17.0f, 8.0f * (h - w) / 2.0f + 8.0f);
    }

    // One frame of the map after a frame time, as the main loop draws it.
    sf::Image draw(float seconds = 0.0f)
    {
        game.deltaTime = seconds;
        sf::RenderTexture& target = *game.renderTexture;
        target.clear(game.lightColor);
        target.setView(*game.gameView);
        game.map->draw(target);
        target.display();
        return target.getTexture().copyToImage();
    }

    // The screen point of the top-left corner of a tile's box in the last view.
    sf::Vector2i boxOnScreen(int x, int y) const
    {
        sf::Vector2f size = game.gameView->getSize();
        sf::Vector2f center = game.gameView->getCenter();
        int left = static_cast<int>(std::floor(center.x - size.x / 2));
        int top = static_cast<int>(std::floor(center.y - size.y / 2));
        return sf::Vector2i(16 * (x + y) - left, 8 * (y - x) - top);
    }

    // The recoloured image of a loaded sprite.
    sf::Image spriteImage(const std::string& name)
    {
        sf::Sprite* sprite = game.sprites->getSprite(name);
        if (!sprite || !sprite->getTexture())
            return sf::Image();
        return sprite->getTexture()->copyToImage();
    }

    Game game;
    std::string log;
    std::string savedBase;
};

} // namespace fixtures

#endif
