#include "game/Game.h"

#include "simulation/BuildingKinds.h"
#include "simulation/DayTick.h"
#include "simulation/Tile.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>

// The day tick, on the thread Game::nextDay starts, and what it leaves for
// the next day: the housing demand. The steps themselves are DayTick's.

namespace
{
// The share of the housing stock each class would have in a balanced city:
// small houses, large houses, flats.
const double classWeights[3] = {1.0, 0.6, 0.35};

// A class wants homes once its house level can be built.
bool classUnlocked(int unlockFlags, int houseClass)
{
    const BuildingKind* home = buildingKind(TileHouse, houseClass + 1);
    return home && isUnlocked(unlockFlags, home->build.unlock);
}
} // namespace

void Game::buildingTick()
{
    sf::Lock tiles(tileMutex);
    DayTick tick(this);
    tick.run();
    // The last step: from here on a new day may start.
    sf::Lock lock(updateMutex);
    updateRunning = false;
}

void Game::setGoodsPrice(int kind, double price)
{
    if (kind < 0 || kind >= 8)
        return;
    sf::Lock lock(tileMutex);
    goodsPrice[kind] = price;
}

// Newcomers look for each kind of home in fixed proportions. Each unlocked
// class wants its weight's share of all houses; the further it falls behind
// that share, the stronger its demand: wanted (plus one, so an empty city
// still wants homes) over built (plus one). The strongest demand is 1.
void Game::updateHousingDemand()
{
    int built[3];
    int total = 0;
    double weights = 0.0;
    for (int c = 0; c < 3; ++c)
    {
        built[c] = std::max(housesPerLevel[c], 0);
        total += built[c];
        if (classUnlocked(unlockFlags, c))
            weights += classWeights[c];
    }
    double raw[3] = {0.0, 0.0, 0.0};
    double strongest = 0.0;
    for (int c = 0; c < 3; ++c)
    {
        if (!classUnlocked(unlockFlags, c))
            continue;
        double wanted = classWeights[c] / weights * (total + 1);
        raw[c] = wanted / (built[c] + 1);
        strongest = std::max(strongest, raw[c]);
    }
    for (int c = 0; c < 3; ++c)
        housingDemand[c] = strongest > 0.0 ? raw[c] / strongest : 0.0;
}

void Game::freeFinishedUpdateThread()
{
    sf::Lock lock(updateMutex);
    if (updateRunning || !updateThread)
        return;
    delete updateThread;
    updateThread = nullptr;
    std::printf("\tFreeing building update thread!\n");
    ui_setDateButtonEnabled(true);
}
