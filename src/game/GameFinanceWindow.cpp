#include "game/Game.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Utils.h"
#include "simulation/City.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

// The finance window: the books by category, the daily change and the loan.

using namespace screens;

namespace
{
const int financeWidth = 310;
const int financeHeight = 240;
const int rowTop = 35;
const int rowStep = 11;
const int loanStep = 5000;

// The four value columns: last month, month, last year, year.
const int columnCount = 4;
const int columnX[columnCount] = {100, 140, 200, 240};

// The texts the refresh writes; null while the window is closed.
gui::Text* rowValues[City::BookSize][columnCount] = {};
gui::Text* rowNames[City::BookSize] = {};
gui::Text* totalValues[columnCount] = {};
gui::Text* dailyChangeValue = nullptr;
gui::Text* loanValue = nullptr;

// A rule under the headings or the rows.
void addUnderline(Game* game, gui::Window* window, int y)
{
    screens::addUnderline(game, window, y, "ui/expenditure_titles_underline", financeWidth);
}

// Books are shown as whole money rounded down, kept inside what "%d" can print.
int wholeDown(double value)
{
    double down = std::floor(value);
    if (!(down > INT_MIN))
        return INT_MIN;
    if (!(down < INT_MAX))
        return INT_MAX;
    return static_cast<int>(down);
}

std::string formatInt(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

// A profit under one shows its cents; anything else is cut toward zero.
std::string formatDailyChange(double value)
{
    char buffer[32];
    if (value > 0.0 && value < 1.0)
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
    else if (std::isfinite(value) && std::fabs(value) < INT_MAX)
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
    else
        std::snprintf(buffer, sizeof buffer, "%d", value < 0 ? INT_MIN : INT_MAX);
    return buffer;
}

void addHeadings(Game* game, gui::Window* window)
{
    addText(game, window, 10, 24, 50, "Category", 0, FontSmall);
    const char* heads[columnCount] = {"Last month", "Month", "Last year", "Year"};
    for (int column = 0; column < columnCount; ++column)
        addText(game, window, columnX[column], 24, 50, heads[column], 2, FontSmall);
    addUnderline(game, window, 31);
}

void addRows(Game* game, gui::Window* window)
{
    for (size_t i = 0; i < expenditureCategoryOrder.size(); ++i)
    {
        const int category = expenditureCategoryOrder[i];
        const int y = rowTop + rowStep * static_cast<int>(i);
        rowNames[category] = addText(game, window, 10, y, 100, financeCategoryNames[category], 0, FontNormal);
        for (int column = 0; column < columnCount; ++column)
            rowValues[category][column] = addText(game, window, columnX[column], y, 50, "0", 2, FontNormal);
        gui::Button* help = game->ui->createImageButton(294, y, 9, 8, spriteOf(game, "ui/help_button_small"), 0);
        help->onClick = [game, category] {
            game->showMessage(financeCategoryNames[category], financeCategoryHelp[category], false);
        };
        window->addChild(help);
    }
}

// The totals, the daily change and the loan; returns the loan line's y.
int addSummary(Game* game, gui::Window* window)
{
    const int underlineY = rowTop + rowStep * 11;
    addUnderline(game, window, underlineY);
    const int totalY = underlineY + 3;
    addText(game, window, 10, totalY, 50, "Total", 0, FontNormal);
    for (int column = 0; column < columnCount; ++column)
        totalValues[column] = addText(game, window, columnX[column], totalY, 50, "0", 2, FontNormal);
    // The bold labels run past 50: their boxes reach to the values instead.
    addText(game, window, 10, totalY + 15, 90, "Daily change", 0, FontBold);
    dailyChangeValue = addText(game, window, 100, totalY + 15, 50, "0", 2, FontBold);
    addText(game, window, 10, totalY + 30, 90, "Loan", 0, FontBold);
    loanValue = addText(game, window, 100, totalY + 30, 50, "0", 2, FontBold);
    return totalY + 30;
}

void addButtons(Game* game, gui::Window* window, int loanY)
{
    const int w = window->width;
    gui::Button* borrow = game->ui->createButton(w - 100, loanY - 4, 90, 16, "Borrow 5000", 0, FontNormal);
    borrow->onClick = [game] { game->city->takeLoan(loanStep); };
    window->addChild(borrow);
    gui::Button* repay = game->ui->createButton(w - 100, loanY - 4 + 18, 90, 16, "Pay back 5000", 0, FontNormal);
    repay->onClick = [game] { game->city->repayLoan(loanStep); };
    window->addChild(repay);
    window->addChild(game->ui->createButton((w - 80) / 2, window->height - 12, 80, 18, "Close",
                                            hashString("closeWindow"), FontBold));
}

void forgetTexts()
{
    for (int category = 0; category < City::BookSize; ++category)
    {
        rowNames[category] = nullptr;
        for (int column = 0; column < columnCount; ++column)
            rowValues[category][column] = nullptr;
    }
    for (gui::Text*& total : totalValues)
        total = nullptr;
    dailyChangeValue = nullptr;
    loanValue = nullptr;
}

// Builds the window; the caller holds the window's mutex.
void buildFinanceWindow(Game* game)
{
    std::printf("show expenditure window...\n");
    expenditureCategoryOrder.clear();
    for (int category : {0, 1, 2, 7, 10, 9, 3, 4, 6, 5, 8})
        expenditureCategoryOrder.push_back(category);

    sf::IntRect rect = game->ui->getCenteredRect(financeWidth, financeHeight, UI::PlaceMiddle);
    gui::Window* window = game->ui->createWindow(rect.left, rect.top, rect.width, rect.height,
                                                 "City expenditure & finances", 1, 0);
    window->setY(window->y - 10);
    forgetTexts();
    addHeadings(game, window);
    addRows(game, window);
    addButtons(game, window, addSummary(game, window));
    window->closeCallback = [game] {
        sf::Lock lock(game->financeWindowMutex);
        financeWindow = nullptr;
        forgetTexts();
    };
    financeWindow = window;
    // On the game screen, also when a posted opening lands after "Back to menu".
    addBelowMessages(game, window);
}

// One column of a category's books: incomes plus the (negative) expenses.
double columnAmount(const City& city, int category, int column)
{
    switch (column)
    {
    case 0:
        return city.lastMonthIncomes[category] + city.lastMonthExpenses[category];
    case 1:
        return city.monthIncomes[category] + city.monthExpenses[category];
    case 2:
        return city.lastYearIncomes[category] + city.lastYearExpenses[category];
    default:
        return city.yearIncomes[category] + city.yearExpenses[category];
    }
}
} // namespace

void Game::ui_showExpenditure()
{
    if (queuedForMainThread([this] { ui_showExpenditure(); }))
        return;
    if (!ui)
        return;
    {
        sf::Lock lock(financeWindowMutex);
        if (!financeWindow)
            buildFinanceWindow(this);
    }
    ui_refreshExpenditure();
}

void Game::ui_refreshExpenditure()
{
    if (queuedForMainThread([this] { ui_refreshExpenditure(); }))
        return;
    if (!city)
        return;
    // The books are written under the money mutex, which comes before the
    // window's; a booking calls this with it already held.
    sf::Lock money(city->moneyMutex);
    sf::Lock lock(financeWindowMutex);
    if (!financeWindow)
        return;
    long long totals[columnCount] = {};
    for (int category : expenditureCategoryOrder)
    {
        for (int column = 0; column < columnCount; ++column)
        {
            int shown = wholeDown(columnAmount(*city, category, column));
            totals[column] += shown;
            if (gui::Text* text = rowValues[category][column])
                text->setText(formatInt(shown));
        }
    }
    for (int column = 0; column < columnCount; ++column)
        if (totalValues[column])
            totalValues[column]->setText(formatInt(wholeDown(static_cast<double>(totals[column]))));
    if (dailyChangeValue)
        dailyChangeValue->setText(formatDailyChange(city->profitYesterday));
    if (loanValue)
        loanValue->setText(formatInt(city->loan));
}
