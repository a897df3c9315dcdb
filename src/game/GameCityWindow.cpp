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

#include <cmath>
#include <cstdio>
#include <string>

// The city information window: population, housing demand, social classes
// and the build rate.

using namespace screens;

namespace
{
const int cityWidth = 250;
const int cityHeight = 200;
const int valueX = 150;
const int valueWidth = 90;
const int helpX = cityWidth - 19;

// The texts and the button the refresh writes; null while the window is closed.
gui::Text* populationValue = nullptr;
gui::Text* demandValues[3] = {};
gui::Text* shareValues[3] = {};
gui::Text* buildRateValue = nullptr;
gui::Text* fastestNote = nullptr;
gui::Button* buyButton = nullptr;

// A label on the left with its value on the right.
gui::Text* addRow(Game* game, gui::Window* window, int y, const char* label, const char* id)
{
    addText(game, window, 14, y, valueX - 14, label, 0, FontNormal);
    return addText(game, window, valueX, y, valueWidth, "0", 2, FontNormal, hashString(id));
}

// A bold section heading with a help button that explains it.
void addHeading(Game* game, gui::Window* window, int y, const char* title, const std::string& help)
{
    addText(game, window, 10, y, 150, title, 0, FontBold);
    gui::Button* button = game->ui->createImageButton(helpX, y, 9, 8, spriteOf(game, "ui/help_button_small"), 0);
    std::string heading = title;
    button->onClick = [game, heading, help] { game->showMessage(heading, help, false); };
    window->addChild(button);
}

std::string formatPercent(double share)
{
    char buffer[16];
    double percent = std::isfinite(share) ? std::round(share * 100.0) : 0.0;
    if (percent > 100000.0 || percent < -100000.0)
        percent = 0.0;
    std::snprintf(buffer, sizeof buffer, "%d%%", static_cast<int>(percent));
    return buffer;
}

std::string formatRate(double rate)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", rate);
    return buffer;
}

// The step after the one the city has now; none at the top or off the steps.
const BuildRateLevel* nextBuildRateLevel(double rate)
{
    for (size_t i = 0; i + 1 < buildRateLevels.size(); ++i)
        if (buildRateLevels[i].rate == rate)
            return &buildRateLevels[i + 1];
    return nullptr;
}

std::string buyLabel(const BuildRateLevel& step)
{
    return "Buy rate " + formatRate(step.rate) + " for " + std::to_string(step.cost);
}

// Pays for the next step as construction, or says the money is short.
void buyNextBuildRate(Game* game)
{
    const BuildRateLevel* step = nextBuildRateLevel(game->buildRate);
    if (!step || !game->city)
        return;
    bool bought = false;
    {
        // Held across the check and the booking, so nothing is spent in between.
        sf::Lock money(game->city->moneyMutex);
        if (game->city->money >= step->cost)
        {
            game->city->addMoney(-step->cost, FinanceCategory::Construction);
            game->buildRate = step->rate;
            bought = true;
        }
    }
    if (!bought)
        game->showMessage(noBudgetTitle, noBudgetText, false);
    game->ui_refreshCityInfo();
}

void addBuildRate(Game* game, gui::Window* window, int y)
{
    addHeading(game, window, y, "Build rate", buildRateHelp);
    buildRateValue = addRow(game, window, y + 11, "Progress per click", "cityBuildRate");
    buyButton = game->ui->createButton(14, y + 24, 150, 16, "", hashString("cityBuyRate"), FontNormal);
    buyButton->onClick = [game] { buyNextBuildRate(game); };
    window->addChild(buyButton);
    fastestNote = addText(game, window, 14, y + 28, 200, "The fastest build rate is reached.", 0, FontNormal,
                          hashString("cityFastest"));
}

void forgetWidgets()
{
    populationValue = nullptr;
    buildRateValue = nullptr;
    fastestNote = nullptr;
    buyButton = nullptr;
    for (int i = 0; i < 3; ++i)
    {
        demandValues[i] = nullptr;
        shareValues[i] = nullptr;
    }
}

// Builds the window; the caller holds the window's mutex.
void buildCityWindow(Game* game)
{
    sf::IntRect rect = game->ui->getCenteredRect(cityWidth, cityHeight, UI::PlaceMiddle);
    gui::Window* window = game->ui->createWindow(rect.left, rect.top, rect.width, rect.height,
                                                 "Population overview", 1, 0);
    forgetWidgets();
    addText(game, window, 10, 22, 100, "Population", 0, FontBold);
    populationValue = addText(game, window, valueX, 22, valueWidth, "0", 2, FontBold, hashString("cityPopulation"));
    addUnderline(game, window, 32, "ui/city_population_titles_underline", cityWidth);

    addHeading(game, window, 37, "Housing demand", housingDemandHelp);
    demandValues[0] = addRow(game, window, 48, "Small housing", "cityDemandSmall");
    demandValues[1] = addRow(game, window, 59, "Large housing", "cityDemandLarge");
    demandValues[2] = addRow(game, window, 70, "Flats", "cityDemandFlats");

    addHeading(game, window, 85, "Social classes", socialClassesHelp);
    shareValues[0] = addRow(game, window, 96, "Lower class", "cityShareLower");
    shareValues[1] = addRow(game, window, 107, "Middle class", "cityShareMiddle");
    shareValues[2] = addRow(game, window, 118, "Upper class", "cityShareUpper");

    addBuildRate(game, window, 133);
    window->addChild(game->ui->createButton((cityWidth - 80) / 2, cityHeight - 12, 80, 18, "Close",
                                            hashString("closeWindow"), FontBold));
    window->closeCallback = [game] {
        sf::Lock lock(game->cityInfoWindowMutex);
        cityInfoWindow = nullptr;
        forgetWidgets();
    };
    cityInfoWindow = window;
    // On the game screen, also when a posted opening lands after "Back to menu".
    addBelowMessages(game, window);
}

void showBuildRate(Game* game)
{
    buildRateValue->setText(formatRate(game->buildRate));
    const BuildRateLevel* step = nextBuildRateLevel(game->buildRate);
    buyButton->setVisible(step != nullptr);
    if (step)
        buyButton->setLabel(buyLabel(*step), FontNormal);
    fastestNote->setVisible(game->buildRate == buildRateLevels.back().rate);
}
} // namespace

void Game::ui_showCityInfo()
{
    if (queuedForMainThread([this] { ui_showCityInfo(); }))
        return;
    if (!ui)
        return;
    {
        sf::Lock tiles(tileMutex);
        sf::Lock lock(cityInfoWindowMutex);
        if (!cityInfoWindow)
        {
            playSound("open_window");
            buildCityWindow(this);
        }
    }
    ui_refreshCityInfo();
}

void Game::ui_refreshCityInfo()
{
    if (queuedForMainThread([this] { ui_refreshCityInfo(); }))
        return;
    // The housing demand is the tick's: wait for a running one first.
    sf::Lock tiles(tileMutex);
    sf::Lock lock(cityInfoWindowMutex);
    if (!cityInfoWindow || !city)
        return;
    {
        sf::Lock people(city->populationMutex);
        populationValue->setText(std::to_string(city->population));
        shareValues[0]->setText(formatPercent(city->lowerShare));
        shareValues[1]->setText(formatPercent(city->middleShare));
        shareValues[2]->setText(formatPercent(city->upperShare));
    }
    for (int i = 0; i < 3; ++i)
        demandValues[i]->setText(formatPercent(housingDemand[i]));
    showBuildRate(this);
}
