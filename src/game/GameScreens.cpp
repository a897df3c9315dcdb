#include "game/Game.h"

#include "gui/UI.h"

// PLACEHOLDER: the heads-up display and the in-game windows.

void Game::ui_create() {}

void Game::ui_update()
{
    ui->draw();
}

void Game::ui_updateLayout() {}
void Game::ui_setBuildTitle(const std::string&) {}
void Game::ui_setDateButtonEnabled(bool) {}
void Game::ui_closeAllWindows() {}
void Game::ui_showExpenditure() {}
void Game::ui_refreshExpenditure() {}
void Game::ui_refreshCityInfo() {}
void Game::ui_refreshProduction() {}
void Game::ui_showTileInformation(Tile*) {}
void Game::ui_showTileActions(Tile*) {}
