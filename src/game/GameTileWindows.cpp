#include "game/Game.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Image.h"
#include "gui/Text.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/SpriteManager.h"
#include "resources/Utils.h"
#include "simulation/ActionPrices.h"
#include "simulation/Building.h"
#include "simulation/BuildingKinds.h"
#include "simulation/City.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"
#include "simulation/TextTables.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// The tile actions window ("Yes, my mayor?") and the tile information window.

using namespace screens;

namespace
{
// --- the tile actions window: a grid of actions, a page at a time

const int gridColumns = 4;
const int gridRows = 2;
const int actionsPerPage = gridColumns * gridRows;
const int cellWidth = 70;
const int cellHeight = 70;
const int gridLeft = 10;
const int gridTop = 20;
const int iconButtonSize = 36;
const int priceWidth = 32;
const int priceHeight = 9;
const int arrowSize = 12;
const int actionsWidth = gridColumns * cellWidth + 2 * gridLeft;

Tile* actionsTile = nullptr;
unsigned int actionsTileId = 0;
std::vector<int> shownActions;
int actionsPage = 0;
gui::Widget* actionsGrid = nullptr;
gui::Button* previousPageButton = nullptr;
gui::Button* nextPageButton = nullptr;
gui::Text* pageText = nullptr;

sf::Sprite* sprite(Game* game, const std::string& name)
{
    return game->sprites ? game->sprites->getSprite(name) : nullptr;
}

// The icon of an action; on a house or shop an improvement shows its upgrade badge.
std::string actionIcon(int actionId, int tileType)
{
    const ActionKind* action = actionKind(actionId);
    if (!action)
        return "";
    const BuildingKind* built = kindBuiltBy(actionId);
    bool improves = built && built->type == tileType && action->upgradeIcon[0] != '\0';
    return improves ? action->upgradeIcon : action->icon;
}

int pageCount()
{
    return std::max(1, (static_cast<int>(shownActions.size()) + actionsPerPage - 1) / actionsPerPage);
}

// Pays for the chosen action and starts it, or says the city cannot afford it.
void chooseAction(Game* game, Tile* tile, int actionId)
{
    // The tick rebuilds the offered lists and may start a fire: wait for it,
    // then check the choice still stands before any money moves.
    sf::Lock lock(game->tileMutex);
    int running;
    {
        sf::Lock update(game->updateMutex);
        running = game->action.id;
    }
    auto offered = std::find(tile->actions.begin(), tile->actions.end(), actionId);
    if (running != ActionNone || offered == tile->actions.end())
    {
        closeScreen(tileActionsWindow);
        return;
    }
    int price = actionPrice(actionId);
    double money;
    {
        sf::Lock moneyLock(game->city->moneyMutex);
        money = game->city->money;
    }
    if (money < price)
    {
        game->showMessage(noBudgetTitle, noBudgetText, false);
        return;
    }
    int slot = static_cast<int>(offered - tile->actions.begin());
    game->city->addMoney(-price, FinanceCategory::Construction);
    std::printf("paid %d for %s\n", price, actionTitles[actionId].c_str());
    closeScreen(tileActionsWindow);
    game->startAction(static_cast<int>(tile->id), slot, price);
}

// One action: its icon as the button, the price on a plate below, the title under it.
gui::Widget* makeActionCell(Game* game, Tile* tile, int actionId, int x, int y)
{
    UI* ui = game->ui;
    gui::Widget* cell = new gui::Widget(game, x, y, cellWidth, cellHeight);
    std::string name = "action" + std::to_string(actionId);
    gui::Button* button =
        ui->createBorderedImageButton((cellWidth - iconButtonSize) / 2, 0, iconButtonSize, iconButtonSize,
                                      sprite(game, actionIcon(actionId, tile->type)), hashString(name.c_str()));
    button->onClick = [game, tile, actionId] { chooseAction(game, tile, actionId); };
    cell->addChild(button);

    // The plate clears the button's shadow; the price sits inside its rim.
    const int plateY = iconButtonSize + 4;
    gui::Image* plate = ui->createImage((cellWidth - priceWidth) / 2, plateY, priceWidth, priceHeight,
                                        sprite(game, "ui/action_price_bg"), 0);
    gui::Text* price = ui->createText(0, 1, priceWidth, priceHeight - 2, std::to_string(actionPrice(actionId)), 1,
                                      hashString("price"));
    price->setFont(FontSmall);
    plate->addChild(price);
    cell->addChild(plate);

    gui::Text* title = ui->createText(0, plateY + priceHeight + 2, cellWidth, 17, "", 1, hashString("title"));
    title->setFont(FontSmall);
    title->wordWrap = true;
    title->vAlign = 10;
    title->setText(actionTitles[actionId]);
    cell->addChild(title);
    return cell;
}

void setPagerButton(Game* game, gui::Button* button, bool enabled, const char* spriteName)
{
    button->setEnabled(enabled);
    button->setSprite(sprite(game, enabled ? spriteName : std::string(spriteName) + "_disabled"));
}

// Fills the grid with the actions of the page shown.
void showActionsPage(Game* game)
{
    for (gui::Widget* cell : std::vector<gui::Widget*>(actionsGrid->children))
        cell->close();
    int first = actionsPage * actionsPerPage;
    int last = std::min(static_cast<int>(shownActions.size()), first + actionsPerPage);
    for (int i = first; i < last; ++i)
    {
        int k = i - first;
        actionsGrid->addChild(
            makeActionCell(game, actionsTile, shownActions[i], (k % gridColumns) * cellWidth, (k / gridColumns) * cellHeight));
    }
    int pages = pageCount();
    bool paged = pages > 1;
    previousPageButton->setVisible(paged);
    nextPageButton->setVisible(paged);
    pageText->setVisible(paged);
    setPagerButton(game, previousPageButton, actionsPage > 0, "ui/action_previous");
    setPagerButton(game, nextPageButton, actionsPage < pages - 1, "ui/action_next");
    pageText->setText(std::to_string(actionsPage + 1) + "/" + std::to_string(pages));
}

void turnActionsPage(Game* game, int step)
{
    int page = std::max(0, std::min(pageCount() - 1, actionsPage + step));
    if (page == actionsPage)
        return;
    actionsPage = page;
    showActionsPage(game);
}

void forgetActionsWindow()
{
    tileActionsWindow = nullptr;
    actionsTile = nullptr;
    shownActions.clear();
    actionsPage = 0;
    actionsGrid = nullptr;
    previousPageButton = nextPageButton = nullptr;
    pageText = nullptr;
}

// --- the tile information window: what stands on the tile and its numbers

const int infoWidth = 200;
const int infoHeadingTop = 18;
const int infoLinesTop = 31;
const int infoLineStep = 11;
const int infoValueX = 100;
const int rentButtonSize = 8;

// One line of the window: a label and its value.
struct InfoLine
{
    std::string label;
    std::string value;
};

Tile* infoTile = nullptr;
unsigned int infoTileId = 0;
int infoKind = -1;
const Building* infoBuilding = nullptr;
bool infoBurning = false;
long long infoRent = 0;
std::vector<gui::Text*> infoValues;

// The type and level of what stands on a tile: an upgrade may reuse the
// freed record's address, so the record pointer alone does not tell.
int kindOf(const Tile& tile)
{
    int level = 0;
    if (const House* house = dynamic_cast<const House*>(tile.building))
        level = house->level;
    else if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
        level = shop->level;
    return tile.type * 16 + level;
}

// What stands on a tile, as the window's heading names it.
std::string tileName(const Tile& tile)
{
    int level = 0;
    if (const House* house = dynamic_cast<const House*>(tile.building))
        level = house->level;
    else if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
        level = shop->level;
    else if (tile.type == TileHouse || tile.type == TileShop)
        level = -1;
    if (const BuildingKind* kind = buildingKind(tile.type, level))
        return kind->name;
    // A record of a level no kind has.
    if (tile.type == TileHouse)
        return "House";
    if (tile.type == TileShop)
        return "Shop";
    return "Unknown";
}

std::string ofText(int part, int whole)
{
    return std::to_string(part) + " of " + std::to_string(whole);
}

// Names the set bits of a mask from a list, "None" when there are none.
std::string listBits(int mask, const char* const* names, int count)
{
    std::string text;
    for (int bit = 0; bit < count; ++bit)
    {
        if (!(mask & (1 << bit)))
            continue;
        text += text.empty() ? std::string(names[bit]) : std::string(", ") + names[bit];
    }
    if (text.empty())
        return "None";
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string percentText(double fraction)
{
    // A loaded record may hold any real; the share shown stays 0 to 100%.
    double shown = std::isfinite(fraction) ? std::max(0.0, std::min(1.0, fraction)) : 0.0;
    return std::to_string(static_cast<int>(shown * 100)) + "%";
}

// The range a building reaches, 0 for one without.
int buildingRange(const Tile& tile)
{
    if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
        return shop->range;
    if (const WaterSupply* water = dynamic_cast<const WaterSupply*>(tile.building))
        return water->range;
    if (const Factory* workplace = dynamic_cast<const Factory*>(tile.building))
        return workplace->range;
    if (recordOfType(tile.type) == RecordService)
        return buildingKind(tile.type, 0)->range;
    return 0;
}

// The window's lines for a tile. Only what the day tick publishes for the
// screens is read here: the atomic counts, shown fields and constants.
std::vector<InfoLine> describeTile(const Tile& tile, long long rent)
{
    static const char* const needNames[3] = {"water", "shopping", "jobs"};
    static const char* const warningNames[3] = {"crime", "fire hazard", "no hospital"};
    std::vector<InfoLine> lines;
    if (tile.flags & TileBurning)
        lines.push_back({"Status", "On fire!"});
    if (const House* house = dynamic_cast<const House*>(tile.building))
    {
        lines.push_back({"Level", std::to_string(house->level)});
        lines.push_back({"Residents", ofText(house->residents, house->capacity)});
        lines.push_back({"Rating", ratingWords[attractionLevel(house->shownAttractiveness)]});
        lines.push_back({"Needs", listBits(house->shownNeeds, needNames, 3)});
        lines.push_back({"Warnings", listBits(house->shownWarnings, warningNames, 3)});
        lines.push_back({"Rent", std::to_string(rent)});
    }
    else if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
    {
        lines.push_back({"Customers", ofText(shop->customers, shop->capacity)});
    }
    else if (const WaterSupply* water = dynamic_cast<const WaterSupply*>(tile.building))
    {
        lines.push_back({"Households served", ofText(water->supplied, water->capacity)});
    }
    else if (const Factory* workplace = dynamic_cast<const Factory*>(tile.building))
    {
        lines.push_back({"Workers", ofText(workplace->workers, workplace->jobs)});
        lines.push_back({"Efficiency", percentText(workplace->efficiency)});
    }
    else if (const Landfill* landfill = dynamic_cast<const Landfill*>(tile.building))
    {
        lines.push_back({"Filled", ofText(static_cast<int>(landfill->fill), landfill->capacity)});
    }
    if (int range = buildingRange(tile))
        lines.push_back({"Range", std::to_string(range)});
    return lines;
}

// The rent the house asks at full occupancy; rentOffset is the tick's to read.
long long readRent(Game* game, const Tile& tile)
{
    sf::Lock lock(game->tileMutex);
    const House* house = dynamic_cast<const House*>(tile.building);
    // A saved house may hold any rent and base income: their sum is taken wide.
    return house ? static_cast<long long>(house->rentOffset) + house->baseIncome : 0;
}

void changeRent(Game* game, Tile* tile, int delta)
{
    House* house = dynamic_cast<House*>(tile->building);
    if (!house)
        return;
    house->changeRent(delta);
    infoRent = readRent(game, *tile);
    game->ui_refreshTileInformation();
}

void addRentButtons(Game* game, gui::Window* window, Tile* tile, int y)
{
    int x = infoValueX + 24;
    for (int delta : {-1, 1})
    {
        const char* name = delta < 0 ? "rentDecrease" : "rentIncrease";
        gui::Button* button = game->ui->createImageButton(
            x, y, rentButtonSize, rentButtonSize, sprite(game, delta < 0 ? "ui/rent_decrease" : "ui/rent_increase"),
            hashString(name));
        button->onClick = [game, tile, delta] { changeRent(game, tile, delta); };
        window->addChild(button);
        x += rentButtonSize + 4;
    }
}

void forgetInformationWindow(Game* game)
{
    tileInformationWindow = nullptr;
    infoTile = nullptr;
    infoBuilding = nullptr;
    infoKind = -1;
    infoValues.clear();
    game->map->clearHighlight();
    game->map->setSelectedTile(nullptr);
}

// The tile whose contents carry an id, after they moved in a rotation.
Tile* findTileById(Game* game, unsigned int id)
{
    for (Tile* tile : game->map->revealedTiles)
    {
        if (tile->id == id)
            return tile;
    }
    return nullptr;
}
} // namespace

void Game::ui_showTileActions(Tile* tile)
{
    if (queuedForMainThread([this, tile] { ui_showTileActions(tile); }))
        return;
    if (!tile || !(tile->flags & TileRevealed))
        return;
    sf::Lock lock(tileMutex);
    {
        // Choosing now would replace the running action and lose what it cost.
        sf::Lock update(updateMutex);
        if (action.id != ActionNone)
            return;
    }
    if (tile->actions.empty())
        return;
    closeScreen(tileActionsWindow);

    std::printf("tile actions of %d, %d:", tile->x, tile->y);
    for (int id : tile->actions)
        std::printf(" %d", id);
    std::printf("\n");

    actionsTile = tile;
    actionsTileId = tile->id;
    shownActions = tile->actions;
    actionsPage = 0;

    // As tall as the first page needs, with a row for the page buttons when there are pages.
    int count = static_cast<int>(shownActions.size());
    int rows = count > gridColumns ? gridRows : 1;
    int pagerTop = gridTop + rows * cellHeight + 2;
    int height = count > actionsPerPage ? pagerTop + arrowSize + 14 : pagerTop + 12;
    sf::IntRect rect = ui->getCenteredRect(actionsWidth, height, UI::PlaceMiddle);
    gui::Window* popup = ui->createWindow(rect.left, rect.top, rect.width, rect.height, "Yes, my mayor?", 1, 0);
    tileActionsWindow = popup;
    actionsGrid = new gui::Widget(this, gridLeft, gridTop, gridColumns * cellWidth, gridRows * cellHeight);
    popup->addChild(actionsGrid);

    Game* game = this;
    previousPageButton = ui->createImageButton(gridLeft, pagerTop, arrowSize, arrowSize, nullptr,
                                               hashString("previousPage"));
    previousPageButton->disabledLook = false;
    previousPageButton->onClick = [game] { turnActionsPage(game, -1); };
    popup->addChild(previousPageButton);
    nextPageButton = ui->createImageButton(actionsWidth - gridLeft - arrowSize, pagerTop, arrowSize, arrowSize,
                                           nullptr, hashString("nextPage"));
    nextPageButton->disabledLook = false;
    nextPageButton->onClick = [game] { turnActionsPage(game, 1); };
    popup->addChild(nextPageButton);
    pageText = ui->createText(gridLeft + arrowSize, pagerTop, actionsWidth - 2 * (gridLeft + arrowSize), arrowSize,
                              "", 1, hashString("pageText"));
    pageText->setFont(FontSmall);
    popup->addChild(pageText);
    showActionsPage(this);

    popup->addChild(ui->createButton((actionsWidth - 80) / 2, height - 12, 80, 18, "Close",
                                      hashString("closeWindow"), FontBold));
    popup->closeCallback = [] { forgetActionsWindow(); };
    ui->getRoot()->addChild(popup);
}

void Game::ui_showTileInformation(Tile* tile)
{
    if (queuedForMainThread([this, tile] { ui_showTileInformation(tile); }))
        return;
    if (!tile || !(tile->flags & TileRevealed))
        return;
    // The same house again (it caught fire, say) keeps the rent already
    // read, so the rebuild need not wait for the tick that changed it.
    bool sameBuilding =
        tileInformationWindow && tile == infoTile && tile->building == infoBuilding && kindOf(*tile) == infoKind;
    long long rent = sameBuilding ? infoRent : readRent(this, *tile);
    closeScreen(tileInformationWindow);

    infoTile = tile;
    infoTileId = tile->id;
    infoKind = kindOf(*tile);
    infoBuilding = tile->building;
    infoBurning = (tile->flags & TileBurning) != 0;
    infoRent = rent;
    std::vector<InfoLine> lines = describeTile(*tile, infoRent);

    int height = infoLinesTop + infoLineStep * static_cast<int>(lines.size()) + 14;
    gui::Window* popup = ui->createWindow(0, 0, infoWidth, height, "Information", 1, 0);
    tileInformationWindow = popup;

    gui::Text* heading = ui->createText(10, infoHeadingTop, infoWidth - 20, 10, tileName(*tile), 0,
                                        hashString("tileName"));
    heading->setFont(FontBold);
    popup->addChild(heading);
    for (size_t i = 0; i < lines.size(); ++i)
    {
        int y = infoLinesTop + infoLineStep * static_cast<int>(i);
        popup->addChild(ui->createText(10, y, infoValueX - 14, 9, lines[i].label, 0, hashString("infoLabel")));
        gui::Text* value = ui->createText(infoValueX, y, infoWidth - infoValueX - 10, 9, lines[i].value, 0,
                                          hashString("infoValue"));
        popup->addChild(value);
        infoValues.push_back(value);
        if (lines[i].label == "Rent")
            addRentButtons(this, popup, tile, y);
    }

    popup->addChild(
        ui->createButton((infoWidth - 80) / 2, height - 12, 80, 18, "Close", hashString("closeWindow"), FontBold));
    Game* game = this;
    popup->closeCallback = [game] { forgetInformationWindow(game); };
    ui->getRoot()->addChild(popup);
    placeTileInformationWindow(this);

    map->setSelectedTile(tile);
    if (int range = buildingRange(*tile))
        map->highlightArea(tile->x, tile->y, range);
}

void Game::ui_refreshTileInformation()
{
    if (queuedForMainThread([this] { ui_refreshTileInformation(); }))
        return;
    if (!tileInformationWindow || !infoTile)
        return;
    Tile* tile = infoTile;
    bool burning = (tile->flags & TileBurning) != 0;
    if (kindOf(*tile) != infoKind || tile->building != infoBuilding || burning != infoBurning)
    {
        // Something else stands there now: its own lines, range and size.
        ui_showTileInformation(tile);
        return;
    }
    std::vector<InfoLine> lines = describeTile(*tile, infoRent);
    for (size_t i = 0; i < lines.size() && i < infoValues.size(); ++i)
        infoValues[i]->setText(lines[i].value);
}

void screens::placeTileInformationWindow(Game* game)
{
    gui::Window* window = tileInformationWindow;
    if (!window)
        return;
    sf::Vector2i size = game->getLogicalSize();
    // Right of the side buttons, its Close button clear of the status bar.
    int x = 40;
    int y = std::max(30, size.y - 13 - 14 - window->height);
    window->setPosition(x, y, true);
}

void screens::followTileWindowsAfterRotation(Game* game)
{
    if (tileInformationWindow)
    {
        Tile* moved = findTileById(game, infoTileId);
        if (moved)
            game->ui_showTileInformation(moved);
        else
            closeScreen(tileInformationWindow);
    }
    if (tileActionsWindow)
    {
        Tile* moved = findTileById(game, actionsTileId);
        int page = actionsPage;
        closeScreen(tileActionsWindow);
        if (moved)
        {
            game->ui_showTileActions(moved);
            if (tileActionsWindow)
                turnActionsPage(game, page);
        }
    }
}
