#include "game/Game.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Image.h"
#include "gui/Shapes.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"
#include "simulation/City.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cstdio>

// The heads-up display: money, population, date, the layer and window
// buttons, the build title with its progress controls, the next-day button
// and the option panels of the layers.

using namespace screens;

namespace
{
// Sprite sizes (tools/sprites/LAYOUT.md).
const int slotWidth = 80;
const int slotHeight = 16;
const int slotIconWidth = 17;
const int bigButtonSize = 24;
const int smallButtonSize = 16;
const int progressButtonWidth = 64;
const int progressButtonHeight = 24;
const int progressHammerWidth = 26;
const int barWidth = 100;
const int barHeight = 6;
const int barBackWidth = 110;
const int barBackHeight = 10;

// Placement: room kept clear of the screen frame, gaps between widgets, and
// the status bar strip UI::draw keeps at the bottom.
const int edge = 8;
const int gap = 4;
const int statusBarHeight = 13;
const int sideButtonStep = bigButtonSize + 2;
const int sideGroupGap = 6;
const int optionsWidth = 112;
const int optionsTop = 34;

// The bar's fill inside its frame sprite.
const int barFillX = 5;
const int barFillY = 2;
const int barFillHeight = 2;

const double progressCooldown = 0.5;
const double yearCooldown = 1.0;
const double tickTockWindow = 0.5;
const int yearPassedBit = 4;

const char* const residentsHelpTitle = "Residents";
const char* const residentsHelpText =
    "This layer displays housing population, shoppers and employment.\n\nYou can toggle each group of "
    "information. Right click on the check-box to quickly show only that information, hiding others.";

// The seven side buttons, top to bottom: four layers, then three windows.
struct SideButton
{
    const char* sprite;
    const char* name;
    int layer; // -1: opens a window
};

const SideButton sideButtonTable[7] = {
    {"ui/side_build_button", "sideBuild", 0},
    {"ui/side_ratings_button", "sideRatings", 2},
    {"ui/side_population_button", "sidePopulation", 1},
    {"ui/side_needs_button", "sideNeeds", 3},
    {"ui/side_finances_button", "sideFinances", -1},
    {"ui/side_city_button", "sideCity", -1},
    {"ui/side_production_button", "sideProduction", -1},
};

// Widgets only this file changes.
gui::Image* budgetSlot = nullptr;
gui::Image* populationSlot = nullptr;
gui::Image* dateSlot = nullptr;
gui::Text* moneyText = nullptr;
gui::Text* populationText = nullptr;
gui::Text* dateText = nullptr;
gui::Button* rotateLeftButton = nullptr;
gui::Button* rotateRightButton = nullptr;
gui::Button* menuButton = nullptr;
gui::Button* sideButtons[7] = {};
gui::Image* progressBack = nullptr;
gui::Text* progressText = nullptr;
gui::Window* buildOptions = nullptr;
gui::Window* populationOptions = nullptr;
gui::CheckBox* hideBuildingsBox = nullptr;
gui::CheckBox* showHousingBox = nullptr;
gui::CheckBox* showShopsBox = nullptr;
gui::CheckBox* showJobsBox = nullptr;

sf::Sprite* sprite(Game* game, const char* name)
{
    return game->sprites ? game->sprites->getSprite(name) : nullptr;
}

// A slot image with its number text right of the icon.
gui::Image* makeSlot(Game* game, const char* spriteName, const char* textName, gui::Text*& text)
{
    gui::Image* slot = game->ui->createImage(0, 0, slotWidth, slotHeight, sprite(game, spriteName), 0);
    text = game->ui->createText(slotIconWidth + 2, 0, slotWidth - slotIconWidth - 6, slotHeight, "0", 2,
                                hashString(textName));
    slot->addChild(text);
    game->ui->gameRoot->addChild(slot);
    return slot;
}

gui::Button* makeIconButton(Game* game, int width, int height, const char* spriteName, const char* name,
                            std::function<void()> click)
{
    gui::Button* button =
        game->ui->createImageButton(0, 0, width, height, sprite(game, spriteName), hashString(name));
    button->onClick = std::move(click);
    game->ui->gameRoot->addChild(button);
    return button;
}

// Switches the map to a layer as the keys 1 to 4 do.
void chooseLayer(Game* game, int layer)
{
    game->ui->statusMessage = layerCaptions[layer];
    game->map->setInfoLayer(layer);
    game->ui_resetOverlayOptions();
}

void showPopulationLayer(Game* game)
{
    chooseLayer(game, 1);
    if (game->helpFlags & 1)
        return;
    game->helpFlags |= 1;
    game->showMessage(residentsHelpTitle, residentsHelpText, false);
}

// Rotation moves every tile's contents, which a running day tick works on.
void rotateMap(Game* game, bool right)
{
    sf::Lock lock(game->tileMutex);
    if (right)
        game->map->rotateRight();
    else
        game->map->rotateLeft();
    followTileWindowsAfterRotation(game);
}

// The button's own look for its state: the hollow calendar while disabled.
void setNextDayEnabled(Game* game, bool enabled)
{
    nextDayButton->setEnabled(enabled);
    nextDayButton->setSprite(sprite(game, enabled ? "ui/date_button" : "ui/date_button_disabled"));
}

void clickNextDay(Game* game)
{
    if (tickShown)
    {
        tickShown = false;
        game->playSound("tock");
    }
    else
    {
        tickShown = true;
        tickWindow = tickTockWindow;
        game->playSound("tick");
    }
    if (game->nextDay() & yearPassedBit)
    {
        nextDayCooldown = yearCooldown;
        setNextDayEnabled(game, false);
    }
}

void clickProgress(Game* game)
{
    // A burst of clicks must not run on into the next-day button that
    // takes the progress button's place once the action completes.
    nextDayCooldown = progressCooldown;
    setNextDayEnabled(game, false);
    game->progressAction();
}

gui::CheckBox* makeCheckBox(Game* game, gui::Window* panel, int y, const char* label, const char* name)
{
    gui::CheckBox* box = game->ui->createCheckBox(8, y, label);
    box->id = hashString(name);
    box->setChecked(true);
    panel->addChild(box);
    return box;
}

gui::Window* makeOptionsPanel(Game* game, const char* title, const char* name, int height)
{
    gui::Window* panel = game->ui->createWindow(0, 0, optionsWidth, height, title, 0, hashString(name));
    game->ui->gameRoot->addChild(panel);
    return panel;
}

void makeBuildOptions(Game* game)
{
    buildOptions = makeOptionsPanel(game, "Build options", "buildOptions", 32);
    hideBuildingsBox = makeCheckBox(game, buildOptions, 18, "Hide buildings", "hideBuildings");
    hideBuildingsBox->setChecked(false);
    hideBuildingsBox->onChange = [game](bool checked) { game->map->showBuildings = !checked; };
}

void makePopulationOptions(Game* game)
{
    populationOptions = makeOptionsPanel(game, "Population options", "populationOptions", 56);
    showHousingBox = makeCheckBox(game, populationOptions, 18, "Show housing", "showHousing");
    showShopsBox = makeCheckBox(game, populationOptions, 30, "Show shops", "showShops");
    showJobsBox = makeCheckBox(game, populationOptions, 42, "Show jobs", "showJobs");
    showHousingBox->onChange = [game](bool checked) { game->map->showHouseLabels = checked; };
    showShopsBox->onChange = [game](bool checked) { game->map->showShopLabels = checked; };
    showJobsBox->onChange = [game](bool checked) { game->map->showWorkplaceLabels = checked; };
    showHousingBox->onRightClick = [game] { game->ui_setPopulationFilter(true, false, false); };
    showShopsBox->onRightClick = [game] { game->ui_setPopulationFilter(false, true, false); };
    showJobsBox->onRightClick = [game] { game->ui_setPopulationFilter(false, false, true); };
}

void makeBuildControls(Game* game)
{
    UI* ui = game->ui;
    buildTitleText = ui->createText(0, 0, 200, 10, "Build title goes here", 2, hashString("buildTitle"));
    buildTitleText->setFont(FontBold);
    // It stands over the map, not on a panel: outlined, it reads over any building.
    buildTitleText->outline = true;
    ui->gameRoot->addChild(buildTitleText);

    actionProgressButton = makeIconButton(game, progressButtonWidth, progressButtonHeight, "ui/action_progress_button",
                                          "actionProgress", [game] { clickProgress(game); });
    progressText = ui->createText(progressHammerWidth, 0, progressButtonWidth - progressHammerWidth - 4,
                                  progressButtonHeight, "0%", 1, hashString("progressText"));
    progressText->setFont(FontBold);
    actionProgressButton->addChild(progressText);

    progressBack = ui->createImage(0, 0, barBackWidth, barBackHeight, sprite(game, "ui/build_progress_bg"), 0);
    ui->gameRoot->addChild(progressBack);
    actionProgressBar = ui->createImage(0, 0, barWidth, barHeight, sprite(game, "ui/action_progress_bar"),
                                        hashString("progressBar"));
    ui->gameRoot->addChild(actionProgressBar);

    cancelActionButton = makeIconButton(game, smallButtonSize, smallButtonSize, "ui/cancel_action_button",
                                        "cancelAction", [game] { game->cancelAction(); });

    nextDayButton = makeIconButton(game, bigButtonSize, bigButtonSize, "ui/date_button", "nextDay",
                                   [game] { clickNextDay(game); });
    nextDayButton->disabledLook = false;
}

std::string formatInt(double value)
{
    // A balance beyond int still shows as a number rather than overflowing the cast.
    double clamped = std::max(-2147483647.0, std::min(2147483647.0, value));
    return std::to_string(static_cast<int>(clamped));
}

// How far the running action has come, 0 to 1.
double progressFraction(Game* game)
{
    double fraction = 0.0;
    {
        sf::Lock lock(game->updateMutex);
        if (game->action.clicksNeeded > 0)
            fraction = game->action.progress / game->action.clicksNeeded;
    }
    return std::max(0.0, std::min(1.0, fraction));
}

void showPercentage(double fraction)
{
    char percent[16];
    std::snprintf(percent, sizeof percent, "%d%%", static_cast<int>(fraction * 100));
    progressText->setText(percent);
}

// The bar's fill, drawn over the widgets.
void drawProgressFill(Game* game, double fraction)
{
    sf::RenderTarget* target = game->getRenderTarget();
    if (!actionProgressBar->visible || !target)
        return;
    sf::Vector2i position = actionProgressBar->getAbsolutePosition();
    int width = static_cast<int>(fraction * (actionProgressBar->width - 2 * barFillX));
    gui::fillRect(*target, sf::IntRect(position.x + barFillX, position.y + barFillY, width, barFillHeight),
                  game->darkColor);
}

void refreshNumbers(Game* game)
{
    if (game->city)
    {
        double money;
        {
            sf::Lock lock(game->city->moneyMutex);
            money = game->city->money;
        }
        int population;
        {
            sf::Lock lock(game->city->populationMutex);
            population = game->city->population;
        }
        moneyText->setText(formatInt(money));
        populationText->setText(std::to_string(population));
    }
    int day;
    {
        sf::Lock lock(game->updateMutex);
        day = game->day;
    }
    dateText->setText(screens::formatDate(day));
}

void runTimers(Game* game)
{
    if (tickWindow > 0.0 && tickShown)
    {
        tickWindow -= game->deltaTime;
        if (tickWindow <= 0.0)
        {
            tickWindow = 0.0;
            tickShown = false;
        }
    }
    if (nextDayCooldown > 0.0 && !nextDayButton->enabled)
    {
        setNextDayEnabled(game, false);
        nextDayCooldown -= game->deltaTime;
        if (nextDayCooldown <= 0.0)
        {
            nextDayCooldown = 0.0;
            setNextDayEnabled(game, true);
        }
    }
}

// The option panels and their boxes show the map's layer and filters,
// whichever way those changed (a layer key, a new or loaded game).
void syncOverlayOptions(Game* game)
{
    if (!game->map)
        return;
    buildOptions->setVisible(game->map->infoLayer == 0);
    populationOptions->setVisible(game->map->infoLayer == 1);
    hideBuildingsBox->setChecked(!game->map->showBuildings);
    showHousingBox->setChecked(game->map->showHouseLabels);
    showShopsBox->setChecked(game->map->showShopLabels);
    showJobsBox->setChecked(game->map->showWorkplaceLabels);
}

// Places the heads-up display on a logical screen of w x h.
void placeHud(int w, int h)
{
    const int bottom = h - statusBarHeight;

    // Top left: the three slots in a row.
    int x = edge + 2;
    for (gui::Image* slot : {budgetSlot, populationSlot, dateSlot})
    {
        slot->setPosition(x, edge - 2);
        x += slotWidth + gap;
    }

    // Top right: rotation, then the menu in the corner.
    menuButton->setPosition(w - edge - bigButtonSize, edge - 4);
    rotateRightButton->setPosition(w - edge - bigButtonSize - gap - smallButtonSize, edge);
    rotateLeftButton->setPosition(w - edge - bigButtonSize - 2 * (gap + smallButtonSize), edge);

    // Left edge: the four layers, a gap, the three windows.
    int y = optionsTop - 4;
    for (int k = 0; k < 7; ++k)
    {
        if (k == 4)
            y += sideGroupGap;
        sideButtons[k]->setPosition(edge, y);
        y += sideButtonStep;
    }

    // Right edge below the menu: the panel of the layer shown.
    buildOptions->setPosition(w - edge - optionsWidth, optionsTop, true);
    populationOptions->setPosition(w - edge - optionsWidth, optionsTop, true);

    // Bottom right: the title, the progress button with cancel beside it,
    // the bar below; the next-day button stands where the progress button is.
    const int right = w - edge;
    const int left = right - barBackWidth;
    const int barBackY = bottom - 6 - barBackHeight;
    progressBack->setPosition(left, barBackY);
    actionProgressBar->setPosition(left + (barBackWidth - barWidth) / 2, barBackY + (barBackHeight - barHeight) / 2);
    const int buttonY = barBackY - gap - progressButtonHeight;
    const int buttonX = left + (barBackWidth - progressButtonWidth - 6 - smallButtonSize) / 2;
    actionProgressButton->setPosition(buttonX, buttonY, true);
    cancelActionButton->setPosition(buttonX + progressButtonWidth + 6,
                                    buttonY + (progressButtonHeight - smallButtonSize) / 2);
    nextDayButton->setPosition(left + (barBackWidth - bigButtonSize) / 2, buttonY);
    buildTitleText->setPosition(right - buildTitleText->width, buttonY - 2 - buildTitleText->height);
}
} // namespace

