// One day of the city: what each building books, the services and their
// grace days, goods, waste, unlocks and the roll-overs of the books.

#include "SimFixture.h"

#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Shop.h"

#include <string>
#include "support/ConcurrencyTest.h"

namespace
{

int cat(FinanceCategory c)
{
    return static_cast<int>(c);
}

class DayTickTest : public SimTest
{
protected:
    void SetUp() override
    {
        blankMap(30, 30);
        const double prices[3] = {0.2, 0.4, 1.5};
        for (int kind = 0; kind < 3; ++kind)
            game.goodsPrice[kind] = prices[kind];
    }

    // A house whose residents stay as they are: a burning house does not grow.
    House* frozenHouse(int x, int y, int level, int residents)
    {
        House* house = static_cast<House*>(build(x, y, TileHouse, level));
        house->residents = residents;
        tile(x, y).flags |= TileBurning;
        return house;
    }

    // Runs a day with its log captured.
    std::string passDayLogged()
    {
        testing::internal::CaptureStdout();
        passDay();
        return testing::internal::GetCapturedStdout();
    }
};

CONCURRENCY_TEST_F(DayTickTest, EachBuildingBooksItsDayUnderItsCategory)
{
    for (int x = 0; x < 12; ++x)
        build(x, 10, TileRoad);
    build(0, 11, TilePark);
    build(1, 11, TilePark);
    build(2, 11, TileWaterTower);
    build(3, 11, TilePoliceStation);
    build(4, 11, TileFireStation);
    build(5, 11, TileHospital);
    build(6, 11, TileShop, 1);   // no customers: loses its base income
    build(7, 11, TileOffice);    // no workers: 50 x -40 / 60, rounded down
    build(8, 11, TileFactory);   // earns through goods only
    city.takeLoan(10000);
    passDay();

    struct Expected
    {
        FinanceCategory category;
        double expense;
    };
    const Expected expected[] = {
        {FinanceCategory::RoadMaintenance, -12.0}, {FinanceCategory::ParkMaintenance, -20.0},
        {FinanceCategory::WaterSupply, -15.0 - 2}, {FinanceCategory::PublicServices, -130.0},
        {FinanceCategory::ShopIncome, -5.0},       {FinanceCategory::OfficeIncome, -34.0},
        {FinanceCategory::LoanInterest, -7.5},     {FinanceCategory::WasteManagement, 0.0},
        {FinanceCategory::HousingIncome, 0.0},     {FinanceCategory::ProductionIncome, 0.0},
    };
    double total = 0.0;
    for (const Expected& e : expected)
    {
        EXPECT_EQ(city.yearExpenses[cat(e.category)], e.expense) << "category " << cat(e.category);
        EXPECT_EQ(city.monthExpenses[cat(e.category)], e.expense) << "category " << cat(e.category);
        EXPECT_EQ(city.yearIncomes[cat(e.category)], 0.0) << "category " << cat(e.category);
        total += e.expense;
    }
    EXPECT_EQ(city.money, 25000.0 + 10000.0 + total);
    EXPECT_EQ(city.profitYesterday, total);
    EXPECT_EQ(city.profitToday, 0.0);
    EXPECT_EQ(city.pendingMoney, 0.0);
    EXPECT_FALSE(city.inTick);
}

CONCURRENCY_TEST_F(DayTickTest, HousesPayRentCountTheirResidentsAndEmptyOnesCostOne)
{
    House* full = frozenHouse(0, 0, 3, 15);
    frozenHouse(2, 0, 1, 3);
    frozenHouse(4, 0, 1, 0);
    frozenHouse(6, 0, 2, 3);
    full->rentOffset = 2;
    passDay();
    EXPECT_EQ(city.population, 21);
    EXPECT_EQ(city.yearIncomes[cat(FinanceCategory::HousingIncome)], 10.0 + 2.0 + 2.0);
    EXPECT_EQ(city.yearExpenses[cat(FinanceCategory::HousingIncome)], -1.0);
    EXPECT_EQ(game.housesPerLevel[0], 2);
    EXPECT_EQ(game.housesPerLevel[1], 1);
    EXPECT_EQ(game.housesPerLevel[2], 1);
}

// A workplace used to keep its efficiency when the last worker's home went.
CONCURRENCY_TEST_F(DayTickTest, AWorkplaceWhoseOnlyHouseIsDemolishedProducesNothing)
{
    frozenHouse(5, 5, 3, 15);
    Factory* factory = static_cast<Factory*>(build(8, 5, TileFactory));
    passDay();
    EXPECT_EQ(factory->workers, 15);
    EXPECT_NEAR(factory->efficiency.load(), 5.0 / 30.0, 1e-12);
    EXPECT_NEAR(game.goodsProduction[0], 40.0 * 5.0 / 30.0, 1e-12);

    tile(5, 5).flags &= ~TileBurning;
    tile(5, 5).setType(TileEmpty, 0);
    map.recalculateVisibleTiles();
    passDay();
    EXPECT_EQ(factory->workers, 0);
    EXPECT_EQ(factory->efficiency.load(), 0.0);
    EXPECT_EQ(game.goodsProduction[0], 0.0);
}

CONCURRENCY_TEST_F(DayTickTest, ServicesActOnlyOnceTheirGraceDaysArePast)
{
    struct Case
    {
        const char* what;
        int bit;
        int Game::*serviceDay;
        int station;
        int warning;
        double Tile::*risk;
        bool riskIsHigh; // crime warns above 0, the others below
    };
    const Case cases[] = {
        {"police", 3, &Game::policeDay, TilePoliceStation, WarnCrime, &Tile::crime, true},
        {"hospital", 4, &Game::hospitalDay, TileHospital, WarnNoHospital, &Tile::health, false},
        {"fire station", 5, &Game::fireStationDay, TileFireStation, WarnFireHazard, &Tile::fireSafety, false},
    };
    for (const Case& c : cases)
    {
        SetUp();
        SCOPED_TRACE(c.what);
        build(0, 0, c.station);
        House* near = frozenHouse(2, 2, 3, 10);
        House* far = frozenHouse(20, 20, 3, 10);
        tile(2, 2).flags &= ~TileBurning; // a burning neighbour would be a hazard of its own
        tile(20, 20).flags &= ~TileBurning;
        game.unlockFlags = 1 << c.bit;
        game.*c.serviceDay = 280;
        game.day = 278;
        passDay(); // day 279: not yet
        EXPECT_EQ(tile(2, 2).*c.risk, 0.0);
        EXPECT_EQ(tile(20, 20).*c.risk, 0.0);
        EXPECT_EQ(near->shownWarnings, 0);
        EXPECT_EQ(far->shownWarnings, 0);

        passDay(); // day 280: it acts
        double covered = tile(2, 2).*c.risk;
        double uncovered = tile(20, 20).*c.risk;
        EXPECT_TRUE(c.riskIsHigh ? covered < 0.0 : covered > 0.0) << covered;
        EXPECT_TRUE(c.riskIsHigh ? uncovered > 0.0 : uncovered < 0.0) << uncovered;
        EXPECT_EQ(near->shownWarnings, 0);
        EXPECT_EQ(far->shownWarnings, c.warning);
    }
}

CONCURRENCY_TEST_F(DayTickTest, UnlocksComeInOrderEachOnceWithTheirGraceDays)
{
    build(29, 29, TileRoad);
    std::vector<House*> houses;
    for (int i = 0; i < 87; ++i)
        houses.push_back(frozenHouse(i % 29, i / 29, 3, i < 10 ? 9 : 0));
    game.day = 40;
    std::string log = passDayLogged();
    EXPECT_EQ(game.unlockFlags, 1 << 8) << "87 waste-producing buildings, 90 residents";
    EXPECT_EQ(slotOf(tile(28, 29), 3), -1);

    houses[10]->residents = 6;
    log = passDayLogged();
    EXPECT_EQ(log.find("Landfill action unlocked"), std::string::npos) << "only once";
    EXPECT_NE(log.find("Large house action unlocked\n"), std::string::npos);
    EXPECT_EQ(game.unlockFlags, 1 << 8 | 1 << 0);
    EXPECT_GE(slotOf(tile(28, 29), 3), 0) << "the new action is offered at once";

    for (House* house : houses)
        house->residents = 15;
    log = passDayLogged();
    const char* order[] = {"Flats action unlocked\n",          "Large store action unlocked\n",
                           "Fire station action unlocked\n",   "Pumping station action unlocked\n",
                           "Police station action unlocked\n", "Office building action unlocked\n",
                           "Hospital action unlocked\n"};
    size_t at = 0;
    for (const char* line : order)
    {
        size_t found = log.find(line);
        ASSERT_NE(found, std::string::npos) << line;
        EXPECT_GT(found, at) << line;
        at = found;
    }
    EXPECT_EQ(log.find("Large house action unlocked"), std::string::npos);
    EXPECT_EQ(game.unlockFlags, 0x1ff);
    EXPECT_EQ(game.fireStationDay, 43 + 180);
    EXPECT_EQ(game.policeDay, 43 + 180);
    EXPECT_EQ(game.hospitalDay, 43 + 180);

    log = passDayLogged();
    EXPECT_EQ(log.find("unlocked"), std::string::npos);
    EXPECT_EQ(game.fireStationDay, 223);
}

// An unlock comes when its count goes above its threshold: at the threshold
// itself nothing happens, one above it the action is offered.
CONCURRENCY_TEST_F(DayTickTest, EachUnlockComesOneAboveItsThresholdAndNotAtIt)
{
    const struct
    {
        const char* name;
        int bit;
        bool byWaste; // the count of waste-producing buildings, else residents
        int threshold;
    } cases[] = {
        {"landfill", 8, true, 49},         {"large house", 0, false, 95},  {"large store", 1, false, 249},
        {"flats", 2, false, 319},          {"fire station", 5, false, 399}, {"pumping station", 7, false, 499},
        {"police station", 3, false, 749}, {"office", 6, false, 999},      {"hospital", 4, false, 1249},
    };
    for (const auto& c : cases)
        for (int count : {c.threshold, c.threshold + 1})
        {
            SetUp();
            city.reset();
            game.unlockFlags = 0;
            // Full houses of 15 but the last, or empty ones when buildings count.
            int houses = c.byWaste ? count : (count + 14) / 15;
            int left = c.byWaste ? 0 : count;
            for (int i = 0; i < houses; ++i)
            {
                int residents = left < 15 ? left : 15;
                frozenHouse(i % 30, i / 30, 3, residents);
                left -= residents;
            }
            passDayLogged();
            EXPECT_EQ((game.unlockFlags >> c.bit) & 1, count > c.threshold ? 1 : 0) << c.name << " at " << count;
        }
}

CONCURRENCY_TEST_F(DayTickTest, WasteChargeIsForTheBuildingsBeyondFortyNine)
{
    const std::pair<int, double> cases[] = {{1, 0.0}, {49, 0.0}, {50, -2.075}, {120, -71 * (12 * 0.065 + 1.75)}};
    for (const auto& c : cases)
    {
        SetUp();
        city.reset();
        for (int i = 0; i < c.first; ++i)
            frozenHouse(i % 30, i / 30, 1, 0);
        game.unlockFlags = 1 << 8;
        std::string log = passDayLogged();
        EXPECT_NEAR(city.yearExpenses[cat(FinanceCategory::WasteManagement)], c.second, 1e-9) << c.first;
        EXPECT_EQ(city.yearIncomes[cat(FinanceCategory::WasteManagement)], 0.0) << c.first;
        EXPECT_NE(log.find("\tBuildings generating waste = " + std::to_string(c.first) + "\n"), std::string::npos);
    }
}

CONCURRENCY_TEST_F(DayTickTest, WasteIsCollectedFromTheDayAfterTheLandfillUnlock)
{
    for (int i = 0; i < 60; ++i)
        build(i % 30, 2 + i / 30, TileFactory);
    city.streetTrash = 300.0;
    std::string log = passDayLogged();
    EXPECT_EQ(log.find("\tWaste generated"), std::string::npos);
    EXPECT_NE(log.find("Landfill action unlocked\n"), std::string::npos);
    EXPECT_EQ(city.streetTrash, 300.0);
    EXPECT_EQ(city.yearExpenses[cat(FinanceCategory::WasteManagement)], 0.0);

    log = passDayLogged();
    double w = 60 * 4.0 * 0.1 + 300.0;
    EXPECT_NE(log.find("\tWaste generated = " + std::to_string(w) + "\n"), std::string::npos) << log;
    EXPECT_NEAR(city.streetTrash, w, 1e-9) << "no landfill yet: it all lies in the streets";
    EXPECT_NEAR(city.yearExpenses[cat(FinanceCategory::WasteManagement)], -11 * (6 * 0.065 + 1.75), 1e-9);
}

// One factory makes 0.4 of waste a day once collected.
class TrashTest : public DayTickTest
{
protected:
    void SetUp() override
    {
        DayTickTest::SetUp();
        build(0, 0, TileFactory);
        game.unlockFlags = 1 << 8;
    }
};

TEST_F(TrashTest, StreetTrashGoesToALandfillFiveHundredADay)
{
    city.streetTrash = 1200.0;
    passDay();
    EXPECT_NEAR(city.streetTrash, 700.0 + 500.4, 1e-9) << "no landfill: the day's waste and the pick-up stay out";
    EXPECT_EQ(game.warningFlags & 1, 1);

    Landfill* landfill = static_cast<Landfill*>(build(5, 5, TileLandfill));
    passDay();
    EXPECT_NEAR(city.streetTrash, 700.4, 1e-9);
    EXPECT_NEAR(landfill->fill.load(), 500.4, 1e-9);
    passDay();
    EXPECT_NEAR(city.streetTrash, 200.4, 1e-9);
    EXPECT_EQ(game.warningFlags & 1, 1) << "the warning stays until the streets are clean";
    passDay();
    EXPECT_EQ(city.streetTrash, 0.0);
    EXPECT_NEAR(landfill->fill.load(), 500.4 + 500.4 + 200.8, 1e-9);
    EXPECT_EQ(game.warningFlags & 1, 0);
}

TEST_F(TrashTest, TheWarningComesOnceTheStreetsHoldAThousand)
{
    city.streetTrash = 999.5;
    passDay(); // 499.5 + 500.4
    EXPECT_NEAR(city.streetTrash, 999.9, 1e-9);
    EXPECT_EQ(game.warningFlags & 1, 0);
    passDay(); // 499.9 + 500.4
    EXPECT_NEAR(city.streetTrash, 1000.3, 1e-9);
    EXPECT_EQ(game.warningFlags & 1, 1);
}

TEST_F(TrashTest, TheFullestLandfillWithRoomTakesTheWaste)
{
    Landfill* some = static_cast<Landfill*>(build(5, 5, TileLandfill));
    Landfill* most = static_cast<Landfill*>(build(7, 5, TileLandfill));
    Landfill* full = static_cast<Landfill*>(build(9, 5, TileLandfill));
    some->fill = 100.0;
    most->fill = 9999.8;
    full->fill = 10000.0;
    passDay();
    EXPECT_EQ(some->fill, 100.0);
    EXPECT_EQ(most->fill, 10000.0) << "filled up to its capacity, the rest is lost";
    EXPECT_EQ(full->fill, 10000.0);
    passDay();
    EXPECT_NEAR(some->fill.load(), 100.4, 1e-9);

    // Among empty landfills any one may be picked, but only one.
    some->fill = 0.0;
    most->fill = 0.0;
    full->fill = 0.0;
    passDay();
    double total = some->fill + most->fill + full->fill;
    EXPECT_NEAR(total, 0.4, 1e-9);
    int used = (some->fill > 0) + (most->fill > 0) + (full->fill > 0);
    EXPECT_EQ(used, 1);
}

CONCURRENCY_TEST_F(DayTickTest, GoodsAreBoughtAtTheirPricesAndImportedWhenShort)
{
    struct Case
    {
        int foodFactories;
        double prices[3];
        double demand[3], production[3], income[3];
    };
    // 100 residents: half lower, 0.3 middle, 0.2 upper class.
    const Case cases[] = {
        {1, {0.3, 0.4, 0.65}, {43.65, 16.875, 11.84}, {40, 0, 0},
         {43.65 * 0.3 - 3.65 * 0.2 * 1.25, 16.875 * 0.4 - 16.875 * 0.4 * 1.25, 11.84 * 0.65 - 11.84 * 1.5 * 1.25}},
        {2, {0.1, 0.4, 1.5}, {81.75, 16.875, 2.75}, {80, 0, 0},
         {81.75 * 0.1 - 1.75 * 0.2 * 1.25, -16.875 * 0.4 * 0.25, -2.75 * 1.5 * 0.25}},
        {2, {0.5, 0.4, 1.5}, {30.95, 16.875, 2.75}, {80, 0, 0},
         {30.95 * 0.5 - 49.05 * 0.2, -16.875 * 0.4 * 0.25, -2.75 * 1.5 * 0.25}},
    };
    for (const Case& c : cases)
    {
        SetUp();
        city.reset();
        for (int i = 0; i < 10; ++i)
            frozenHouse(i, 0, 3, 10);
        for (int i = 0; i < c.foodFactories; ++i)
            build(i, 2, TileFactory);
        for (int kind = 0; kind < 3; ++kind)
            game.setGoodsPrice(kind, c.prices[kind]);
        city.lowerShare = 0.5;
        city.middleShare = 0.3;
        city.upperShare = 0.2;
        passDay();
        double gains = 0.0, losses = 0.0;
        for (int kind = 0; kind < 3; ++kind)
        {
            SCOPED_TRACE(testing::Message() << c.foodFactories << " factories, goods " << kind);
            EXPECT_NEAR(game.goodsDemand[kind], c.demand[kind], 1e-9);
            EXPECT_NEAR(game.goodsProduction[kind], c.production[kind], 1e-9);
            EXPECT_NEAR(game.goodsIncome[kind], c.income[kind], 1e-9);
            (c.income[kind] < 0 ? losses : gains) += c.income[kind];
        }
        EXPECT_NEAR(city.yearIncomes[cat(FinanceCategory::ProductionIncome)], gains, 1e-9);
        EXPECT_NEAR(city.yearExpenses[cat(FinanceCategory::ProductionIncome)], losses, 1e-9);
    }
}

CONCURRENCY_TEST_F(DayTickTest, MonthAndYearBooksRollOverAtTheirEnds)
{
    for (int x = 0; x < 5; ++x)
        build(x, 0, TileRoad);
    const int roads = cat(FinanceCategory::RoadMaintenance);
    const int housing = cat(FinanceCategory::HousingIncome);

    game.day = 29;
    city.monthExpenses[roads] = -7.0;
    city.yearExpenses[roads] = -100.0;
    passDay(); // day 30: the month only
    EXPECT_EQ(city.lastMonthExpenses[roads], -12.0);
    EXPECT_EQ(city.monthExpenses[roads], 0.0);
    EXPECT_EQ(city.yearExpenses[roads], -105.0);
    EXPECT_EQ(city.lastYearExpenses[roads], 0.0);

    passDay(); // day 31: nothing rolls
    EXPECT_EQ(city.lastMonthExpenses[roads], -12.0);
    EXPECT_EQ(city.monthExpenses[roads], -5.0);

    game.day = 359;
    city.monthExpenses[roads] = -7.0;
    city.monthIncomes[housing] = 50.0;
    city.yearExpenses[roads] = -100.0;
    passDay(); // day 360: the month, then the year
    EXPECT_EQ(city.lastMonthExpenses[roads], -12.0);
    EXPECT_EQ(city.lastMonthIncomes[housing], 50.0);
    EXPECT_EQ(city.monthExpenses[roads], 0.0);
    EXPECT_EQ(city.monthIncomes[housing], 0.0);
    EXPECT_EQ(city.lastYearExpenses[roads], -105.0);
    EXPECT_EQ(city.lastYearIncomes[housing], 0.0);
    EXPECT_EQ(city.yearExpenses[roads], 0.0);
    EXPECT_EQ(city.profitYesterday, -6.0);
}

CONCURRENCY_TEST_F(DayTickTest, TheDayEndsWithTheClassesTheDemandAndAFreeClick)
{
    House* house = frozenHouse(3, 3, 1, 2);
    house->attractiveness = 0.3; // shown as Good from today
    game.housesPerLevel[0] = 7;
    std::string log = passDayLogged();
    EXPECT_EQ(house->shownAttractiveness, 0.3);
    EXPECT_NEAR(city.lowerShare, 0.2, 1e-12);
    EXPECT_NEAR(city.middleShare, 0.8, 1e-12);
    EXPECT_EQ(game.housesPerLevel[0], 1);
    EXPECT_EQ(game.housingDemand[0], 1.0);
    EXPECT_EQ(log.substr(0, 1), "\n");
    EXPECT_NE(log.find("\tBuilding tick completed in "), std::string::npos);
    EXPECT_FALSE(game.updateRunning);
    EXPECT_EQ(game.updateThread, nullptr);
    EXPECT_EQ(game.nextDay(), 1) << "the next day may start";
    finishDay(game);
}

} // namespace
