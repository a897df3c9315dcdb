// How long a day takes on a dense, fully revealed city (75 x 75 and 256 x 256), how long the
// houses' shop lists take to rebuild after a shop is placed, and how much
// memory a new game's map holds.
// (The tick logs every day; keep the results only: | grep -E '^(BM_|-|Benchmark)'.)

#include "ResidentMemory.h"
#include "../tests/support/GameParts.h"
#include "../tests/support/ScriptedCity.h"
#include "game/Game.h"
#include "resources/Settings.h"
#include "simulation/City.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"

#include <benchmark/benchmark.h>

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace
{

// A game with a map and a city only, its whole map built up.
struct DenseCity
{
    explicit DenseCity(int size)
    {
        game.settings = new Settings();
        game.city = new City(&game);
        game.map = new Map(&game);
        game.city->reset();
        game.city->setMoney(25000);
        const double prices[3] = {0.2, 0.4, 1.5};
        for (int kind = 0; kind < 3; ++kind)
            game.goodsPrice[kind] = prices[kind];
        // Everything unlocked and every service past its grace days.
        game.unlockFlags = 0x1ff;
        game.day = 1000;
        scripted::buildCity(game, size, 11, 0.5);
        game.countHousesByLevel();
        game.updateHousingDemand();
        city().updateSocialClasses();
    }
    ~DenseCity() { freeGameParts(game); }

    City& city() { return *game.city; }

    // One day, on this thread, as nextDay's thread would run it.
    void day()
    {
        game.day += 1;
        game.updateRunning = true;
        game.buildingTick();
    }

    // Keeps the city as it is from one day to the next: fires are put out
    // without leaving rubble and the landfills are emptied, so that the city
    // neither burns down nor drowns in its trash however many days run.
    void keepSteady()
    {
        for (Tile* tile : game.map->landfills)
            tile->landfill()->fill = 0.0;
        game.city->streetTrash = 0.0;
        sf::Lock lock(game.updateMutex);
        if (game.action.id != 17)
            return;
        for (Tile& tile : game.map->tiles)
            tile.flags &= ~TileBurning;
        game.action.reset();
    }

    Game game;
};

void BM_DayTick(benchmark::State& state)
{
    DenseCity city(static_cast<int>(state.range(0)));
    // A few days first, so the houses settle into their everyday state.
    for (int i = 0; i < 30; ++i)
    {
        city.day();
        city.keepSteady();
    }
    std::vector<double> days;
    for (auto _ : state)
    {
        auto start = std::chrono::steady_clock::now();
        city.day();
        days.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.PauseTiming();
        city.keepSteady();
        state.ResumeTiming();
    }
    std::sort(days.begin(), days.end());
    state.counters["median_ms"] = days.empty() ? 0.0 : days[days.size() / 2];
    state.counters["houses"] = static_cast<double>(city.game.map->houses.size());
    state.counters["population"] = city.city().population;
}
BENCHMARK(BM_DayTick)->Arg(75)->Arg(256)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ShopListsAfterAShopIsPlaced(benchmark::State& state)
{
    DenseCity city(static_cast<int>(state.range(0)));
    Map& map = *city.game.map;
    Tile* shop = map.shops.front();
    for (auto _ : state)
    {
        shop->setType(TileShop, 3);
        map.recalculateVisibleTiles();
    }
    state.counters["houses"] = static_cast<double>(map.houses.size());
    state.counters["shops"] = static_cast<double>(map.shops.size());
}
BENCHMARK(BM_ShopListsAfterAShopIsPlaced)->Arg(75)->Arg(256)->Unit(benchmark::kMillisecond);

// What a new game's 75 x 75 map adds to the process: its tiles with their
// neighbour, radius and supplier lists.
void BM_NewGameMapMemory(benchmark::State& state)
{
    double added = 0.0;
    for (auto _ : state)
    {
        Game game;
        game.settings = new Settings();
        game.city = new City(&game);
        double before = residentMegabytes();
        game.map = new Map(&game);
        std::srand(1);
        game.map->create(0, 0, false);
        added = residentMegabytes() - before;
        freeGameParts(game);
    }
    state.counters["MB"] = added;
}
BENCHMARK(BM_NewGameMapMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
