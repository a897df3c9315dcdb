#include "simulation/Map.h"

#include "game/Game.h"
#include "simulation/BuildingKinds.h"
#include "simulation/House.h"
#include "simulation/Shop.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cstdlib>

namespace
{
bool isRoad(const Tile* tile)
{
    return tile && tile->type == TileRoad;
}

// A house or shop offers the next level of its kind once that is unlocked.
void offerUpgrade(std::vector<int>& actions, int type, int level, int unlocked)
{
    const BuildingKind* next = upgradeOf(type, level);
    if (next && isUnlocked(unlocked, next->build.unlock))
        actions.push_back(next->build.id);
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
    if (action.id != ActionPutOutFires)
    {
        game->cancelAction();
        action.clicksNeeded = 20;
        // The sound devices are the main thread's too.
        game->runOnMainThread([owner] { owner->playSound("fire"); });
        game->showMessage("AAAAAAAAHH!", "Fire has broken out in the city! Put it out, quickly!", false);
    }
    action.id = ActionPutOutFires;
    action.tile = nullptr;
    action.tileId = -1;
    action.clicksNeeded += std::rand() % 6 + 4;
    action.clicksNeeded = std::min(action.clicksNeeded, 70);
    game->runOnMainThread([owner] { owner->ui_setBuildTitle(actionTitles[ActionPutOutFires]); });
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
    const Tile* sides[] = {tile.north(), tile.west(), tile.south(), tile.east()};
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
        // Every kind that is built, in the table's order, once it is unlocked.
        for (int k = 0; k < buildingKindCount; ++k)
        {
            const ActionKind& build = buildingKinds[k].build;
            if (build.id != ActionNone && isUnlocked(unlocked, build.unlock))
                actions.push_back(build.id);
        }
        break;
    case TileTree:
        if (roadSides > 0)
            actions.insert(actions.end(), {ActionDemolish, ActionPark});
        break;
    case TileRoad:
        // Only a dead end or a lone piece may go, and never from beside a building.
        if (!besideBuilding && roadSides <= 1)
            actions.push_back(ActionDemolish);
        break;
    case TileHouse:
    {
        actions.push_back(ActionDemolish);
        const House* house = tile.house();
        offerUpgrade(actions, tile.type, house ? house->level : 0, unlocked);
        break;
    }
    case TileShop:
    {
        actions.push_back(ActionDemolish);
        const Shop* shop = tile.shop();
        offerUpgrade(actions, tile.type, shop ? shop->level : 0, unlocked);
        break;
    }
    case TileLandfill:
        // A landfill can never be removed.
        break;
    default:
        // Anything else the game knows may be cleared.
        if (buildingKind(tile.type, 1))
            actions.push_back(ActionDemolish);
        break;
    }
}

void Map::chooseFacing(Tile& tile)
{
    if (!tile.building || tile.facing != 0)
        return;
    int candidates[4];
    int count = 0;
    if (isRoad(tile.west()))
        candidates[count++] = 4;
    if (isRoad(tile.east()))
        candidates[count++] = 3;
    if (isRoad(tile.north()))
        candidates[count++] = 2;
    if (isRoad(tile.south()))
        candidates[count++] = 1;
    tile.facing = count > 0 ? candidates[std::rand() % count] : 4;
}
