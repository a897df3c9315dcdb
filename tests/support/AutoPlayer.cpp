#include "AutoPlayer.h"

#include "GameParts.h"
#include "HeadlessUi.h"
#include "ScriptedCity.h"

#include "game/MainMenu.h"
#include "game/Screens.h"
#include "gui/UI.h"
#include "gui/Window.h"
#include "resources/Platform.h"
#include "resources/SoundManager.h"
#include "resources/Utils.h"
#include "simulation/ActionPrices.h"
#include "simulation/City.h"
#include "simulation/House.h"
#include "simulation/Map.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"
#include "simulation/Factory.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Lock.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
const int putOutFires = 17;
const int demolish = 16;

// How often the player picks each action id when a tile offers it: mostly
// homes and the roads to them, now and then what the homes need.
const int actionWeights[actionPriceCount] = {
    0,  // none
    40, // road
    40, // small housing
    25, // large housing
    20, // flats
    10, // shop
    12, // market
    6,  // convenience store
    2,  // park
    8,  // water tower
    6,  // factory
    1,  // fire station
    1,  // police station
    1,  // hospital
    4,  // commercial building
    3,  // plant tree
    1,  // demolish (rubble is cleared far more eagerly)
    0,  // put out fires: never chosen, only started by a fire
    4,  // pumping station
    3,  // landfill area
};

// The steps and defaults of the production window's price buttons.
const double priceSteps[3] = {0.05, 0.05, 0.1};
const double defaultPrices[3] = {0.2, 0.4, 1.5};

// The finance window borrows and repays in fixed steps.
const int loanStep = 5000;

// The player borrows below this balance, as long as the loan stays under the
// cap: the city never runs out of money to build with, however it fares.
const double lowMoney = 1500.0;
const int loanCap = 20000000;

// A day tick that takes longer than this has hung.
const int dayLimitMs = 60000;

// What must come back from a save exactly as it was.
struct Snapshot
{
    double money = 0.0;
    int loan = 0;
    int day = 0;
    int population = 0;
    int rotation = 0;
    double housingDemand[4] = {};
    std::vector<int> types;
    std::vector<unsigned int> ids;
    int actionId = 0;
    int actionTileX = -1;
    int actionTileY = -1;
    double actionProgress = 0.0;
};

Snapshot snapshotOf(Game& game)
{
    Snapshot s;
    {
        sf::Lock lock(game.city->moneyMutex);
        s.money = game.city->money;
        s.loan = game.city->loan;
    }
    {
        sf::Lock lock(game.city->populationMutex);
        s.population = game.city->population;
    }
    sf::Lock tiles(game.tileMutex);
    s.day = game.day;
    s.rotation = game.map->rotation;
    for (int i = 0; i < 4; ++i)
        s.housingDemand[i] = game.housingDemand[i];
    for (const Tile& tile : game.map->tiles)
    {
        s.types.push_back(tile.type);
        s.ids.push_back(tile.id);
    }
    ActionProgress action = game.currentAction();
    s.actionId = action.id;
    s.actionProgress = action.progress;
    if (action.tile)
    {
        s.actionTileX = action.tile->x;
        s.actionTileY = action.tile->y;
    }
    return s;
}

// What differs between the city saved and the city loaded, "" when nothing.
std::string differences(const Snapshot& a, const Snapshot& b)
{
    std::string d;
    auto differ = [&d](const std::string& what, double before, double after) {
        d += what + " " + std::to_string(before) + " came back as " + std::to_string(after) + "; ";
    };
    if (a.money != b.money)
        differ("money", a.money, b.money);
    if (a.loan != b.loan)
        differ("loan", a.loan, b.loan);
    if (a.day != b.day)
        differ("day", a.day, b.day);
    if (a.population != b.population)
        differ("population", a.population, b.population);
    if (a.rotation != b.rotation)
        differ("rotation", a.rotation, b.rotation);
    for (int i = 0; i < 4; ++i)
        if (a.housingDemand[i] != b.housingDemand[i])
            differ("housing demand " + std::to_string(i), a.housingDemand[i], b.housingDemand[i]);
    if (a.types != b.types)
        d += "tile types differ; ";
    if (a.ids != b.ids)
        d += "tile ids differ; ";
    if (a.actionId != b.actionId || a.actionTileX != b.actionTileX || a.actionTileY != b.actionTileY ||
        a.actionProgress != b.actionProgress)
        d += "action " + std::to_string(a.actionId) + " at " + std::to_string(a.actionTileX) + "," +
             std::to_string(a.actionTileY) + " came back as " + std::to_string(b.actionId) + " at " +
             std::to_string(b.actionTileX) + "," + std::to_string(b.actionTileY) + "; ";
    return d;
}

