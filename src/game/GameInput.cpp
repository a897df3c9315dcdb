#include "game/Game.h"

#include "gui/UI.h"
#include "gui/Widget.h"
#include "resources/Settings.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"

#include <cstdlib>

// Input: the window's events, the mouse and dragging the map.

namespace
{
// Keys 1 to 4 choose these information layers.
const int keyLayers[4] = {0, 2, 1, 3};
} // namespace

void Game::handleEvents()
{
    sf::Event event;
    while (window->pollEvent(event))
    {
        if (!ui->handleEvent(event))
            continue;
        switch (event.type)
        {
        case sf::Event::Closed:
            window->close();
            break;
        case sf::Event::KeyPressed:
            switch (event.key.code)
            {
            case sf::Keyboard::Num1:
            case sf::Keyboard::Num2:
            case sf::Keyboard::Num3:
            case sf::Keyboard::Num4:
            {
                int layer = keyLayers[event.key.code - sf::Keyboard::Num1];
                ui->statusMessage = layerCaptions[layer];
                map->setInfoLayer(layer);
                ui_resetOverlayOptions();
                break;
            }
            case sf::Keyboard::Return:
                if (event.key.alt)
                {
                    settings->toggle("isFullscreen");
                    recreateWindow = true;
                }
                break;
            case sf::Keyboard::F12:
                screenshotPending = true;
                break;
            default:
                break;
            }
            break;
        case sf::Event::MouseButtonPressed:
            onMouseButtonPressed(event);
            break;
        case sf::Event::MouseButtonReleased:
            onMouseButtonReleased(event);
            break;
        case sf::Event::MouseMoved:
            onMouseMoved(event);
            break;
        default:
            break;
        }
    }
}

sf::Vector2i Game::getScaledMousePosition() const
{
    if (!window)
        return sf::Vector2i(0, 0);
    int scale = pixelScale > 0 ? pixelScale : 1;
    sf::Vector2i position = sf::Mouse::getPosition(*window);
    return sf::Vector2i(position.x / scale, position.y / scale);
}

void Game::onMouseButtonPressed(const sf::Event& event)
{
    if (event.mouseButton.button != sf::Mouse::Left)
        return;
    gui::Widget* widget = ui->getWidgetAt(event.mouseButton.x / pixelScale,
                                          event.mouseButton.y / pixelScale);
    if (widget && widget->type != 10)
        return;
    dragging = true;
    pressCenter = gameView->getCenter();
    pressPosition = sf::Vector2i(event.mouseButton.x, event.mouseButton.y);
}

void Game::onMouseButtonReleased(const sf::Event& event)
{
    if (event.mouseButton.button == sf::Mouse::Left)
    {
        dragging = false;
        int dx = event.mouseButton.x - pressPosition.x;
        int dy = event.mouseButton.y - pressPosition.y;
        if (std::abs(dx) <= pixelScale && std::abs(dy) <= pixelScale)
            openTileActions(event);
    }
    else if (event.mouseButton.button == sf::Mouse::Right)
    {
        openTileInformation(event);
    }
}

void Game::onMouseMoved(const sf::Event& event)
{
    if (!dragging)
        return;
    int dx = event.mouseMove.x - pressPosition.x;
    int dy = event.mouseMove.y - pressPosition.y;
    float shiftX = static_cast<float>(pixelScale * (dx / pixelScale) / 4);
    float shiftY = static_cast<float>(pixelScale * (dy / pixelScale) / 4);
    gameView->setCenter(pressCenter - sf::Vector2f(shiftX, shiftY));
    map->updateOnScreenTiles();
}
