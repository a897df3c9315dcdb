// Frames of a fully revealed, densely built 75 x 75 city in a 1280 x 720
// window with the heads-up display, one per information layer, as the main
// loop draws them (clear, map under the game view, widgets under the UI
// view, present, then glFinish so the software renderer's work is counted).
// Reported: the median frame in milliseconds and the OpenGL draw calls of a
// frame, counted by wrapping glDrawArrays. The "WholeMap" runs show all
// 5625 tiles at once in a view zoomed out over the whole map.
//
// Needs a display; run by hand under a private Xvfb with Mesa's software renderer:
//   tests/with_xvfb.sh build/benchmarks/quillfenn_draw_benchmark

#include "../tests/support/GameParts.h"
#include "game/Game.h"
#include "game/MainMenu.h"
#include "gui/Widget.h"
#include "resources/Utils.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/draw/MapRenderer.h"
#include "simulation/Shop.h"

#include <SFML/OpenGL.hpp>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <vector>

namespace
{
long drawCalls = 0;
} // namespace

// Every draw SFML makes goes through here: the executable's symbol comes
// before the GL library's in the lookup order.
extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    using DrawArrays = void (*)(GLenum, GLint, GLsizei);
    static DrawArrays real = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    ++drawCalls;
    real(mode, first, count);
}

