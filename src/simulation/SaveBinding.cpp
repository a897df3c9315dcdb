#include "simulation/SaveBinding.h"

#include "game/Game.h"
#include "simulation/Building.h"
#include "simulation/BuildingKinds.h"
#include "simulation/City.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Map.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/Tile.h"
#include "simulation/WaterSupply.h"

#include <SFML/System/Lock.hpp>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

namespace
{
// A value as saved: an atomic field of a record is read whole.
template <typename T>
T plain(const T& value)
{
    return value;
}

template <typename T>
T plain(const std::atomic<T>& value)
{
    return value.load();
}

// One saved value: where it lives in the running game and where in the
// file, so that the same line both captures and applies it.
template <typename Owner, typename Saved>
struct Binding
{
    std::function<void(const Owner&, Saved&)> capture;
    std::function<void(Owner&, const Saved&)> apply;
};

// A field of an object bound to a field of the file.
template <typename Owner, typename Saved, typename Member, typename Field>
Binding<Owner, Saved> bind(Member Owner::*member, Field Saved::*field)
{
    return {[member, field](const Owner& owner, Saved& saved) { saved.*field = plain(owner.*member); },
            [member, field](Owner& owner, const Saved& saved) { owner.*member = saved.*field; }};
}

// A field of a building record of a kind bound to a field of the saved record.
template <typename Record, typename Member, typename Field>
Binding<Building, SavedRecord> bindRecord(Member Record::*member, Field SavedRecord::*field)
{
    return {[member, field](const Building& b, SavedRecord& r) { r.*field = plain(static_cast<const Record&>(b).*member); },
            [member, field](Building& b, const SavedRecord& r) { static_cast<Record&>(b).*member = r.*field; }};
}

// A value reached through a function, for what lies in a part of the owner.
template <typename Owner, typename Saved, typename T, typename Field>
Binding<Owner, Saved> bindVia(T& (*reach)(Owner&), Field Saved::*field)
{
    return {[reach, field](const Owner& owner, Saved& saved) { saved.*field = reach(const_cast<Owner&>(owner)); },
            [reach, field](Owner& owner, const Saved& saved) { reach(owner) = saved.*field; }};
}

// The game's own counters, flags and running action. The action's tile is
// found again by its id once the map stands.
const std::vector<Binding<Game, SaveFile>>& gameBindings()
{
    static const std::vector<Binding<Game, SaveFile>> bindings = {
        bind(&Game::day, &SaveFile::day),
        bind(&Game::clicks, &SaveFile::clicks),
        bind(&Game::actionCost, &SaveFile::actionCost),
        bind(&Game::unlockFlags, &SaveFile::unlockFlags),
        bind(&Game::warningFlags, &SaveFile::warningFlags),
        bind(&Game::reservedA, &SaveFile::reservedA),
        bind(&Game::reservedB, &SaveFile::reservedB),
        bind(&Game::helpFlags, &SaveFile::helpFlags),
        bindVia(+[](Game& g) -> int& { return g.action.id; }, &SaveFile::actionId),
        bindVia(+[](Game& g) -> int& { return g.action.clicksNeeded; }, &SaveFile::actionClicksNeeded),
        bindVia(+[](Game& g) -> double& { return g.action.progress; }, &SaveFile::actionProgress),
        bind(&Game::buildRate, &SaveFile::buildRate),
        bindVia(+[](Game& g) -> int& { return g.action.tileId; }, &SaveFile::actionTileId),
        bind(&Game::fireStationDay, &SaveFile::fireStationDay),
        bind(&Game::policeDay, &SaveFile::policeDay),
        bind(&Game::hospitalDay, &SaveFile::hospitalDay),
    };
    return bindings;
}

// A table of reals in the running game and the file's table that holds it.
struct Table
{
    double* game;
    double* save;
    int slots;
};

// The game's tables: housing demand and goods.
std::vector<Table> gameTables(Game& game, SaveFile& save)
{
    return {{game.housingDemand, save.housingDemand, 4},
            {game.goodsProduction, save.goodsProduction, SaveFile::GoodsSlots},
            {game.goodsDemand, save.goodsDemand, SaveFile::GoodsSlots},
            {game.goodsIncome, save.goodsIncome, SaveFile::GoodsSlots},
            {game.goodsPrice, save.goodsPrice, SaveFile::GoodsSlots}};
}

// The city's books, in the file's book order.
std::vector<Table> bookTables(City& city, SaveFile& save)
{
    double* books[SaveFile::BookCount] = {city.yearIncomes,      city.yearExpenses,      city.lastYearIncomes,
                                          city.lastYearExpenses, city.monthIncomes,      city.monthExpenses,
                                          city.lastMonthIncomes, city.lastMonthExpenses};
    std::vector<Table> tables;
    for (int book = 0; book < SaveFile::BookCount; ++book)
        tables.push_back({books[book], save.books[book], SaveFile::BookSlots});
    return tables;
}

// What the money mutex guards, besides the books and the balance.
const std::vector<Binding<City, SaveFile>>& cityBindings()
{
    static const std::vector<Binding<City, SaveFile>> bindings = {
        bind(&City::loan, &SaveFile::loan),
        bind(&City::profitYesterday, &SaveFile::profitYesterday),
    };
    return bindings;
}

// What a tile holds besides its flags and record.
const std::vector<Binding<Tile, SavedTile>>& tileBindings()
{
    static const std::vector<Binding<Tile, SavedTile>> bindings = {
        bind(&Tile::type, &SavedTile::type),
        bind(&Tile::facing, &SavedTile::facing),
        bind(&Tile::crime, &SavedTile::crime),
        bind(&Tile::fireSafety, &SavedTile::fireSafety),
        bind(&Tile::health, &SavedTile::health),
    };
    return bindings;
}

// The fields of a building record: the head every record has, then its kind's own.
const std::vector<Binding<Building, SavedRecord>>& recordBindings(int type)
{
    typedef std::vector<Binding<Building, SavedRecord>> List;
    static const List head = {
        bindRecord(&Building::baseIncome, &SavedRecord::baseIncome),
        bindRecord(&Building::lastIncome, &SavedRecord::lastIncome),
        bindRecord(&Building::pendingIncome, &SavedRecord::pendingIncome),
        bindRecord(&Building::wastePerDay, &SavedRecord::wastePerDay),
    };
    static const List house = {
        bindRecord(&House::level, &SavedRecord::level),
        bindRecord(&House::capacity, &SavedRecord::capacity),
        bindRecord(&House::shoppingDemand, &SavedRecord::shoppingDemand),
        bindRecord(&House::waterDemand, &SavedRecord::waterDemand),
        bindRecord(&House::jobDemand, &SavedRecord::jobDemand),
        bindRecord(&House::rentOffset, &SavedRecord::rentOffset),
        bindRecord(&House::residents, &SavedRecord::residents),
        bindRecord(&House::shownNeeds, &SavedRecord::shownNeeds),
        bindRecord(&House::growth, &SavedRecord::growth),
        bindRecord(&House::shownAttractiveness, &SavedRecord::shownAttractiveness),
        bindRecord(&House::sickness, &SavedRecord::sickness),
        bindRecord(&House::fireDamage, &SavedRecord::fireDamage),
    };
    static const List shop = {
        bindRecord(&Shop::level, &SavedRecord::level),
        bindRecord(&Shop::customers, &SavedRecord::customers),
        bindRecord(&Shop::capacity, &SavedRecord::capacity),
        bindRecord(&Shop::range, &SavedRecord::range),
    };
    static const List water = {
        bindRecord(&WaterSupply::supplied, &SavedRecord::supplied),
        bindRecord(&WaterSupply::capacity, &SavedRecord::capacity),
        bindRecord(&WaterSupply::range, &SavedRecord::range),
    };
    // Offices share the factory's layout; their line has no efficiency or goods.
    static const List office = {
        bindRecord(&Factory::workers, &SavedRecord::workers),
        bindRecord(&Factory::jobs, &SavedRecord::jobs),
        bindRecord(&Factory::range, &SavedRecord::range),
    };
    static const List factory = [] {
        List fields = office;
        fields.push_back(bindRecord(&Factory::efficiency, &SavedRecord::efficiency));
        fields.push_back(bindRecord(&Factory::goodsType, &SavedRecord::goodsType));
        return fields;
    }();
    static const List landfill = {
        bindRecord(&Landfill::fill, &SavedRecord::fill),
        bindRecord(&Landfill::capacity, &SavedRecord::capacity),
    };
    static const List none;
    if (type == -1)
        return head;
    switch (recordOfType(type))
    {
    case RecordHouse:
        return house;
    case RecordShop:
        return shop;
    case RecordWater:
        return water;
    case RecordFactory:
        return factory;
    case RecordOffice:
        return office;
    case RecordLandfill:
        return landfill;
    default:
        return none;
    }
}

// The head's fields, then the kind's.
template <typename Visit>
void forRecordFields(int type, Visit visit)
{
    for (const Binding<Building, SavedRecord>& field : recordBindings(-1))
        visit(field);
    for (const Binding<Building, SavedRecord>& field : recordBindings(type))
        visit(field);
}

SavedRecord captureRecord(int type, const Building& building)
{
    SavedRecord r;
    forRecordFields(type, [&](const Binding<Building, SavedRecord>& field) { field.capture(building, r); });
    return r;
}

// A new, empty record of the tile type's kind.
Building* newRecord(int type)
{
    switch (recordOfType(type))
    {
    case RecordHouse:
        return new House();
    case RecordShop:
        return new Shop();
    case RecordWater:
        return new WaterSupply();
    case RecordFactory:
        return new Factory();
    case RecordOffice:
        return new Commercial();
    case RecordLandfill:
        return new Landfill();
    default:
        return new Building();
    }
}

// A new record of the tile type's kind holding the saved fields.
Building* makeRecord(int type, const SavedRecord& r)
{
    Building* building = newRecord(type);
    forRecordFields(type, [&](const Binding<Building, SavedRecord>& field) { field.apply(*building, r); });
    // A house's working attractiveness starts the day from the one it showed.
    if (type == TileHouse)
        static_cast<House*>(building)->attractiveness = r.shownAttractiveness;
    return building;
}

// The risks a house shows are what its tile held after the last day.
int warningsOf(const Tile& tile)
{
    return (tile.crime > 0.0 ? WarnCrime : 0) | (tile.fireSafety < 0.0 ? WarnFireHazard : 0) |
           (tile.health < 0.0 ? WarnNoHospital : 0);
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
} // namespace

// The game's counters, flags, action, housing demand and goods tables.
void captureState(Game& game, SaveFile& save)
{
    for (const Binding<Game, SaveFile>& field : gameBindings())
        field.capture(game, save);
    for (const Table& t : gameTables(game, save))
        std::copy(t.game, t.game + t.slots, t.save);
}

void applyGame(Game& game, SaveFile& save)
{
    game.action.reset();
    for (const Binding<Game, SaveFile>& field : gameBindings())
        field.apply(game, save);
    for (const Table& t : gameTables(game, save))
        std::copy(t.save, t.save + t.slots, t.game);
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
        for (const Binding<City, SaveFile>& field : cityBindings())
            field.capture(city, save);
        for (const Table& t : bookTables(city, save))
            std::copy(t.game, t.game + t.slots, t.save);
    }
    save.streetTrash = city.streetTrash.load();
}

