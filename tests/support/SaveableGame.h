#ifndef QUILLFENN_TESTS_SAVEABLEGAME_H
#define QUILLFENN_TESTS_SAVEABLEGAME_H

// A game with no window that can start, save and load a city: settings with
// sound off, a city, a map, a UI with block fonts, a silent sound manager and
// a title screen. Needs no test framework, so the fuzz targets use it too.

#include "GameParts.h"
#include "HeadlessUi.h"

#include "game/Game.h"
#include "game/MainMenu.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"
#include "simulation/City.h"
#include "simulation/Map.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>

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

class SaveableGame
{
public:
    SaveableGame()
    {
        // No entries: every sound and music switch reads as off.
        game.settings = new Settings();
        game.city = new City(&game);
        game.map = new Map(&game);
        game.city->reset();
        game.action.reset();
        giveHeadlessUi(game);
        game.sounds = new SoundManager(&game);
        game.mainMenu = new MainMenu(&game);
    }

    // A tick still running would use the parts freed here.
    ~SaveableGame()
    {
        while (!waitForDay(game, 1000))
        {
        }
        // The screens' window pointers outlive this UI: leave none dangling.
        game.ui_closeAllWindows();
        delete game.mainMenu;
        game.mainMenu = nullptr;
        freeGameParts(game);
    }

    SaveableGame(const SaveableGame&) = delete;
    SaveableGame& operator=(const SaveableGame&) = delete;

    Game game;
};

} // namespace fixtures

#endif
