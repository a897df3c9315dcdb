#ifndef QUILLFENN_SIMULATION_TILE_H
#define QUILLFENN_SIMULATION_TILE_H

// PLACEHOLDER: tiles are built by the simulation.

#include <vector>

class Map;

class Tile
{
public:
    int type = 0;
    int x = 0, y = 0;
    unsigned int id = 0;
    unsigned char flags = 2;
    std::vector<int> actions;
    Map* map = nullptr;
};

#endif
