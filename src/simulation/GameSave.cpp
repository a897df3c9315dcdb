#include "game/Game.h"

#include "gui/UI.h"
#include "resources/Platform.h"
#include "resources/Utils.h"
#include "simulation/Building.h"
#include "simulation/City.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/MapRenderer.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/TextTables.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

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

double* bookOf(City& city, int book)
{
    double* books[SaveFile::BookCount] = {city.yearIncomes,      city.yearExpenses,      city.lastYearIncomes,
                                          city.lastYearExpenses, city.monthIncomes,      city.monthExpenses,
                                          city.lastMonthIncomes, city.lastMonthExpenses};
    return books[book];
}

SavedRecord captureRecord(const Building& building)
{
    SavedRecord r;
    r.baseIncome = building.baseIncome;
    r.lastIncome = building.lastIncome;
    r.pendingIncome = building.pendingIncome;
    r.wastePerDay = building.wastePerDay;
    if (const House* house = dynamic_cast<const House*>(&building))
    {
        r.level = house->level;
        r.capacity = house->capacity;
        r.shoppingDemand = house->shoppingDemand;
        r.waterDemand = house->waterDemand;
        r.jobDemand = house->jobDemand;
        r.rentOffset = house->rentOffset;
        r.residents = house->residents.load();
        r.shownNeeds = house->shownNeeds.load();
        r.growth = house->growth.load();
        r.shownAttractiveness = house->shownAttractiveness.load();
        r.sickness = house->sickness;
        r.fireDamage = house->fireDamage;
    }
    else if (const Shop* shop = dynamic_cast<const Shop*>(&building))
    {
        r.level = shop->level;
        r.customers = shop->customers.load();
        r.capacity = shop->capacity;
        r.range = shop->range;
    }
    else if (const WaterSupply* water = dynamic_cast<const WaterSupply*>(&building))
    {
        r.supplied = water->supplied.load();
        r.capacity = water->capacity;
        r.range = water->range;
    }
    else if (const Factory* workplace = dynamic_cast<const Factory*>(&building))
    {
        // Offices share the layout; their line has no efficiency or goods.
        r.workers = workplace->workers.load();
        r.jobs = workplace->jobs;
        r.range = workplace->range;
        r.efficiency = workplace->efficiency.load();
        r.goodsType = workplace->goodsType;
    }
    else if (const Landfill* landfill = dynamic_cast<const Landfill*>(&building))
    {
        r.fill = landfill->fill.load();
        r.capacity = landfill->capacity;
    }
    return r;
}

// The game's own counters, flags, action and tables.
void captureState(const Game& game, SaveFile& save)
{
    save.day = game.day;
    save.clicks = game.clicks;
    save.actionCost = game.actionCost;
    save.unlockFlags = game.unlockFlags;
    save.warningFlags = game.warningFlags;
    save.reservedA = game.reservedA;
    save.reservedB = game.reservedB;
    save.helpFlags = game.helpFlags;
    save.actionId = game.action.id;
    save.actionClicksNeeded = game.action.clicksNeeded;
    save.actionProgress = game.action.progress;
    save.buildRate = game.buildRate;
    save.actionTileId = game.action.tileId;
    save.fireStationDay = game.fireStationDay;
    save.policeDay = game.policeDay;
    save.hospitalDay = game.hospitalDay;
    for (int i = 0; i < 4; ++i)
        save.housingDemand[i] = game.housingDemand[i];
    for (int i = 0; i < SaveFile::GoodsSlots; ++i)
    {
        save.goodsProduction[i] = game.goodsProduction[i];
        save.goodsDemand[i] = game.goodsDemand[i];
        save.goodsIncome[i] = game.goodsIncome[i];
        save.goodsPrice[i] = game.goodsPrice[i];
    }
}

