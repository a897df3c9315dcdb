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

namespace fixtures
{

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
