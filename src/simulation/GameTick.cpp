#include "game/Game.h"

#include <SFML/System/Lock.hpp>

// The day tick: one day of the city, on the thread Game::nextDay starts.

void Game::buildingTick()
{
    sf::Lock tiles(tileMutex);
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