void screens::forgetHeadsUpDisplay()
{
    buildTitleText = nullptr;
    actionProgressButton = nullptr;
    actionProgressBar = nullptr;
    nextDayButton = nullptr;
    cancelActionButton = nullptr;
    budgetSlot = populationSlot = dateSlot = nullptr;
    moneyText = populationText = dateText = nullptr;
    rotateLeftButton = rotateRightButton = menuButton = nullptr;
    for (gui::Button*& button : sideButtons)
        button = nullptr;
    progressBack = nullptr;
    progressText = nullptr;
    buildOptions = populationOptions = nullptr;
    hideBuildingsBox = showHousingBox = showShopsBox = showJobsBox = nullptr;
    nextDayCooldown = 0.0;
    tickWindow = 0.0;
    tickShown = false;
}

void Game::ui_create()
{
    Game* game = this;
    budgetSlot = makeSlot(this, "ui/budget_slot", "moneyText", moneyText);
    populationSlot = makeSlot(this, "ui/population_slot", "populationText", populationText);
    dateSlot = makeSlot(this, "ui/date_slot", "dateText", dateText);

    rotateLeftButton = makeIconButton(this, smallButtonSize, smallButtonSize, "ui/rotate_left_button", "rotateLeft",
                                      [game] { rotateMap(game, false); });
    rotateRightButton = makeIconButton(this, smallButtonSize, smallButtonSize, "ui/rotate_right_button",
                                       "rotateRight", [game] { rotateMap(game, true); });
    menuButton = makeIconButton(this, bigButtonSize, bigButtonSize, "ui/menu_button", "menuButton",
                                [game] { game->ui_showMenu(); });

    for (int k = 0; k < 7; ++k)
    {
        const SideButton& entry = sideButtonTable[k];
        std::function<void()> click;
        if (entry.layer == 1)
            click = [game] { showPopulationLayer(game); };
        else if (entry.layer >= 0)
            click = [game, entry] { chooseLayer(game, entry.layer); };
        sideButtons[k] = makeIconButton(this, bigButtonSize, bigButtonSize, entry.sprite, entry.name, click);
    }
    sideButtons[4]->onClick = [game] { game->ui_showExpenditure(); };
    sideButtons[5]->onClick = [game] { game->ui_showCityInfo(); };
    sideButtons[6]->onClick = [game] { game->ui_showProduction(); };

    makeBuildControls(this);
    makeBuildOptions(this);
    makePopulationOptions(this);

    ui_updateLayout();
    ui_setBuildTitle("");
    ui_resetOverlayOptions();
}

