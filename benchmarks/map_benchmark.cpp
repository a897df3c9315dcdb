// How long the map's big steps take on the full 75 x 75 grid: a new game
// builds every tile's radius lists, a turn moves every tile and rebuilds
// them, and every completed action recomputes the offered actions.
// (The map logs its list rebuilds; filter them: | grep -v recalculate.)

#include "../tests/support/GameParts.h"
#include "game/Game.h"
#include "resources/Settings.h"
#include "simulation/City.h"
#include "simulation/Map.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{

// A game with a map and a city only, as the headless tests use it.
struct BenchGame
{
    BenchGame()
    {
        game.settings = new Settings();
        game.city = new City(&game);
        game.map = new Map(&game);
        game.gameView = new sf::View(sf::FloatRect(0, 0, 640, 360));
        std::srand(1);
        game.map->create(0, 0, false);
    }
    ~BenchGame() { freeGameParts(game); }
    Game game;
};

void BM_NewGameMap(benchmark::State& state)
{
    BenchGame bench;
    for (auto _ : state)
        bench.game.map->create(0, 0, false);
}
BENCHMARK(BM_NewGameMap)->Unit(benchmark::kMillisecond);

void BM_RotateRight(benchmark::State& state)
{
    BenchGame bench;
    for (auto _ : state)
        bench.game.map->rotateRight();
}
BENCHMARK(BM_RotateRight)->Unit(benchmark::kMillisecond);

void BM_UpdateTileActions(benchmark::State& state)
{
    BenchGame bench;
    bench.game.map->revealArea(37, 37, 30, true);
    for (auto _ : state)
        bench.game.map->updateTileActions();
}
BENCHMARK(BM_UpdateTileActions)->Unit(benchmark::kMicrosecond);

void BM_PickTile(benchmark::State& state)
{
    BenchGame bench;
    bench.game.map->revealArea(37, 37, 30, true);
    bench.game.centerViewOnTile(37, 37);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.game.pickTile(320, 180, true));
}
BENCHMARK(BM_PickTile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
