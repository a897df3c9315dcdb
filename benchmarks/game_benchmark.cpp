// What the player waits for on a new game, a load, a turn of the map and a
// completed shop, and the memory a city adds to the title screen, on the
// 75 x 75 map a new game makes and on the largest a save may hold.
// The game logs as it goes; keep the results only:
//   | grep -E '^(BM_|-|Benchmark)'
//
// The fresh-process benchmarks fork one child per iteration, so that page
// faults and the allocator's first growth count as they do on a real click;
// the child reports its own time and resident memory through a pipe.

#include "ResidentMemory.h"
#include "../tests/support/GameParts.h"
#include "../tests/support/HeadlessUi.h"
#include "../tests/support/ScriptedCity.h"
#include "game/Game.h"
#include "game/MainMenu.h"
#include "resources/SoundManager.h"
#include "resources/Utils.h"
#include "simulation/City.h"
#include "simulation/Map.h"

#include <benchmark/benchmark.h>

#include <SFML/System/Clock.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// A headless game at its title screen, its saves under a folder of its own.
struct TitleScreen
{
    TitleScreen()
    {
        setBasePath(dir.path);
        game.settings = fixtures::makeSettings("sfxEnabled=false\nmusicEnabled=false\n");
        game.city = new City(&game);
        game.map = new Map(&game);
        fixtures::giveHeadlessUi(game);
        game.sounds = new SoundManager(&game);
        game.mainMenu = new MainMenu(&game);
    }
    ~TitleScreen()
    {
        game.ui_closeAllWindows();
        delete game.mainMenu;
        game.mainMenu = nullptr;
        freeGameParts(game);
        setBasePath("");
    }

    // A dense, fully revealed city of the size, everything unlocked.
    void buildDenseCity(int size)
    {
        game.city->reset();
        game.city->setMoney(25000);
        game.unlockFlags = 0x1ff;
        game.day = 1000;
        scripted::buildCity(game, size, 11, 0.5);
        game.countHousesByLevel();
        game.updateHousingDemand();
        game.city->updateSocialClasses();
    }

    // Starts the action of the id on a tile and completes it, as the last build click does.
    void complete(int id, Tile* tile)
    {
        game.action.id = id;
        game.action.tile = tile;
        game.action.tileId = static_cast<int>(tile->id);
        game.completeAction();
    }

    fixtures::TempDir dir;
    Game game;
};

// What one child measured.
struct Measured
{
    double seconds;
    double addedMegabytes;
    double residentMegabytes;
};

// Runs the work in a fresh child process for every iteration; the child
// times it and measures the memory it added to the process.
template <typename Prepare, typename Work>
void inFreshProcess(benchmark::State& state, Prepare prepare, Work work)
{
    Measured last{};
    for (auto _ : state)
    {
        int fds[2];
        if (pipe(fds) != 0)
        {
            state.SkipWithError("no pipe");
            return;
        }
        std::fflush(stdout);
        pid_t child = fork();
        if (child == 0)
        {
            close(fds[0]);
            Measured m{};
            {
                TitleScreen title;
                prepare(title);
                double before = residentMegabytes();
                auto start = std::chrono::steady_clock::now();
                work(title);
                auto end = std::chrono::steady_clock::now();
                m.seconds = std::chrono::duration<double>(end - start).count();
                m.residentMegabytes = residentMegabytes();
                m.addedMegabytes = m.residentMegabytes - before;
            }
            ssize_t written = write(fds[1], &m, sizeof m);
            _exit(written == static_cast<ssize_t>(sizeof m) ? 0 : 1);
        }
        close(fds[1]);
        ssize_t got = read(fds[0], &last, sizeof last);
        close(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got != static_cast<ssize_t>(sizeof last) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        {
            state.SkipWithError("the child failed");
            return;
        }
        state.SetIterationTime(last.seconds);
    }
    state.counters["MB_added"] = last.addedMegabytes;
    state.counters["MB_resident"] = last.residentMegabytes;
}

// "Start new game" from the title screen: the main thread's whole click. At
// the largest size the map is made as the click makes it, at that size.
void BM_NewGameFreshProcess(benchmark::State& state)
{
    int size = static_cast<int>(state.range(0));
    inFreshProcess(
        state, [](TitleScreen&) {},
        [size](TitleScreen& title) {
            if (size == 75)
                title.game.startNewGame();
            else
                title.game.map->create(size, size, false);
        });
}
BENCHMARK(BM_NewGameFreshProcess)->Arg(75)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewGameFreshProcess)->Arg(256)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Loading a saved dense city through Game::loadGame in a fresh process; the
// memory is what the loaded city adds to the title screen.
void BM_LoadDenseFreshProcess(benchmark::State& state)
{
    int size = static_cast<int>(state.range(0));
    // The save is made in a child of its own, so that this process's heap
    // stays as small as a title screen's for the children that load it.
    std::string text;
    {
        fixtures::TempDir folder;
        std::string path = folder.path + "dense.sav";
        std::fflush(stdout);
        pid_t maker = fork();
        if (maker == 0)
        {
            int code = 1;
            {
                TitleScreen title;
                title.buildDenseCity(size);
                std::string from = title.dir.path + "saves/1.sav";
                if (title.game.saveGame(1) && std::rename(from.c_str(), path.c_str()) == 0)
                    code = 0;
            }
            _exit(code);
        }
        int status = 0;
        waitpid(maker, &status, 0);
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        {
            if (file)
                std::fclose(file);
            state.SkipWithError("no save");
            return;
        }
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        std::fclose(file);
    }
    inFreshProcess(
        state, [&text](TitleScreen& title) { title.dir.write("saves/1.sav", text); },
        [](TitleScreen& title) {
            if (!title.game.loadGame(1))
                _exit(2);
        });
    state.counters["save_KB"] = static_cast<double>(text.size()) / 1024.0;
}
BENCHMARK(BM_LoadDenseFreshProcess)->Arg(75)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDenseFreshProcess)->Arg(256)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// A quarter turn of the dense city, one to the right after another.
void BM_RotateDense(benchmark::State& state)
{
    TitleScreen title;
    title.buildDenseCity(static_cast<int>(state.range(0)));
    for (auto _ : state)
        title.game.map->rotateRight();
}
BENCHMARK(BM_RotateDense)->Arg(75)->Unit(benchmark::kMillisecond);

// The click that completes a small shop on the dense city, on a house's tile
// near the middle: the record, the lists and the offered actions follow it.
void BM_ShopClickDense(benchmark::State& state)
{
    const int smallShopAction = 6;
    TitleScreen title;
    int size = static_cast<int>(state.range(0));
    title.buildDenseCity(size);
    Map& map = *title.game.map;
    Tile* site = map.getTile(size / 2, size / 2);
    for (auto _ : state)
        title.complete(smallShopAction, site);
    state.counters["houses"] = static_cast<double>(map.houses.size());
    state.counters["shops"] = static_cast<double>(map.shops.size());
}
BENCHMARK(BM_ShopClickDense)->Arg(75)->Arg(256)->Unit(benchmark::kMillisecond);

} // namespace
