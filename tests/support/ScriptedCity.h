#ifndef QUILLFENN_TESTS_SCRIPTEDCITY_H
#define QUILLFENN_TESTS_SCRIPTEDCITY_H

// A dense city of every kind of building on a fully revealed map, laid out
// the same way for the same seed: the soak, the concurrency test and the tick
// benchmark all run days on it.

#include "game/Game.h"
#include "simulation/City.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <typeinfo>
#include <vector>

namespace scripted
{

// What goes on a building tile, per mille of the building tiles.
struct Share
{
    int type;
    int level;
    int perMille;
};

const Share cityMix[] = {
    {TileHouse, 1, 260},         {TileHouse, 2, 250},          {TileHouse, 3, 250},  {TilePumpingStation, 0, 20},
    {TileWaterTower, 0, 10},     {TileShop, 3, 40},            {TileShop, 2, 20},    {TileShop, 1, 10},
    {TileOffice, 0, 35},         {TileFactory, 0, 30},         {TilePoliceStation, 0, 5},
    {TileHospital, 0, 5},        {TileFireStation, 0, 5},      {TilePark, 0, 50},    {TileLandfill, 0, 10},
};

// Every tile revealed; a road on every third row, buildings on the rows
// between, drawn from cityMix; factories cycle through the three goods.
// Houses start with residents filled to the given part of their capacity.
// Afterwards the lists and offered actions are up to date.
inline void buildCity(Game& game, int size, unsigned seed, double filled)
{
    Map& map = *game.map;
    std::srand(seed);
    map.create(size, size, true);
    int goods = 0;
    for (Tile& tile : map.tiles)
    {
        tile.flags = TileRevealed;
        tile.setType(TileEmpty, 0);
        if (tile.y % 3 == 1)
        {
            tile.setType(TileRoad, 0);
            continue;
        }
        int pick = std::rand() % 1000;
        for (const Share& share : cityMix)
        {
            if (pick < share.perMille)
            {
                tile.setType(share.type, share.level);
                break;
            }
            pick -= share.perMille;
        }
        if (Factory* factory = dynamic_cast<Factory*>(tile.building))
        {
            if (tile.type == TileFactory)
                factory->goodsType = goods++ % 3;
        }
        if (House* house = dynamic_cast<House*>(tile.building))
            house->residents = static_cast<int>(house->capacity * filled);
    }
    map.lastChangedType = TileAllTypes;
    map.recalculateVisibleTiles();
    map.updateTileActions();
}

// Counts the tiles of a type.
inline int countOf(const Map& map, int type)
{
    int n = 0;
    for (const Tile& tile : map.tiles)
        n += tile.type == type ? 1 : 0;
    return n;
}

// The kind of record a tile type carries, or null for the types with none.
inline const std::type_info* recordKindOf(int type)
{
    switch (type)
    {
    case TileHouse:
        return &typeid(House);
    case TileShop:
        return &typeid(Shop);
    case TileWaterTower:
    case TilePumpingStation:
        return &typeid(WaterSupply);
    case TileFactory:
        return &typeid(Factory);
    case TileOffice:
        return &typeid(Commercial);
    case TileLandfill:
        return &typeid(Landfill);
    case TileFireStation:
    case TilePoliceStation:
    case TileHospital:
        return &typeid(Building);
    default:
        return nullptr;
    }
}

// The id a square map's tile holds after the given quarter turns: the
// contents of a left turn come from (width - 1 - y, x).
inline unsigned int idAfterTurns(int x, int y, int width, int rotation)
{
    int turns = ((rotation % 4) + 4) % 4;
    for (int i = 0; i < turns; ++i)
    {
        int fromX = width - 1 - y;
        y = x;
        x = fromX;
    }
    return static_cast<unsigned int>(x + 2 * y * width + y % 15);
}

// True when a list holds exactly the revealed tiles of the given types.
inline bool listMatches(const Map& map, std::vector<Tile*> list, int typeA, int typeB = -1)
{
    std::vector<Tile*> expected;
    for (const Tile& tile : map.tiles)
    {
        bool typed = typeA == TileAllTypes || tile.type == typeA || tile.type == typeB;
        if (typed && (tile.flags & TileRevealed))
            expected.push_back(const_cast<Tile*>(&tile));
    }
    std::sort(list.begin(), list.end());
    std::sort(expected.begin(), expected.end());
    return list == expected;
}

// Why the tiles and lists are not sound, or "" when they are: valid types,
// every record of its tile type's kind and pointing back at its tile, the
// per-type lists holding exactly the revealed tiles of their types. Any map
// the game made or loaded keeps these. Callers hold tileMutex.
inline std::string checkRecordsAndLists(const Map& map)
{
    if (static_cast<int>(map.tiles.size()) != map.width * map.height)
        return "the grid holds " + std::to_string(map.tiles.size()) + " tiles";
    for (const Tile& tile : map.tiles)
    {
        std::string at = " at " + std::to_string(tile.x) + "," + std::to_string(tile.y);
        if (tile.type < TileEmpty || tile.type > TileLandfill)
            return "tile type " + std::to_string(tile.type) + at;
        const std::type_info* kind = recordKindOf(tile.type);
        if (!kind != !tile.building)
            return "type " + std::to_string(tile.type) + (kind ? " without its record" : " with a record") + at;
        if (tile.building && typeid(*tile.building) != *kind)
            return "type " + std::to_string(tile.type) + " with a record of another kind" + at;
        if (tile.building && tile.building->tile != &tile)
            return "a record pointing at another tile" + at;
    }
    struct Listed
    {
        const char* name;
        const std::vector<Tile*>& list;
        int typeA;
        int typeB;
    };
    const Listed lists[] = {
        {"revealed", map.revealedTiles, TileAllTypes, -1}, {"houses", map.houses, TileHouse, -1},
        {"shops", map.shops, TileShop, -1},                {"factories", map.factories, TileFactory, -1},
        {"parks", map.parks, TilePark, -1},                {"water", map.waterSupplies, TileWaterTower, TilePumpingStation},
        {"roads", map.roads, TileRoad, -1},                {"fire stations", map.fireStations, TileFireStation, -1},
        {"police", map.policeStations, TilePoliceStation, -1}, {"hospitals", map.hospitals, TileHospital, -1},
        {"offices", map.offices, TileOffice, -1},          {"landfills", map.landfills, TileLandfill, -1},
        {"workplaces", map.workplaces, TileFactory, TileOffice},
    };
    for (const Listed& listed : lists)
    {
        if (!listMatches(map, listed.list, listed.typeA, listed.typeB))
            return std::string("the ") + listed.name + " list does not match the tiles";
    }
    return "";
}

// Why the map the game built is not sound, or "" when it is: its records and
// lists (checkRecordsAndLists), houses and shops of a valid level with the
// room of their level, ids unique and where the map's rotation puts them.
// Callers hold tileMutex.
inline std::string checkMap(const Map& map)
{
    std::string fault = checkRecordsAndLists(map);
    if (!fault.empty())
        return fault;
    std::vector<unsigned int> ids;
    ids.reserve(map.tiles.size());
    for (const Tile& tile : map.tiles)
    {
        std::string at = " at " + std::to_string(tile.x) + "," + std::to_string(tile.y);
        if (const House* house = dynamic_cast<const House*>(tile.building))
        {
            const int capacities[3] = {3, 6, 15};
            if (house->level < 1 || house->level > 3 || house->capacity != capacities[house->level - 1])
                return "a house of level " + std::to_string(house->level) + " for " +
                       std::to_string(house->capacity) + at;
        }
        if (const Shop* shop = dynamic_cast<const Shop*>(tile.building))
        {
            if (shop->level < 1 || shop->level > 3)
                return "a shop of level " + std::to_string(shop->level) + at;
        }
        if (map.width == map.height && tile.id != idAfterTurns(tile.x, tile.y, map.width, map.rotation))
            return "tile id " + std::to_string(tile.id) + at + " does not follow rotation " +
                   std::to_string(map.rotation);
        ids.push_back(tile.id);
    }
    std::sort(ids.begin(), ids.end());
    if (std::adjacent_find(ids.begin(), ids.end()) != ids.end())
        return "two tiles share an id";
    return "";
}

// Why a city is not sound after a day, or "" when it is: money, books,
// shares and goods finite, every house within its capacity, the population
// the sum of the residents, and the map sound (checkMap).
inline std::string checkCity(Game& game)
{
    City& city = *game.city;
    auto finite = [](double v) { return v == v && v - v == 0.0; };
    {
        sf::Lock lock(city.moneyMutex);
        if (!finite(city.money))
            return "money is not finite";
        const double* books[] = {city.yearIncomes,      city.yearExpenses,      city.lastYearIncomes,
                                 city.lastYearExpenses, city.monthIncomes,      city.monthExpenses,
                                 city.lastMonthIncomes, city.lastMonthExpenses};
        for (const double* book : books)
        {
            for (int c = 0; c < City::BookSize; ++c)
            {
                if (!finite(book[c]))
                    return "book slot " + std::to_string(c) + " is not finite";
            }
        }
        if (!finite(city.profitYesterday) || !finite(city.profitToday))
            return "profit is not finite";
    }
    int population;
    {
        sf::Lock lock(city.populationMutex);
        if (!finite(city.lowerShare) || !finite(city.middleShare) || !finite(city.upperShare))
            return "a share is not finite";
        double sum = city.lowerShare + city.middleShare + city.upperShare;
        if (sum < 1.0 - 1e-9 || sum > 1.0 + 1e-9)
            return "shares sum to " + std::to_string(sum);
        population = city.population;
    }
    sf::Lock tiles(game.tileMutex);
    for (int kind = 0; kind < 3; ++kind)
    {
        if (!finite(game.goodsDemand[kind]) || !finite(game.goodsProduction[kind]) ||
            !finite(game.goodsIncome[kind]))
            return "goods of kind " + std::to_string(kind) + " are not finite";
        if (!finite(game.housingDemand[kind]) || game.housingDemand[kind] < 0.0 || game.housingDemand[kind] > 1.0)
            return "housing demand " + std::to_string(kind) + " is " + std::to_string(game.housingDemand[kind]);
    }
    if (!finite(city.streetTrash.load()))
        return "street trash is not finite";
    int residents = 0;
    for (Tile* tile : game.map->houses)
    {
        const House* house = dynamic_cast<const House*>(tile->building);
        if (!house)
            return "a house tile without its record";
        int r = house->residents.load();
        if (r < 0 || r > house->capacity)
            return "a house holds " + std::to_string(r) + " of " + std::to_string(house->capacity);
        if (!finite(house->growth.load()) || !finite(house->attractiveness) || !finite(house->sickness))
            return "a house's growth, rating or sickness is not finite";
        residents += r;
    }
    if (residents != population)
        return "population " + std::to_string(population) + " but " + std::to_string(residents) + " residents";
    return checkMap(*game.map);
}

} // namespace scripted

#endif
