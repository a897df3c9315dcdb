#include "game/Game.h"

// PLACEHOLDER: actions, progress clicks and the day advance.

void Game::startAction(int, int, int) {}
void Game::resolveActionTile() {}
void Game::progressAction() {}
void Game::completeAction() {}
void Game::cancelAction() {}
int Game::nextDay() { return 0; }
void Game::startScreenShake(float, float) {}
void Game::updatePlusOnes(float) {}
void Game::updateHousingDemand() {}
