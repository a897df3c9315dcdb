#include "simulation/ActionPrices.h"

#include "simulation/BuildingKinds.h"

int actionPrice(int actionId)
{
    const ActionKind* kind = actionKind(actionId);
    return kind ? kind->price : 0;
}
