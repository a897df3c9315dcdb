#include "simulation/House.h"

#include "simulation/Map.h"
#include "simulation/Tile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

// How a house rates its surroundings each day and how it grows from that.
// Runs on the day tick's thread, under tileMutex.

namespace
{
// Only the tick writes residents and growth; readers take each on its own.
const std::memory_order relaxed = std::memory_order_relaxed;

// What a house sees around it.
struct Surroundings
{
    int roads = 0;
    int trees = 0;
    int houses = 0;
    double houseRating = 0.0; // sum of the neighbouring houses' attractiveness
    int parks = 0;
    int landfills = 0;
    double factoryDistance = 999.0;
};

Surroundings look(const Tile& home)
{
    Surroundings s;
    for (const Tile* side : home.orthogonalNeighbours())
    {
        if (side->type == TileRoad)
            ++s.roads;
        else if (side->type == TileTree)
            ++s.trees;
        else if (side->type == TileHouse)
        {
            ++s.houses;
            if (const House* next = side->house())
                s.houseRating += next->attractiveness;
        }
    }
    for (const Tile* corner : home.diagonalNeighbours())
    {
        if (corner->type == TileTree)
            ++s.trees;
    }
    const Map* map = home.map;
    if (map && !map->surroundings.factoryDistance.empty() && map->surroundings.factoryDistance.size() == map->tiles.size())
    {
        // Taken once for the day's pass.
        const int radius = 3;
        s.parks = map->countAround(map->surroundings.parks, home, radius, TilePark);
        s.landfills = map->countAround(map->surroundings.landfills, home, radius, TileLandfill);
        int nearest = map->surroundings.factoryDistance[static_cast<size_t>(home.x) + static_cast<size_t>(home.y) * map->width];
        if (nearest >= 0)
            s.factoryDistance = std::min(s.factoryDistance, std::sqrt(static_cast<double>(nearest)));
        return s;
    }
    for (const Tile* near : home.tilesWithin3())
    {
        if (near->type == TilePark)
            ++s.parks;
        else if (near->type == TileLandfill)
            ++s.landfills;
        else if (near->type == TileFactory)
        {
            double dx = near->x - home.x;
            double dy = near->y - home.y;
            s.factoryDistance = std::min(s.factoryDistance, std::sqrt(dx * dx + dy * dy));
        }
    }
    return s;
}

// Lowers a rating by the needs the day left unmet.
void rateUnmetNeeds(double& a, int unmetNeeds, int residents)
{
    if (unmetNeeds & NeedShopping)
        a -= 0.3;
    if (unmetNeeds & NeedJobs)
        a -= ((residents - 3) / 3) * 0.075 + 0.35;
    if (unmetNeeds & NeedWater)
        a -= 0.4;
}

// Trash in the streets starts to stink at 1000 and worsens by steps of 750.
double trashPenalty(double trash)
{
    if (trash < 1000.0)
        return 0.0;
    return std::floor((trash - 1000.0) / 750.0) * 0.058;
}
} // namespace

void House::updateAttractiveness()
{
    // A burning house is only waiting to be put out.
    if (tile->flags & TileBurning)
        return;
    Surroundings s = look(*tile);
    double a = 0.2;
    if (s.factoryDistance <= 3.0)
        a -= (3.1 - s.factoryDistance) * 0.32;
    double meanRating = s.houses > 0 ? s.houseRating / s.houses : 0.0;
    a += meanRating * 0.1 - std::max(s.roads - 1, 0) * 0.15;
    if (level <= 2)
        a -= s.houses * 0.1;
    a += s.trees * 0.1 + s.parks * ((s.parks - 1) * 0.08 + 0.24) - rentOffset * 0.147;
    rateUnmetNeeds(a, unmetNeeds, residents.load());
    if (tile->crime > 0.0)
        a -= tile->crime * 0.8;
    if (tile->fireSafety < 0.0)
    {
        fireDamage += tile->fireSafety;
        a -= std::fabs(tile->fireSafety * 0.5);
    }
    if (tile->health < 0.0)
        a -= 0.29;
    if (s.landfills > 0)
        a -= (s.landfills - 1) * 0.04 + 0.5;
    a -= trashPenalty(tile->map ? tile->map->getStreetTrash() : 0.0);
    attractiveness = a;

    // While sick the house recovers and does not grow.
    if (sickness > 0.0)
    {
        sickness = std::max(sickness - 0.42, 0.0);
    }
    else
    {
        if (tile->health < 0.0)
            sickness -= std::fabs(tile->health);
        double demand = tile->map ? tile->map->getHousingDemand(level - 1) : 0.0;
        growth.store(growth.load(relaxed) + (a >= 0.0 ? a * demand : a), relaxed);
    }
    updateResidents();
}

void House::updateResidents()
{
    int count = residents.load(relaxed);
    double g = growth.load(relaxed);
    if (g >= (count - 1) / 6.0 + 1.0)
    {
        growth.store(0.0, relaxed);
        count = std::min(count + 1, capacity);
    }
    else if (g < 0.0)
    {
        // Each leaver takes a little less growth than the one before.
        bool left = false;
        while (count > 0)
        {
            double cost = 0.75 - (count - 1) / 20.0;
            if (!(g < -cost))
                break;
            g += cost;
            count -= 1;
            left = true;
        }
        // An empty house has nobody to send away, so it carries no shortfall
        // either: else one that stood empty without water or shops sank so
        // deep that it stayed empty for months after it got them.
        if (left || count == 0)
            growth.store(0.0, relaxed);
    }
    if (sickness <= -20.0)
    {
        sickness = 5.0;
        std::printf("SOMEBODY DIED!\n");
        count = std::max(count - 1, 0);
    }
    bool burns = fireDamage <= -75.0;
    if (burns)
    {
        fireDamage = 0.0;
        count = 0;
    }
    residents.store(count, relaxed);
    if (burns && tile->map)
        tile->map->startFire(*tile);
}
