#include "game/Game.h"

#include "game/MainMenu.h"
#include "gui/UI.h"
#include "gui/Widget.h"
#include "resources/Settings.h"
#include "resources/SoundManager.h"

void Game::showMainMenu()
{
    action.reset();
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
    // PLACEHOLDER: the new-game set-up arrives with the simulation and screens.
}
