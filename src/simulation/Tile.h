#ifndef QUILLFENN_SIMULATION_TILE_H
#define QUILLFENN_SIMULATION_TILE_H

#include "simulation/TileFlags.h"

#include <vector>

class Map;
class Building;
class House;
class Shop;
class Factory;
class WaterSupply;
class Landfill;

// What stands on a tile (the values of Tile::type).
enum TileType
{
    TileEmpty = 0,
    TileTree = 1,
    TileRoad = 2,
    TileHouse = 3,
    TileShop = 4,
    TilePark = 5,
    TileWaterTower = 6,
    TileFactory = 7,
    TileFireStation = 8,
    TilePoliceStation = 9,
    TileHospital = 10,
    TileOffice = 11,
    TileRubble = 12,
    TilePumpingStation = 13,
    TileLandfill = 14,
    // How many types there are (a new type goes above); lists by type are this long.
    TileTypeCount,
    // Only as Map::lastChangedType: every kind changed.
    TileAllTypes = 256
};

// State bits of Tile::flags.
enum TileFlag
{
    TileRevealed = 1,
    TileOffScreen = 2,
    TileBurning = 4,
    TileHighlighted = 8
};

// One grid cell with what stands on it. The map owns its tiles by value and
// frees their building records.
class Tile
{
public:
    Tile() = default;
    Tile(Tile&&) = default;
    Tile& operator=(Tile&&) = default;
    Tile(const Tile&) = delete;
    Tile& operator=(const Tile&) = delete;

    // Builds a type on the tile, replacing its record with a new one for the level.
    void setType(int type, int level);

    // The tile's money for one day; negative is a cost.
    int collectIncome();

    // Adds one day of crime, sickness and fire hazard to a house tile.
    void accumulateRisks(bool crimeOn, bool healthOn, bool fireOn);

    // Rebuilds the neighbour lists and the radius lists from the neighbour pointers.
    void updateNeighbourLists();

    // Rebuilds the distance-sorted supplier lists a changed type affects.
    void updateNearestSuppliers(int changedType);

    // The nearest shop with room whose reach covers this tile, or null.
    Shop* findShop() const;

    // The nearest factory or office with free jobs in reach, or null.
    Factory* findWorkplace() const;

    // The nearest water supply with room in reach, or null.
    WaterSupply* findWaterSupply() const;

    // The record as the kind the tile's type makes it, or null for any other
    // type. The kind always follows the type: records are made by type and
    // move with it, so no run-time type check is needed on the hot paths.
    House* house() const;

    // The shop record of a shop tile.
    Shop* shop() const;

    // The record of a factory or office tile.
    Factory* workplace() const;

    // The record of a water tower or pumping station tile.
    WaterSupply* waterSupply() const;

    // The record of a landfill tile.
    Landfill* landfill() const;

    int type = TileEmpty;
    int facing = 0;
    int x = 0;
    int y = 0;
    unsigned int id = 0;
    TileFlags flags = TileOffScreen;
    double crime = 0.0;
    double fireSafety = 0.0;
    double health = 0.0;
    std::vector<int> actions;
    Map* map = nullptr;
    Building* building = nullptr;
    Tile* north = nullptr;
    Tile* south = nullptr;
    Tile* west = nullptr;
    Tile* east = nullptr;
    Tile* northWest = nullptr;
    Tile* southWest = nullptr;
    Tile* northEast = nullptr;
    Tile* southEast = nullptr;
    std::vector<Tile*> orthogonalNeighbours;
    std::vector<Tile*> diagonalNeighbours;
    std::vector<Tile*> allNeighbours;
    std::vector<Tile*> tilesWithin3;
    std::vector<Tile*> tilesWithin12;
    std::vector<Tile*> tilesWithin15;
    std::vector<Tile*> nearShops;
    std::vector<Tile*> nearWorkplaces;
    std::vector<Tile*> nearWater;

private:
    // Frees the building record, if any.
    void releaseBuilding();
};

#endif
