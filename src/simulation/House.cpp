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
template <typename Supplier, typename HasRoom>
void satisfy(House& house, const int& demand, size_t from, Supplier* atFrom, HasRoom hasRoom,
             Supplier* (Tile::*find)(size_t&) const, void (Supplier::*serve)(House*))
{
    // The suppliers passed over stay full or out of reach while this house
    // is served, and one that leaves demand over is full: each search goes
    // on after the last one found.
    Supplier* supplier = atFrom && hasRoom(*atFrom) ? atFrom : nullptr;
    if (atFrom && !supplier)
        ++from;
    while (demand > 0)
    {
        if (!supplier)
            supplier = (house.tile->*find)(from);
        if (!supplier)
            return;
        (supplier->*serve)(&house);
        supplier = nullptr;
        ++from;
    }
}

bool shopHasRoom(const Shop& s)
{
    return s.customers.load() < s.capacity;
}

bool waterHasRoom(const WaterSupply& w)
{
    return w.supplied.load() < w.capacity;
}

bool workplaceHasRoom(const Factory& f)
{
    return f.workers.load() < f.jobs;
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
    satisfyShopping(0);
}

void House::satisfyWater()
{
    satisfyWater(0);
}

void House::satisfyJobs()
{
    satisfyJobs(0);
}

void House::satisfyShopping(size_t from, Shop* atFrom)
{
    satisfy(*this, shoppingDemand, from, atFrom, shopHasRoom, &Tile::findShop, &Shop::serve);
}

void House::satisfyWater(size_t from, WaterSupply* atFrom)
{
    satisfy(*this, waterDemand, from, atFrom, waterHasRoom, &Tile::findWaterSupply, &WaterSupply::serve);
}

void House::satisfyJobs(size_t from, Factory* atFrom)
{
    satisfy(*this, jobDemand, from, atFrom, workplaceHasRoom, &Tile::findWorkplace, &Factory::employ);
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