void applyCity(City& city, SaveFile& save)
{
    city.setMoney(save.money);
    {
        sf::Lock lock(city.populationMutex);
        city.population = save.population;
    }
    {
        sf::Lock lock(city.moneyMutex);
        for (const Binding<City, SaveFile>& field : cityBindings())
            field.apply(city, save);
        city.profitToday = 0.0;
        city.pendingMoney = 0.0;
        for (const Table& t : bookTables(city, save))
            std::copy(t.save, t.save + t.slots, t.game);
    }
    city.streetTrash = save.streetTrash;
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
        for (const Binding<Tile, SavedTile>& field : tileBindings())
            field.capture(tile, saved);
        unsigned char flags = tile.flags;
        saved.revealed = (flags & TileRevealed) != 0;
        saved.burning = (flags & TileBurning) != 0;
        saved.hasRecord = tile.building != nullptr;
        if (tile.building)
            saved.record = captureRecord(tile.type, *tile.building);
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
        for (const Binding<Tile, SavedTile>& field : tileBindings())
            field.apply(tile, saved);
        tile.flags = static_cast<unsigned char>(TileOffScreen | (saved.revealed ? TileRevealed : 0) |
                                                (saved.burning ? TileBurning : 0));
        if (!saved.hasRecord)
            continue;
        Building* building = makeRecord(saved.type, saved.record);
        building->tile = &tile;
        tile.building = building;
        if (House* house = dynamic_cast<House*>(building))
            house->shownWarnings = warningsOf(tile);
    }
}