// Money, loan, population and books, each under the mutex that guards it.
void captureCity(City& city, SaveFile& save)
{
    {
        sf::Lock lock(city.populationMutex);
        save.population = city.population;
    }
    {
        sf::Lock lock(city.moneyMutex);
        save.money = city.money;
        save.loan = city.loan;
        save.profitYesterday = city.profitYesterday;
        for (int book = 0; book < SaveFile::BookCount; ++book)
            for (int i = 0; i < SaveFile::BookSlots; ++i)
                save.books[book][i] = bookOf(city, book)[i];
    }
    save.streetTrash = city.streetTrash.load();
}

void captureMap(const Map& map, SaveFile& save)
{
    save.width = map.width;
    save.height = map.height;
    save.rotation = map.rotation;
    save.tiles.resize(map.tiles.size());
    for (size_t i = 0; i < map.tiles.size(); ++i)
    {
        const Tile& tile = map.tiles[i];
        SavedTile& saved = save.tiles[i];
        saved.x = tile.x;
        saved.y = tile.y;
        saved.type = tile.type;
        saved.facing = tile.facing;
        unsigned char flags = tile.flags;
        saved.revealed = (flags & TileRevealed) != 0;
        saved.burning = (flags & TileBurning) != 0;
        saved.crime = tile.crime;
        saved.fireSafety = tile.fireSafety;
        saved.health = tile.health;
        saved.hasRecord = tile.building != nullptr;
        if (tile.building)
            saved.record = captureRecord(*tile.building);
    }
}

// A new record of the tile type's kind holding the saved fields.
Building* makeRecord(int type, const SavedRecord& r)
{
    Building* building = nullptr;
    switch (type)
    {
    case TileHouse: {
        House* house = new House();
        house->level = r.level;
        house->capacity = r.capacity;
        house->shoppingDemand = r.shoppingDemand;
        house->waterDemand = r.waterDemand;
        house->jobDemand = r.jobDemand;
        house->rentOffset = r.rentOffset;
        house->residents = r.residents;
        house->shownNeeds = r.shownNeeds;
        house->growth = r.growth;
        house->shownAttractiveness = r.shownAttractiveness;
        house->attractiveness = r.shownAttractiveness;
        house->sickness = r.sickness;
        house->fireDamage = r.fireDamage;
        building = house;
        break;
    }
    case TileShop: {
        Shop* shop = new Shop();
        shop->level = r.level;
        shop->customers = r.customers;
        shop->capacity = r.capacity;
        shop->range = r.range;
        building = shop;
        break;
    }
    case TileWaterTower:
    case TilePumpingStation: {
        WaterSupply* water = new WaterSupply();
        water->supplied = r.supplied;
        water->capacity = r.capacity;
        water->range = r.range;
        building = water;
        break;
    }
    case TileFactory:
    case TileOffice: {
        Factory* workplace = type == TileOffice ? new Commercial() : new Factory();
        workplace->workers = r.workers;
        workplace->jobs = r.jobs;
        workplace->range = r.range;
        if (type == TileFactory)
        {
            workplace->efficiency = r.efficiency;
            workplace->goodsType = r.goodsType;
        }
        building = workplace;
        break;
    }
    case TileLandfill: {
        Landfill* landfill = new Landfill();
        landfill->fill = r.fill;
        landfill->capacity = r.capacity;
        building = landfill;
        break;
    }
    default:
        building = new Building();
        break;
    }
    building->baseIncome = r.baseIncome;
    building->lastIncome = r.lastIncome;
    building->pendingIncome = r.pendingIncome;
    building->wastePerDay = r.wastePerDay;
    return building;
}

// The risks a house shows are what its tile held after the last day.
int warningsOf(const Tile& tile)
{
    return (tile.crime > 0.0 ? WarnCrime : 0) | (tile.fireSafety < 0.0 ? WarnFireHazard : 0) |
           (tile.health < 0.0 ? WarnNoHospital : 0);
}

