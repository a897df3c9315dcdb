#include "game/Screens.h"

#include "game/Game.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"

#include <algorithm>
#include <cstdio>

namespace screens
{

namespace
{
std::vector<BuildRateLevel> uiStaticInit()
{
    // The last step really is a million and a quarter: 5.0 is the end game.
    return {{1.0, 0},      {1.25, 10000}, {1.5, 15000}, {1.75, 20000},  {2.0, 25000},
            {2.5, 35000},  {3.0, 50000},  {4.0, 75000}, {5.0, 1250000}};
}
} // namespace

const std::vector<BuildRateLevel> buildRateLevels = uiStaticInit();
std::vector<int> expenditureCategoryOrder;

gui::Window* tileActionsWindow = nullptr;
gui::Window* tileInformationWindow = nullptr;
gui::Window* menuWindow = nullptr;
gui::Window* optionsWindow = nullptr;
gui::Window* aboutWindow = nullptr;
gui::Window* saveSlotsWindow = nullptr;
gui::Window* financeWindow = nullptr;
gui::Window* cityInfoWindow = nullptr;
gui::Window* productionWindow = nullptr;

gui::Text* buildTitleText = nullptr;
gui::Button* actionProgressButton = nullptr;
gui::Image* actionProgressBar = nullptr;
gui::Button* nextDayButton = nullptr;
gui::Button* cancelActionButton = nullptr;

double nextDayCooldown = 0.0;
double tickWindow = 0.0;
bool tickShown = false;

sf::Sprite* spriteOf(Game* game, const char* name)
{
    return game->sprites ? game->sprites->getSprite(name) : nullptr;
}

gui::Text* addText(Game* game, gui::Window* window, int x, int y, int w, const std::string& text, int align,
                   int font, int id)
{
    gui::Text* widget = game->ui->createText(x, y, w, 8, text, align, id);
    if (font != FontNormal)
        widget->setFont(font);
    window->addChild(widget);
    return widget;
}

void addUnderline(Game* game, gui::Window* window, int y, const char* sprite, int windowWidth)
{
    gui::Image* line = game->ui->createImage(10, y, 320, 1, spriteOf(game, sprite), 0);
    line->sourceRect = sf::IntRect(0, 0, windowWidth - 20, 1);
    line->width = windowWidth - 20;
    window->addChild(line);
}

void closeScreen(gui::Window*& window)
{
    gui::Window* open = window;
    if (!open)
        return;
    open->answer(gui::Window::AnswerClose);
    open->close();
    window = nullptr;
}

void addBelowMessages(Game* game, gui::Window* window)
{
    gui::Widget* root = game->ui->gameRoot;
    const int dialogId = hashString("dlgWnd");
    auto firstDialog = std::find_if(root->children.begin(), root->children.end(),
                                    [dialogId](gui::Widget* child) { return child->id == dialogId; });
    window->parent = root;
    root->children.insert(firstDialog, window);
}

// The date of a day as the heads-up display shows it: "%d/%d Y%d" with a leading zero on a day or month below 10.
std::string formatDate(int day)
{
    int dayOfMonth = day % 30 + 1;
    int month = day % 360 / 30 + 1;
    int year = day / 360 + 1;
    const char* format = "%d/%d Y%d";
    if (dayOfMonth < 10 && month < 10)
        format = "0%d/0%d Y%d";
    else if (dayOfMonth < 10)
        format = "0%d/%d Y%d";
    else if (month < 10)
        format = "%d/0%d Y%d";
    char text[48];
    std::snprintf(text, sizeof text, format, dayOfMonth, month, year);
    return text;
}

} // namespace screens
