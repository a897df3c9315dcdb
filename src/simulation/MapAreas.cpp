#include "simulation/Map.h"

#include <algorithm>
#include <cmath>

std::vector<Tile*> Map::getTilesInRect(int x0, int y0, int x1, int y1, bool revealedOnly)
{
    int cx = x0 + (x1 - x0) / 2;
    int cy = y0 + (y1 - y0) / 2;
    std::vector<Tile*> found;
    for (int y = std::max(y0, 0); y <= std::min(y1, height - 1); ++y)
    {
        for (int x = std::max(x0, 0); x <= std::min(x1, width - 1); ++x)
        {
            if (x == cx && y == cy)
                continue;
            Tile* tile = &tiles[x + y * width];
            if (revealedOnly && !(tile->flags & TileRevealed))
                continue;
            found.push_back(tile);
        }
    }
    return found;
}

std::vector<Tile*> Map::getTilesAround(int x, int y, int radius, bool revealedOnly)
{
    return getTilesInRect(x - radius, y - radius, x + radius, y + radius, revealedOnly);
}

void Map::revealArea(int x, int y, int radius, bool recalculate)
{
    for (int dy = -radius; dy <= radius; ++dy)
    {
        for (int dx = -radius; dx <= radius; ++dx)
        {
            Tile* tile = getTile(x + dx, y + dy);
            if (tile && static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy))) <= radius)
                tile->flags |= TileRevealed;
        }
    }
    if (recalculate)
    {
        recalculateVisibleTiles();
        updateOnScreenTiles();
    }
}

void Map::highlightArea(int x, int y, int radius)
{
    if (highlightActive)
        clearHighlight();
    highlightActive = true;
    highlightX = x;
    highlightY = y;
    highlightRadius = radius;
    for (Tile* tile : getTilesAround(x, y, radius, true))
        tile->flags |= TileHighlighted;
}

void Map::clearHighlight()
{
    highlightActive = false;
    highlightX = 0;
    highlightY = 0;
    highlightRadius = 0;
    for (Tile* tile : copyRevealedTiles())
        tile->flags &= ~TileHighlighted;
}
