#include "simulation/Map.h"

#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
// The houses ordered by the distance to the supplier the finder gives them,
// nearest first; houses without a supplier come last.
template <typename Supplier>
std::vector<Tile*> byNearestSupplier(const std::vector<Tile*>& houses, Supplier* (Tile::*find)() const)
{
    std::vector<std::pair<int, Tile*>> served;
    std::vector<Tile*> unserved;
    for (Tile* house : houses)
    {
        Supplier* supplier = (house->*find)();
        if (!supplier)
        {
            unserved.push_back(house);
            continue;
        }
        int dx = supplier->tile->x - house->x;
        int dy = supplier->tile->y - house->y;
        served.emplace_back(dx * dx + dy * dy, house);
    }
    std::stable_sort(served.begin(), served.end(),
                     [](const std::pair<int, Tile*>& a, const std::pair<int, Tile*>& b) { return a.first < b.first; });
    std::vector<Tile*> order;
    order.reserve(houses.size());
    for (const std::pair<int, Tile*>& entry : served)
        order.push_back(entry.second);
    order.insert(order.end(), unserved.begin(), unserved.end());
    return order;
}

void satisfyAll(const std::vector<Tile*>& order, void (House::*satisfy)())
{
    for (Tile* tile : order)
    {
        if (House* house = dynamic_cast<House*>(tile->building))
            (house->*satisfy)();
    }
}
} // namespace

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

void Map::assignHousesToSuppliers()
{
    // All three orders are taken before anybody is served.
    std::vector<Tile*> shopping = byNearestSupplier(houses, &Tile::findShop);
    std::vector<Tile*> jobs = byNearestSupplier(houses, &Tile::findWorkplace);
    std::vector<Tile*> water = byNearestSupplier(houses, &Tile::findWaterSupply);
    satisfyAll(shopping, &House::satisfyShopping);
    satisfyAll(jobs, &House::satisfyJobs);
    satisfyAll(water, &House::satisfyWater);
}
