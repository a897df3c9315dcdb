#include "simulation/DayTick.h"

#include "game/Game.h"
#include "simulation/Building.h"
#include "simulation/BuildingKinds.h"
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
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
// Only the tick writes the records' shown and served counts; the drawing
// reads each on its own, so no ordering between them is needed.
const std::memory_order relaxed = std::memory_order_relaxed;

const int graceDays = 180;

const int trashWarningShown = 1;

// A building kind that opens up once the city is big enough.
struct Unlock
{
    int bit;
    bool byWaste;  // counts waste-producing buildings, not residents
    int threshold; // unlocked when the count is above it
    const std::string* text;
    const char* log;
    int Game::*serviceDay; // where its grace period ends, if it is a service
};

// In the order they are announced when several come on one day.
const Unlock unlocks[] = {
    {UnlockLandfill, true, 49, &unlockTextLandfill, "Landfill action unlocked\n", nullptr},
    {UnlockLargeHouse, false, 95, &unlockTextLargeHousing, "Large house action unlocked\n", nullptr},
    {UnlockFlats, false, 319, &unlockTextFlats, "Flats action unlocked\n", nullptr},
    {UnlockConvenienceStore, false, 249, &unlockTextConvenienceStore, "Large store action unlocked\n", nullptr},
    {UnlockFireStation, false, 399, &unlockTextFireStation, "Fire station action unlocked\n", &Game::fireStationDay},
    {UnlockPumpingStation, false, 499, &unlockTextPumpingStation, "Pumping station action unlocked\n", nullptr},
    {UnlockPoliceStation, false, 749, &unlockTextPoliceStation, "Police station action unlocked\n", &Game::policeDay},
    {UnlockOffice, false, 999, &unlockTextOffice, "Office building action unlocked\n", nullptr},
    {UnlockHospital, false, 1249, &unlockTextHospital, "Hospital action unlocked\n", &Game::hospitalDay},
};

// Goods kinds: 0 food, 1 basic goods, 2 luxury items.
const double basePrices[3] = {0.2, 0.4, 1.5};
const double outputPerEfficiency[3] = {40.0, 25.0, 10.0};

// How far a price lies above its base, in the units the demand uses; a price
// below the base draws demand more steeply than one above it repels it.
double priceLevel(int kind, double price)
{
    static const double spans[3] = {0.5, 0.875, 0.85};
    static const double cheapFactors[3] = {4.0, 2.5, 8.0};
    double q = (price - basePrices[kind]) / spans[kind];
    if (q < 0.0)
        q -= std::fabs(cheapFactors[kind] * q);
    return q;
}

// What the residents would buy of a kind at a price level: the lower class
// lives on food, the middle class adds basic goods, the upper class luxuries.
double goodsDemand(int kind, double q, double p, double lower, double middle, double upper)
{
    double demand;
    if (kind == 0)
        demand = (p * lower * (1 - 0.95 * q) + p * middle * (1 - 0.5 * q) + p * upper * (1 - 0.05 * q)) * 0.5;
    else if (kind == 1)
        demand = (p * upper * (1 - 0.35 * q) + p * middle * (0.75 - 0.77 * 0.75 * q) + p * lower * (0.5 - 0.5 * q)) *
                 0.25;
    else
        demand = (p * upper * (1 - 0.25 * q) + p * middle * (0.25 - 0.68 * 0.25 * q)) * 0.1;
    return std::max(0.0, demand);
}

} // namespace

DayTick::DayTick(Game* owner) : game(owner), map(owner->map), city(owner->city)
{
}

void DayTick::run()
{
    if (!map || !city)
        return;
    begin();
    decideServices();
    resetBuildings();
    map->assignHousesToSuppliers();
    runSuppliersAndServices();
    updateHouses();
    tradeGoods();
    bookUpkeep();
    moveWaste();
    closeBooks();
    {
        sf::Lock lock(city->populationMutex);
        city->population = population;
    }
    applyUnlocks();
    std::printf("\tBuilding tick completed in %f sec\n", clock.getElapsedTime().asSeconds());
    rollOver();
}

void DayTick::begin()
{
    std::printf("\n");
    clock.restart();
    {
        sf::Lock lock(game->updateMutex);
        today = game->day;
    }
    for (int type = 0; type < TileTypeCount; ++type)
        tilesOfType[type] = map->tilesOfType[type];
    waterSupplies = map->waterSupplies;
    city->beginTick();
}

void DayTick::decideServices()
{
    int unlocked = game->unlockFlags;
    policeOn = isUnlocked(unlocked, UnlockPoliceStation) && today >= game->policeDay;
    hospitalsOn = isUnlocked(unlocked, UnlockHospital) && today >= game->hospitalDay;
    fireStationsOn = isUnlocked(unlocked, UnlockFireStation) && today >= game->fireStationDay;
}

