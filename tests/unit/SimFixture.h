#ifndef QUILLFENN_TESTS_SIMFIXTURE_H
#define QUILLFENN_TESTS_SIMFIXTURE_H

#include "../support/GameParts.h"
#include "game/Game.h"
#include "resources/Settings.h"
#include "simulation/Building.h"
#include "simulation/City.h"
#include "simulation/Map.h"
#include "simulation/Tile.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

// Waits for the day tick nextDay started and frees its thread, as the main loop would.
inline void finishDay(Game& game)
{
    while (game.updateThread)
    {
        game.freeFinishedUpdateThread();
        if (game.updateThread)
            sf::sleep(sf::milliseconds(1));
    }
}

// A game with only settings, a city and a map: no window, UI or sound. It
// frees what it made, which the game itself leaves to the end of the process.
class SimGame
{
public:
    SimGame()
    {
        game.settings = new Settings();
        game.city = new City(&game);
        game.map = new Map(&game);
        game.city->reset();
        game.city->setMoney(25000);
        game.day = 0;
        game.action.reset();
    }

    // A tick still running would use the map and city freed here.
    ~SimGame()
    {
        finishDay(game);
        freeGameParts(game);
    }

    SimGame(const SimGame&) = delete;
    SimGame& operator=(const SimGame&) = delete;

    Game game;
};

// finishDay with a limit: false when the tick has not ended after that many
// milliseconds (a deadlock, or a tick gone wild).
inline bool finishDayWithin(Game& game, int milliseconds)
{
    return fixtures::waitForDay(game, milliseconds);
}

class SimTest : public ::testing::Test
{
protected:
    SimTest() : game(sim.game), map(*sim.game.map), city(*sim.game.city) {}

    // A new game's map from a known seed; width 0 makes the default 75 x 75.
    void newGame(unsigned seed, int width = 0, int height = 0)
    {
        std::srand(seed);
        game.map->create(width, height, false);
    }

    // A grid with no starting layout, every tile empty and revealed.
    void blankMap(int width, int height)
    {
        game.map->create(width, height, true);
        for (Tile& t : game.map->tiles)
        {
            t.type = TileEmpty;
            t.flags = TileRevealed;
        }
        game.map->recalculateVisibleTiles();
    }

    Tile& tile(int x, int y) { return *game.map->getTile(x, y); }

    // Builds on a tile and refreshes the lists as a finished action would.
    Building* build(int x, int y, int type, int level = 1)
    {
        Tile& t = tile(x, y);
        t.flags |= TileRevealed;
        t.setType(type, level);
        game.map->recalculateVisibleTiles();
        return t.building;
    }

    // A blank 10 x 10 map with a road from (2, 5) to (6, 5) and houses on
    // (2..4, 4) along it, its offered actions up to date.
    void housesAlongRoad()
    {
        blankMap(10, 10);
        for (int x = 2; x <= 6; ++x)
            build(x, 5, TileRoad);
        for (int x = 2; x <= 4; ++x)
            build(x, 4, TileHouse);
        game.map->updateTileActions();
    }

    // Starts the next day and waits for its tick, as the main loop would.
    void passDay()
    {
        ASSERT_NE(game.nextDay(), 0) << "a day was refused";
        ASSERT_TRUE(finishDayWithin(game, 10000)) << "day " << game.day << " never ended";
    }

    template <typename Record>
    Record* record(int x, int y)
    {
        return dynamic_cast<Record*>(tile(x, y).building);
    }

    // Position of an action in a tile's offered list, -1 when not offered.
    static int slotOf(const Tile& t, int action)
    {
        auto it = std::find(t.actions.begin(), t.actions.end(), action);
        return it == t.actions.end() ? -1 : static_cast<int>(it - t.actions.begin());
    }

    SimGame sim;
    Game& game;
    // The map the test started with. Loading a save builds a new one in
    // game.map and frees this one: after a load, only game.map (and the
    // helpers above, which follow it) reach the city.
    Map& map;
    City& city;
};

#endif
