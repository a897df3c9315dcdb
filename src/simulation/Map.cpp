#include "simulation/Map.h"

#include "game/Game.h"
#include "simulation/Building.h"
#include "simulation/BuildingKinds.h"
#include "simulation/City.h"
#include "simulation/TickGuard.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
const int defaultSize = 75;

// A side longer than this comes only from a damaged save; the radius lists
// of such a grid would not fit in memory.
const int maxSide = 256;

// What moves with the contents of a tile when the map turns.
struct TileContents
{
    int type;
    Building* building;
    unsigned char flags;
    unsigned int id;
};

bool byId(const Tile* a, const Tile* b)
{
    return a->id < b->id;
}
} // namespace

Map::Map(Game* owner) : game(owner)
{
}

Map::~Map()
{
    releaseContents();
}

void Map::create(int newWidth, int newHeight, bool loading)
{
    if (newWidth <= 0)
    {
        newWidth = defaultSize;
        newHeight = defaultSize;
    }
    else if (newHeight <= 0 || newWidth > maxSide || newHeight > maxSide)
    {
        std::printf("Bad map size %d x %d, using %d x %d\n", newWidth, newHeight, defaultSize, defaultSize);
        newWidth = defaultSize;
        newHeight = defaultSize;
    }
    width = newWidth;
    height = newHeight;
    // Fresh ids stand unturned; a load sets the saved turns afterwards.
    rotation = 0;
    resetTiles();
    lastChangedType = TileAllTypes;
    lastChangedTile = nullptr;
    if (loading)
    {
        updateTileActions();
        return;
    }

    int cx = width / 2;
    int cy = height / 2;
    if (std::rand() % 2 == 1)
    {
        place(cx, cy, TileRoad, 0);
        if (Tile* road = getTile(cx, cy))
            road->facing = 1;
        place(cx + 1, cy, TileHouse, 1);
        place(cx, cy - 1, TileEmpty, 0);
        place(cx, cy + 1, TileEmpty, 0);
    }
    else
    {
        place(cx, cy - 1, TileHouse, 1);
        place(cx, cy, TileRoad, 0);
        place(cx - 1, cy, TileEmpty, 0);
        place(cx + 1, cy, TileEmpty, 0);
    }
    revealArea(cx, cy, 3, false);
    updateTileActions();
    recalculateVisibleTiles();
}

void Map::resetTiles()
{
    // Records are freed before the grid moves, so no copy of a tile owns one.
    releaseContents();
    tiles.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            Tile& tile = tiles[x + y * width];
            tile.id = x + 2 * y * width + y % 15;
            tile.type = TileEmpty;
            tile.building = nullptr;
            tile.map = this;
            tile.x = x;
            tile.y = y;
            tile.flags = TileOffScreen;
            tile.facing = 0;
            tile.crime = 0.0;
            tile.fireSafety = 0.0;
            tile.health = 0.0;
            tile.actions.clear();
            if (std::rand() % 4 == 2)
                tile.type = TileTree;
            tile.nearShops.clear();
            tile.nearWorkplaces.clear();
            tile.nearWater.clear();
        }
    }
    unlistSuppliers();
    listedHouseIds.clear();
    typeChanges = 0;
}

Tile* Map::getTile(int x, int y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return nullptr;
    return &tiles[x + y * width];
}

Tile* Map::tileAt(int x, int y)
{
    return getTile(x, y);
}

void Map::rotateLeft()
{
    rotate(false);
}

void Map::rotateRight()
{
    rotate(true);
}

void Map::rebuildAfterRotation()
{
    updateTileActions();
    recalculateVisibleTiles();
    updateOnScreenTiles();
    if (game)
        game->resolveActionTile();
    // The neighbours are positions, which a quarter turn leaves where they are.
}

void Map::recalculateVisibleTiles()
{
    std::printf("recalculateVisibleTiles\n");
    // The list of the last pass lends its room to this one.
    std::vector<Tile*>& revealed = revealedScratch;
    revealed.clear();
    for (std::vector<Tile*>* list : typeLists())
        list->clear();
    for (Tile& tile : tiles)
    {
        if (!(tile.flags & TileRevealed))
            continue;
        revealed.push_back(&tile);
        if (tile.type < 0 || tile.type >= TileTypeCount)
            continue;
        tilesOfType[tile.type].push_back(&tile);
        if (std::vector<Tile*>* group = supplierGroup(tile.type))
            group->push_back(&tile);
    }
    {
        sf::Lock lock(mutex);
        revealedTiles.swap(revealed);
    }
    // Until the first turn the grid's order is the ids' order.
    for (std::vector<Tile*>* list : {&houses, &shops, &workplaces, &waterSupplies})
        if (!std::is_sorted(list->begin(), list->end(), byId))
            std::sort(list->begin(), list->end(), byId);

    int changed = lastChangedType;
    bool all = changed == TileAllTypes;
    // Between two passes the game changes one tile at most; after more, or
    // when a house came that no change built, the lists start over.
    if (typeChanges > 1 || !housesStayedListed(changed == TileHouse ? lastChangedTile : nullptr))
        unlistSuppliers();
    listedHouseIds.clear();
    for (const Tile* house : houses)
        listedHouseIds.push_back(house->id);
    const std::vector<Tile*>* suppliers[3] = {&shops, &workplaces, &waterSupplies};
    const bool touched[3] = {all || changed == TileShop, all || changed == TileFactory || changed == TileOffice,
                             all || changed == TileWaterTower || changed == TilePumpingStation};
    for (int k = 0; k < 3; ++k)
    {
        if (!touched[k])
            continue;
        if (supplierLists[k].inSync)
            updateSupplierLists(supplierLists[k], *suppliers[k]);
        else
            rebuildSupplierLists(supplierLists[k], *suppliers[k]);
    }
    if (changed == TileHouse && lastChangedTile)
    {
        lastChangedTile->updateNearestSuppliers(TileAllTypes);
    }
    lastChangedType = TileAllTypes;
    lastChangedTile = nullptr;
    typeChanges = 0;
}

