#include "simulation/BuildingKinds.h"

#include "simulation/Tile.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace
{
// Cheap enough that a town of roads and small houses fits the starting 25,000
// many times over; services, factories and offices are the big decisions.
// Planting, demolishing and firefighting do not get faster with the build rate.
constexpr ActionKind action(int id, const char* title, int price, int clicks, int unlock, const char* sound,
                            float shake, const char* icon, const char* upgradeIcon = "", float decay = 1.0f)
{
    bool manual = id == ActionPlantTree || id == ActionDemolish || id == ActionPutOutFires;
    return {id, title, price, clicks, manual, unlock, sound, shake, decay, icon, upgradeIcon};
}

constexpr ActionKind noAction = {ActionNone, "", 0, 0, false, UnlockNone, "", 0.0f, 1.0f, "", ""};

constexpr const char* plopRoad = "plop_road";
constexpr const char* plopBuilding = "plop_building";
} // namespace

constexpr int serviceRange = 12;

// clang-format off
constexpr BuildingKind buildingKinds[] = {
    // type, level, record, name,
    // its action (id, title, price, clicks, unlock, sound, shake, icon, upgrade icon, decay),
    // capacity, range, jobs, base income, daily cost, waste a day, sprite, variants
    {TileRoad, 0, RecordNone, "Road",
     action(ActionRoad, "Build road", 20, 10, UnlockNone, plopRoad, 0.36f, "ui/action_road", "", 1.2f),
     0, 0, 0, 0, -1, 0.0, "", 0},
    {TileHouse, 1, RecordHouse, "Small house",
     action(ActionSmallHousing, "Build small housing", 100, 25, UnlockNone, plopBuilding, 0.5f, "ui/action_housing"),
     3, 0, 0, 2, 0, 0.2, "house_small_%d", 4},
    {TileHouse, 2, RecordHouse, "Large house",
     action(ActionLargeHousing, "Build large housing", 250, 40, UnlockLargeHouse, plopBuilding, 0.54f,
            "ui/action_housing_large", "ui/action_housing_large_upgrade"),
     6, 0, 0, 4, 0, 0.45, "house_large_%d", 3},
    {TileHouse, 3, RecordHouse, "Flats",
     action(ActionFlats, "Build flats", 600, 75, UnlockFlats, plopBuilding, 0.58f, "ui/action_flats",
            "ui/action_flats_upgrade"),
     15, 0, 0, 8, 0, 1.0, "flats_%d", 4},
    {TileOffice, 0, RecordOffice, "Office building",
     action(ActionCommercial, "Build commercial building", 6000, 100, UnlockOffice, plopBuilding, 0.65f,
            "ui/action_commercial"),
     0, 12, 100, 50, 0, 1.75, "commercial_%d", 4},
    {TileShop, 1, RecordShop, "Market",
     action(ActionMarket, "Build market", 250, 20, UnlockNone, plopBuilding, 0.4f, "ui/action_market"),
     15, 4, 0, 5, 0, 0.1, "market", 0},
    {TileShop, 2, RecordShop, "Shop",
     action(ActionShop, "Build shop", 600, 35, UnlockNone, plopBuilding, 0.5f, "ui/action_shop",
            "ui/action_shop_upgrade"),
     50, 6, 0, 10, 0, 0.25, "shop", 0},
    {TileShop, 3, RecordShop, "Convenience store",
     action(ActionConvenienceStore, "Build convenience store", 1500, 60, UnlockConvenienceStore, plopBuilding, 0.5f,
            "ui/action_convenience_store"),
     100, 8, 0, 15, 0, 0.4, "convenience_store", 0},
    {TileTree, 0, RecordNone, "Tree",
     action(ActionPlantTree, "Plant tree", 10, 10, UnlockNone, plopRoad, 0.2f, "ui/action_plant_tree"),
     0, 0, 0, 0, 0, 0.0, "tree1", 0},
    {TilePark, 0, RecordNone, "Park",
     action(ActionPark, "Build park", 150, 15, UnlockNone, plopBuilding, 0.32f, "ui/action_park"),
     0, 0, 0, 0, -10, 0.0, "park1", 0},
    {TileWaterTower, 0, RecordWater, "Water tower",
     action(ActionWaterTower, "Build water tower", 1000, 40, UnlockNone, plopBuilding, 0.5f, "ui/action_watertower"),
     50, 10, 0, 0, -15, 0.0, "watertower", 0},
    {TilePumpingStation, 0, RecordWater, "Pumping station",
     action(ActionPumpingStation, "Build pumping station", 3500, 55, UnlockPumpingStation, plopBuilding, 0.6f,
            "ui/action_pumping_station"),
     250, 8, 0, 0, -35, 0.0, "pumping_station", 0},
    {TileFactory, 0, RecordFactory, "Factory",
     action(ActionFactory, "Build factory", 2500, 50, UnlockNone, plopBuilding, 0.5f, "ui/action_factory"),
     0, 10, 40, 15, 0, 4.0, "factory_%d", 2},
    {TileLandfill, 0, RecordLandfill, "Landfill",
     action(ActionLandfill, "Build landfill area", 2000, 20, UnlockLandfill, plopRoad, 0.4f, "ui/action_landfill"),
     10000, 0, 0, 0, 0, 0.0, "landfill", 0},
    {TileHospital, 0, RecordService, "Hospital",
     action(ActionHospital, "Build hospital", 4000, 55, UnlockHospital, plopBuilding, 0.5f, "ui/action_hospital"),
     0, serviceRange, 0, 0, -50, 1.25, "hospital", 0},
    {TileFireStation, 0, RecordService, "Fire station",
     action(ActionFireStation, "Build fire station", 3000, 50, UnlockFireStation, plopBuilding, 0.5f,
            "ui/action_fire_station"),
     0, serviceRange, 0, 0, -40, 0.0, "fire_station", 0},
    {TilePoliceStation, 0, RecordService, "Police station",
     action(ActionPoliceStation, "Build police station", 3000, 50, UnlockPoliceStation, plopBuilding, 0.5f,
            "ui/action_police_station"),
     0, serviceRange, 0, 0, -40, 0.0, "police_station", 0},
    {TileEmpty, 0, RecordNone, "Empty land",
     noAction,
     0, 0, 0, 0, 0, 0.0, "", 0},
    {TileRubble, 0, RecordNone, "Rubble",
     noAction,
     0, 0, 0, 0, 0, 0.0, "rubble", 0},
};
// clang-format on

