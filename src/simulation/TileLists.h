#pragma once

#include "simulation/Tile.h"

#include <vector>

// Tiles grouped by type, one list a type, with the names the game reads the
// busiest of them by. The names refer into the array, so the lists are
// never copied as a whole, only list by list.
struct TileLists
{
    TileLists() = default;
    TileLists(const TileLists&) = delete;
    TileLists& operator=(const TileLists&) = delete;

    std::vector<Tile*> tilesOfType[TileTypeCount];
    std::vector<Tile*>& houses = tilesOfType[TileHouse];
    std::vector<Tile*>& shops = tilesOfType[TileShop];
    std::vector<Tile*>& factories = tilesOfType[TileFactory];
    std::vector<Tile*>& parks = tilesOfType[TilePark];
    std::vector<Tile*>& roads = tilesOfType[TileRoad];
    std::vector<Tile*>& fireStations = tilesOfType[TileFireStation];
    std::vector<Tile*>& policeStations = tilesOfType[TilePoliceStation];
    std::vector<Tile*>& hospitals = tilesOfType[TileHospital];
    std::vector<Tile*>& offices = tilesOfType[TileOffice];
    std::vector<Tile*>& landfills = tilesOfType[TileLandfill];
};
