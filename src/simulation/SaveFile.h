#ifndef QUILLFENN_SIMULATION_SAVEFILE_H
#define QUILLFENN_SIMULATION_SAVEFILE_H

#include <string>
#include <vector>

// The building record of a saved tile: the head every record has, then the
// fields of its kind (a kind uses only its own; the rest stay 0).
struct SavedRecord
{
    int baseIncome = 0;
    double lastIncome = 0.0;
    double pendingIncome = 0.0;
    double wastePerDay = 0.0;

    int level = 0;
    int capacity = 0;
    int shoppingDemand = 0;
    int waterDemand = 0;
    int jobDemand = 0;
    int rentOffset = 0;
    int residents = 0;
    int shownNeeds = 0;
    double growth = 0.0;
    double shownAttractiveness = 0.0;
    double sickness = 0.0;
    double fireDamage = 0.0;
    int customers = 0;
    int range = 0;
    int supplied = 0;
    int workers = 0;
    int jobs = 0;
    double efficiency = 0.0;
    int goodsType = 0;
    double fill = 0.0;
};

// One "tile" line and, when it has a record, the lines after it.
struct SavedTile
{
    int x = 0;
    int y = 0;
    int type = 0;
    int facing = 0;
    bool revealed = false;
    double crime = 0.0;
    double fireSafety = 0.0;
    double health = 0.0;
    bool burning = false;
    bool hasRecord = false;
    SavedRecord record;
};

// A whole save file as plain data: what format() writes and parse() reads
// back, line for line. It knows nothing of the running game, so a damaged or
// hostile file is checked completely before anything of the city changes.
class SaveFile
{
public:
    // The only save version this game writes and reads.
    static constexpr int Version = 2;

    // The longest side the map builds; a longer one is refused, not replaced.
    static constexpr int MaxSide = 256;

    // No save file is anywhere near this; a larger one is refused unread.
    static constexpr long long MaxBytes = 64ll * 1024 * 1024;

    // No number of a city comes near this. A real beyond it (or not finite)
    // is refused, since the days' sums would run out of the finite range;
    // one that a day has pushed past it is written as the limit, so that
    // every saved city loads.
    static constexpr double MaxReal = 1e15;

    // The latest day a file may hold, and the last the calendar reaches: the
    // days counted from it (service grace periods) stay far inside an int.
    static constexpr int MaxDay = 1000000000;

    // The most residents one house may hold: every house of the largest map
    // at this count still sums to a population inside an int.
    static constexpr int MaxResidents = 10000;

    // The largest population a file may give: what such a map could hold.
    static constexpr int MaxPopulation = MaxSide * MaxSide * MaxResidents;

    // The farthest a supplier may reach: from one corner of the largest map
    // to the other. Ranges are added to tile positions, so they stay small.
    static constexpr int MaxRange = MaxSide;

    // The most clicks an action may need; the fire start adds to it.
    static constexpr int MaxClicksNeeded = 1000000;

    // Which book each of the eight book lines holds, in file order.
    enum Book
    {
        YearIncomes = 0,
        YearExpenses,
        LastYearIncomes,
        LastYearExpenses,
        MonthIncomes,
        MonthExpenses,
        LastMonthIncomes,
        LastMonthExpenses,
        BookCount
    };

    static constexpr int BookSlots = 32;
    static constexpr int GoodsSlots = 8;

    // The file's text, every real in its shortest exact form.
    std::string format() const;

    // Reads and checks a whole file's text; false with error and errorLine
    // set when it is refused. headerOnly stops after the "city info" line.
    bool parse(const std::string& text, bool headerOnly = false);

    // 0 after a parse() that could not read it.
    int version = Version;

    int day = 0;
    int clicks = 0;
    int actionCost = 0;
    int unlockFlags = 0;
    int warningFlags = 0;
    int reservedA = 0;
    int reservedB = 0;
    int helpFlags = 0;
    int actionId = 0;
    int actionClicksNeeded = 0;
    double actionProgress = 0.0;
    double buildRate = 1.0;
    int actionTileId = -1;
    int fireStationDay = 0;
    int policeDay = 0;
    int hospitalDay = 0;

    double money = 0.0;
    int population = 0;
    int loan = 0;
    double profitYesterday = 0.0;
    double streetTrash = 0.0;

    double housingDemand[4] = {};
    double goodsProduction[GoodsSlots] = {};
    double goodsDemand[GoodsSlots] = {};
    double goodsIncome[GoodsSlots] = {};
    double goodsPrice[GoodsSlots] = {};
    double books[BookCount][BookSlots] = {};

    int width = 0;
    int height = 0;
    int rotation = 0;
    std::vector<SavedTile> tiles;

    // Why parse() refused the text, and on which line (1 = the first).
    std::string error;
    int errorLine = 0;
};

#endif
