#ifndef QUILLFENN_TESTS_GAMEPARTS_H
#define QUILLFENN_TESTS_GAMEPARTS_H

// Tests and benchmarks build a Game from the parts they need; the game itself
// leaves its parts to the end of the process, so whoever made them frees them.

#include "game/Game.h"
#include "gui/UI.h"
#include "resources/FontManager.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
#include "simulation/City.h"
#include "simulation/Map.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>

// Deletes every part a test may have given the game (widgets first) and
// clears the pointers, so a second call or the game's destructor finds none.
inline void freeGameParts(Game& game)
{
    // A day tick still running uses the map and the city.
    if (game.updateThread)
    {
        game.updateThread->wait();
        delete game.updateThread;
        game.updateThread = nullptr;
    }
    delete game.ui;
    delete game.fonts;
    delete game.sounds;
    delete game.sprites;
    delete game.map;
    delete game.city;
    delete game.renderTexture;
    delete game.gameView;
    delete game.uiView;
    delete game.settings;
    game.ui = nullptr;
    game.fonts = nullptr;
    game.sounds = nullptr;
    game.sprites = nullptr;
    game.map = nullptr;
    game.city = nullptr;
    game.renderTexture = nullptr;
    game.gameView = nullptr;
    game.uiView = nullptr;
    game.settings = nullptr;
}

namespace fixtures
{

// Waits for the day tick nextDay started and frees its thread, as the main
// loop would; false when it has not ended within the milliseconds.
inline bool waitForDay(Game& game, int milliseconds)
{
    sf::Clock clock;
    while (game.updateThread)
    {
        game.freeFinishedUpdateThread();
        if (!game.updateThread)
            break;
        if (clock.getElapsedTime().asMilliseconds() > milliseconds)
            return false;
        sf::sleep(sf::milliseconds(1));
    }
    return true;
}

} // namespace fixtures

#endif
