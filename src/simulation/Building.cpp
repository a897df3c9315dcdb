#include "simulation/Building.h"

#include "simulation/Tile.h"

#include <algorithm>

Building::Building()
{
}

Building::~Building()
{
}

void Building::coverFire(int radius)
{
    for (Tile* covered : tilesInReach(radius))
        covered->fireSafety = std::min(covered->fireSafety + 8.0, 8.0);
}

void Building::coverCrime(int radius)
{
    for (Tile* covered : tilesInReach(radius))
        covered->crime = std::max(covered->crime - 5.0, -5.0);
}

void Building::coverHealth(int radius)
{
    for (Tile* covered : tilesInReach(radius))
    {
        if (covered->type == TileHouse)
            covered->health = std::min(covered->health + 5.0, 5.0);
    }
}

void Building::serveDemand(int& demand, std::atomic<int>& served, int capacity, int& unmetNeeds, int needBit)
{
    // Only the tick serves, so the count needs no locked addition.
    int count = served.load(std::memory_order_relaxed);
    int room = capacity - count;
    if (room <= 0)
        return;
    int n = std::max(0, std::min(demand, room));
    demand -= n;
    served.store(count + n, std::memory_order_relaxed);
    if (demand <= 0)
        unmetNeeds &= ~needBit;
}

TileArea Building::tilesInReach(int radius) const
{
    return radius == 12 ? tile->tilesWithin12() : tile->tilesWithin15();
}
