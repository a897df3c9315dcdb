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
#include "simulation/Landfill.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Lock.hpp>
#include <SFML/System/Sleep.hpp>

#include <algorithm>
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

// The player borrows once the balance is spent, as long as the loan stays
// under the cap: the city never stays in the red, however it fares.
const double lowMoney = 0.0;
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

// True when a supplier of the list that reaches the position had room left on the last day.
bool roomNear(const std::vector<Tile*>& suppliers, const Tile& at)
{
    for (const Tile* supplier : suppliers)
    {
        const Building* building = supplier->building;
        int range = rangeOf(building);
        if (std::abs(supplier->x - at.x) > range || std::abs(supplier->y - at.y) > range)
            continue;
        if (const Shop* shop = dynamic_cast<const Shop*>(building))
        {
            if (shop->customers.load() < shop->capacity)
                return true;
        }
        else if (const WaterSupply* water = dynamic_cast<const WaterSupply*>(building))
        {
            if (water->supplied.load() < water->capacity)
                return true;
        }
        else if (const Factory* workplace = dynamic_cast<const Factory*>(building))
        {
            if (workplace->workers.load() < workplace->jobs)
                return true;
        }
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

// Of every thousand moves without a running action, this many are a sensible builder's.
const int sensibleShare = 800;

// The sensible builder repays a step of the loan above this balance.
const double richMoney = 15000.0;

// What homes cannot do without (water, shops, work, services, landfills):
// the sensible builder borrows for these up to the cap.
const int essentialLoanCap = 5000000;

// Work up to this price is cheap; what the builder keeps back after buying.
const int cheapPrice = 100;

double reserveFor(int id)
{
    return actionPrice(id) <= cheapPrice ? 500.0 : 2000.0;
}

bool isEssential(int id)
{
    return (id >= 5 && id <= 7) || (id >= 9 && id <= 14) || id == 18 || id == 19;
}

// Homes counted on a grid of the map, so a square around any tile sums in four reads.
class HouseCounts
{
public:
    HouseCounts(int width, int height) : w(width), h(height), sums((width + 1) * (height + 1), 0) {}

    void add(int x, int y) { ++sums[(x + 1) + (y + 1) * (w + 1)]; }

    // Turns the counts into sums over the rectangle from the origin.
    void finish()
    {
        for (int y = 1; y <= h; ++y)
            for (int x = 1; x <= w; ++x)
                sums[x + y * (w + 1)] += sums[x - 1 + y * (w + 1)] + sums[x + (y - 1) * (w + 1)] -
                                         sums[x - 1 + (y - 1) * (w + 1)];
    }

    // The homes within the square of the radius around the position.
    int around(int x, int y, int radius) const
    {
        int x0 = std::max(x - radius, 0), y0 = std::max(y - radius, 0);
        int x1 = std::min(x + radius, w - 1) + 1, y1 = std::min(y + radius, h - 1) + 1;
        return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
    }

private:
    int at(int x, int y) const { return sums[x + y * (w + 1)]; }

    int w;
    int h;
    std::vector<int> sums;
};

// What the sensible builder knows of the city before it chooses.
struct CityView
{
    explicit CityView(const Map& map)
        : all(map.width, map.height), water(map.width, map.height), shopping(map.width, map.height),
          jobs(map.width, map.height), shunned(map.width, map.height), unguarded{{map.width, map.height},
                                                                                {map.width, map.height},
                                                                                {map.width, map.height}}
    {
    }

    HouseCounts all;
    HouseCounts water;     // homes that went without water
    HouseCounts shopping;  // ... without shops
    HouseCounts jobs;      // ... without work
    HouseCounts shunned;   // homes hardly anybody wants to live in
    HouseCounts unguarded[3]; // homes out of reach of a fire station, police station, hospital
    int houses = 0;
    int vacancies = 0;     // room in homes people would move into
    int sites = 0;         // free building land beside a road
    bool landfillRoom = false;
    int centreX = 0;
    int centreY = 0;
    int last = 0;  // the map's last column and row
    int turns = 0; // quarter turns to the left since the map was made
};

// The sensible builder keeps roads to a grid: every third column and every
// eighth row through the first road, so every plot between touches a road
// and few roads are paid for.
bool onRoadGrid(const CityView& view, const Tile& tile)
{
    // The grid is laid on the map as made: a turned map is turned back first.
    int x = tile.x;
    int y = tile.y;
    for (int turn = 0; turn < view.turns; ++turn)
    {
        int turned = view.last - y;
        y = x;
        x = turned;
    }
    return ((x - view.centreX) % 3 + 3) % 3 == 0 || ((y - view.centreY) % 8 + 8) % 8 == 0;
}

// True when a station of the list reaches the position (a square of 12).
bool guarded(const std::vector<Tile*>& stations, const Tile& at)
{
    for (const Tile* station : stations)
        if (std::abs(station->x - at.x) <= 12 && std::abs(station->y - at.y) <= 12)
            return true;
    return false;
}

// True when a factory stands within three tiles, where it spoils a home.
bool nearFactory(Map& map, const Tile& tile)
{
    for (const Tile* factory : map.factories)
        if ((factory->x - tile.x) * (factory->x - tile.x) + (factory->y - tile.y) * (factory->y - tile.y) <= 9)
            return true;
    return false;
}

// The neighbouring homes along the four sides.
int houseNeighbours(Map& map, const Tile& tile)
{
    int n = 0;
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : steps)
    {
        const Tile* next = map.getTile(tile.x + step[0], tile.y + step[1]);
        n += next && next->type == TileHouse ? 1 : 0;
    }
    return n;
}

CityView viewOf(Map& map)
{
    CityView view(map);
    view.centreX = map.width / 2;
    view.centreY = map.height / 2;
    view.last = map.width - 1;
    view.turns = (map.rotation % 4 + 4) % 4;
    const std::vector<Tile*>* stations[3] = {&map.fireStations, &map.policeStations, &map.hospitals};
    for (Tile* tile : map.houses)
    {
        const House* house = static_cast<const House*>(tile->building);
        // A new or rebuilt home shows every need until its next day: a need
        // counts only where no supplier in reach had room to spare.
        int needs = house->shownNeeds.load();
        needs &= roomNear(map.waterSupplies, *tile) ? ~NeedWater : ~0;
        needs &= roomNear(map.shops, *tile) ? ~NeedShopping : ~0;
        needs &= roomNear(map.workplaces, *tile) ? ~NeedJobs : ~0;
        double rating = house->shownAttractiveness.load();
        view.all.add(tile->x, tile->y);
        if (needs & NeedWater)
            view.water.add(tile->x, tile->y);
        if (needs & NeedShopping)
            view.shopping.add(tile->x, tile->y);
        if (needs & NeedJobs)
            view.jobs.add(tile->x, tile->y);
        if (rating < 0.05)
            view.shunned.add(tile->x, tile->y);
        for (int s = 0; s < 3; ++s)
            if (!guarded(*stations[s], *tile))
                view.unguarded[s].add(tile->x, tile->y);
        ++view.houses;
        // Room counts where people would move in, and as much as their class is in demand.
        if (rating > 0.0)
            view.vacancies += static_cast<int>((house->capacity - house->residents.load()) *
                                               map.getHousingDemand(house->level - 1) + 0.5);
    }
    for (HouseCounts* counts : {&view.all, &view.water, &view.shopping, &view.jobs, &view.shunned,
                                &view.unguarded[0], &view.unguarded[1], &view.unguarded[2]})
        counts->finish();
    for (Tile* tile : map.revealedTiles)
        view.sites += tile->type == TileEmpty && !tile->actions.empty() && !onRoadGrid(view, *tile) &&
                              houseNeighbours(map, *tile) <= 1 && !nearFactory(map, *tile)
                          ? 1
                          : 0;
    for (Tile* tile : map.landfills)
    {
        const Landfill* landfill = static_cast<const Landfill*>(tile->building);
        view.landfillRoom = view.landfillRoom || landfill->fill.load() < landfill->capacity;
    }
    return view;
}

// The empty plots beside the tile that no road reaches yet.
int newPlots(Map& map, const CityView& view, const Tile& tile)
{
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    int n = 0;
    for (const auto& step : steps)
    {
        const Tile* plot = map.getTile(tile.x + step[0], tile.y + step[1]);
        if (!plot || plot->type != TileEmpty || onRoadGrid(view, *plot))
            continue;
        bool reached = false;
        for (const auto& next : steps)
        {
            const Tile* side = map.getTile(plot->x + next[0], plot->y + next[1]);
            reached = reached || (side && side->type == TileRoad);
        }
        n += reached ? 0 : 1;
    }
    return n;
}

// How much the city wants the action on the tile, 0 for not at all; the
// higher, the sooner: water, the services, shops, work, then homes and roads.
double wanted(Map& map, const CityView& view, const Tile& tile, int id)
{
    double distance = std::sqrt(double((tile.x - view.centreX) * (tile.x - view.centreX) +
                                       (tile.y - view.centreY) * (tile.y - view.centreY)));
    bool plot = tile.type == TileEmpty && !onRoadGrid(view, tile);
    bool fewHomesFree = view.vacancies < 10 + view.houses / 4;
    const House* house = tile.type == TileHouse ? static_cast<const House*>(tile.building) : nullptr;
    switch (id)
    {
    case 1: {
        // Every road is paid for daily: only where it opens new plots, unless none does.
        if (tile.type != TileEmpty || !onRoadGrid(view, tile) || view.sites >= 4 + view.houses / 10)
            return 0.0;
        int opened = newPlots(map, view, tile);
        return opened > 0 ? 40.0 + 3.0 * opened - distance * 0.3 : 10.0 - distance * 0.1;
    }
    case 2:
    case 3:
    case 4: {
        // Homes of the class most in demand; a full home grows a storey before new land is built on.
        double demand = map.getHousingDemand(id - 2);
        if (house)
            return house->level == id - 2 && house->residents.load() + 1 >= house->capacity && demand > 0.9
                       ? 60.0 + id + demand
                       : 0.0;
        int neighbours = houseNeighbours(map, tile);
        if (!plot || !fewHomesFree || neighbours > (id == 4 ? 2 : 1) || demand < 0.9 ||
            nearFactory(map, tile))
            return 0.0;
        double reach = (served(map.waterSupplies, tile) ? 8.0 : 0.0) + (served(map.shops, tile) ? 8.0 : 0.0) +
                       (served(map.workplaces, tile) ? 8.0 : 0.0);
        return 48.0 + demand * 2.0 + reach - neighbours * 10.0 - distance * 0.2;
    }
    case 5:
    case 6:
    case 7: {
        if (tile.type == TileShop)
        {
            const Shop* shop = static_cast<const Shop*>(tile.building);
            return shop->customers.load() >= shop->capacity ? 70.0 : 0.0;
        }
        const int ranges[3] = {6, 4, 8};
        const int least[3] = {10, 1, 25};
        int n = plot ? view.shopping.around(tile.x, tile.y, ranges[id - 5]) : 0;
        if (n < least[id - 5] || (id == 6 && n >= 12))
            return 0.0;
        return (id == 6 ? 90.0 : id == 5 ? 92.0 : 94.0) + n;
    }
    case 9:
    case 18: {
        // Once it is offered, a pumping station serves five towers' worth for the upkeep of two.
        if (id == 9 && ((map.game->unlockFlags >> 7) & 1))
            return 0.0;
        int n = plot ? view.water.around(tile.x, tile.y, id == 9 ? 10 : 8) : 0;
        return n >= 1 ? 100.0 + n : 0.0;
    }
    case 10:
    case 14: {
        // Three tiles off, a factory hardly spoils a home; two off it costs
        // about what going without work does; next door it is worse.
        if (!plot || (id == 10 && view.all.around(tile.x, tile.y, 1) > 0))
            return 0.0;
        int n = view.jobs.around(tile.x, tile.y, id == 10 ? 10 : 12);
        int close = id == 10 ? view.all.around(tile.x, tile.y, 2) : 0;
        // An office loses money below 40 workers: only where many go without work.
        return n >= (id == 10 ? 4 : 15) ? (id == 10 ? 80.0 : 85.0) + n - 4.0 * close : 0.0;
    }
    case 11:
    case 12:
    case 13: {
        const int service[3] = {0, 1, 2}; // fire, police, hospital
        int n = plot ? view.unguarded[service[id - 11]].around(tile.x, tile.y, 12) : 0;
        return n >= 5 ? 95.0 + n : 0.0;
    }
    case 19:
        // Street trash soon spoils every home: a landfill goes where it spoils the fewest.
        return plot && !view.landfillRoom ? 96.0 - 2.0 * view.all.around(tile.x, tile.y, 3) : 0.0;
    case 8: {
        // Parks cheer every home within three tiles, and more so together: the rents follow.
        int n = plot ? view.all.around(tile.x, tile.y, 3) : 0;
        int m = plot ? view.shunned.around(tile.x, tile.y, 3) : 0;
        return n >= 6 && static_cast<int>(map.parks.size()) * 5 < view.houses ? 30.0 + std::min(n + m, 25) : 0.0;
    }
    case 15: {
        // A tree costs no upkeep and cheers every home around it; it takes
        // only spare land, never a plot the builder would clear again.
        int n = plot && view.sites > 8 + view.houses / 10 ? view.shunned.around(tile.x, tile.y, 1) : 0;
        return n >= 1 ? 20.0 + 3.0 * n : 0.0;
    }
    case demolish:
        // Rubble is cleared; a tree only where the road grid must pass or the plots ran out.
        if (tile.type == TileRubble)
            return 60.0;
        if (tile.type != TileTree || view.sites >= 4 + view.houses / 10)
            return 0.0;
        return onRoadGrid(view, tile) ? 42.0 - distance * 0.3 : 30.0 - distance * 0.3;
    default:
        return 0.0;
    }
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

bool AutoPlayer::saveText(std::string& text)
{
    return play.saveGame(1) &&
           platform::readFile(getSavesPath() + "1.sav", SaveFile::MaxBytes, text) == platform::ReadOk;
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
        else if (chance(5))
        {
            rotate(); // a look behind the buildings between clicks
        }
        else if (chance(4))
        {
            // Between clicks, a window of the city opened and a button pressed at random.
            ++done.randomMoves;
            const int side = roll(4);
            if (side == 0)
                changeARent();
            else if (side == 1)
                changeAPrice();
            else if (side == 2)
                manageLoan();
            else
                buyBuildRate();
        }
        else
        {
            click();
        }
        return;
    }
    if (chance(sensibleShare))
    {
        ++done.sensibleMoves;
        sensibleMove();
        return;
    }
    ++done.randomMoves;
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
    if (!fixtures::waitForDay(play, dayLimitMs))
    {
        fail("the day tick never ended");
        return;
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
    countServicesAndFires();
}

void AutoPlayer::countServicesAndFires()
{
    bool fighting = play.currentAction().id == putOutFires;
    done.fires += fighting && !burning ? 1 : 0;
    burning = fighting;
    sf::Lock tiles(play.tileMutex);
    const std::vector<Tile*>* stations[3] = {&play.map->fireStations, &play.map->policeStations,
                                             &play.map->hospitals};
    const int bits[3] = {5, 3, 4};
    const int firstDays[3] = {play.fireStationDay, play.policeDay, play.hospitalDay};
    for (int s = 0; s < 3; ++s)
        if (((play.unlockFlags >> bits[s]) & 1) && play.day >= firstDays[s] && !stations[s]->empty())
            ++done.serviceDays[s];
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
            // A class nobody asks for is seldom built: its homes would stand empty.
            if (play.housingDemand[id - 2] < 0.5)
                weight = std::max(weight / 10, 1);
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
    return buy(chosen->tile, chosen->slot, chosen->id);
}

bool AutoPlayer::buy(Tile* tile, int actionSlot, int id)
{
    // As the tile actions window pays: the price list, refused when short.
    int price = actionPrice(id);
    if (money() < price)
    {
        ++done.refused;
        return false;
    }
    play.city->addMoney(-price, FinanceCategory::Construction);
    play.startAction(static_cast<int>(tile->id), actionSlot, price);
    ActionProgress action = play.currentAction();
    if (action.id != id || action.tile != tile)
    {
        fail("action " + std::to_string(id) + " did not start");
        return false;
    }
    ++done.actionsStarted;
    return true;
}

void AutoPlayer::sensibleMove()
{
    int loan;
    {
        sf::Lock lock(play.city->moneyMutex);
        loan = play.city->loan;
    }
    if (loan > 0 && money() > richMoney + loanStep)
    {
        play.city->repayLoan(loanStep);
        ++done.loansRepaid;
        return;
    }
    if (play.day / 30 != rentMonth)
    {
        // Once a month the rents follow what the homes are worth, the prices the market.
        rentMonth = play.day / 30;
        tuneRents();
        tunePrices();
        return;
    }
    if (startSensibleAction())
        return;
    if (play.nextDay() != 0)
        ++done.calendarPresses;
    finishDay();
}

bool AutoPlayer::startSensibleAction()
{
    struct Choice
    {
        Tile* tile = nullptr;
        int slot = -1;
        int id = 0;
        double score = 0.0;
    };
    Choice best;
    Choice cheap; // the best of the cheapest work: roads, small homes, trees, clearing
    {
        sf::Lock tiles(play.tileMutex);
        CityView view = viewOf(*play.map);
        for (Tile* tile : play.map->revealedTiles)
        {
            for (size_t i = 0; i < tile->actions.size(); ++i)
            {
                int id = tile->actions[i];
                if (id <= 0 || id >= actionPriceCount)
                    continue;
                double score = wanted(*play.map, view, *tile, id);
                if (score <= 0.0)
                    continue;
                // Among equal choices the dice decide.
                score += roll(1000) / 500.0;
                Choice choice{tile, static_cast<int>(i), id, score};
                if (score > best.score)
                    best = choice;
                if (actionPrice(id) <= cheapPrice && score > cheap.score)
                    cheap = choice;
            }
        }
    }
    if (!best.tile)
        return false;
    // Something is kept back for the upkeep. What the homes cannot do without
    // is built on a loan if need be; anything else waits for the money, and
    // meanwhile the cheapest work goes on, lest the city stand still.
    if (money() < actionPrice(best.id) + reserveFor(best.id))
    {
        int loan;
        {
            sf::Lock lock(play.city->moneyMutex);
            loan = play.city->loan;
        }
        if (isEssential(best.id) && loan < essentialLoanCap)
        {
            play.city->takeLoan(loanStep);
            ++done.loansTaken;
        }
        else
        {
            best = cheap;
        }
        if (!best.tile || money() < actionPrice(best.id) + reserveFor(best.id))
            return false;
    }
    return buy(best.tile, best.slot, best.id);
}

void AutoPlayer::tuneRents()
{
    sf::Lock tiles(play.tileMutex);
    for (Tile* tile : play.map->houses)
    {
        House* house = static_cast<House*>(tile->building);
        double rating = house->shownAttractiveness.load();
        if (house->residents.load() >= house->capacity && rating > 0.15 && house->rentOffset < 6)
            house->changeRent(1);
        else if (rating < 0.0 && house->rentOffset > 0)
            house->changeRent(-1);
        else
            continue;
        ++done.rentChanges;
    }
}

void AutoPlayer::tunePrices()
{
    for (int kind = 0; kind < 3; ++kind)
    {
        double made;
        double wanted;
        {
            sf::Lock tiles(play.tileMutex);
            made = play.goodsProduction[kind];
            wanted = play.goodsDemand[kind];
        }
        // A shortage costs more than the goods earn: dearer goods are wanted less.
        int step = made < wanted ? 1 : made > wanted ? -1 : 0;
        double price = std::round((play.goodsPrice[kind] + step * priceSteps[kind]) * 100.0) / 100.0;
        if (step == 0 || price < defaultPrices[kind] / 2 || price > defaultPrices[kind] * 2)
            continue;
        play.setGoodsPrice(kind, price);
        ++done.priceChanges;
    }
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
        // As many steps as bring the balance back above nothing.
        for (; cash < lowMoney && loan < loanCap; cash += loanStep, loan += loanStep)
        {
            play.city->takeLoan(loanStep);
            ++done.loansTaken;
        }
    }
    else if (loan > 0 && (cash > 4 * loanStep || chance(100)))
    {
        // Now and then with too little money: the game says no.
        play.city->repayLoan(loanStep);
        ++done.loansRepaid;
    }
    else if (loan < loanCap / 4 && chance(500))
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
