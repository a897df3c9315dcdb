#ifndef QUILLFENN_SIMULATION_ACTIONPRICES_H
#define QUILLFENN_SIMULATION_ACTIONPRICES_H

#include "simulation/BuildingKinds.h"

// What each action (the ids of actionTitles) costs to start, paid as
// Construction when the player chooses it. The one price list of the game:
// the tile actions window charges it, and tools that play the game read it.

// Number of slots in the price list, one per action id.
const int actionPriceCount = ActionCount;

// The price of an action; 0 for putting out fires and for ids without an action.
int actionPrice(int actionId);

#endif
