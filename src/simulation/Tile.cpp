#include "simulation/Tile.h"

#include "simulation/Building.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
struct HouseLevel
{
    int capacity;
    int baseIncome;
    double wastePerDay;
};
const HouseLevel houseLevels[3] = {{3, 2, 0.2}, {6, 4, 0.45}, {15, 8, 1.0}};

struct ShopLevel
{
    int range;
    int capacity;
    int baseIncome;
    double wastePerDay;
};
const ShopLevel shopLevels[3] = {{4, 15, 5, 0.1}, {6, 50, 10, 0.25}, {8, 100, 15, 0.4}};

// Levels come from the action table; anything else falls back into 1..3.
int clampLevel(int level)
{
    return std::min(std::max(level, 1), 3);
}

// Books a day's accrued amount; only whole units are paid, the rest waits
// (and the fraction is dropped once something is paid).
int payOut(Building& record, double amount, bool onlyGains)
{
    record.lastIncome = amount;
    record.pendingIncome += amount;
    double whole = std::floor(record.pendingIncome);
    if (onlyGains ? whole > 0.0 : whole != 0.0)
    {
        record.pendingIncome = 0.0;
        return static_cast<int>(whole);
    }
    return 0;
}

int houseIncome(House& house)
{
    int residents = house.residents.load();
    if (residents <= 0)
        return -1;
    double amount = 0.0;
    if (house.capacity > 0)
        amount = static_cast<double>(house.rentOffset + house.baseIncome) * residents / house.capacity;
    return payOut(house, amount, true);
}

// Breaks even at half of capacity; earns baseIncome when full, loses it when empty.
int shopIncome(Shop& shop)
{
    int half = shop.capacity / 2;
    int span = shop.capacity - half;
    double amount = 0.0;
    if (span > 0)
        amount = static_cast<double>(shop.baseIncome) * (shop.customers.load() - half) / span;
    return payOut(shop, amount, false);
}

// Breaks even at 40 workers.
int officeIncome(Factory& office)
{
    int span = office.jobs - 40;
    double amount = 0.0;
    if (span != 0)
        amount = static_cast<double>(office.baseIncome) * (office.workers.load() - 40) / span;
    return payOut(office, amount, false);
}

int fixedIncome(int type)
{
    switch (type)
    {
    case TileRoad:
        return -1;
    case TilePark:
        return -10;
    case TileWaterTower:
        return -15;
    case TilePumpingStation:
        return -35;
    case TileFireStation:
    case TilePoliceStation:
        return -40;
    case TileHospital:
        return -50;
    default:
        return 0;
    }
}

std::vector<Tile*> sortedByDistance(const Tile& from, const std::vector<Tile*>& tiles)
{
    std::vector<Tile*> sorted = tiles;
    auto distance = [&from](const Tile* t) {
        int dx = t->x - from.x;
        int dy = t->y - from.y;
        return dx * dx + dy * dy;
    };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const Tile* a, const Tile* b) { return distance(a) < distance(b); });
    return sorted;
}

// The first supplier of the list with room whose square reach covers the home.
// Entries whose tile no longer holds such a record (demolished, burnt down)
// are passed over: the lists are only rebuilt when a supplier is added.
template <typename Record>
Record* nearestWithRoom(const Tile& home, const std::vector<Tile*>& suppliers, bool (*hasRoom)(const Record&))
{
    for (Tile* candidate : suppliers)
    {
        Record* record = dynamic_cast<Record*>(candidate->building);
        if (!record || !hasRoom(*record))
            continue;
        if (record->range >= std::abs(candidate->x - home.x) && record->range >= std::abs(candidate->y - home.y))
            return record;
    }
    return nullptr;
}
} // namespace

