#include "simulation/Factory.h"

#include "simulation/House.h"

#include <algorithm>

Factory::Factory()
{
}

void Factory::employ(House* house)
{
    serveDemand(house->jobDemand, workers, jobs, house->unmetNeeds, NeedJobs);
    // The first ten workers only keep the place open.
    double staffed = jobs > 10 ? (workers.load(std::memory_order_relaxed) - 10.0) / (jobs - 10.0) : 0.0;
    efficiency.store(std::max(0.0, staffed), std::memory_order_relaxed);
}
