#include "simulation/House.h"

#include "simulation/Factory.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"
#include "simulation/TickGuard.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

#include <climits>

namespace
{
// Serves a demand from the nearest suppliers with room until it is met or none is left.
template <typename Supplier>
void satisfy(House& house, const int& demand, Supplier* (Tile::*find)() const, void (Supplier::*serve)(House*))
{
    while (demand > 0)
    {
        Supplier* supplier = (house.tile->*find)();
        if (!supplier)
            return;
        (supplier->*serve)(&house);
    }
}
} // namespace

House::House()
{
}

void House::changeRent(int delta)
{
    // The day tick reads the rent for the day's income and rating.
    TickGuard tick(tile && tile->map ? tile->map->game : nullptr);
    applyRent(delta);
}

void House::applyRent(int delta)
{
    // A saved record may hold any rent and base income: the sums are taken
    // wide, and a rent an int cannot hold is never set.
    long long rent = static_cast<long long>(rentOffset) + baseIncome;
    long long next = static_cast<long long>(rentOffset) + delta;
    if (next < INT_MIN || next > INT_MAX)
        return;
    if (delta < 0 && rent + delta > 0)
        rentOffset = static_cast<int>(next);
    else if (delta > 0 && rentOffset <= 5)
        rentOffset = static_cast<int>(next);
}

void House::satisfyShopping()
{
    satisfy(*this, shoppingDemand, &Tile::findShop, &Shop::serve);
}

void House::satisfyWater()
{
    satisfy(*this, waterDemand, &Tile::findWaterSupply, &WaterSupply::serve);
}

void House::satisfyJobs()
{
    satisfy(*this, jobDemand, &Tile::findWorkplace, &Factory::employ);
}

int attractionLevel(double a)
{
    if (a > 0.5)
        return 6;
    if (a > 0.2)
        return 5;
    if (a > 0.0)
        return 4;
    if (a == 0.0)
        return 3;
    if (a < -0.3)
        return 0;
    if (a < -0.15)
        return 1;
    return 2;
}
