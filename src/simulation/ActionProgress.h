#ifndef QUILLFENN_SIMULATION_ACTIONPROGRESS_H
#define QUILLFENN_SIMULATION_ACTIONPROGRESS_H

class Tile;

// The running action: what is being built where, and how far it has got.
struct ActionProgress
{
    int id = 0;
    Tile* tile = nullptr;
    int tileId = -1;
    int clicksNeeded = 0;
    double progress = 0.0;

    // No action: id 0, no tile, tile id -1, nothing needed or done.
    void reset()
    {
        id = 0;
        tile = nullptr;
        tileId = -1;
        clicksNeeded = 0;
        progress = 0.0;
    }
};

#endif
