#include "game/Game.h"

#include "game/Screens.h"

// The finance window: the books by category, the daily change and the loan.

using namespace screens;

void Game::ui_showExpenditure() {}

void Game::ui_refreshExpenditure() {}
