#ifndef QUILLFENN_SIMULATION_SHOP_H
#define QUILLFENN_SIMULATION_SHOP_H

#include "simulation/Building.h"

#include <atomic>

class House;

// A market, shop or convenience store (levels 1 to 3).
class Shop : public Building
{
public:
    Shop();

    // Takes as much of the house's shopping demand as the shop has room for.
    void serve(House* house);

    int level = 0;
    int capacity = 0;
    std::atomic<int> customers{0};
    int range = 0;
};

#endif
