#include "simulation/Map.h"

#include "game/Game.h"
#include "simulation/House.h"
#include "simulation/Shop.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cstdlib>

namespace
{
// An action an empty road-side tile offers, and the unlock bit it waits for (-1 none).
struct Offer
{
    int action;
    int unlockBit;
};

const Offer emptyTileOffers[] = {
    {1, -1}, {2, -1}, {3, 0}, {4, 2}, {14, 6}, {6, -1}, {5, -1}, {7, 1}, {15, -1},
    {8, -1}, {9, -1}, {18, 7}, {10, -1}, {19, 8}, {13, 4}, {11, 5}, {12, 3},
};

const int demolishAction = 16;
const int putOutFiresAction = 17;

bool isRoad(const Tile* tile)
{
    return tile && tile->type == TileRoad;
}
} // namespace

void Map::updateTileActions()
{
    rebuildActions(true);
}

void Map::updateOfferedActions()
{
    rebuildActions(false);
}

void Map::startFire(Tile& tile)
{
    if (tile.flags & TileBurning)
        return;
    tile.flags |= TileBurning;
    if (!game)
        return;
    // The day tick lights fires from its own thread while the main thread may touch the action.
    sf::Lock lock(game->updateMutex);
    Game* owner = game;
    ActionProgress& action = game->action;
    if (action.id != putOutFiresAction)
    {
        game->cancelAction();
        action.clicksNeeded = 20;
        // The sound devices are the main thread's too.
        game->runOnMainThread([owner] { owner->playSound("fire"); });
        game->showMessage("AAAAAAAAHH!", "Fire has broken out in the city! Put it out, quickly!", false);
    }
    action.id = putOutFiresAction;
    action.tile = nullptr;
    action.tileId = -1;
    action.clicksNeeded += std::rand() % 6 + 4;
    action.clicksNeeded = std::min(action.clicksNeeded, 70);
    game->runOnMainThread([owner] { owner->ui_setBuildTitle(actionTitles[putOutFiresAction]); });
}

void Map::rebuildActions(bool withFacing)
{
    blinkTimer = 0.0f;
    for (Tile& tile : tiles)
    {
        if (!(tile.flags & TileRevealed))
            continue;
        tile.actions.clear();
        offerActions(tile);
        if (withFacing)
            chooseFacing(tile);
    }
}

void Map::burnDownFires()
{
    for (Tile* tile : copyRevealedTiles())
    {
        if (tile->flags & TileBurning)
        {
            tile->flags &= ~TileBurning;
            tile->setType(TileRubble, 0);
        }
        else if (House* house = dynamic_cast<House*>(tile->building))
        {
            house->fireDamage = 0.0;
        }
    }
    recalculateVisibleTiles();
}

void Map::offerActions(Tile& tile)
{
    const Tile* sides[] = {tile.north, tile.west, tile.south, tile.east};
    int roadSides = 0;
    bool besideBuilding = false;
    for (const Tile* side : sides)
    {
        if (isRoad(side))
            ++roadSides;
        if (side && side->building)
            besideBuilding = true;
    }
    int unlocked = game ? game->unlockFlags : 0;
    std::vector<int>& actions = tile.actions;

    switch (tile.type)
    {
    case TileEmpty:
        if (roadSides == 0)
            break;
        for (const Offer& offer : emptyTileOffers)
        {
            if (offer.unlockBit < 0 || ((unlocked >> offer.unlockBit) & 1))
                actions.push_back(offer.action);
        }
        break;
    case TileTree:
        if (roadSides > 0)
            actions.insert(actions.end(), {demolishAction, 8});
        break;
    case TileRoad:
        // Only a dead end or a lone piece may go, and never from beside a building.
        if (!besideBuilding && roadSides <= 1)
            actions.push_back(demolishAction);
        break;
    case TileHouse:
    {
        actions.push_back(demolishAction);
        const House* house = tile.house();
        int level = house ? house->level : 0;
        if (level == 1 && (unlocked & 1))
            actions.push_back(3);
        else if (level == 2 && (unlocked & 4))
            actions.push_back(4);
        break;
    }
    case TileShop:
    {
        actions.push_back(demolishAction);
        const Shop* shop = tile.shop();
        int level = shop ? shop->level : 0;
        if (level == 1)
            actions.push_back(5);
        else if (level == 2 && (unlocked & 2))
            actions.push_back(7);
        break;
    }
    case TilePark:
    case TileWaterTower:
    case TileFactory:
    case TileFireStation:
    case TilePoliceStation:
    case TileHospital:
    case TileOffice:
    case TileRubble:
    case TilePumpingStation:
        actions.push_back(demolishAction);
        break;
    default:
        // A landfill can never be removed.
        break;
    }
}

void Map::chooseFacing(Tile& tile)
{
    if (!tile.building || tile.facing != 0)
        return;
    int candidates[4];
    int count = 0;
    if (isRoad(tile.west))
        candidates[count++] = 4;
    if (isRoad(tile.east))
        candidates[count++] = 3;
    if (isRoad(tile.north))
        candidates[count++] = 2;
    if (isRoad(tile.south))
        candidates[count++] = 1;
    tile.facing = count > 0 ? candidates[std::rand() % count] : 4;
}
