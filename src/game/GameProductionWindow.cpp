#include "game/Game.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Utils.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

// The production window: production, demand, income and price of each goods kind.

using namespace screens;

namespace
{
const int productionWidth = 300;
const int productionHeight = 100;
const int goodsKinds = 3;
const int rowTop = 35;
const int rowStep = 11;

// Price steps per kind: luxury items are dearer, so they move in larger steps.
const double priceSteps[goodsKinds] = {0.05, 0.05, 0.1};
const double defaultPrices[goodsKinds] = {0.2, 0.4, 1.5};

// Value columns: production, demand, income.
const int columnCount = 3;
const int columnX[columnCount] = {80, 130, 180};
const int prevX = 236;
const int priceX = 246;
const int priceWidth = 24;
const int nextX = 272;
const int resetX = 284;

// The texts and buttons the refresh writes; null while the window is closed.
gui::Text* values[goodsKinds][columnCount] = {};
gui::Text* prices[goodsKinds] = {};
gui::Button* previousButtons[goodsKinds] = {};

// An id made of a name and a goods kind, so tests and tools can find the widget.
int kindId(const char* name, int kind)
{
    return hashString((std::string(name) + std::to_string(kind)).c_str());
}

// Whole units rounded down, kept inside what "%d" can print.
std::string formatWhole(double value)
{
    double down = std::floor(value);
    int shown = 0;
    if (down >= INT_MAX)
        shown = INT_MAX;
    else if (down <= INT_MIN)
        shown = INT_MIN;
    else if (std::isfinite(down))
        shown = static_cast<int>(down);
    return std::to_string(shown);
}

std::string formatPrice(double price)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", price);
    return buffer;
}

// Moves a price by whole steps, to the cent and never below 0.
void changePrice(Game* game, int kind, int steps)
{
    double price = game->goodsPrice[kind] + steps * priceSteps[kind];
    price = std::round(price * 100.0) / 100.0;
    if (price < 0.0)
        price = 0.0;
    game->setGoodsPrice(kind, price);
    game->ui_refreshProduction();
}

gui::Button* addPriceButton(Game* game, gui::Window* window, int x, int y, const char* sprite,
                            const char* name, int kind)
{
    gui::Button* button = game->ui->createImageButton(x, y, 8, 8, spriteOf(game, sprite), kindId(name, kind));
    window->addChild(button);
    return button;
}

void addHeadings(Game* game, gui::Window* window)
{
    addText(game, window, 10, 24, 60, "Goods", 0, FontSmall);
    const char* heads[columnCount] = {"Production", "Demand", "Income"};
    for (int column = 0; column < columnCount; ++column)
        addText(game, window, columnX[column], 24, 50, heads[column], 2, FontSmall);
    addText(game, window, prevX, 24, resetX + 8 - prevX, "Price", 1, FontSmall);
    addUnderline(game, window, 31, "ui/production_titles_underline", productionWidth);
}

void addRow(Game* game, gui::Window* window, int kind)
{
    const int y = rowTop + rowStep * kind;
    addText(game, window, 10, y, 70, goodsNames[kind], 0, FontNormal);
    const char* names[columnCount] = {"goodsProduction", "goodsDemand", "goodsIncome"};
    for (int column = 0; column < columnCount; ++column)
        values[kind][column] =
            addText(game, window, columnX[column], y, 50, "0", 2, FontNormal, kindId(names[column], kind));
    prices[kind] = addText(game, window, priceX, y, priceWidth, "0.00", 1, FontNormal, kindId("goodsPrice", kind));

    previousButtons[kind] = addPriceButton(game, window, prevX, y, "ui/production_prev", "pricePrevious", kind);
    previousButtons[kind]->onClick = [game, kind] { changePrice(game, kind, -1); };
    addPriceButton(game, window, nextX, y, "ui/production_next", "priceNext", kind)->onClick = [game, kind] {
        changePrice(game, kind, 1);
    };
    addPriceButton(game, window, resetX, y, "ui/reset_price", "priceReset", kind)->onClick = [game, kind] {
        game->setGoodsPrice(kind, defaultPrices[kind]);
        game->ui_refreshProduction();
    };
}

void forgetWidgets()
{
    for (int kind = 0; kind < goodsKinds; ++kind)
    {
        for (int column = 0; column < columnCount; ++column)
            values[kind][column] = nullptr;
        prices[kind] = nullptr;
        previousButtons[kind] = nullptr;
    }
}

// Builds the window; the caller holds the window's mutex.
void buildProductionWindow(Game* game)
{
    sf::IntRect rect = game->ui->getCenteredRect(productionWidth, productionHeight, UI::PlaceMiddle);
    gui::Window* window = game->ui->createWindow(rect.left, rect.top, rect.width, rect.height,
                                                 "Production & demand", 1, 0);
    forgetWidgets();
    addHeadings(game, window);
    for (int kind = 0; kind < goodsKinds; ++kind)
        addRow(game, window, kind);
    addText(game, window, 10, rowTop + rowStep * goodsKinds + 6, productionWidth - 20,
            "A higher price earns more on each sale, but fewer residents buy.", 0, FontSmall);
    window->addChild(game->ui->createButton((productionWidth - 80) / 2, productionHeight - 12, 80, 18,
                                            "Close", hashString("closeWindow"), FontBold));
    window->closeCallback = [game] {
        sf::Lock lock(game->productionWindowMutex);
        productionWindow = nullptr;
        forgetWidgets();
    };
    productionWindow = window;
    // On the game screen, also when a posted opening lands after "Back to menu".
    addBelowMessages(game, window);
}
} // namespace

void Game::ui_showProduction()
{
    if (queuedForMainThread([this] { ui_showProduction(); }))
        return;
    if (!ui)
        return;
    {
        sf::Lock tiles(tileMutex);
        sf::Lock lock(productionWindowMutex);
        if (!productionWindow)
        {
            playSound("open_window");
            buildProductionWindow(this);
        }
    }
    ui_refreshProduction();
}

void Game::ui_refreshProduction()
{
    if (queuedForMainThread([this] { ui_refreshProduction(); }))
        return;
    // The goods tables are the tick's: wait for a running one first.
    sf::Lock tiles(tileMutex);
    sf::Lock lock(productionWindowMutex);
    if (!productionWindow)
        return;
    for (int kind = 0; kind < goodsKinds; ++kind)
    {
        values[kind][0]->setText(formatWhole(goodsProduction[kind]));
        values[kind][1]->setText(formatWhole(goodsDemand[kind]));
        values[kind][2]->setText(formatWhole(goodsIncome[kind]));
        prices[kind]->setText(formatPrice(goodsPrice[kind]));
        previousButtons[kind]->setEnabled(goodsPrice[kind] > 0.0);
    }
}
