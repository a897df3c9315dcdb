#include "game/Game.h"

#include "gui/UI.h"
#include "resources/Platform.h"
#include "resources/Utils.h"
#include "simulation/City.h"
#include "simulation/Map.h"
#include "simulation/SaveBinding.h"
#include "simulation/SaveFile.h"
#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

// Saving a city to saves/<slot>.sav and loading it back. A file is read and
// checked whole, and its map built beside the running one, before anything
// of the running city changes; a save is written beside the slot before it
// replaces the old one.

namespace
{
std::string slotPath(int slot, const char* extension)
{
    char name[32];
    std::snprintf(name, sizeof(name), "%d.%s", slot, extension);
    return getSavesPath() + name;
}

// The saved map, built beside the running one with its tiles, records,
// neighbours and supplier lists; null when it could not be built at its
// size. Running out of memory on the way throws std::bad_alloc, and the
// half-built map is freed on the way out.
Map* buildMap(Game& game, const SaveFile& save)
{
    std::printf("mapSize = %d x %d\n", save.width, save.height);
    std::unique_ptr<Map> map(new Map(&game));
    map->create(save.width, save.height, true);
    if (map->width != save.width || map->height != save.height || map->tiles.size() != save.tiles.size())
        return nullptr;
    fillMap(*map, save);
    map->recalculateVisibleTiles();
    return map.release();
}

// The built map takes the running one's place; the drawing, with its atlas,
// moves along. The old map is the caller's to free once nothing points into it.
Map* replaceMap(Game& game, Map* fresh)
{
    Map* old = game.map;
    game.map = fresh;
    if (old)
    {
        // The next frame's draw aims it at the new map.
        fresh->renderer = std::move(old->renderer);
    }
    return old;
}

// "W x H" of the saved map, for the messages.
std::string mapSize(const SaveFile& save)
{
    return std::to_string(save.width) + " x " + std::to_string(save.height);
}

// Housing demands are finite shares from 0 to 1.
bool demandUsable(const double* demand)
{
    for (int i = 0; i < 4; ++i)
        if (!(demand[i] >= 0.0 && demand[i] <= 1.0))
            return false;
    return true;
}

// Everything derived from the saved city, in the order it depends on.
void rebuild(Game& game)
{
    Map& map = *game.map;
    game.ui->statusMessage = layerCaptions[0];
    map.setInfoLayer(0);
    // The revealed tiles and their lists were built with the map; the
    // offered actions wait for the saved unlocks.
    map.updateTileActions();
    map.setSelectedTile(nullptr);
    game.city->updateSocialClasses();
    game.countHousesByLevel();
    // The demand is the saved day's (homes built since count from the next
    // day on), so the city goes on as it was; a damaged value is worked out anew.
    if (!demandUsable(game.housingDemand))
    {
        // The fourth is only carried in the file, and the game writes 0 there.
        game.housingDemand[3] = 0.0;
        game.updateHousingDemand();
    }
    game.centerViewOnTile(map.width / 2, map.height / 2);
    game.enterGameMode();
    if (game.action.id != 0)
        game.resolveActionTile();
    game.ui_closeAllWindows();
    game.ui_setBuildTitle(actionTitles[game.action.id]);
}
} // namespace

bool Game::saveGame(int slot)
{
    SaveFile save;
    {
        // A running day tick writes what is saved: wait for its end.
        sf::Lock tiles(tileMutex);
        sf::Lock lock(updateMutex);
        captureState(*this, save);
        captureCity(*city, save);
        captureMap(*map, save);
    }
    std::string text = save.format();

    std::string folder = getSavesPath();
    std::string error;
    bool written = platform::makeDirectory(folder);
    if (!written)
        error = "the saves folder cannot be made";
    else
        written = platform::writeFileReplacing(slotPath(slot, "sav"), slotPath(slot, "tmp"), text, &error);
    if (!written)
    {
        std::printf("Could not save to slot %d: %s\n", slot, error.c_str());
        showMessage("Oh no.", "The city could not be saved to slot " + std::to_string(slot) + ": " + error +
                                  ". What the slot held before is still there.");
        return false;
    }
    std::printf("game saved to slot %d!\n", slot);
    showMessage("Yaaas!", "Game saved!", false);
    return true;
}

bool Game::loadGame(int slot)
{
    std::string path = slotPath(slot, "sav");
    SaveFile save;
    std::unique_ptr<Map> fresh;
    std::string why;
    // Taken once the file is known good: no tick may run while its map is
    // built aside, nor until it stands in the running one's place.
    std::optional<sf::Lock> tiles;
    // The one place the game catches an exception: memory running out while
    // the file is read or its map is built refuses the file like any other
    // fault, and the running city stays as it was.
    try
    {
        std::string text;
        platform::ReadResult read = platform::readFile(path, SaveFile::MaxBytes, text);
        if (read == platform::ReadMissing)
        {
            std::printf("No such save file: %s\n", path.c_str());
            return false;
        }
        bool ok = read == platform::ReadOk && save.parse(text);
        if (save.version != 0)
            std::printf("save version: %d\n", save.version);
        if (read == platform::ReadNotAFile)
            why = "it is not a file";
        else if (read == platform::ReadTooLarge)
            why = "the file is far larger than any city";
        else if (!ok)
            why = "line " + std::to_string(save.errorLine) + ": " + save.error;
        if (why.empty())
        {
            tiles.emplace(tileMutex);
            fresh.reset(buildMap(*this, save));
            if (!fresh)
                why = "its map of " + mapSize(save) + " tiles cannot be built";
        }
    }
    catch (const std::bad_alloc&)
    {
        fresh.reset();
        why = save.width > 0 ? "there is not enough memory for its map of " + mapSize(save) + " tiles"
                             : "there is not enough memory to read it";
    }
    if (!fresh)
    {
        tiles.reset();
        std::printf("Save file %s refused, %s\n", path.c_str(), why.c_str());
        showMessage("Oh no.", "The city in slot " + std::to_string(slot) + " cannot be loaded, " + why +
                                  ". Nothing has been changed.");
        return false;
    }

    {
        sf::Lock lock(updateMutex);
        applyGame(*this, save);
        applyCity(*city, save);
        Map* old = replaceMap(*this, fresh.release());
        rebuild(*this);
        // The windows that showed its tiles are closed now.
        delete old;
    }
    tiles.reset();
    std::printf("game loaded from slot %d!\n", slot);
    return true;
}
