#ifndef QUILLFENN_SIMULATION_BUILDING_H
#define QUILLFENN_SIMULATION_BUILDING_H

#include <atomic>
#include <vector>

class Tile;
class TileArea;

// The part every building record shares; alone it serves fire stations,
// police stations and hospitals.
class Building
{
public:
    Building();

    // Records are freed through this head, whatever their kind.
    virtual ~Building();

    Building(const Building&) = delete;
    Building& operator=(const Building&) = delete;

    // Raises the fire safety of the tiles in reach by 8, to at most 8.
    void coverFire(int radius);

    // Lowers the crime of the tiles in reach by 5, to at least -5.
    void coverCrime(int radius);

    // Raises the health of the house tiles in reach by 5, to at most 5.
    void coverHealth(int radius);

    Tile* tile = nullptr;
    int baseIncome = 0;
    double pendingIncome = 0.0;
    double lastIncome = 0.0;
    double wastePerDay = 0.0;

protected:
    // Moves as much of a demand as the room left allows into a served count;
    // a demand met in full clears its need bit.
    static void serveDemand(int& demand, std::atomic<int>& served, int capacity, int& unmetNeeds, int needBit);

private:
    // The tiles a service of this radius reaches.
    TileArea tilesInReach(int radius) const;
};

#endif
