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

namespace
{
const int surroundingsRadius = 3;
} // namespace

void Map::takeSurroundings()
{
    int stride = width + 1;
    size_t cells = static_cast<size_t>(stride) * (height + 1);
    surroundings.parks.assign(cells, 0);
    surroundings.landfills.assign(cells, 0);
    surroundings.factoryDistance.assign(tiles.size(), -1);
    for (int y = 0; y < height; ++y)
    {
        int parkRow = 0;
        int landfillRow = 0;
        for (int x = 0; x < width; ++x)
        {
            const Tile& tile = tiles[static_cast<size_t>(x) + static_cast<size_t>(y) * width];
            parkRow += tile.type == TilePark ? 1 : 0;
            landfillRow += tile.type == TileLandfill ? 1 : 0;
            size_t at = static_cast<size_t>(x + 1) + static_cast<size_t>(y + 1) * stride;
            surroundings.parks[at] = surroundings.parks[at - stride] + parkRow;
            surroundings.landfills[at] = surroundings.landfills[at - stride] + landfillRow;
            if (tile.type != TileFactory)
                continue;
            // Every tile around a factory notes how near it stands.
            const int r = surroundingsRadius;
            for (int ny = std::max(y - r, 0); ny <= std::min(y + r, height - 1); ++ny)
            {
                for (int nx = std::max(x - r, 0); nx <= std::min(x + r, width - 1); ++nx)
                {
                    if (nx == x && ny == y)
                        continue;
                    int d = (nx - x) * (nx - x) + (ny - y) * (ny - y);
                    int& nearest = surroundings.factoryDistance[static_cast<size_t>(nx) + static_cast<size_t>(ny) * width];
                    if (nearest < 0 || d < nearest)
                        nearest = d;
                }
            }
        }
    }
}

void Map::releaseSurroundings()
{
    surroundings.parks.clear();
    surroundings.landfills.clear();
    surroundings.factoryDistance.clear();
}

int Map::countAround(const std::vector<int>& sums, const Tile& tile, int radius, int type) const
{
    int stride = width + 1;
    int x0 = std::max(tile.x - radius, 0), x1 = std::min(tile.x + radius, width - 1) + 1;
    int y0 = std::max(tile.y - radius, 0), y1 = std::min(tile.y + radius, height - 1) + 1;
    auto at = [&](int x, int y) { return sums[static_cast<size_t>(x) + static_cast<size_t>(y) * stride]; };
    int inSquare = at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
    return inSquare - (tile.type == type ? 1 : 0);
}
