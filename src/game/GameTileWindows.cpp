#include "game/Game.h"

#include "game/Screens.h"

// The tile actions window ("Yes, my mayor?") and the tile information window.

using namespace screens;

void Game::ui_showTileActions(Tile*) {}

void Game::ui_showTileInformation(Tile*) {}