void Game::ui_update()
{
    if (!nextDayButton)
    {
        ui->draw();
        return;
    }
    // The texts are written before the widgets draw, so no frame shows stale numbers.
    double fraction = progressFraction(this);
    showPercentage(fraction);
    refreshNumbers(this);
    syncOverlayOptions(this);
    ui_refreshTileInformation();
    ui->draw();
    drawProgressFill(this, fraction);
    runTimers(this);
}

void Game::ui_updateLayout()
{
    sf::Vector2i size = getLogicalSize();
    if (nextDayButton)
        placeHud(size.x, size.y);
    // Open windows keep their size and are centred again.
    for (gui::Window* popup : {tileActionsWindow, tileInformationWindow, menuWindow, optionsWindow, aboutWindow,
                               saveSlotsWindow, financeWindow, cityInfoWindow, productionWindow})
    {
        if (!popup)
            continue;
        sf::IntRect rect = ui->getCenteredRect(popup->width, popup->height, UI::PlaceMiddle);
        // The finance window sits a little above the middle, as when it opened.
        int lift = popup == financeWindow ? 10 : 0;
        popup->setPosition(rect.left, rect.top - lift, true);
    }
    // Except the information window, which keeps to a corner off the map's middle.
    placeTileInformationWindow(this);
}

