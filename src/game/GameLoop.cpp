#include "game/Game.h"

#include "game/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "resources/Platform.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
const float longFrame = 0.25f;
} // namespace

void Game::run()
{
    frameClock.restart();
    while (window->isOpen())
    {
        sf::RenderTarget* target = getRenderTarget();
        updateDeltaTime();
        handleEvents();
        if (!window->isOpen())
            break;
        clearRenderTarget();
        if (!mainMenu->shown)
        {
            updateScreenShake();
            target->setView(*gameView);
            map->draw(*target);
            updatePlusOnes(deltaTime);
            sounds->update(deltaTime);
        }
        target->setView(*uiView);
        ui_update();
        presentFrame();
        freeFinishedUpdateThread();
        platform::reapEndedOpeners();
        if (recreateWindow)
        {
            recreateWindow = false;
            createWindow();
        }
    }
}

void Game::updateDeltaTime()
{
    float seconds = frameClock.getElapsedTime().asMilliseconds() / 1000.0f;
    if (seconds < longFrame)
        deltaTime = seconds;
    frameClock.restart();
}

void Game::clearRenderTarget()
{
    getRenderTarget()->clear(lightColor);
}