std::string slotText(int slot)
{
    std::string text;
    platform::readFile(getSavesPath() + std::to_string(slot) + ".sav", SaveFile::MaxBytes, text);
    return text;
}

// The first line where two save texts part, for the report.
std::string firstDifference(const std::string& a, const std::string& b)
{
    std::vector<std::string> la = split(a, '\n');
    std::vector<std::string> lb = split(b, '\n');
    for (size_t i = 0; i < la.size() || i < lb.size(); ++i)
    {
        std::string x = i < la.size() ? la[i] : "(none)";
        std::string y = i < lb.size() ? lb[i] : "(none)";
        if (x != y)
            return "line " + std::to_string(i + 1) + ": \"" + x + "\" became \"" + y + "\"";
    }
    return "";
}

// The range a supplier's record reaches, 0 for other records.
int rangeOf(const Building* building)
{
    if (const Shop* shop = dynamic_cast<const Shop*>(building))
        return shop->range;
    if (const WaterSupply* water = dynamic_cast<const WaterSupply*>(building))
        return water->range;
    if (const Factory* workplace = dynamic_cast<const Factory*>(building))
        return workplace->range;
    return 0;
}

// True when a supplier of the list reaches the position (a square reach).
bool served(const std::vector<Tile*>& suppliers, const Tile& at)
{
    for (const Tile* supplier : suppliers)
    {
        int range = rangeOf(supplier->building);
        if (std::abs(supplier->x - at.x) <= range && std::abs(supplier->y - at.y) <= range)
            return true;
    }
    return false;
}

// True when a home within the radius went without the need.
bool needed(const std::vector<Tile*>& houses, const Tile& at, int need, int radius)
{
    for (const Tile* house : houses)
    {
        if (std::abs(house->x - at.x) <= radius && std::abs(house->y - at.y) <= radius &&
            (static_cast<const House*>(house->building)->shownNeeds.load() & need))
            return true;
    }
    return false;
}

bool isManualWork(int id)
{
    return id == 15 || id == demolish || id == putOutFires;
}
} // namespace

AutoPlayer::AutoPlayer(unsigned seed) : random(seed)
{
    std::srand(seed);
    setBasePath(dir.path);
    play.settings = fixtures::makeSettings("sfxEnabled=false\nmusicEnabled=false\n");
    play.lightColor = sf::Color(232, 206, 168);
    play.darkColor = sf::Color(70, 62, 108);
    play.city = new City(&play);
    play.map = new Map(&play);
    fixtures::giveHeadlessUi(play);
    play.sounds = new SoundManager(&play);
    play.mainMenu = new MainMenu(&play);
    play.startNewGame();
    loopWork();
    checkedDay = play.day;
}

AutoPlayer::~AutoPlayer()
{
    while (play.updateThread)
    {
        play.freeFinishedUpdateThread();
        if (play.updateThread)
            sf::sleep(sf::milliseconds(1));
    }
    // The screens' window pointers outlive this UI: leave none dangling.
    play.ui_closeAllWindows();
    delete play.mainMenu;
    play.mainMenu = nullptr;
    freeGameParts(play);
    setBasePath("");
}

bool AutoPlayer::playUntil(int day)
{
    int lastDay = play.day;
    int movesToday = 0;
    while (fault.empty() && play.day < day)
    {
        move();
        if (play.day != lastDay)
        {
            lastDay = play.day;
            movesToday = 0;
        }
        else if (++movesToday > 5000)
        {
            fail("no day passed in 5000 moves");
        }
    }
    return fault.empty();
}