const int buildingKindCount = sizeof(buildingKinds) / sizeof(buildingKinds[0]);

namespace
{
// The actions that build nothing.
constexpr ActionKind demolish = action(ActionDemolish, "Demolish", 25, 8, UnlockNone, "demolish", 0.25f,
                                       "ui/action_clear");
// A fire is never bought, and its clicks come from the fires.
constexpr ActionKind putOutFires = action(ActionPutOutFires, "Put out fires!", 0, 0, UnlockNone, "putoutfire", 0.65f,
                                          "");
} // namespace

bool isUnlocked(int unlockFlags, int bit)
{
    return bit == UnlockNone || (unlockFlags >> bit & 1) != 0;
}

const BuildingKind* buildingKind(int type, int level)
{
    bool levelled = type == TileHouse || type == TileShop;
    for (const BuildingKind& kind : buildingKinds)
        if (kind.type == type && (!levelled || kind.level == level))
            return &kind;
    return nullptr;
}

const BuildingKind* upgradeOf(int type, int level)
{
    // Only houses and shops have levels; a record without one has no next.
    if ((type != TileHouse && type != TileShop) || level < 1)
        return nullptr;
    return buildingKind(type, level + 1);
}

int recordOfType(int type)
{
    // Read for every revealed tile when the lists are rebuilt: looked up once.
    static const std::array<int, TileTypeCount> records = [] {
        std::array<int, TileTypeCount> byType{};
        for (int t = 0; t < TileTypeCount; ++t)
        {
            const BuildingKind* kind = buildingKind(t, 1);
            byType[t] = kind ? kind->record : RecordNone;
        }
        return byType;
    }();
    return type >= 0 && type < TileTypeCount ? records[type] : RecordNone;
}

const BuildingKind* kindBuiltBy(int actionId)
{
    if (actionId == ActionNone)
        return nullptr;
    for (const BuildingKind& kind : buildingKinds)
        if (kind.build.id == actionId)
            return &kind;
    return nullptr;
}

const ActionKind* actionKind(int actionId)
{
    if (actionId == ActionDemolish)
        return &demolish;
    if (actionId == ActionPutOutFires)
        return &putOutFires;
    const BuildingKind* kind = kindBuiltBy(actionId);
    return kind ? &kind->build : nullptr;
}

std::vector<std::string> spriteNames(const BuildingKind& kind)
{
    if (kind.sprite[0] == '\0')
        return {};
    if (kind.variants == 0)
        return {kind.sprite};
    std::vector<std::string> names;
    char name[64];
    for (int i = 1; i <= kind.variants; ++i)
    {
        std::snprintf(name, sizeof name, kind.sprite, i);
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> kindSpriteNames()
{
    std::vector<std::string> names;
    auto add = [&names](const std::string& name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const BuildingKind& kind : buildingKinds)
        for (const std::string& name : spriteNames(kind))
            add(name);
    for (int id = ActionNone + 1; id < ActionCount; ++id)
    {
        if (const ActionKind* action = actionKind(id))
        {
            add(action->icon);
            add(action->upgradeIcon);
        }
    }
    return names;
}
