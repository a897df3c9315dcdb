#ifndef QUILLFENN_SIMULATION_TILE_H
#define QUILLFENN_SIMULATION_TILE_H

#include "simulation/TileFlags.h"

#include <cstddef>
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

class Tile;

// The tiles of a square around a tile, row by row and left to right, clipped
// to the grid and without the tile itself. A view of the map's tiles: it is
// worked out from the position, so no tile holds a list of its surroundings.
class TileArea
{
public:
    class iterator
    {
    public:
        Tile* operator*() const;
        iterator& operator++()
        {
            advance();
            return *this;
        }
        bool operator==(const iterator& other) const { return index == other.index; }
        bool operator!=(const iterator& other) const { return index != other.index; }

    private:
        friend class TileArea;
        void advance()
        {
            do
            {
                if (++index == rowEnd)
                {
                    index += stride - rowLength;
                    rowEnd += stride;
                }
            } while (index == centre);
        }
        Tile* base = nullptr;
        int index = 0;
        int rowEnd = 0;
        int rowLength = 0;
        int stride = 0;
        int centre = 0;
    };

    TileArea() = default;
    TileArea(Tile* base, int width, int height, int x, int y, int radius);

    iterator begin() const;
    iterator end() const;
    size_t size() const { return rows > 0 ? static_cast<size_t>(rowLength) * rows - 1 : 0; }
    bool empty() const { return size() == 0; }

    // The same tiles in a vector, for whoever needs to keep them.
    std::vector<Tile*> toVector() const;

private:
    Tile* base = nullptr;
    int stride = 0;
    int first = 0; // index of the upper left corner
    int rowLength = 0;
    int rows = 0;
    int centre = 0;
};

// Up to eight neighbours of a tile in a fixed order, held in place.
class TileNeighbours
{
public:
    Tile* const* begin() const { return items; }
    Tile* const* end() const { return items + count; }
    size_t size() const { return count; }
    std::vector<Tile*> toVector() const { return std::vector<Tile*>(begin(), end()); }

private:
    friend class Tile;
    void add(Tile* tile)
    {
        if (tile)
            items[count++] = tile;
    }
    Tile* items[8] = {};
    size_t count = 0;
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

    // The neighbours on the grid: north, west, south, east; south-east,
    // south-west, north-west, north-east; and all of them in that order.
    TileNeighbours orthogonalNeighbours() const;
    TileNeighbours diagonalNeighbours() const;
    TileNeighbours allNeighbours() const;

    // The tiles of the square of a radius around this one (see TileArea).
    TileArea tilesWithin(int radius) const;
    TileArea tilesWithin3() const { return tilesWithin(3); }
    TileArea tilesWithin12() const { return tilesWithin(12); }
    TileArea tilesWithin15() const { return tilesWithin(15); }

    // Rebuilds the distance-sorted supplier lists a changed type affects:
    // the suppliers whose reach covers this tile, nearest first.
    void updateNearestSuppliers(int changedType);

    // The range of the shop, workplace or water supply standing here; -1 for anything else.
    int reach() const;

    // True when the supplier standing here has the tile in its square reach.
    bool reaches(const Tile& home) const;

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

    // What the day's passes read of every house and supplier comes first,
    // so that they touch as few cache lines as they can.
    int type = TileEmpty;
    int facing = 0;
    int x = 0;
    int y = 0;
    unsigned int id = 0;
    TileFlags flags = TileOffScreen;
    Building* building = nullptr;
    // Suppliers whose reach covers this house, by distance, ties by id.
    std::vector<Tile*> nearShops;
    std::vector<Tile*> nearWorkplaces;
    std::vector<Tile*> nearWater;
    double crime = 0.0;
    double fireSafety = 0.0;
    double health = 0.0;
    Map* map = nullptr;
    std::vector<int> actions;

    // The tile next to this one on the grid, or null past its edge; worked
    // out from the position, so a tile holds no pointers to its neighbours
    // (defined in Map.h, which knows the grid).
    Tile* neighbour(int dx, int dy) const;
    Tile* north() const { return neighbour(0, -1); }
    Tile* south() const { return neighbour(0, 1); }
    Tile* west() const { return neighbour(-1, 0); }
    Tile* east() const { return neighbour(1, 0); }
    Tile* northWest() const { return neighbour(-1, -1); }
    Tile* southWest() const { return neighbour(-1, 1); }
    Tile* northEast() const { return neighbour(1, -1); }
    Tile* southEast() const { return neighbour(1, 1); }

private:
    // Frees the building record, if any.
    void releaseBuilding();
};

inline Tile* TileArea::iterator::operator*() const
{
    return base + index;
}

inline TileArea::iterator TileArea::begin() const
{
    iterator it;
    it.base = base;
    it.stride = stride;
    it.rowLength = rowLength;
    it.centre = centre;
    it.index = first;
    it.rowEnd = first + rowLength;
    if (rows > 0 && it.index == centre)
        it.advance();
    return it;
}

inline TileArea::iterator TileArea::end() const
{
    iterator it;
    it.index = first + rows * stride;
    return it;
}

#endif
