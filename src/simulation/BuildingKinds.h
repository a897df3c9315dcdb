#ifndef QUILLFENN_SIMULATION_BUILDINGKINDS_H
#define QUILLFENN_SIMULATION_BUILDINGKINDS_H

// What the game knows of each kind of building and of each action, in one
// place: the records are made, priced, offered, named and drawn from here.
// A new building kind is one record below, its art and its behaviour.

#include <string>
#include <vector>

// The actions, by the ids the tiles and the save file use.
enum ActionId
{
    ActionNone = 0,
    ActionRoad = 1,
    ActionSmallHousing = 2,
    ActionLargeHousing = 3,
    ActionFlats = 4,
    ActionShop = 5,
    ActionMarket = 6,
    ActionConvenienceStore = 7,
    ActionPark = 8,
    ActionWaterTower = 9,
    ActionFactory = 10,
    ActionFireStation = 11,
    ActionPoliceStation = 12,
    ActionHospital = 13,
    ActionCommercial = 14,
    ActionPlantTree = 15,
    ActionDemolish = 16,
    ActionPutOutFires = 17,
    ActionPumpingStation = 18,
    ActionLandfill = 19,
    // How many ids there are; a new action goes above.
    ActionCount
};

// The bits of Game::unlockFlags: what opens up as the city grows.
enum UnlockBit
{
    UnlockNone = -1, // there from the start
    UnlockLargeHouse = 0,
    UnlockConvenienceStore = 1,
    UnlockFlats = 2,
    UnlockPoliceStation = 3,
    UnlockHospital = 4,
    UnlockFireStation = 5,
    UnlockOffice = 6,
    UnlockPumpingStation = 7,
    UnlockLandfill = 8
};

// Whether an unlock is set in a set of unlock flags; UnlockNone always is.
bool isUnlocked(int unlockFlags, int bit);

// The record a building keeps on its tile: what it is made as, and what the
// save file holds of it.
enum BuildingRecord
{
    RecordNone = 0, // nothing beyond the tile: roads, trees, parks, empty land, rubble
    RecordService,  // the shared head alone: fire, police and hospital
    RecordHouse,
    RecordShop,
    RecordWater,
    RecordFactory,
    RecordOffice,
    RecordLandfill
};

// One action: what it takes, what it costs, how it looks and sounds.
struct ActionKind
{
    int id;              // ActionId
    const char* title;   // as the build title and the actions window show it
    int price;           // paid as Construction when the player chooses it
    int clicksNeeded;    // progress it needs
    bool manualWork;     // progress 1 a click, whatever the build rate
    int unlock;          // UnlockBit it waits for
    const char* sound;   // played when it completes
    float shakeStrength; // of the screen when it completes
    float shakeDecay;
    const char* icon;        // its button in the actions window
    const char* upgradeIcon; // the button on a building it improves, "" when the same
};

// One kind of building: a tile type at a level, and all the game knows of it.
struct BuildingKind
{
    int type;            // TileType
    int level;           // of a house or shop, 0 for the other kinds
    int record;          // BuildingRecord
    const char* name;    // as the information window heads it
    ActionKind build;    // the action that builds it
    int capacity;        // residents, customers, water, or what a landfill holds
    int range;           // square reach of a supplier or service, 0 for none
    int jobs;            // of a workplace
    int baseIncome;      // of a house, shop or workplace at its best
    int dailyCost;       // fixed daily upkeep of a kind without an income of its own
    double wastePerDay;  // of a new record
    const char* sprite;  // the map sprite; with variants, a name ending in "_%d", 1 to variants
    int variants;        // 0 for a single sprite
};

// Every kind of tile contents, empty land included: first those an empty
// road-side tile offers, in the order it offers them, then the others.
extern const BuildingKind buildingKinds[];
extern const int buildingKindCount;

// What stands on a tile of a type at a level (the level counts for houses
// and shops only); null for a house or shop level other than 1 to 3 and for
// unknown types.
const BuildingKind* buildingKind(int type, int level);

// The kind a building of a type and level is improved to: the same type one
// level up, or null when there is none.
const BuildingKind* upgradeOf(int type, int level);

// The kind of record a tile type keeps; RecordNone for unknown types.
int recordOfType(int type);

// The kind an action builds, or null (demolish, put out fires, unknown ids).
const BuildingKind* kindBuiltBy(int actionId);

// The action of an id, or null for ActionNone and unknown ids.
const ActionKind* actionKind(int actionId);

// The names of a kind's map sprites, one per variant; none for a kind drawn otherwise.
std::vector<std::string> spriteNames(const BuildingKind& kind);

// Every sprite the kinds and actions name: each kind's map sprites in table
// order, then the actions' icons by id, each once.
std::vector<std::string> kindSpriteNames();

// The range fire, police and hospital cover.
extern const int serviceRange;

#endif
