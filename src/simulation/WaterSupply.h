#ifndef QUILLFENN_SIMULATION_WATERSUPPLY_H
#define QUILLFENN_SIMULATION_WATERSUPPLY_H

#include "simulation/Building.h"

#include <atomic>

class House;

// A water tower or pumping station.
class WaterSupply : public Building
{
public:
    WaterSupply();

    // Takes as much of the house's water demand as the supply has room for.
    void serve(House* house);

    int capacity = 0;
    std::atomic<int> supplied{0};
    int range = 0;
};

#endif
