#include "game/Game.h"

#include "game/Screens.h"

// The save slots window.

using namespace screens;

void Game::ui_showSaveSlots(bool) {}
