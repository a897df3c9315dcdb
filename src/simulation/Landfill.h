#ifndef QUILLFENN_SIMULATION_LANDFILL_H
#define QUILLFENN_SIMULATION_LANDFILL_H

#include "simulation/Building.h"

#include <atomic>

// Where the city's waste goes until it is full.
class Landfill : public Building
{
public:
    Landfill();

    int capacity = 0;
    std::atomic<double> fill{0.0};
};

#endif
