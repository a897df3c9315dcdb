#ifndef QUILLFENN_TESTS_HUDWORLD_H
#define QUILLFENN_TESTS_HUDWORLD_H

// A game with the generated sprites and fonts, a map, a city, the title
// screen object and the heads-up display, drawing into a render texture of
// the asked logical size at pixel scale 1. Clicks go through the UI as the
// main loop sends them; a press and release that the UI lets through reach
// the game's own handlers.

#include "../support/Fixtures.h"
#include "../support/GameParts.h"

#include "game/Game.h"
#include "game/MainMenu.h"
#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Text.h"
#include "gui/TitleBar.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/FontManager.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"
#include "simulation/City.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"

#include <SFML/System/Sleep.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fixtures
{

class HudWorld
{
public:
    explicit HudWorld(int width = 640, int height = 360)
    {
        savedBase = getBasePath();
        setBasePath(std::string(QUILLFENN_RUN_DIR) + "/");
        game.settings = makeSettings("palette=0\nsfxEnabled=false\nmusicEnabled=false\n");
        game.pixelScale = 1;
        game.postProcessing = true;
        game.renderTexture = new sf::RenderTexture();
        game.renderTexture->create(width, height);
        sf::FloatRect rect(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
        game.gameView = new sf::View(rect);
        game.uiView = new sf::View(rect);
        game.map = new Map(&game);
        game.city = new City(&game);
        game.sprites = new SpriteManager(&game);
        game.fonts = new FontManager(&game);
        testing::internal::CaptureStdout();
        game.sprites->loadSprites();
        game.fonts->loadFonts();
        game.ui = new UI(&game);
        menu = new MainMenu(&game);
        game.mainMenu = menu;
        game.ui_create();
        log = testing::internal::GetCapturedStdout();
        game.ui->gameRoot->setVisible(true);
        game.city->reset();
        game.city->setMoney(25000);
        game.day = 0;
        game.action.reset();
    }

    ~HudWorld()
    {
        finishDay();
        game.ui_closeAllWindows();
        screens::forgetHeadsUpDisplay();
        game.mainMenu = nullptr;
        delete menu;
        freeGameParts(game);
        setBasePath(savedBase);
    }

    HudWorld(const HudWorld&) = delete;
    HudWorld& operator=(const HudWorld&) = delete;

    // One frame of the heads-up display with a frame time; returns the picture.
    sf::Image frame(float dt = 0.0f)
    {
        game.deltaTime = dt;
        game.renderTexture->clear(game.lightColor);
        game.renderTexture->setView(*game.uiView);
        game.ui_update();
        game.renderTexture->display();
        return game.renderTexture->getTexture().copyToImage();
    }

    // Waits for a running day tick and frees its thread, as the main loop does.
    void finishDay()
    {
        while (game.updateThread)
        {
            game.freeFinishedUpdateThread();
            if (game.updateThread)
                sf::sleep(sf::milliseconds(1));
        }
    }

    // A press and a release at a logical point, routed like Game::handleEvents.
    void clickAt(int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
    {
        for (sf::Event::EventType type : {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased})
        {
            sf::Event event = mouseButton(type, x, y, button);
            if (!game.ui->handleEvent(event))
                continue;
            if (type == sf::Event::MouseButtonPressed)
                game.onMouseButtonPressed(event);
            else
                game.onMouseButtonReleased(event);
        }
    }

    // Clicks the middle of a widget.
    void click(gui::Widget* widget, sf::Mouse::Button button = sf::Mouse::Left)
    {
        ASSERT_NE(widget, nullptr);
        sf::Vector2i p = widget->getAbsolutePosition();
        clickAt(p.x + widget->width / 2, p.y + widget->height / 2, button);
    }

    // A widget of the game screen by its name.
    gui::Widget* find(const char* name) { return game.ui->gameRoot->findChildById(hashString(name), true); }

    // The topmost message dialog, or null.
    gui::Window* dialog()
    {
        return static_cast<gui::Window*>(game.ui->gameRoot->findChildById(hashString("dlgWnd"), false));
    }

    // The title bar text of a window.
    static std::string titleOf(gui::Window* window)
    {
        return window && window->titleBar ? window->titleBar->title : std::string();
    }

    // Closes the topmost dialog with its Okay button.
    void closeDialog()
    {
        gui::Window* top = dialog();
        ASSERT_NE(top, nullptr);
        click(top->findChildById(hashString("closeWindow"), false));
        frame();
    }

    // Fits the render texture, the views and the screens to a new logical size.
    void resize(int width, int height)
    {
        game.renderTexture->create(width, height);
        sf::FloatRect rect(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
        *game.gameView = sf::View(rect);
        *game.uiView = sf::View(rect);
        game.ui->onResize();
        game.ui_updateLayout();
    }

    // A blank revealed map of w x h without a starting layout.
    void blankMap(int width, int height)
    {
        game.map->create(width, height, true);
        for (Tile& tile : game.map->tiles)
        {
            tile.type = TileEmpty;
            tile.flags = TileRevealed;
        }
        game.map->recalculateVisibleTiles();
    }

    // Builds on a tile as a finished action would.
    Tile* build(int x, int y, int type, int level = 1)
    {
        Tile* tile = game.map->getTile(x, y);
        tile->setType(type, level);
        game.map->recalculateVisibleTiles();
        return tile;
    }

    // The logical screen point at the middle of a tile's ground.
    sf::Vector2i screenPointOf(const Tile& tile)
    {
        sf::Vector2f center = game.gameView->getCenter();
        sf::Vector2f size = game.gameView->getSize();
        float wx = 16.0f * (tile.x + tile.y) + 17.0f;
        float wy = 8.0f * (tile.y - tile.x) + 8.0f;
        return sf::Vector2i(static_cast<int>(wx - center.x + size.x / 2), static_cast<int>(wy - center.y + size.y / 2));
    }

    Game game;
    MainMenu* menu = nullptr;
    std::string log;
    std::string savedBase;
};

// Dark pixels of a picture inside a rectangle.
inline int darkPixels(const sf::Image& image, const sf::IntRect& rect, const sf::Color& dark)
{
    int count = 0;
    for (int y = rect.top; y < rect.top + rect.height; ++y)
        for (int x = rect.left; x < rect.left + rect.width; ++x)
            if (image.getPixel(x, y) == dark)
                ++count;
    return count;
}

} // namespace fixtures

#endif
