// Builds the seed inputs of the save file target: cities played by the
// game's own code and saved by Game::saveGame, so that every seed is a file
// the game really writes.
//
//     make_save_seeds <output folder>

#include "SaveableGame.h"

#include "resources/Utils.h"
#include "simulation/Map.h"
#include "simulation/Tile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{

const int slot = 1;

// A grid with no starting layout, every tile empty and revealed.
void blankMap(Game& game, int width, int height)
{
    game.map->create(width, height, true);
    for (Tile& tile : game.map->tiles)
    {
        tile.type = TileEmpty;
        tile.flags = TileRevealed;
    }
    game.map->recalculateVisibleTiles();
}

void build(Game& game, int x, int y, int type, int level = 0)
{
    Tile* tile = game.map->getTile(x, y);
    tile->flags |= TileRevealed;
    tile->setType(type, level);
    game.map->recalculateVisibleTiles();
}

void passDays(Game& game, int days)
{
    for (int i = 0; i < days; ++i)
    {
        game.nextDay();
        while (!fixtures::waitForDay(game, 1000))
        {
        }
        game.ui->runPosted();
    }
}

// A road across a blank map with one building of every kind and level along it.
void everyKind(Game& game, int width)
{
    blankMap(game, width, 4);
    for (int x = 0; x < width; ++x)
        build(game, x, 1, TileRoad);
    const int upper[][2] = {{TileHouse, 1},      {TileHouse, 2},   {TileHouse, 3},  {TileShop, 1},
                            {TileShop, 2},       {TileShop, 3},    {TileWaterTower, 0},
                            {TilePumpingStation, 0}, {TileFactory, 0}, {TileOffice, 0}, {TileLandfill, 0}};
    for (int i = 0; i < 11 && i < width; ++i)
        build(game, i, 0, upper[i][0], upper[i][1]);
    const int lower[] = {TileFireStation, TilePoliceStation, TileHospital, TilePark, TileTree, TileRubble};
    for (int i = 0; i < 6 && i < width; ++i)
        build(game, i, 2, lower[i]);
    game.map->updateTileActions();
    game.countHousesByLevel();
    game.updateHousingDemand();
}

// Starts the first action a tile offers that is not putting out fires.
void startSomeAction(Game& game, Tile& tile, int clicks)
{
    for (size_t i = 0; i < tile.actions.size(); ++i)
    {
        if (tile.actions[i] <= 0)
            continue;
        game.startAction(static_cast<int>(tile.id), static_cast<int>(i), 10);
        break;
    }
    game.clicks = 0;
    for (int i = 0; i < clicks && game.action.id != 0; ++i)
        game.progressAction();
}

std::string readSlot()
{
    std::ifstream in(getSavesPath() + std::to_string(slot) + ".sav", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeSeed(Game& game, const std::string& out, const std::string& name)
{
    if (!game.saveGame(slot))
        return false;
    std::ofstream file(out + "/" + name + ".sav", std::ios::binary);
    file << readSlot();
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_save_seeds <output folder>\n");
        return 2;
    }
    const std::string out = argv[1];
    char scratch[] = "/tmp/quillfenn-save-seeds-XXXXXX";
    if (!mkdtemp(scratch))
        return 1;
    setBasePath(std::string(scratch) + "/");
    int written = 0;
    {
        fixtures::SaveableGame made;
        Game& game = made.game;
        std::srand(7);

        game.startNewGame();
        written += writeSeed(game, out, "new-game");

        // The same start a month on, turned a quarter, with a loan.
        passDays(game, 31);
        game.map->rotateLeft();
        game.city->takeLoan(5000);
        written += writeSeed(game, out, "rotated-loan");

        // Small cities of every kind: fast to load, and they reach the map.
        everyKind(game, 11);
        written += writeSeed(game, out, "every-kind-new");
        game.unlockFlags = 0x1ff;
        passDays(game, 40);
        written += writeSeed(game, out, "every-kind-grown");

        game.map->startFire(*game.map->getTile(0, 0));
        game.map->startFire(*game.map->getTile(3, 0));
        written += writeSeed(game, out, "burning");
        passDays(game, 2);
        written += writeSeed(game, out, "burning-later");

        // Fires out, then a road half built beside the others.
        game.action.reset();
        game.actionCost = 0;
        everyKind(game, 11);
        startSomeAction(game, *game.map->getTile(8, 2), 2);
        written += writeSeed(game, out, "half-built");

        game.action.reset();
        game.actionCost = 0;
        blankMap(game, 1, 1);
        build(game, 0, 0, TileHouse, 1);
        game.map->updateTileActions();
        written += writeSeed(game, out, "one-house");
    }
    std::system(("rm -rf '" + std::string(scratch) + "'").c_str());
    std::printf("make_save_seeds: %d seeds in %s\n", written, out.c_str());
    return written == 8 ? 0 : 1;
}
