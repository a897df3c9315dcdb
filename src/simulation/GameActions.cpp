#include "game/Game.h"

#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
#include "simulation/BuildingKinds.h"
#include "simulation/City.h"
#include "simulation/House.h"
#include "simulation/Map.h"
#include "simulation/SaveFile.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
// The build title is a widget: from the tick's thread it waits for the next frame.
void showBuildTitle(Game* game, const std::string& text)
{
    game->runOnMainThread([game, text] { game->ui_setBuildTitle(text); });
}
} // namespace

void Game::startAction(int tileId, int slot, int cost)
{
    // The tick's unlock step rewrites the offered actions; its fire start the action.
    sf::Lock tiles(tileMutex);
    sf::Lock lock(updateMutex);
    actionCost = cost;
    action.tileId = tileId;
    resolveActionTile();
    Tile* tile = action.tile;
    int id = ActionNone;
    if (tile && slot >= 0 && slot < static_cast<int>(tile->actions.size()))
        id = tile->actions[slot];
    const ActionKind* kind = actionKind(id);
    // Fires are put out by the action they start, never from a slot.
    if (!kind || id == ActionPutOutFires)
    {
        // The caller has already paid: give the money back rather than lose it.
        std::printf("No action in slot %d of tile %d\n", slot, tileId);
        if (city && cost != 0)
            city->addMoney(cost, FinanceCategory::Construction);
        actionCost = 0;
        action.reset();
        return;
    }
    action.id = id;
    action.progress = 0.0;
    action.clicksNeeded = kind->clicksNeeded;
    showBuildTitle(this, actionTitles[id]);
}

void Game::resolveActionTile()
{
    sf::Lock lock(updateMutex);
    if (action.tileId < 0 || !map)
        return;
    Tile* found = nullptr;
    for (Tile* tile : map->revealedTiles)
    {
        if (tile->id == static_cast<unsigned int>(action.tileId))
            found = tile;
    }
    action.tile = found;
}

ActionProgress Game::currentAction()
{
    sf::Lock lock(updateMutex);
    return action;
}

void Game::progressAction()
{
    bool complete;
    float pitch = 0.0f;
    {
        sf::Lock lock(updateMutex);
        if (action.id == ActionNone)
            return;
        if (updateRunning)
        {
            std::printf("ACTION PROGRESS WHILE BUILDINGS ARE UPDATED!!!!!!!!\n");
            return;
        }
        const ActionKind* kind = actionKind(action.id);
        action.progress += kind && kind->manualWork ? 1.0 : buildRate;
        clicks += 1;
        if (Tile* tile = action.tile)
            spawnPlusOne(*tile);
        complete = action.progress >= action.clicksNeeded;
        if (!complete)
            pitch = static_cast<float>(0.75 + 0.3 * action.progress / action.clicksNeeded);
    }
    // No tick runs (only this thread starts one), so nothing changes the
    // action between the lock above and the completion's own locks.
    if (complete)
    {
        completeAction();
    }
    else if (sounds && sounds->isSfxEnabled())
    {
        float volume = (std::rand() % 100 / 1000.0f + 0.9f) * 40.0f;
        playSound("progress_build", pitch, volume);
    }
    if (clicks > 9)
    {
        clicks = 0;
        // A tick that ended since the last frame still holds its thread, and
        // nextDay refuses while it does: free it, or this day is lost.
        freeFinishedUpdateThread();
        nextDay();
    }
}

void Game::completeAction()
{
    // The lists and tiles change here: a tick that is just ending goes first.
    sf::Lock tiles(tileMutex);
    sf::Lock lock(updateMutex);
    std::printf("Action complete!\n");
    int id = action.id;
    Tile* tile = action.tile;
    if (const ActionKind* kind = actionKind(id))
    {
        if (id == ActionPutOutFires)
        {
            map->burnDownFires();
        }
        else if (tile)
        {
            // Demolishing builds nothing and leaves empty land.
            const BuildingKind* built = kindBuiltBy(id);
            tile->setType(built ? built->type : TileEmpty, built ? built->level : 0);
        }
        startScreenShake(kind->shakeStrength, kind->shakeDecay);
        playSound(kind->sound);
        if (id == ActionPutOutFires)
            showMessage("Phew", "Fire has been put out but the houses have been destroyed..", false);
    }
    if (tile)
        map->revealArea(tile->x, tile->y, 2, true);
    else
        map->recalculateVisibleTiles();
    map->updateTileActions();
    showBuildTitle(this, "");
    // The price is spent: a later cancel has nothing to refund.
    actionCost = 0;
    action.reset();
}

void Game::cancelAction()
{
    sf::Lock lock(updateMutex);
    if (action.id == ActionNone)
        return;
    if (city)
        city->addMoney(actionCost, FinanceCategory::Construction);
    // Refunded once: a fire that cancels this action must not pay it again.
    actionCost = 0;
    showBuildTitle(this, "");
    action.reset();
}

int Game::nextDay()
{
    int today;
    {
        sf::Lock lock(updateMutex);
        if (updateRunning || updateThread)
            return 0;
        // The calendar ends where a save file's days end, so every day saves.
        if (day >= SaveFile::MaxDay)
        {
            std::printf("The calendar ends on day %d\n", day);
            return 0;
        }
        day += 1;
        today = day;
        ui_setDateButtonEnabled(false);
        updateRunning = true;
        updateThread = new sf::Thread(&Game::buildingTick, this);
        updateThread->launch();
    }
    int result = 1;
    if (today % 30 == 0)
    {
        std::printf("MONTH PASSED\n");
        result = 3;
    }
    // A year end reports the year alone: 5, not 7.
    if (today % 360 == 0)
    {
        std::printf("YEAR PASSED\n");
        result = 5;
    }
    return result;
}

void Game::countHousesByLevel()
{
    for (int& count : housesPerLevel)
        count = 0;
    if (!map)
        return;
    for (Tile* tile : map->houses)
    {
        const House* house = dynamic_cast<const House*>(tile->building);
        if (house && house->level >= 1 && house->level <= 4)
            housesPerLevel[house->level - 1] += 1;
    }
}
