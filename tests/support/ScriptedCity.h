#ifndef QUILLFENN_TESTS_SCRIPTEDCITY_H
#define QUILLFENN_TESTS_SCRIPTEDCITY_H

// A dense city of every kind of building on a fully revealed map, laid out
// the same way for the same seed: the soak, the concurrency test and the tick
// benchmark all run days on it.

#include "game/Game.h"
#include "simulation/City.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Map.h"
#include "simulation/Tile.h"

#include <SFML/System/Lock.hpp>

#include <cstdlib>
#include <string>
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

// Why a city is not sound after a day, or "" when it is: money, books,
// shares and goods finite, every house within its capacity, and the
// population the sum of the residents.
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
    return "";
}

} // namespace scripted

#endif
