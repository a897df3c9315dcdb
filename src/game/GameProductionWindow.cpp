#include "game/Game.h"

#include "game/Screens.h"

// The production window: production, demand, income and price of each goods kind.

using namespace screens;

void Game::ui_showProduction() {}

void Game::ui_refreshProduction() {}