namespace
{

// One building of every kind, by position in a block.
struct Kind
{
    int type;
    int level;
};

const Kind blockKinds[] = {
    {TileHouse, 1}, {TileHouse, 2}, {TileHouse, 3}, {TileShop, 1}, {TileHouse, 1}, {TileShop, 2},
    {TileHouse, 2}, {TileFactory, 0}, {TileHouse, 3}, {TileOffice, 0}, {TileHouse, 1}, {TileShop, 3},
    {TileWaterTower, 0}, {TileHouse, 2}, {TilePoliceStation, 0}, {TileHouse, 1}, {TileFireStation, 0},
    {TileHospital, 0}, {TilePumpingStation, 0}, {TilePark, 0}, {TileLandfill, 0}, {TileTree, 0},
    {TileRubble, 0},
};

// Every tile revealed; a road on every third row and every eighth column,
// buildings of every kind between them with the numbers the layers show,
// some fires, trash in the streets and a service's range highlighted.
void buildDenseCity(Game& game)
{
    Map& map = *game.map;
    std::srand(7);
    map.create(0, 0, false);
    const int kindCount = static_cast<int>(sizeof blockKinds / sizeof blockKinds[0]);
    for (Tile& t : map.tiles)
    {
        t.flags = TileRevealed;
        if (t.y % 3 == 0 || t.x % 8 == 0)
        {
            t.setType(TileRoad, 0);
            continue;
        }
        const Kind& kind = blockKinds[(t.x * 7 + t.y * 3) % kindCount];
        t.setType(kind.type, kind.level);
        t.facing = t.y % 3 == 1 ? 2 : 1;
        if (House* house = dynamic_cast<House*>(t.building))
        {
            house->residents = house->capacity * (t.x % 3) / 2;
            house->shownNeeds = (t.x + t.y) % 8;
            house->shownWarnings = (t.x * t.y) % 8;
            house->shownAttractiveness = ((t.x + t.y) % 7 - 3) * 0.2;
        }
        else if (Shop* shop = dynamic_cast<Shop*>(t.building))
            shop->customers = shop->capacity / 2;
        else if (Factory* workplace = dynamic_cast<Factory*>(t.building))
            workplace->workers = workplace->jobs / 3;
        if ((t.x * 31 + t.y * 17) % 97 == 0)
            t.flags |= TileBurning;
    }
    map.recalculateVisibleTiles();
    game.city->streetTrash = 3000.0;
    map.highlightArea(37, 37, 12);
}

// The game with its window, managers, heads-up display and the dense city,
// made once for the whole run.
Game* benchGame(bool postProcessing)
{
    static Game* games[2] = {nullptr, nullptr};
    Game*& game = games[postProcessing ? 1 : 0];
    if (game)
        return game;
    setBasePath(std::string(QUILLFENN_RUN_DIR) + "/");
    game = new Game();
    game->settings = new Settings();
    game->settings->load(getBasePath() + "conf.dat");
    game->settings->set("isFullscreen", "false");
    game->settings->set("width", "1280");
    game->settings->set("height", "720");
    game->settings->set("musicEnabled", "false");
    game->settings->set("palette", "0");
    game->settings->set("postProcessing", postProcessing ? "true" : "false");
    game->createWindow();
    // The game limits itself to 60 frames a second; a benchmark must not wait.
    game->window->setFramerateLimit(0);
    game->window->setVerticalSyncEnabled(false);
    game->map = new Map(game);
    game->sprites = new SpriteManager(game);
    game->fonts = new FontManager(game);
    game->city = new City(game);
    game->city->reset();
    game->city->setMoney(25000);
    game->sprites->loadSprites();
    game->fonts->loadFonts();
    game->ui = new UI(game);
    game->mainMenu = new MainMenu(game);
    game->ui_create();
    game->ui->menuRoot->setVisible(false);
    game->ui->gameRoot->setVisible(true);
    game->mainMenu->shown = false;
    buildDenseCity(*game);
    game->centerViewOnTile(37, 37);
    return game;
}

// One frame as the main loop draws it.
void drawFrame(Game& game)
{
    sf::RenderTarget* target = game.getRenderTarget();
    game.clearRenderTarget();
    target->setView(*game.gameView);
    game.map->draw(*target);
    target->setView(*game.uiView);
    game.ui_update();
    game.presentFrame();
    glFinish();
}

// Frames of one layer; args: layer, post-processing, whole map in view.
void BM_Frame(benchmark::State& state)
{
    if (!std::getenv("DISPLAY"))
    {
        state.SkipWithError("no display: run under tests/with_xvfb.sh");
        return;
    }
    Game& game = *benchGame(state.range(1) != 0);
    game.map->setInfoLayer(static_cast<int>(state.range(0)));
    sf::View saved = *game.gameView;
    if (state.range(2))
    {
        // Everything from the west corner to the east, the tallest tower included.
        *game.gameView = sf::View(sf::FloatRect(-8.0f, -8.0f * 74 - 72.0f, 2420.0f, 2420.0f * 9 / 16));
        game.map->updateOnScreenTiles();
    }
    drawFrame(game); // the atlas is made on the first frame
    std::vector<double> frames;
    long calls = 0;
    for (auto _ : state)
    {
        long before = drawCalls;
        auto start = std::chrono::steady_clock::now();
        drawFrame(game);
        auto end = std::chrono::steady_clock::now();
        calls = drawCalls - before;
        frames.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(frames.begin(), frames.end());
    state.counters["median_ms"] = frames.empty() ? 0.0 : frames[frames.size() / 2];
    state.counters["draw_calls"] = static_cast<double>(calls);
    state.counters["map_draw_calls"] = game.map->renderer ? game.map->renderer->drawCalls : 0;
    state.counters["map_quads"] = game.map->renderer ? game.map->renderer->vertices.size() / 4.0 : 0.0;
    *game.gameView = saved;
    game.map->updateOnScreenTiles();
    game.map->setInfoLayer(0);
}

// The game's own settings (post-processing on) at its view, every layer; then
// without post-processing; then the whole map in view.
BENCHMARK(BM_Frame)
    ->ArgNames({"layer", "crt", "whole"})
    ->Args({0, 1, 0})->Args({1, 1, 0})->Args({2, 1, 0})->Args({3, 1, 0})
    ->Args({0, 0, 0})->Args({1, 0, 0})->Args({2, 0, 0})->Args({3, 0, 0})
    ->Args({0, 1, 1})->Args({1, 1, 1})->Args({2, 1, 1})->Args({3, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
