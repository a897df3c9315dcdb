#ifndef QUILLFENN_TOOLS_SPRITES_BUILDINGART_H
#define QUILLFENN_TOOLS_SPRITES_BUILDINGART_H

#include "Canvas.h"

// Tile sprites that stand on a plot: buildings, the park, the tree, rubble and
// the landfill. Each is 34 wide; its bottom 17 rows are the tile box and doors
// face the lower-left (toward x - 1).
namespace BuildingArt
{
Canvas smallHouse(int variant);
Canvas largeHouse(int variant);
Canvas flats(int variant);
Canvas commercial(int variant);
Canvas factory(int variant);
Canvas shop();
Canvas market();
Canvas convenienceStore();
Canvas park();
Canvas tree();
Canvas rubble();
Canvas waterTower();
Canvas fireStation();
Canvas policeStation();
Canvas hospital();
Canvas pumpingStation();
Canvas landfill();
} // namespace BuildingArt

#endif
