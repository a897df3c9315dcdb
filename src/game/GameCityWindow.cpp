#include "game/Game.h"

#include "game/Screens.h"

// The city information window: population, housing demand, social classes
// and the build rate.

using namespace screens;

void Game::ui_showCityInfo() {}

void Game::ui_refreshCityInfo() {}
