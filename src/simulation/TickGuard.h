#ifndef QUILLFENN_SIMULATION_TICKGUARD_H
#define QUILLFENN_SIMULATION_TICKGUARD_H

#include "game/Game.h"

#include <SFML/System/Mutex.hpp>

// Holds the tile mutex of a game for a scope, so that a change from the main
// thread waits for a running day tick. A part made without a game (some
// tests) has no tick to wait for.
class TickGuard
{
public:
    explicit TickGuard(Game* game) : mutex(game ? &game->tileMutex : nullptr)
    {
        if (mutex)
            mutex->lock();
    }

    ~TickGuard()
    {
        if (mutex)
            mutex->unlock();
    }

    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    sf::Mutex* mutex;
};

#endif
