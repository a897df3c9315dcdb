#include "simulation/Tile.h"

#include "simulation/Building.h"
#include "simulation/BuildingKinds.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
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
    // A damaged save can hold any amount: nothing is paid out of a NaN, and
    // no payment goes beyond what an int holds.
    if (std::isnan(whole))
    {
        record.pendingIncome = 0.0;
        return 0;
    }
    if (onlyGains ? whole > 0.0 : whole != 0.0)
    {
        record.pendingIncome = 0.0;
        if (whole >= static_cast<double>(INT_MAX))
            return INT_MAX;
        if (whole <= static_cast<double>(INT_MIN))
            return INT_MIN;
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
        amount = (static_cast<double>(house.rentOffset) + house.baseIncome) * residents / house.capacity;
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

// Kinds without an income of their own cost a fixed amount a day.
int fixedIncome(int type)
{
    const BuildingKind* kind = buildingKind(type, 1);
    return kind ? kind->dailyCost : 0;
}

// The suppliers of a list whose reach covers a tile, nearest first: each
// distance is worked out once and sorted together with the list position,
// which keeps equal distances in list order as a stable sort would.
std::vector<Tile*> coveringByDistance(const Tile& from, const std::vector<Tile*>& tiles)
{
    std::vector<std::uint64_t> keys;
    for (size_t i = 0; i < tiles.size(); ++i)
    {
        if (!tiles[i]->reaches(from))
            continue;
        std::int64_t dx = tiles[i]->x - from.x;
        std::int64_t dy = tiles[i]->y - from.y;
        keys.push_back(static_cast<std::uint64_t>(dx * dx + dy * dy) << 32 | i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Tile*> sorted;
    sorted.reserve(keys.size());
    for (std::uint64_t key : keys)
        sorted.push_back(tiles[key & 0xffffffffu]);
    return sorted;
}

// The first supplier of the list with room whose square reach covers the home.
// Entries whose tile no longer holds such a record (demolished, burnt down)
// are passed over: the lists are only rebuilt when a supplier is added.
template <typename Record, typename RecordOf, typename HasRoom>
Record* nearestWithRoom(const Tile& home, const std::vector<Tile*>& suppliers, RecordOf recordOf, HasRoom hasRoom)
{
    for (Tile* candidate : suppliers)
    {
        Record* record = recordOf(*candidate);
        if (!record || !hasRoom(*record))
            continue;
        if (record->range >= std::abs(candidate->x - home.x) && record->range >= std::abs(candidate->y - home.y))
            return record;
    }
    return nullptr;
}

// The record as the kind a tile's type makes it (see Tile::house).
template <typename Record>
Record* recordIf(const Tile& tile, bool isKind)
{
    return isKind ? static_cast<Record*>(tile.building) : nullptr;
}

Shop* shopOf(const Tile& t)
{
    return recordIf<Shop>(t, t.type == TileShop);
}

Factory* workplaceOf(const Tile& t)
{
    return recordIf<Factory>(t, t.type == TileFactory || t.type == TileOffice);
}

WaterSupply* waterSupplyOf(const Tile& t)
{
    return recordIf<WaterSupply>(t, t.type == TileWaterTower || t.type == TilePumpingStation);
}
} // namespace

void Tile::setType(int newType, int level)
{
    type = newType;
    const BuildingKind* kind = buildingKind(newType, clampLevel(level));
    Building* record = nullptr;
    switch (kind ? kind->record : RecordNone)
    {
    case RecordHouse:
    {
        House* old = dynamic_cast<House*>(building);
        int residents = old ? old->residents.load() : 0;
        releaseBuilding();
        fireSafety = 0.0;
        health = 0.0;
        House* house = new House();
        house->level = kind->level;
        house->shownNeeds = 7;
        // An upgrade carries the residents over, as many as the new house has room for.
        house->residents = std::min(residents, kind->capacity);
        house->capacity = kind->capacity;
        record = house;
        break;
    }
    case RecordShop:
    {
        Shop* old = dynamic_cast<Shop*>(building);
        int customers = old ? old->customers.load() : 0;
        releaseBuilding();
        Shop* shop = new Shop();
        shop->level = kind->level;
        shop->customers = customers;
        shop->range = kind->range;
        shop->capacity = kind->capacity;
        record = shop;
        break;
    }
    case RecordWater:
    {
        releaseBuilding();
        WaterSupply* water = new WaterSupply();
        water->capacity = kind->capacity;
        water->range = kind->range;
        record = water;
        break;
    }
    case RecordFactory:
    case RecordOffice:
    {
        releaseBuilding();
        Factory* workplace = kind->record == RecordFactory ? new Factory() : new Commercial();
        workplace->jobs = kind->jobs;
        workplace->range = kind->range;
        record = workplace;
        break;
    }
    case RecordService:
        releaseBuilding();
        record = new Building();
        break;
    case RecordLandfill:
    {
        releaseBuilding();
        Landfill* landfill = new Landfill();
        landfill->capacity = kind->capacity;
        record = landfill;
        break;
    }
    default:
        releaseBuilding();
        break;
    }
    if (record)
    {
        record->baseIncome = kind->baseIncome;
        record->wastePerDay = kind->wastePerDay;
        record->tile = this;
        building = record;
    }
    if (map)
    {
        map->lastChangedTile = this;
        map->lastChangedType = newType;
        map->typeChanges += 1;
    }
}

int Tile::collectIncome()
{
    switch (type)
    {
    case TileHouse:
        if (House* home = house())
            return houseIncome(*home);
        return 0;
    case TileShop:
        if (Shop* store = shop())
            return shopIncome(*store);
        return 0;
    case TileOffice:
        if (Factory* office = workplace())
            return officeIncome(*office);
        return 0;
    default:
        return fixedIncome(type);
    }
}

void Tile::accumulateRisks(bool crimeOn, bool healthOn, bool fireOn)
{
    House* home = house();
    if (!home)
        return;
    double d = (std::rand() % 300 + 750) / 1000.0;
    double exposure = d * (home->residents.load() * 0.03 + 0.21);
    if (crimeOn)
        crime += 0.5 * d;
    if (healthOn)
        health -= exposure;
    if (fireOn)
        fireSafety -= exposure;
    for (Tile* neighbour : allNeighbours())
    {
        if (neighbour->type != TileHouse)
            continue;
        if (crimeOn)
            crime += 0.15 * neighbour->crime;
        if (fireOn)
        {
            House* next = neighbour->house();
            int residents = next ? next->residents.load() : 0;
            fireSafety -= d * residents * 0.25 * 0.3;
            if (neighbour->flags & TileBurning)
                fireSafety -= 14.0;
        }
    }
}

TileNeighbours Tile::orthogonalNeighbours() const
{
    TileNeighbours n;
    for (Tile* t : {north(), west(), south(), east()})
        n.add(t);
    return n;
}

TileNeighbours Tile::diagonalNeighbours() const
{
    TileNeighbours n;
    for (Tile* t : {southEast(), southWest(), northWest(), northEast()})
        n.add(t);
    return n;
}

TileNeighbours Tile::allNeighbours() const
{
    TileNeighbours n;
    for (Tile* t : {north(), west(), south(), east(), southEast(), southWest(), northWest(), northEast()})
        n.add(t);
    return n;
}

TileArea Tile::tilesWithin(int radius) const
{
    if (!map || map->tiles.empty())
        return TileArea();
    return TileArea(map->tiles.data(), map->width, map->height, x, y, radius);
}

int Tile::reach() const
{
    if (const Shop* store = shop())
        return store->range;
    if (const Factory* place = workplace())
        return place->range;
    if (const WaterSupply* water = waterSupply())
        return water->range;
    return -1;
}

bool Tile::reaches(const Tile& home) const
{
    int range = reach();
    return range >= std::abs(x - home.x) && range >= std::abs(y - home.y);
}

void Tile::updateNearestSuppliers(int changedType)
{
    bool all = changedType == TileAllTypes;
    if (all || changedType == TileShop)
        nearShops = coveringByDistance(*this, map->shops);
    if (all || changedType == TileFactory || changedType == TileOffice)
        nearWorkplaces = coveringByDistance(*this, map->workplaces);
    if (all || changedType == TileWaterTower || changedType == TilePumpingStation)
        nearWater = coveringByDistance(*this, map->waterSupplies);
}

Shop* Tile::findShop() const
{
    return nearestWithRoom<Shop>(*this, nearShops, shopOf,
                                 [](const Shop& s) { return s.customers.load() < s.capacity; });
}

Factory* Tile::findWorkplace() const
{
    return nearestWithRoom<Factory>(*this, nearWorkplaces, workplaceOf,
                                    [](const Factory& f) { return f.workers.load() < f.jobs; });
}

WaterSupply* Tile::findWaterSupply() const
{
    return nearestWithRoom<WaterSupply>(*this, nearWater, waterSupplyOf,
                                        [](const WaterSupply& w) { return w.supplied.load() < w.capacity; });
}

House* Tile::house() const
{
    return recordIf<House>(*this, type == TileHouse);
}

Shop* Tile::shop() const
{
    return shopOf(*this);
}

Factory* Tile::workplace() const
{
    return workplaceOf(*this);
}

WaterSupply* Tile::waterSupply() const
{
    return waterSupplyOf(*this);
}

Landfill* Tile::landfill() const
{
    return recordIf<Landfill>(*this, type == TileLandfill);
}

void Tile::releaseBuilding()
{
    delete building;
    building = nullptr;
}

TileArea::TileArea(Tile* tiles, int width, int height, int x, int y, int radius)
    : base(tiles), stride(width), centre(x + y * width)
{
    int x0 = std::max(x - radius, 0);
    int x1 = std::min(x + radius, width - 1);
    int y0 = std::max(y - radius, 0);
    int y1 = std::min(y + radius, height - 1);
    if (x0 > x1 || y0 > y1)
        return;
    first = x0 + y0 * width;
    rowLength = x1 - x0 + 1;
    rows = y1 - y0 + 1;
}

std::vector<Tile*> TileArea::toVector() const
{
    std::vector<Tile*> tiles;
    tiles.reserve(size());
    for (Tile* tile : *this)
        tiles.push_back(tile);
    return tiles;
}
