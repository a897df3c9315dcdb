#include "simulation/Map.h"

// PLACEHOLDER implementation.

Map::Map(Game* game) : game(game) {}

void Map::create(int w, int h, bool)
{
    width = w <= 0 ? 75 : w;
    height = w <= 0 ? 75 : h;
    tiles.assign(width * height, Tile());
}

Tile* Map::getTile(int x, int y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return nullptr;
    return &tiles[x + y * width];
}

Tile* Map::tileAt(int x, int y) { return getTile(x, y); }
void Map::updateOnScreenTiles() {}
