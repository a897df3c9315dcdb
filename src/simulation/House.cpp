#include "simulation/House.h"

#include "simulation/Factory.h"
#include "simulation/Map.h"
#include "simulation/Shop.h"
#include "simulation/TickGuard.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

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
    if (delta < 0 && rentOffset + baseIncome + delta > 0)
        rentOffset += delta;
    else if (delta > 0 && rentOffset <= 5)
        rentOffset += delta;
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
