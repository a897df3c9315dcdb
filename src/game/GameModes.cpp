#include "game/Game.h"

#include "game/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "resources/Settings.h"
#include "gui/Window.h"
#include "resources/SoundManager.h"
#include "simulation/City.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <cstdio>

namespace
{
const char* const welcomeText =
    "Welcome! This is your city. Build it as you see fit, but remember you can only place buildings "
    "next to roads. Some buildings like houses, shops and factories generate income, while others such "
    "as water towers, parks and roads cost money to maintain. It's up to you to manage the fine balance "
    "between prosperity and total chaos.\n\nPlease note this is an early version of the game and will "
    "be developed further in the future, adding more features and buildings.";

const char* const infoText =
    "Start by checking out the buttons on the left. You can switch between build mode and different "
    "information layers, see your finances, check factory production and demand, as well as get an "
    "overview of your city.";

const double startingMoney = 25000.0;
const double startingPrices[8] = {0.2, 0.4, 1.5, 0.0, 0.0, 0.0, 0.0, 0.0};
} // namespace

void Game::showMainMenu()
{
    {
        // A running tick's fire start writes the action under this lock too.
        sf::Lock lock(updateMutex);
        action.reset();
    }
    ui_closeAllWindows();
    mainMenu->shown = true;
    sounds->stopAllMusic();
    if (settings->equals("musicEnabled", "true"))
    {
        if (sf::Music* music = sounds->getMusic("music/menu"))
        {
            music->setLoop(true);
            music->play();
        }
    }
    ui->menuRoot->setVisible(true);
    ui->gameRoot->setVisible(false);
}

void Game::enterGameMode()
{
    ui->menuRoot->setVisible(false);
    ui->gameRoot->setVisible(true);
    if (mainMenu->shown)
    {
        mainMenu->shown = false;
        sounds->stopAllMusic();
        sounds->playMusic();
    }
}

void Game::startNewGame()
{
    // The grid and the city are made anew: a running tick finishes first.
    sf::Lock tiles(tileMutex);
    sf::Lock update(updateMutex);
    std::printf("startNewGame\n");

    clicks = 0;
    day = 0;
    shaking = false;
    shakeStrength = 0.0f;
    action.reset();
    buildRate = 1.0;

    unlockFlags = 0;
    warningFlags = 0;
    reservedA = 0;
    reservedB = 0;
    helpFlags = 0;
    fireStationDay = 0;
    policeDay = 0;
    hospitalDay = 0;

    for (double& demand : housingDemand)
        demand = 0.0;
    for (int kind = 0; kind < 8; ++kind)
    {
        goodsDemand[kind] = 0.0;
        goodsProduction[kind] = 0.0;
        goodsIncome[kind] = 0.0;
        goodsPrice[kind] = startingPrices[kind];
    }

    ui_closeAllWindows();
    ui_setBuildTitle("");

    map->create(0, 0, false);
    city->reset();
    city->setMoney(startingMoney);

    map->setInfoLayer(0);
    ui->statusMessage = layerCaptions[0];

    centerViewOnTile(map->width / 2, map->height / 2);

    countHousesByLevel();
    updateHousingDemand();

    enterGameMode();

    Game* game = this;
    if (gui::Window* welcome = showMessage(gameTitle, welcomeText, false))
        welcome->closeCallback = [game] { game->showMessage("Info", infoText, false); };
}