void AutoPlayer::move()
{
    loopWork();
    if (saveDue && chance(250))
    {
        saveDue = false;
        saveAndLoad();
        return;
    }
    if (money() < lowMoney)
        manageLoan();
    ActionProgress action = play.currentAction();
    if (action.id != 0)
    {
        // Fires cannot be called off; anything else now and then is.
        if (action.id != putOutFires && chance(6))
        {
            play.cancelAction();
            ++done.cancels;
            if (play.currentAction().id != 0)
                fail("a cancelled action still runs");
        }
        else if (chance(20))
        {
            if (play.nextDay() != 0)
                ++done.calendarPresses;
            finishDay();
        }
        else if (chance(3))
        {
            clickWhileADayRuns();
        }
        else
        {
            click();
        }
        return;
    }
    int pick = roll(1000);
    if (pick < 650)
    {
        if (startRandomAction())
            return;
        if (play.nextDay() != 0)
            ++done.calendarPresses;
        finishDay();
    }
    else if (pick < 780)
    {
        if (play.nextDay() != 0)
            ++done.calendarPresses;
        finishDay();
    }
    else if (pick < 850)
        changeARent();
    else if (pick < 900)
        changeAPrice();
    else if (pick < 930)
        manageLoan();
    else if (pick < 950)
        buyBuildRate();
    else if (pick < 965)
        rotate();
    else
        click(); // no action runs: the click must change nothing
}

void AutoPlayer::loopWork()
{
    play.freeFinishedUpdateThread();
    play.ui->draw();
    play.updatePlusOnes(0.25f);
    // Every message is read and closed with its Okay; closing one may open the next.
    for (int round = 0; round < 8; ++round)
    {
        std::vector<gui::Window*> dialogs;
        for (gui::Widget* child : play.ui->getRoot()->children)
            if (child->id == hashString("dlgWnd"))
                dialogs.push_back(static_cast<gui::Window*>(child));
        if (dialogs.empty())
            break;
        for (gui::Window* dialog : dialogs)
        {
            dialog->answer(gui::Window::AnswerClose);
            dialog->close();
        }
        play.ui->draw();
    }
}

void AutoPlayer::finishDay()
{
    sf::Clock clock;
    while (play.updateThread)
    {
        play.freeFinishedUpdateThread();
        if (!play.updateThread)
            break;
        if (clock.getElapsedTime().asMilliseconds() > dayLimitMs)
        {
            fail("the day tick never ended");
            return;
        }
        sf::sleep(sf::milliseconds(1));
    }
    loopWork();
    checkDay();
}

void AutoPlayer::checkDay()
{
    if (play.day == checkedDay || !fault.empty())
        return;
    checkedDay = play.day;
    ++done.days;
    std::string why = scripted::checkCity(play);
    if (!why.empty())
    {
        fail(why);
        return;
    }
    ActionProgress action = play.currentAction();
    if (action.id != 0 && action.id != putOutFires && (!action.tile || action.tile->id != static_cast<unsigned>(action.tileId)))
    {
        fail("the running action lost its tile");
        return;
    }
    // A player saves some moves into the new month, maybe halfway through an action.
    if (play.day % 30 == 0)
        saveDue = true;
}

int AutoPlayer::unmetNeeds()
{
    sf::Lock tiles(play.tileMutex);
    int needs = 0;
    for (Tile* tile : play.map->houses)
        needs |= static_cast<House*>(tile->building)->shownNeeds.load();
    return needs;
}

void AutoPlayer::saveAndLoad()
{
    int s = slot;
    slot = slot % 4 + 1;
    Snapshot before = snapshotOf(play);
    if (!play.saveGame(s))
    {
        fail("saving to slot " + std::to_string(s) + " failed");
        return;
    }
    ++done.saves;
    std::string saved = slotText(s);
    if (!play.loadGame(s))
    {
        fail("loading slot " + std::to_string(s) + " failed");
        return;
    }
    ++done.loads;
    loopWork();
    std::string changed = differences(before, snapshotOf(play));
    if (!changed.empty())
    {
        fail("the loaded city is not the one saved: " + changed);
        return;
    }
    std::string why;
    {
        sf::Lock tiles(play.tileMutex);
        why = scripted::checkMap(*play.map);
    }
    if (!why.empty())
    {
        fail("after loading: " + why);
        return;
    }
    if (!play.saveGame(s))
    {
        fail("saving the loaded city failed");
        return;
    }
    ++done.saves;
    std::string again = slotText(s);
    if (again != saved)
        fail("the loaded city saves differently, " + firstDifference(saved, again));
    loopWork();
}