void Game::ui_setBuildTitle(const std::string& text)
{
    if (queuedForMainThread([this, text] { ui_setBuildTitle(text); }))
        return;
    if (!nextDayButton)
        return;
    bool building = !text.empty();
    if (building)
        buildTitleText->setText(text);
    gui::Widget* controls[] = {buildTitleText, actionProgressButton, actionProgressBar, progressBack, cancelActionButton};
    for (gui::Widget* widget : controls)
        widget->setVisible(building);
    nextDayButton->setVisible(!building);
    // The status line names the work under way, and the layer again once it is done.
    ui->statusMessage = building ? text : layerCaptions[map ? map->infoLayer & 3 : 0];
}

void Game::ui_setDateButtonEnabled(bool enabled)
{
    if (queuedForMainThread([this, enabled] { ui_setDateButtonEnabled(enabled); }))
        return;
    if (!nextDayButton || nextDayCooldown > 0.0)
        return;
    setNextDayEnabled(this, enabled);
}

void Game::ui_closeAllWindows()
{
    if (queuedForMainThread([this] { ui_closeAllWindows(); }))
        return;
    if (actionProgressButton)
    {
        actionProgressButton->setVisible(false);
        actionProgressBar->setVisible(false);
        progressBack->setVisible(false);
    }
    closeScreen(tileInformationWindow);
    closeScreen(tileActionsWindow);
    closeScreen(menuWindow);
    closeScreen(optionsWindow);
    closeScreen(aboutWindow);
    closeScreen(saveSlotsWindow);
    {
        sf::Lock lock(financeWindowMutex);
        closeScreen(financeWindow);
    }
    {
        sf::Lock lock(cityInfoWindowMutex);
        closeScreen(cityInfoWindow);
    }
    {
        sf::Lock lock(productionWindowMutex);
        closeScreen(productionWindow);
    }
}

void Game::ui_resetOverlayOptions()
{
    if (!map)
        return;
    map->showBuildings = true;
    ui_setPopulationFilter(true, true, true);
    if (!hideBuildingsBox)
        return;
    hideBuildingsBox->setChecked(false);
    buildOptions->setVisible(map->infoLayer == 0);
    populationOptions->setVisible(map->infoLayer == 1);
}

void Game::ui_setPopulationFilter(bool housing, bool shops, bool jobs)
{
    map->showHouseLabels = housing;
    map->showShopLabels = shops;
    map->showWorkplaceLabels = jobs;
    if (!showHousingBox)
        return;
    showHousingBox->setChecked(housing);
    showShopsBox->setChecked(shops);
    showJobsBox->setChecked(jobs);
}
