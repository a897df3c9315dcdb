#include "simulation/Shop.h"

#include "simulation/House.h"

Shop::Shop()
{
}

void Shop::serve(House* house)
{
    serveDemand(house->shoppingDemand, customers, capacity, house->unmetNeeds, NeedShopping);
}