std::vector<Tile*> Map::copyRevealedTiles()
{
    sf::Lock lock(mutex);
    return revealedTiles;
}

double Map::getStreetTrash() const
{
    return game && game->city ? game->city->streetTrash.load() : 0.0;
}

double Map::getHousingDemand(int index) const
{
    if (!game || index < 0 || index > 3)
        return 0.0;
    return game->housingDemand[index];
}

void Map::setSelectedTile(Tile* tile)
{
    selectedTileId = tile ? static_cast<int>(tile->id) : -1;
    blinkTimer = 0.5f;
}

void Map::rotate(bool right)
{
    // A running tick walks the records and lists that move here.
    TickGuard tick(game);
    // The quarter turn maps columns onto rows: only a square grid has room for it.
    if (width != height)
    {
        std::printf("Map of %d x %d is not square, not rotating\n", width, height);
        return;
    }
    if (game && game->gameView)
    {
        sf::Vector2f size = game->gameView->getSize();
        sf::Vector2i p = game->pickTile(static_cast<int>(size.x / 2), static_cast<int>(size.y / 2), false);
        if (right)
            game->centerViewOnTile(height - 1 - p.y, p.x);
        else
            game->centerViewOnTile(p.y, width - 1 - p.x);
    }

    // A turn keeps every distance and id: while the lists are known to be
    // up to date, each house's lists turn with it instead of being rebuilt.
    bool turnLists = typeChanges == 0;
    for (const SupplierLists& kind : supplierLists)
        turnLists = turnLists && kind.inSync;
    int last = width - 1;
    // Where each tile's contents go, by index: the lists then need no read
    // of the tiles they hold.
    std::vector<std::uint32_t> destination;
    if (turnLists)
    {
        destination.resize(tiles.size());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                destination[static_cast<size_t>(x) + static_cast<size_t>(y) * width] =
                    static_cast<std::uint32_t>(right ? (last - y) + x * width : y + (last - x) * width);
    }
    auto turned = [&](const Tile* t) { return &tiles[destination[static_cast<size_t>(t - tiles.data())]]; };
    // The turned lists, one after another, each house's three by the tile
    // it turns to; the tiles' own lists keep their room for them.
    std::vector<Tile*> turnedLists;
    std::vector<std::pair<Tile*, size_t>> turnedEnds;
    if (turnLists)
    {
        turnedEnds.reserve(houses.size() * 3);
        for (Tile* house : houses)
        {
            for (const SupplierLists& kind : supplierLists)
            {
                for (const Tile* supplier : house->*kind.list)
                    turnedLists.push_back(turned(supplier));
                turnedEnds.emplace_back(turned(house), turnedLists.size());
            }
        }
        for (SupplierLists& kind : supplierLists)
            for (ListedSupplier& listed : kind.listed)
                listed.tile = turned(listed.tile);
    }

    std::vector<TileContents> old;
    old.reserve(tiles.size());
    for (const Tile& tile : tiles)
        old.push_back({tile.type, tile.building, tile.flags, tile.id});
    for (Tile& tile : tiles)
    {
        int sx = right ? tile.y : last - tile.y;
        int sy = right ? last - tile.x : tile.x;
        const TileContents& from = old[sx + sy * width];
        tile.type = from.type;
        tile.building = from.building;
        tile.flags = from.flags;
        tile.id = from.id;
        if (tile.building)
            tile.building->tile = &tile;
    }
    // Only the quarter counts: a saved count at the edge of int starts over there.
    if (rotation <= INT_MIN + 4 || rotation >= INT_MAX - 4)
        rotation %= 4;
    rotation += right ? -1 : 1;
    // Every house now stands somewhere else.
    lastChangedType = TileAllTypes;
    lastChangedTile = nullptr;
    if (turnLists)
    {
        size_t begin = 0;
        for (size_t i = 0; i < turnedEnds.size(); ++i)
        {
            size_t end = turnedEnds[i].second;
            (turnedEnds[i].first->*supplierLists[i % 3].list)
                .assign(turnedLists.begin() + static_cast<std::ptrdiff_t>(begin),
                        turnedLists.begin() + static_cast<std::ptrdiff_t>(end));
            begin = end;
        }
    }
    else
    {
        unlistSuppliers();
    }
    rebuildAfterRotation();
}

void Map::releaseContents()
{
    for (Tile& tile : tiles)
    {
        delete tile.building;
        tile.building = nullptr;
    }
    {
        sf::Lock lock(mutex);
        revealedTiles.clear();
    }
    for (std::vector<Tile*>* list : typeLists())
        list->clear();
    overlayTiles.clear();
    lastChangedTile = nullptr;
}

std::vector<std::vector<Tile*>*> Map::typeLists()
{
    std::vector<std::vector<Tile*>*> lists = {&workplaces, &waterSupplies};
    for (std::vector<Tile*>& list : tilesOfType)
        lists.push_back(&list);
    return lists;
}

std::vector<Tile*>* Map::supplierGroup(int type)
{
    switch (recordOfType(type))
    {
    case RecordFactory:
    case RecordOffice:
        return &workplaces;
    case RecordWater:
        return &waterSupplies;
    default:
        return nullptr;
    }
}

void Map::place(int x, int y, int type, int level)
{
    if (Tile* tile = getTile(x, y))
        tile->setType(type, level);
}