void applyCity(Game& game, const SaveFile& save)
{
    City& city = *game.city;
    city.setMoney(save.money);
    {
        sf::Lock lock(city.populationMutex);
        city.population = save.population;
    }
    {
        sf::Lock lock(city.moneyMutex);
        city.loan = save.loan;
        city.profitYesterday = save.profitYesterday;
        city.profitToday = 0.0;
        city.pendingMoney = 0.0;
        for (int book = 0; book < SaveFile::BookCount; ++book)
            for (int i = 0; i < SaveFile::BookSlots; ++i)
                bookOf(city, book)[i] = save.books[book][i];
    }
    city.streetTrash = save.streetTrash;
}

void applyGame(Game& game, const SaveFile& save)
{
    game.day = save.day;
    game.clicks = save.clicks;
    game.actionCost = save.actionCost;
    game.unlockFlags = save.unlockFlags;
    game.warningFlags = save.warningFlags;
    game.reservedA = save.reservedA;
    game.reservedB = save.reservedB;
    game.helpFlags = save.helpFlags;
    game.action.reset();
    game.action.id = save.actionId;
    game.action.clicksNeeded = save.actionClicksNeeded;
    game.action.progress = save.actionProgress;
    game.action.tileId = save.actionTileId;
    game.buildRate = save.buildRate;
    game.fireStationDay = save.fireStationDay;
    game.policeDay = save.policeDay;
    game.hospitalDay = save.hospitalDay;
    for (int i = 0; i < 4; ++i)
        game.housingDemand[i] = save.housingDemand[i];
    for (int i = 0; i < SaveFile::GoodsSlots; ++i)
    {
        game.goodsProduction[i] = save.goodsProduction[i];
        game.goodsDemand[i] = save.goodsDemand[i];
        game.goodsIncome[i] = save.goodsIncome[i];
        game.goodsPrice[i] = save.goodsPrice[i];
    }
}

// Ids move with the contents when the map turns, and the file keeps only the
// number of turns: turn a square grid's fresh ids as often (a left turn takes
// the contents of (width - 1 - y, x)). The running action finds its tile by id.
void turnIds(Map& map, int rotation)
{
    if (map.width != map.height)
        return;
    int turns = ((rotation % 4) + 4) % 4;
    int last = map.width - 1;
    std::vector<unsigned int> old(map.tiles.size());
    for (int turn = 0; turn < turns; ++turn)
    {
        for (size_t i = 0; i < map.tiles.size(); ++i)
            old[i] = map.tiles[i].id;
        for (Tile& tile : map.tiles)
            tile.id = old[(last - tile.y) + tile.x * map.width];
    }
}

void fillMap(Map& map, const SaveFile& save)
{
    map.rotation = save.rotation;
    turnIds(map, save.rotation);
    for (size_t i = 0; i < save.tiles.size() && i < map.tiles.size(); ++i)
    {
        const SavedTile& saved = save.tiles[i];
        Tile& tile = map.tiles[i];
        tile.type = saved.type;
        tile.facing = saved.facing;
        tile.flags = static_cast<unsigned char>(TileOffScreen | (saved.revealed ? TileRevealed : 0) |
                                                (saved.burning ? TileBurning : 0));
        tile.crime = saved.crime;
        tile.fireSafety = saved.fireSafety;
        tile.health = saved.health;
        if (!saved.hasRecord)
            continue;
        Building* building = makeRecord(saved.type, saved.record);
        building->tile = &tile;
        tile.building = building;
        if (House* house = dynamic_cast<House*>(building))
            house->shownWarnings = warningsOf(tile);
    }
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
        fresh->renderer = old->renderer;
        old->renderer = nullptr;
        if (fresh->renderer)
            fresh->renderer->map = fresh;
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
        applyCity(*this, save);
        Map* old = replaceMap(*this, fresh.release());
        rebuild(*this);
        // The windows that showed its tiles are closed now.
        delete old;
    }
    tiles.reset();
    std::printf("game loaded from slot %d!\n", slot);
    return true;
}