void Tile::setType(int newType, int level)
{
    type = newType;
    Building* record = nullptr;
    switch (newType)
    {
    case TileHouse:
    {
        House* old = dynamic_cast<House*>(building);
        int residents = old ? old->residents.load() : 0;
        releaseBuilding();
        fireSafety = 0.0;
        health = 0.0;
        House* house = new House();
        const HouseLevel& l = houseLevels[clampLevel(level) - 1];
        house->level = clampLevel(level);
        house->shownNeeds = 7;
        house->residents = residents;
        house->capacity = l.capacity;
        house->baseIncome = l.baseIncome;
        house->wastePerDay = l.wastePerDay;
        record = house;
        break;
    }
    case TileShop:
    {
        Shop* old = dynamic_cast<Shop*>(building);
        int customers = old ? old->customers.load() : 0;
        releaseBuilding();
        Shop* shop = new Shop();
        const ShopLevel& l = shopLevels[clampLevel(level) - 1];
        shop->level = clampLevel(level);
        shop->customers = customers;
        shop->range = l.range;
        shop->capacity = l.capacity;
        shop->baseIncome = l.baseIncome;
        shop->wastePerDay = l.wastePerDay;
        record = shop;
        break;
    }
    case TileWaterTower:
    case TilePumpingStation:
    {
        releaseBuilding();
        WaterSupply* water = new WaterSupply();
        water->capacity = newType == TileWaterTower ? 50 : 250;
        water->range = newType == TileWaterTower ? 10 : 8;
        record = water;
        break;
    }
    case TileFactory:
    case TileOffice:
    {
        releaseBuilding();
        Factory* workplace = newType == TileFactory ? new Factory() : new Commercial();
        workplace->jobs = newType == TileFactory ? 40 : 100;
        workplace->range = newType == TileFactory ? 10 : 12;
        workplace->baseIncome = newType == TileFactory ? 15 : 50;
        workplace->wastePerDay = newType == TileFactory ? 4.0 : 1.75;
        record = workplace;
        break;
    }
    case TileFireStation:
    case TilePoliceStation:
    case TileHospital:
        releaseBuilding();
        record = new Building();
        if (newType == TileHospital)
            record->wastePerDay = 1.25;
        break;
    case TileLandfill:
    {
        releaseBuilding();
        Landfill* landfill = new Landfill();
        landfill->capacity = 10000;
        record = landfill;
        break;
    }
    default:
        releaseBuilding();
        break;
    }
    if (record)
    {
        record->tile = this;
        building = record;
    }
    if (map)
    {
        map->lastChangedTile = this;
        map->lastChangedType = newType;
    }
}

int Tile::collectIncome()
{
    switch (type)
    {
    case TileHouse:
        if (House* house = dynamic_cast<House*>(building))
            return houseIncome(*house);
        return 0;
    case TileShop:
        if (Shop* shop = dynamic_cast<Shop*>(building))
            return shopIncome(*shop);
        return 0;
    case TileOffice:
        if (Factory* office = dynamic_cast<Factory*>(building))
            return officeIncome(*office);
        return 0;
    default:
        return fixedIncome(type);
    }
}

void Tile::accumulateRisks(bool crimeOn, bool healthOn, bool fireOn)
{
    House* house = type == TileHouse ? dynamic_cast<House*>(building) : nullptr;
    if (!house)
        return;
    double d = (std::rand() % 300 + 750) / 1000.0;
    double exposure = d * (house->residents.load() * 0.03 + 0.21);
    if (crimeOn)
        crime += 0.5 * d;
    if (healthOn)
        health -= exposure;
    if (fireOn)
        fireSafety -= exposure;
    for (Tile* neighbour : allNeighbours)
    {
        if (neighbour->type != TileHouse)
            continue;
        if (crimeOn)
            crime += 0.15 * neighbour->crime;
        if (fireOn)
        {
            House* next = dynamic_cast<House*>(neighbour->building);
            int residents = next ? next->residents.load() : 0;
            fireSafety -= d * residents * 0.25 * 0.3;
            if (neighbour->flags & TileBurning)
                fireSafety -= 14.0;
        }
    }
}

void Tile::updateNeighbourLists()
{
    orthogonalNeighbours.clear();
    diagonalNeighbours.clear();
    for (Tile* t : {north, west, south, east})
    {
        if (t)
            orthogonalNeighbours.push_back(t);
    }
    for (Tile* t : {southEast, southWest, northWest, northEast})
    {
        if (t)
            diagonalNeighbours.push_back(t);
    }
    allNeighbours = orthogonalNeighbours;
    allNeighbours.insert(allNeighbours.end(), diagonalNeighbours.begin(), diagonalNeighbours.end());
    tilesWithin3 = map->getTilesAround(x, y, 3, false);
    tilesWithin12 = map->getTilesAround(x, y, 12, false);
    tilesWithin15 = map->getTilesAround(x, y, 15, false);
}

void Tile::updateNearestSuppliers(int changedType)
{
    bool all = changedType == TileAllTypes;
    if (all || changedType == TileShop)
        nearShops = sortedByDistance(*this, map->shops);
    if (all || changedType == TileFactory || changedType == TileOffice)
        nearWorkplaces = sortedByDistance(*this, map->workplaces);
    if (all || changedType == TileWaterTower || changedType == TilePumpingStation)
        nearWater = sortedByDistance(*this, map->waterSupplies);
}

Shop* Tile::findShop() const
{
    return nearestWithRoom<Shop>(*this, nearShops,
                                 [](const Shop& s) { return s.customers.load() < s.capacity; });
}

Factory* Tile::findWorkplace() const
{
    return nearestWithRoom<Factory>(*this, nearWorkplaces,
                                    [](const Factory& f) { return f.workers.load() < f.jobs; });
}

WaterSupply* Tile::findWaterSupply() const
{
    return nearestWithRoom<WaterSupply>(*this, nearWater,
                                        [](const WaterSupply& w) { return w.supplied.load() < w.capacity; });
}

void Tile::releaseBuilding()
{
    delete building;
    building = nullptr;
}
