// A save slot as anyone may have left it: loaded by Game::loadGame into a
// headless game with a small running city. A refused file must leave that
// city as it was. A loaded one must keep the city's promises through a
// sequence of player steps seeded from the input (clicks, turns, loans,
// repayments, rents, prices, builds and upgrades, cancels and days), and
// what it saves then must load again and save to the very same text: from
// any file the loader accepts, whatever the player does, the game writes a
// file the loader accepts.

#include "FuzzSupport.h"
#include "SaveableGame.h"
#include "ScriptedCity.h"

#include "game/Screens.h"
#include "gui/Button.h"
#include "gui/Window.h"
#include "simulation/ActionPrices.h"

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

#include <climits>
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
    fuzz::check(city.population >= 0 && city.population <= SaveFile::MaxPopulation, "population in range");
    fuzz::check(city.loan >= -City::MaxLoan && city.loan <= City::MaxLoan, "loan in range");
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
    fuzz::check(game.day >= 0 && game.day <= SaveFile::MaxDay, "day in range");
    fuzz::check(game.clicks >= 0 && game.clicks <= 9, "clicks of the day");
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

// The player's steps, drawn from a generator seeded with the input: the
// fuzzer steers the file, and every file gets its own walk through the game.
class Player
{
public:
    Player(Game& game, const uint8_t* data, size_t size) : game(game)
    {
        // FNV-1a over the whole input.
        state = 14695981039346656037ull;
        for (size_t i = 0; i < size; ++i)
            state = (state ^ data[i]) * 1099511628211ull;
    }

    // A number below n (splitmix64).
    unsigned below(unsigned n)
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return static_cast<unsigned>(z % n);
    }

    void play()
    {
        int steps = 4 + static_cast<int>(below(29));
        for (int i = 0; i < steps; ++i)
        {
            step();
            // A day the step started ends before the next step, as the main loop would let it.
            fuzz::check(fixtures::waitForDay(game, 5000), "a day ends");
            game.ui->runPosted();
            checkCity(game);
        }
    }

private:
    enum Step
    {
        Click,
        Turn,
        Borrow,
        Repay,
        Rent,
        Price,
        Build,
        Cancel,
        Day,
        StepCount
    };

    void step()
    {
        switch (below(StepCount))
        {
        case Click:
            // A burst of clicks: the tenth of a day passes it.
            for (unsigned n = 1 + below(40); n > 0; --n)
            {
                game.progressAction();
                fuzz::check(fixtures::waitForDay(game, 5000), "a day of clicks ends");
            }
            break;
        case Turn:
            // A turn rebuilds every list of the map: turns stop at a budget
            // of tiles, so that an input runs well inside the time limit (a
            // new game's map does not turn here; the unit tests turn it).
            if (turnedTiles + static_cast<int>(game.map->tiles.size()) > maxTurnedTiles)
                break;
            turnedTiles += static_cast<int>(game.map->tiles.size());
            if (below(2))
                game.map->rotateLeft();
            else
                game.map->rotateRight();
            break;
        case Borrow:
            // What the finance window's "Borrow 5000" does, with the window
            // showing the books and the loan.
            game.ui_showExpenditure();
            game.city->takeLoan(5000);
            break;
        case Repay:
            game.ui_showExpenditure();
            game.city->repayLoan(5000);
            break;
        case Rent:
            rent();
            break;
        case Price:
            price();
            break;
        case Build:
            build();
            break;
        case Cancel:
            game.cancelAction();
            break;
        default:
            // The calendar button, sometimes with the city's window open.
            if (below(2))
                game.ui_showCityInfo();
            game.nextDay();
            break;
        }
    }

    // A revealed tile, one with a building when asked; null when there is none.
    Tile* someTile(bool withBuilding)
    {
        std::vector<Tile*> found;
        for (Tile* tile : game.map->revealedTiles)
            if (!withBuilding || tile->building)
                found.push_back(tile);
        return found.empty() ? nullptr : found[below(static_cast<unsigned>(found.size()))];
    }

    // Opens the information window of a building (a supplier's shows its
    // range) and, on a house, presses one of its rent buttons.
    void rent()
    {
        Tile* tile = someTile(true);
        if (!tile)
            return;
        game.ui_showTileInformation(tile);
        fuzz::check(screens::tileInformationWindow != nullptr, "the information window opens");
        const char* name = below(3) == 0 ? "rentIncrease" : "rentDecrease";
        for (unsigned n = 1 + below(8); n > 0; --n)
        {
            gui::Widget* found = screens::tileInformationWindow->findChildById(hashString(name), true);
            if (gui::Button* button = dynamic_cast<gui::Button*>(found))
                button->onClick();
        }
        game.ui_refreshTileInformation();
    }

    // Presses a price button of the production window.
    void price()
    {
        game.ui_showProduction();
        fuzz::check(screens::productionWindow != nullptr, "the production window opens");
        const char* names[] = {"pricePrevious", "priceNext", "priceReset"};
        std::string id = std::string(names[below(3)]) + std::to_string(below(3));
        for (unsigned n = 1 + below(20); n > 0; --n)
        {
            gui::Widget* found = screens::productionWindow->findChildById(hashString(id.c_str()), true);
            if (gui::Button* button = dynamic_cast<gui::Button*>(found))
                button->onClick();
        }
    }

    // Chooses an action a tile offers, upgrades first, and pays for it as the
    // actions window does.
    void build()
    {
        Tile* tile = someTile(false);
        if (!tile || tile->actions.empty() || game.currentAction().id != 0)
            return;
        size_t slot = below(static_cast<unsigned>(tile->actions.size()));
        for (size_t i = 0; i < tile->actions.size(); ++i)
        {
            int id = tile->actions[i];
            if ((id == 3 || id == 4 || id == 5 || id == 7) && below(2))
                slot = i;
        }
        int id = tile->actions[slot];
        int cost = actionPrice(id);
        if (game.city->money < cost)
            return;
        game.city->addMoney(-cost, FinanceCategory::Construction);
        game.startAction(static_cast<int>(tile->id), static_cast<int>(slot), cost);
    }

    // Tiles turned so far, and how many an input may turn (a small map at
    // every step).
    static constexpr int maxTurnedTiles = 5000;
    int turnedTiles = 0;

    Game& game;
    std::uint64_t state;
};

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

    Player player(game, data, size);
    player.play();

    std::string saved = savedText(game, savedSlot);
    fuzz::check(game.loadGame(savedSlot), "what the game saved loads");
    fuzz::check(savedText(game, againSlot) == saved, "saving again gives the same text");
    return 0;
}
