#ifndef QUILLFENN_SIMULATION_FACTORY_H
#define QUILLFENN_SIMULATION_FACTORY_H

#include "simulation/Building.h"

#include <atomic>

class House;

// A workplace that makes goods; offices share its layout.
class Factory : public Building
{
public:
    Factory();

    // Hires as many of the house's job seekers as there are free jobs.
    void employ(House* house);

    int jobs = 0;
    std::atomic<int> workers{0};
    std::atomic<double> efficiency{0.0};
    int range = 0;
    int goodsType = 0;
};

#endif
