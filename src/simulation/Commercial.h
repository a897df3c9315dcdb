#ifndef QUILLFENN_SIMULATION_COMMERCIAL_H
#define QUILLFENN_SIMULATION_COMMERCIAL_H

#include "simulation/Factory.h"

// An office building: a workplace that earns from its workers, not from goods.
class Commercial : public Factory
{
public:
    Commercial();
};

#endif