bool AutoPlayer::startRandomAction()
{
    struct Option
    {
        Tile* tile;
        int slot;
        int id;
        int weight;
    };
    sf::Lock tiles(play.tileMutex);
    const std::vector<Tile*>& revealed = play.map->revealedTiles;
    if (revealed.empty())
        return false;
    // A player with some sense: roads first when the building land runs
    // out, what the homes lack when enough homes lack it, and few of the
    // buildings that cost upkeep every day.
    int lacking = unmetNeeds();
    int houses = static_cast<int>(play.map->houses.size());
    int sites = 0;
    for (Tile* tile : revealed)
        sites += tile->type == TileEmpty && !tile->actions.empty() ? 1 : 0;
    double cash = money();
    auto weightOf = [&](const Tile& tile, int id) {
        int weight = actionWeights[id];
        switch (id)
        {
        case 1:
            // Every road costs upkeep each day: only as many as the homes need.
            if (static_cast<int>(play.map->roads.size()) > houses + 8)
                return sites < 4 ? weight : 1;
            return sites < 6 ? weight * 6 : weight;
        case 8:
            return cash > 20000.0 ? weight : 0;
        case 2:
        case 3:
        case 4: {
            // Homes go where water, shops and work reach; elsewhere nobody moves in.
            if (tile.type == TileHouse)
                return weight;
            bool good = served(play.map->waterSupplies, tile) && served(play.map->shops, tile) &&
                        served(play.map->workplaces, tile);
            return good ? weight * 6 : 1;
        }
        case 5:
        case 6:
        case 7:
            if (tile.type == TileShop)
                return 1; // an upgrade doubles the loss of a shop without customers
            return (lacking & NeedShopping) && needed(play.map->houses, tile, NeedShopping, 3) ? weight * 8 : 0;
        case 9:
        case 18:
            return (lacking & NeedWater) && needed(play.map->houses, tile, NeedWater, 8) ? weight * 6 : 0;
        case 10:
        case 14:
            return (lacking & NeedJobs) && needed(play.map->houses, tile, NeedJobs, 8) ? weight * 6 : 0;
        case demolish:
            // Rubble and trees make room; a lived-in home or a working building stays.
            if (tile.type == TileRubble)
                return 40;
            if (tile.type == TileTree)
                return weight * 5;
            if (tile.type == TileHouse)
                return static_cast<House*>(tile.building)->residents.load() == 0 ? weight : 0;
            return tile.type == TileRoad ? weight : 0;
        default:
            return weight;
        }
    };
    std::vector<Option> options;
    int total = 0;
    for (Tile* tile : revealed)
    {
        for (size_t i = 0; i < tile->actions.size(); ++i)
        {
            int id = tile->actions[i];
            if (id <= 0 || id >= actionPriceCount)
                continue;
            int weight = weightOf(*tile, id);
            if (weight <= 0)
                continue;
            options.push_back({tile, static_cast<int>(i), id, weight});
            total += weight;
        }
    }
    if (total == 0)
        return false;
    int pick = roll(total);
    const Option* chosen = &options.front();
    for (const Option& option : options)
    {
        if (pick < option.weight)
        {
            chosen = &option;
            break;
        }
        pick -= option.weight;
    }
    // As the tile actions window pays: the price list, refused when short.
    int price = actionPrice(chosen->id);
    if (money() < price)
    {
        ++done.refused;
        return false;
    }
    play.city->addMoney(-price, FinanceCategory::Construction);
    play.startAction(static_cast<int>(chosen->tile->id), chosen->slot, price);
    ActionProgress action = play.currentAction();
    if (action.id != chosen->id || action.tile != chosen->tile)
    {
        fail("action " + std::to_string(chosen->id) + " did not start");
        return false;
    }
    ++done.actionsStarted;
    return true;
}

