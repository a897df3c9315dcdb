#include "game/MainMenu.h"

#include "game/Game.h"
#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/UI.h"

namespace
{
const int buttonWidth = 120;
const int buttonHeight = 18;
const int buttonStep = 22;
const int firstButtonY = 104;

// Centres a widget horizontally at a given height.
void placeCentred(gui::Widget* widget, int screenWidth, int y)
{
    widget->setPosition((screenWidth - widget->width) / 2, y, true);
}
} // namespace

MainMenu::MainMenu(Game* owner) : game(owner)
{
    createWidgets();
}

MainMenu::~MainMenu() {}

void MainMenu::createWidgets()
{
    UI* ui = game->ui;
    gui::Widget* root = ui->menuRoot;

    title = ui->createImage(0, 0, 240, 40, screens::spriteOf(game, "ui/menu/title"), -1);
    separator = ui->createImage(0, 0, 240, 5, screens::spriteOf(game, "ui/menu/title_separator"), -1);
    subtitle = ui->createImage(0, 0, 160, 12, screens::spriteOf(game, "ui/menu/subtitle"), -1);
    city = ui->createImage(0, 0, 320, 100, screens::spriteOf(game, "ui/menu/city"), -1);
    for (gui::Widget* image : {static_cast<gui::Widget*>(city), static_cast<gui::Widget*>(title),
                               static_cast<gui::Widget*>(separator), static_cast<gui::Widget*>(subtitle)})
        root->addChild(image);

    Game* owner = game;
    newGameButton = ui->createButton(0, 0, buttonWidth, buttonHeight, "Start new game", -1, FontBold);
    newGameButton->onClick = [owner] { owner->startNewGame(); };
    loadButton = ui->createButton(0, 0, buttonWidth, buttonHeight, "Load", -1, FontBold);
    loadButton->onClick = [owner] { owner->ui_showSaveSlots(false); };
    optionsButton = ui->createButton(0, 0, buttonWidth, buttonHeight, "Options", -1, FontBold);
    optionsButton->onClick = [owner] { owner->ui_showOptions(); };
    exitButton = ui->createButton(0, 0, buttonWidth, buttonHeight, "Exit", -1, FontBold);
    exitButton->onClick = [owner] { owner->quit(); };
    root->addChild(newGameButton);
    root->addChild(loadButton);
    root->addChild(optionsButton);
    root->addChild(exitButton);

    layout();
}

void MainMenu::layout()
{
    sf::Vector2i size = game->getLogicalSize();
    placeCentred(title, size.x, 24);
    placeCentred(separator, size.x, 68);
    placeCentred(subtitle, size.x, 77);
    placeCentred(newGameButton, size.x, firstButtonY);
    placeCentred(loadButton, size.x, firstButtonY + buttonStep);
    placeCentred(optionsButton, size.x, firstButtonY + 2 * buttonStep);
    placeCentred(exitButton, size.x, firstButtonY + 3 * buttonStep);
    placeCentred(city, size.x, size.y - city->height - 8);
}

int MainMenu::buttonsTop() const
{
    return firstButtonY;
}
