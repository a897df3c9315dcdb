#include "simulation/ActionPrices.h"

namespace
{
// Cheap enough that a town of roads and small houses fits the starting 25,000
// many times over; services, factories and offices are the big decisions.
const int prices[actionPriceCount] = {
    0,    // no action
    20,   // 1 road
    100,  // 2 small housing
    250,  // 3 large housing
    600,  // 4 flats
    600,  // 5 shop
    250,  // 6 market
    1500, // 7 convenience store
    150,  // 8 park
    1000, // 9 water tower
    2500, // 10 factory
    3000, // 11 fire station
    3000, // 12 police station
    4000, // 13 hospital
    6000, // 14 commercial building
    10,   // 15 plant tree
    25,   // 16 demolish
    0,    // 17 put out fires: a fire is never bought
    3500, // 18 pumping station
    2000, // 19 landfill area
};
} // namespace

int actionPrice(int actionId)
{
    if (actionId < 0 || actionId >= actionPriceCount)
        return 0;
    return prices[actionId];
}
