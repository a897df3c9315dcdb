#include "game/MainMenu.h"

MainMenu::MainMenu(Game* game) : game(game)
{
    createWidgets();
}

MainMenu::~MainMenu() {}

void MainMenu::createWidgets() {}

void MainMenu::layout() {}
