#include "game/Game.h"

#include "resources/SoundManager.h"
#include "resources/SpriteManager.h"
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
// What an action takes and what it leaves behind.
struct ActionInfo
{
    int clicksNeeded;
    int type;
    int level;
    float shakeStrength;
    float shakeDecay;
    const char* sound;
};

const int actionCount = 20;
const int putOutFiresAction = 17;

const ActionInfo actionTable[actionCount] = {
    {0, 0, 0, 0.0f, 1.0f, ""},
    {10, 2, 0, 0.36f, 1.2f, "plop_road"},
    {25, 3, 1, 0.5f, 1.0f, "plop_building"},
    {40, 3, 2, 0.54f, 1.0f, "plop_building"},
    {75, 3, 3, 0.58f, 1.0f, "plop_building"},
    {35, 4, 2, 0.5f, 1.0f, "plop_building"},
    {20, 4, 1, 0.4f, 1.0f, "plop_building"},
    {60, 4, 3, 0.5f, 1.0f, "plop_building"},
    {15, 5, 0, 0.32f, 1.0f, "plop_building"},
    {40, 6, 0, 0.5f, 1.0f, "plop_building"},
    {50, 7, 0, 0.5f, 1.0f, "plop_building"},
    {50, 8, 0, 0.5f, 1.0f, "plop_building"},
    {50, 9, 0, 0.5f, 1.0f, "plop_building"},
    {55, 10, 0, 0.5f, 1.0f, "plop_building"},
    {100, 11, 0, 0.65f, 1.0f, "plop_building"},
    {10, 1, 0, 0.2f, 1.0f, "plop_road"},
    {8, 0, 0, 0.25f, 1.0f, "demolish"},
    {0, 0, 0, 0.65f, 1.0f, "putoutfire"},
    {55, 13, 0, 0.6f, 1.0f, "plop_building"},
    {20, 14, 0, 0.4f, 1.0f, "plop_road"},
};

// Planting, demolishing and firefighting do not get faster with the build rate.
bool isManualWork(int id)
{
    return id == 15 || id == 16 || id == putOutFiresAction;
}

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
    int id = 0;
    if (tile && slot >= 0 && slot < static_cast<int>(tile->actions.size()))
        id = tile->actions[slot];
    if (id <= 0 || id >= actionCount || id == putOutFiresAction)
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
    action.clicksNeeded = actionTable[id].clicksNeeded;
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
        if (action.id == 0)
            return;
        if (updateRunning)
        {
            std::printf("ACTION PROGRESS WHILE BUILDINGS ARE UPDATED!!!!!!!!\n");
            return;
        }
        action.progress += isManualWork(action.id) ? 1.0 : buildRate;
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
    if (id > 0 && id < actionCount)
    {
        const ActionInfo& info = actionTable[id];
        if (id == putOutFiresAction)
            map->burnDownFires();
        else if (tile)
            tile->setType(info.type, info.level);
        startScreenShake(info.shakeStrength, info.shakeDecay);
        playSound(info.sound);
        if (id == putOutFiresAction)
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
    if (action.id == 0)
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