void AutoPlayer::click()
{
    ActionProgress action = play.currentAction();
    // No day runs here, so the click is never refused.
    double step = isManualWork(action.id) ? 1.0 : play.buildRate;
    bool completes = action.id != 0 && action.progress + step >= action.clicksNeeded;
    int clicks = play.clicks;
    play.progressAction();
    if (action.id == 0 && play.clicks != clicks)
        fail("a click without an action counted");
    if (completes)
    {
        ++done.actionsCompleted;
        ++done.completedById[action.id];
        done.demolitions += action.id == demolish ? 1 : 0;
        done.firesPutOut += action.id == putOutFires ? 1 : 0;
    }
    if (play.updateThread)
        finishDay();
}

void AutoPlayer::clickWhileADayRuns()
{
    ActionProgress before = play.currentAction();
    {
        // The day starts but waits at its first step for the tiles held here.
        sf::Lock tiles(play.tileMutex);
        if (play.nextDay() == 0)
            return;
        int clicks = play.clicks;
        play.progressAction();
        ++done.refusedClicks;
        if (play.clicks != clicks || play.currentAction().progress != before.progress)
            fail("a click while the day ran made progress");
    }
    finishDay();
}

void AutoPlayer::changeARent()
{
    sf::Lock tiles(play.tileMutex);
    const std::vector<Tile*>& houses = play.map->houses;
    if (houses.empty())
        return;
    House* house = static_cast<House*>(houses[roll(static_cast<int>(houses.size()))]->building);
    house->changeRent(chance(550) ? 1 : -1);
    ++done.rentChanges;
}

void AutoPlayer::changeAPrice()
{
    int kind = roll(3);
    double price;
    if (chance(150))
    {
        price = defaultPrices[kind];
    }
    else
    {
        // As the production window's buttons: whole steps, to the cent, never below 0;
        // this player keeps prices within half and twice the default.
        price = play.goodsPrice[kind] + (chance(500) ? 1 : -1) * priceSteps[kind];
        price = std::round(price * 100.0) / 100.0;
        if (price < defaultPrices[kind] / 2 || price > defaultPrices[kind] * 2)
            price = defaultPrices[kind];
    }
    play.setGoodsPrice(kind, price);
    ++done.priceChanges;
}

void AutoPlayer::manageLoan()
{
    double cash = money();
    int loan;
    {
        sf::Lock lock(play.city->moneyMutex);
        loan = play.city->loan;
    }
    if (cash < lowMoney && loan < loanCap)
    {
        play.city->takeLoan(loanStep);
        ++done.loansTaken;
    }
    else if (loan > 0 && (cash > 4 * loanStep || chance(100)))
    {
        // Now and then with too little money: the game says no.
        play.city->repayLoan(loanStep);
        ++done.loansRepaid;
    }
    else if (loan < loanCap / 4 && chance(200))
    {
        play.city->takeLoan(loanStep);
        ++done.loansTaken;
    }
}

void AutoPlayer::buyBuildRate()
{
    // As the city window's buy button, keeping something back for building.
    const std::vector<screens::BuildRateLevel>& levels = screens::buildRateLevels;
    for (size_t i = 0; i + 1 < levels.size(); ++i)
    {
        if (levels[i].rate != play.buildRate)
            continue;
        const screens::BuildRateLevel& next = levels[i + 1];
        sf::Lock lock(play.city->moneyMutex);
        if (play.city->money >= next.cost + 10000)
        {
            play.city->addMoney(-next.cost, FinanceCategory::Construction);
            play.buildRate = next.rate;
            ++done.buildRateSteps;
        }
        return;
    }
}

void AutoPlayer::rotate()
{
    if (chance(500))
        play.map->rotateLeft();
    else
        play.map->rotateRight();
    ++done.rotations;
    sf::Lock tiles(play.tileMutex);
    std::string why = scripted::checkMap(*play.map);
    if (!why.empty())
        fail("after a turn: " + why);
}

int AutoPlayer::roll(int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(random);
}

bool AutoPlayer::chance(int perMille)
{
    return roll(1000) < perMille;
}

double AutoPlayer::money()
{
    sf::Lock lock(play.city->moneyMutex);
    return play.city->money;
}

void AutoPlayer::fail(const std::string& why)
{
    if (fault.empty())
        fault = "day " + std::to_string(play.day) + ": " + why;
}
