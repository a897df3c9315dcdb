#include "simulation/WaterSupply.h"

#include "simulation/House.h"

WaterSupply::WaterSupply()
{
}

void WaterSupply::serve(House* house)
{
    serveDemand(house->waterDemand, supplied, capacity, house->unmetNeeds, NeedWater);
}