void DayTick::resetBuildings()
{
    for (Tile* tile : shops)
    {
        if (Shop* shop = tile->shop())
            shop->customers.store(0, relaxed);
    }
    for (Tile* tile : waterSupplies)
    {
        if (WaterSupply* water = tile->waterSupply())
            water->supplied.store(0, relaxed);
    }
    // A workplace nobody comes to any more must not go on at yesterday's pace:
    // employing recomputes efficiency only when somebody is hired.
    for (const std::vector<Tile*>* list : {&factories, &offices})
    {
        for (Tile* tile : *list)
        {
            if (Factory* workplace = tile->workplace())
            {
                workplace->workers.store(0, relaxed);
                workplace->efficiency.store(0.0, relaxed);
            }
        }
    }
    // The houses' waste is summed in their pass, as the first of the sum below.
    for (Tile* tile : houses)
    {
        if (tile->building && tile->building->wastePerDay > 0.0)
        {
            waste += tile->building->wastePerDay;
            wasteBuildings += 1;
        }
        House* house = tile->house();
        if (!house)
            continue;
        tile->crime = 0.0;
        tile->fireSafety = 0.0;
        tile->health = 0.0;
        house->unmetNeeds = NeedWater | NeedShopping | NeedJobs;
        int demand = std::min(house->residents.load() + 1, house->capacity);
        house->shoppingDemand = demand;
        house->waterDemand = demand;
        house->jobDemand = demand;
    }
    for (const std::vector<Tile*>* list :
         {&shops, &waterSupplies, &factories, &fireStations, &policeStations, &hospitals, &offices, &landfills})
    {
        for (Tile* tile : *list)
        {
            if (tile->building && tile->building->wastePerDay > 0.0)
            {
                waste += tile->building->wastePerDay;
                wasteBuildings += 1;
            }
        }
    }
}

void DayTick::runSuppliersAndServices()
{
    for (Tile* tile : shops)
        book(tile->collectIncome(), FinanceCategory::ShopIncome);
    struct Service
    {
        int type;
        bool on;
        void (Building::*cover)(int);
    };
    const Service services[] = {{TilePoliceStation, policeOn, &Building::coverCrime},
                                {TileHospital, hospitalsOn, &Building::coverHealth},
                                {TileFireStation, fireStationsOn, &Building::coverFire}};
    for (const Service& service : services)
    {
        int range = buildingKind(service.type, 0)->range;
        for (Tile* tile : tilesOfType[service.type])
        {
            if (service.on && tile->building)
                (tile->building->*service.cover)(range);
            book(tile->collectIncome(), FinanceCategory::PublicServices);
        }
    }
    for (Tile* tile : offices)
        book(tile->collectIncome(), FinanceCategory::OfficeIncome);
    for (Tile* tile : waterSupplies)
        book(tile->collectIncome(), FinanceCategory::WaterSupply);
    flushBookings();
}

void DayTick::updateHouses()
{
    for (int& count : game->housesPerLevel)
        count = 0;
    map->takeSurroundings();
    for (Tile* tile : houses)
    {
        House* house = tile->house();
        if (!house)
            continue;
        house->shownNeeds.store(house->unmetNeeds, relaxed);
        house->shownAttractiveness.store(house->attractiveness, relaxed);
        int rating = attractionLevel(house->attractiveness);
        if (rating >= 4)
            rated[rating - 4] += 1;
        tile->accumulateRisks(policeOn, hospitalsOn, fireStationsOn);
        // The drawing shows these risks without reading the tile's values.
        int warnings = (tile->crime > 0.0 ? WarnCrime : 0) | (tile->fireSafety < 0.0 ? WarnFireHazard : 0) |
                       (tile->health < 0.0 ? WarnNoHospital : 0);
        house->shownWarnings.store(warnings, relaxed);
        house->updateAttractiveness();
        population += house->residents.load();
        book(tile->collectIncome(), FinanceCategory::HousingIncome);
        if (house->level >= 1 && house->level <= 4)
            game->housesPerLevel[house->level - 1] += 1;
    }
    map->releaseSurroundings();
    flushBookings();
}

void DayTick::tradeGoods()
{
    double lower, middle, upper;
    {
        sf::Lock lock(city->populationMutex);
        lower = city->lowerShare;
        middle = city->middleShare;
        upper = city->upperShare;
    }
    double production[3] = {0.0, 0.0, 0.0};
    for (Tile* tile : factories)
    {
        Factory* factory = tile->workplace();
        if (factory && factory->goodsType >= 0 && factory->goodsType < 3)
            production[factory->goodsType] += factory->efficiency.load() * outputPerEfficiency[factory->goodsType];
    }
    double p = population;
    for (int kind = 0; kind < 3; ++kind)
    {
        double price = game->goodsPrice[kind];
        double demand = goodsDemand(kind, priceLevel(kind, price), p, lower, middle, upper);
        double surplus = std::max(production[kind] - demand, 0.0);
        double shortage = std::max(demand - production[kind], 0.0);
        double base = basePrices[kind];
        double income = demand * price - surplus * base - shortage * base * 1.25;
        game->goodsDemand[kind] = demand;
        game->goodsProduction[kind] = production[kind];
        game->goodsIncome[kind] = income;
        city->addMoney(income, FinanceCategory::ProductionIncome);
    }
}

