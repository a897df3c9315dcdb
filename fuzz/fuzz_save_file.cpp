// A save slot as anyone may have left it: loaded by Game::loadGame into a
// headless game with a small running city. A refused file must
// leave that city as it was; a loaded one must keep the city's promises, run
// its days, and save and load again to the very same text.

#include "FuzzSupport.h"
#include "SaveableGame.h"
#include "ScriptedCity.h"

#include "resources/Font.h"
#include "resources/Utils.h"
#include "simulation/Building.h"
#include "simulation/City.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

const int inputSlot = 1;
const int savedSlot = 2;
const int againSlot = 3;

std::string slotText(int slot)
{
    std::ifstream in(getSavesPath() + std::to_string(slot) + ".sav", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The running city as its save text.
std::string savedText(Game& game, int slot)
{
    fuzz::check(game.saveGame(slot), "the running city saves");
    return slotText(slot);
}

bool finite(double value)
{
    return std::isfinite(value);
}

bool allFinite(const double* values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!finite(values[i]))
            return false;
    return true;
}

void checkRecord(const Tile& tile)
{
    const Building& b = *tile.building;
    fuzz::check(finite(b.lastIncome) && finite(b.pendingIncome) && finite(b.wastePerDay), "record head finite");
    if (const House* house = dynamic_cast<const House*>(&b))
    {
        fuzz::check(house->level >= 1 && house->level <= 3, "house level 1..3");
        fuzz::check(house->capacity >= 0 && house->residents.load() >= 0 &&
                        house->residents.load() <= house->capacity,
                    "residents within capacity");
        fuzz::check(finite(house->growth.load()) && finite(house->shownAttractiveness.load()) &&
                        finite(house->attractiveness) && finite(house->sickness) && finite(house->fireDamage),
                    "house reals finite");
    }
    else if (const Shop* shop = dynamic_cast<const Shop*>(&b))
    {
        fuzz::check(shop->level >= 1 && shop->level <= 3, "shop level 1..3");
        fuzz::check(shop->customers.load() >= 0 && shop->capacity >= 0 && shop->range >= 0, "shop counts");
    }
    else if (const WaterSupply* water = dynamic_cast<const WaterSupply*>(&b))
    {
        fuzz::check(water->supplied.load() >= 0 && water->capacity >= 0 && water->range >= 0, "water counts");
    }
    else if (const Factory* work = dynamic_cast<const Factory*>(&b))
    {
        fuzz::check(work->workers.load() >= 0 && work->jobs >= 0 && work->range >= 0, "workplace counts");
        fuzz::check(finite(work->efficiency.load()), "efficiency finite");
        fuzz::check(work->goodsType >= 0 && work->goodsType <= 2, "goods kind 0..2");
    }
    else if (const Landfill* landfill = dynamic_cast<const Landfill*>(&b))
    {
        double fill = landfill->fill.load();
        fuzz::check(landfill->capacity >= 0 && fill >= 0.0 && fill <= landfill->capacity, "landfill fill");
    }
}

void checkMap(Map& map)
{
    fuzz::check(map.width >= 1 && map.height >= 1 && map.width <= SaveFile::MaxSide &&
                    map.height <= SaveFile::MaxSide &&
                    map.tiles.size() == static_cast<size_t>(map.width) * map.height,
                "map size");
    // Types, records of their type's kind and the per-type lists, as the soak checks them.
    std::string fault = scripted::checkRecordsAndLists(map);
    fuzz::check(fault.empty(), fault.c_str());
    for (Tile& tile : map.tiles)
    {
        fuzz::check(tile.facing >= 0 && tile.facing <= 4, "tile facing");
        fuzz::check(finite(tile.crime) && finite(tile.fireSafety) && finite(tile.health), "tile risks finite");
        if (tile.building)
            checkRecord(tile);
    }
}

// What a loaded city promises everything that later computes with it.
void checkCity(Game& game)
{
    City& city = *game.city;
    fuzz::check(finite(city.money) && finite(city.profitYesterday) && finite(city.profitToday) &&
                    finite(city.pendingMoney),
                "money finite");
    fuzz::check(city.population >= 0, "population not negative");
    fuzz::check(city.loan >= 0, "loan not negative");
    for (const double* book : {city.yearIncomes, city.yearExpenses, city.lastYearIncomes, city.lastYearExpenses,
                               city.monthIncomes, city.monthExpenses, city.lastMonthIncomes, city.lastMonthExpenses})
        fuzz::check(allFinite(book, City::BookSize), "books finite");
    double trash = city.streetTrash.load();
    fuzz::check(finite(trash) && trash >= 0.0, "street trash");
    double shares[3] = {city.lowerShare, city.middleShare, city.upperShare};
    fuzz::check(allFinite(shares, 3) && shares[0] >= 0.0 && shares[1] >= 0.0 && shares[2] >= 0.0 &&
                    std::fabs(shares[0] + shares[1] + shares[2] - 1.0) < 1e-9,
                "class shares sum to 1");
    for (double demand : game.housingDemand)
        fuzz::check(demand >= 0.0 && demand <= 1.0, "housing demand 0..1");
    fuzz::check(allFinite(game.goodsProduction, 8) && allFinite(game.goodsDemand, 8) &&
                    allFinite(game.goodsIncome, 8) && allFinite(game.goodsPrice, 8),
                "goods finite");
    fuzz::check(finite(game.action.progress) && finite(game.buildRate), "action reals finite");
    fuzz::check(game.action.id >= 0 && game.action.id <= 19, "action id");
    checkMap(*game.map);
}

// The city a refused load must leave alone: a small one (a new game's
// 75 x 75 grid would cost more than the load itself) with a house, a shop
// and a workplace along a road, a loan and a road half built.
void startCity(Game& game)
{
    std::srand(1);
    Map& map = *game.map;
    map.create(8, 3, true);
    for (Tile& tile : map.tiles)
    {
        tile.type = TileEmpty;
        tile.flags = TileRevealed;
    }
    for (int x = 0; x < 8; ++x)
        map.getTile(x, 1)->setType(TileRoad, 0);
    map.getTile(1, 0)->setType(TileHouse, 1);
    map.getTile(2, 0)->setType(TileShop, 1);
    map.getTile(3, 0)->setType(TileFactory, 0);
    map.recalculateVisibleTiles();
    map.updateTileActions();
    game.city->setMoney(25000);
    game.city->takeLoan(1000);
    game.day = 12;
    game.countHousesByLevel();
    game.updateHousingDemand();
    game.city->updateSocialClasses();
    Tile& site = *map.getTile(6, 2);
    if (!site.actions.empty())
        game.startAction(static_cast<int>(site.id), 0, 10);
    game.progressAction();
    fuzz::check(game.action.tile == &site, "the running city builds a road");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceLogs();
    setBasePath(fuzz::scratchDir());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A game per input: a loaded city, its dialogs and its days leave
    // nothing behind for the next input.
    fixtures::SaveableGame made;
    Game& game = made.game;
    startCity(game);
    static const std::string running = savedText(game, savedSlot);

    mkdir(getSavesPath().c_str(), 0755);
    fuzz::writeScratch(("saves/" + std::to_string(inputSlot) + ".sav").c_str(), data, size);
    std::srand(2);
    if (!game.loadGame(inputSlot))
    {
        fuzz::check(savedText(game, savedSlot) == running, "a refused file changes nothing");
        fuzz::check(game.action.tile == game.map->getTile(6, 2), "a refused file keeps the action's tile");
        std::vector<ShownMessage> shown = fixtures::shownMessages(game.ui->getRoot());
        fuzz::check(shown.size() >= 2 && shown[shown.size() - 2].title == Font::toUpper("Oh no."),
                    "a refused file says so");
        return 0;
    }
    checkCity(game);

    for (int day = 0; day < 2; ++day)
    {
        fuzz::check(game.nextDay() != 0, "a loaded city runs its day");
        fuzz::check(fixtures::waitForDay(game, 5000), "a day ends");
        game.ui->runPosted();
        checkCity(game);
    }

    std::string saved = savedText(game, savedSlot);
    fuzz::check(game.loadGame(savedSlot), "what the game saved loads");
    fuzz::check(savedText(game, againSlot) == saved, "saving again gives the same text");
    return 0;
}