void DayTick::bookUpkeep()
{
    int roadCount = static_cast<int>(roads.size());
    book(-roadCount, FinanceCategory::RoadMaintenance);
    book(-10 * static_cast<int>(parks.size()), FinanceCategory::ParkMaintenance);
    book(-(roadCount / 5), FinanceCategory::WaterSupply);
    flushBookings();
}

void DayTick::moveWaste()
{
    if (!isUnlocked(game->unlockFlags, UnlockLandfill))
        return;
    double w = (parks.size() * 0.05 + waste) * 0.1;
    double trash = city->streetTrash.load();
    if (trash > 0.0)
    {
        w += std::min(trash, 500.0);
        trash = std::max(trash - 500.0, 0.0);
        city->streetTrash = trash;
        if (trash == 0.0)
            game->warningFlags &= ~trashWarningShown;
    }
    std::printf("\tWaste generated = %f\n", w);
    std::printf("\tBuildings generating waste = %d\n", wasteBuildings);
    chargeWaste();

    std::vector<Landfill*> open;
    for (Tile* tile : landfills)
    {
        Landfill* landfill = tile->landfill();
        if (landfill && landfill->fill.load() < landfill->capacity)
            open.push_back(landfill);
    }
    if (open.empty())
    {
        trash = city->streetTrash.load() + w;
        city->streetTrash = trash;
        if (trash >= 1000.0 && !(game->warningFlags & trashWarningShown))
        {
            game->warningFlags |= trashWarningShown;
            playSound("unlocked_feature");
            game->showMessage(trashWarningTitle, trashWarningText, false);
        }
        return;
    }
    std::stable_sort(open.begin(), open.end(),
                     [](const Landfill* a, const Landfill* b) { return a->fill.load() > b->fill.load(); });
    // Empty landfills are all alike: the trucks pick any.
    Landfill* target = open.front()->fill.load() > 0.0 ? open.front() : open[std::rand() % open.size()];
    target->fill = std::min(static_cast<double>(target->capacity), target->fill.load() + w);
}

void DayTick::chargeWaste()
{
    // The charge is for the buildings beyond the first 49; below that the
    // formula would pay the city for its waste, so nothing is booked.
    int n = wasteBuildings;
    if (n <= 49)
        return;
    city->addMoney(-((n - 49) * ((n / 10) * 0.065 + 1.75)), FinanceCategory::WasteManagement);
}

void DayTick::closeBooks()
{
    int loan;
    {
        sf::Lock lock(city->moneyMutex);
        loan = city->loan;
    }
    city->addMoney(-(loan * 0.00075), FinanceCategory::LoanInterest);
    city->endTick();
}

void DayTick::applyUnlocks()
{
    bool any = false;
    for (const Unlock& unlock : unlocks)
    {
        int count = unlock.byWaste ? wasteBuildings : population;
        if (isUnlocked(game->unlockFlags, unlock.bit) || count <= unlock.threshold)
            continue;
        game->unlockFlags |= 1 << unlock.bit;
        if (unlock.serviceDay)
            game->*unlock.serviceDay = today + graceDays;
        playSound("unlocked_feature");
        game->showMessage(unlockTitle, *unlock.text, false);
        std::printf("%s", unlock.log);
        any = true;
    }
    if (any)
        map->updateOfferedActions();
}

void DayTick::rollOver()
{
    city->rollOverDay();
    // What the houses show stays as the pass over them left it: the tick
    // holds the tiles, so its count is the one a new pass would make.
    city->setSocialClasses(rated);
    game->updateHousingDemand();
    Game* owner = game;
    if (today % 30 == 0)
    {
        city->rollOverMonth();
        post([owner] { owner->ui_refreshExpenditure(); });
        playSound("month_end");
    }
    if (today % 360 == 0)
    {
        city->rollOverYear();
        post([owner] { owner->ui_showExpenditure(); });
        playSound("year_end");
    }
    post([owner] { owner->ui_refreshCityInfo(); });
    post([owner] { owner->ui_refreshProduction(); });
}

void DayTick::book(int amount, FinanceCategory category)
{
    int c = static_cast<int>(category);
    if (amount < 0)
        losses[c] += amount;
    else
        gains[c] += amount;
}

void DayTick::flushBookings()
{
    for (int c = 0; c < City::BookSize; ++c)
    {
        if (gains[c] != 0)
            city->addMoney(static_cast<double>(gains[c]), static_cast<FinanceCategory>(c));
        if (losses[c] != 0)
            city->addMoney(static_cast<double>(losses[c]), static_cast<FinanceCategory>(c));
        gains[c] = 0;
        losses[c] = 0;
    }
}

void DayTick::post(std::function<void()> task)
{
    game->runOnMainThread(std::move(task));
}

void DayTick::playSound(const std::string& name)
{
    Game* owner = game;
    post([owner, name] { owner->playSound(name); });
}
