#include "SimFixture.h"

#include "simulation/BuildingKinds.h"
#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <climits>
#include <cmath>

namespace
{

using BuildingTest = SimTest;

// What a record holds of its kind's figures, and whether its class is the one the kind names.
struct Made
{
    int record = RecordNone;
    int level = 0, capacity = 0, range = 0, jobs = 0;
};

Made madeOf(const Building* b)
{
    Made m;
    if (!b)
        return m;
    m.record = RecordService;
    if (const House* h = dynamic_cast<const House*>(b))
        m = {RecordHouse, h->level, h->capacity, 0, 0};
    else if (const Shop* s = dynamic_cast<const Shop*>(b))
        m = {RecordShop, s->level, s->capacity, s->range, 0};
    else if (const WaterSupply* w = dynamic_cast<const WaterSupply*>(b))
        m = {RecordWater, 0, w->capacity, w->range, 0};
    else if (const Commercial* o = dynamic_cast<const Commercial*>(b))
        m = {RecordOffice, 0, 0, o->range, o->jobs};
    else if (const Factory* f = dynamic_cast<const Factory*>(b))
        m = {RecordFactory, 0, 0, f->range, f->jobs};
    else if (const Landfill* l = dynamic_cast<const Landfill*>(b))
        m = {RecordLandfill, 0, l->capacity, 0, 0};
    return m;
}

TEST_F(BuildingTest, SetTypeMakesTheRecordOfItsKind)
{
    blankMap(5, 5);
    for (int k = 0; k < buildingKindCount; ++k)
    {
        const BuildingKind& kind = buildingKinds[k];
        SCOPED_TRACE(kind.name);
        Tile& t = tile(2, 2);
        t.setType(TileEmpty, 0);
        t.setType(kind.type, kind.level);
        EXPECT_EQ(t.type, kind.type);
        EXPECT_EQ(map.lastChangedTile, &t);
        EXPECT_EQ(map.lastChangedType, kind.type);
        Made made = madeOf(t.building);
        ASSERT_EQ(made.record, kind.record);
        if (!t.building)
            continue;
        EXPECT_EQ(t.building->tile, &t);
        EXPECT_EQ(t.building->baseIncome, kind.baseIncome);
        EXPECT_DOUBLE_EQ(t.building->wastePerDay, kind.wastePerDay);
        // Each class keeps only some of the figures; the others must be the kind's zeros.
        EXPECT_EQ(made.level, kind.record == RecordHouse || kind.record == RecordShop ? kind.level : 0);
        if (kind.record != RecordService)
        {
            EXPECT_EQ(made.capacity, kind.capacity);
            EXPECT_EQ(made.range, kind.range);
            EXPECT_EQ(made.jobs, kind.jobs);
        }
    }
    tile(2, 2).setType(TileHouse, 1);
    House* house = tile(2, 2).house();
    ASSERT_NE(house, nullptr);
    EXPECT_EQ(house->shownNeeds, 7) << "a new house shows every need unmet";
}

TEST_F(BuildingTest, LevelsOutsideTheKindsFallBackIntoRange)
{
    blankMap(3, 3);
    struct Case
    {
        int type, level, made;
    };
    const Case cases[] = {{TileHouse, 0, 1}, {TileHouse, -5, 1}, {TileHouse, 4, 3}, {TileShop, 0, 1}, {TileShop, 9, 3}};
    for (const Case& c : cases)
    {
        Tile& t = tile(1, 1);
        t.setType(TileEmpty, 0);
        t.setType(c.type, c.level);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " level " << c.level);
        const BuildingKind* kind = buildingKind(c.type, c.made);
        ASSERT_NE(kind, nullptr);
        Made made = madeOf(t.building);
        EXPECT_EQ(made.level, c.made);
        EXPECT_EQ(made.capacity, kind->capacity);
    }
}

TEST_F(BuildingTest, UpgradesKeepTheirPeople)
{
    blankMap(5, 5);
    Tile& t = tile(1, 1);
    t.setType(TileHouse, 1);
    static_cast<House*>(t.building)->residents = 3;
    t.crime = 0.7;
    t.fireSafety = -2.0;
    t.health = -1.0;
    t.setType(TileHouse, 2);
    House* house = static_cast<House*>(t.building);
    EXPECT_EQ(house->residents, 3);
    EXPECT_EQ(house->capacity, 6);
    EXPECT_EQ(t.fireSafety, 0.0);
    EXPECT_EQ(t.health, 0.0);
    EXPECT_EQ(t.crime, 0.7);

    Tile& s = tile(3, 3);
    s.setType(TileShop, 1);
    static_cast<Shop*>(s.building)->customers = 12;
    s.setType(TileShop, 2);
    EXPECT_EQ(static_cast<Shop*>(s.building)->customers, 12);
    EXPECT_EQ(static_cast<Shop*>(s.building)->capacity, 50);
}

TEST_F(BuildingTest, HouseIncomeAccruesUntilAWholeUnit)
{
    blankMap(3, 3);
    Tile& t = tile(1, 1);
    t.setType(TileHouse, 1);
    House* house = static_cast<House*>(t.building);
    EXPECT_EQ(t.collectIncome(), -1) << "an empty house costs 1";
    house->residents = 1; // 2 x 1/3 a day
    const int expected[] = {0, 1, 0, 1, 0, 1};
    for (int pay : expected)
        EXPECT_EQ(t.collectIncome(), pay);
    EXPECT_NEAR(house->lastIncome, 2.0 / 3.0, 1e-12);

    house->residents = 3;
    house->rentOffset = 2;
    EXPECT_EQ(t.collectIncome(), 4);
    EXPECT_EQ(house->pendingIncome, 0.0);
}

TEST_F(BuildingTest, ShopAndOfficeIncomeAroundBreakEven)
{
    blankMap(3, 3);
    Tile& t = tile(1, 1);
    struct Case
    {
        int type, level, people, pay;
    };
    const Case cases[] = {
        {TileShop, 1, 0, -5},  // market: h = 7, 5 x -7/8 = -4.375
        {TileShop, 1, 15, 5},
        {TileShop, 1, 7, 0},
        {TileShop, 3, 100, 15},
        {TileOffice, 0, 40, 0},
        {TileOffice, 0, 30, -9}, // 50 x -10/60 = -8.33
        {TileOffice, 0, 100, 50},
        {TileOffice, 0, 0, -34},
    };
    for (const Case& c : cases)
    {
        t.setType(TileEmpty, 0);
        t.setType(c.type, c.level);
        if (Shop* shop = dynamic_cast<Shop*>(t.building))
            shop->customers = c.people;
        else
            static_cast<Factory*>(t.building)->workers = c.people;
        EXPECT_EQ(t.collectIncome(), c.pay) << "type " << c.type << " with " << c.people;
        EXPECT_EQ(t.building->pendingIncome, 0.0);
    }

    // A small gain waits for a whole unit.
    t.setType(TileEmpty, 0);
    t.setType(TileShop, 1);
    static_cast<Shop*>(t.building)->customers = 8; // 5 x 1/8
    EXPECT_EQ(t.collectIncome(), 0);
    EXPECT_DOUBLE_EQ(t.building->pendingIncome, 0.625);
    EXPECT_EQ(t.collectIncome(), 1);
}

TEST_F(BuildingTest, FixedDailyAmounts)
{
    blankMap(3, 3);
    const std::pair<int, int> cases[] = {
        {TileRoad, -1},          {TilePark, -10},        {TileWaterTower, -15}, {TilePumpingStation, -35},
        {TileFireStation, -40},  {TilePoliceStation, -40}, {TileHospital, -50},  {TileFactory, 0},
        {TileEmpty, 0},          {TileTree, 0},          {TileRubble, 0},       {TileLandfill, 0},
    };
    for (const auto& c : cases)
    {
        tile(1, 1).setType(c.first, 0);
        EXPECT_EQ(tile(1, 1).collectIncome(), c.second) << "type " << c.first;
    }
}

TEST_F(BuildingTest, ImpossibleSizesFromASaveEarnNothing)
{
    blankMap(3, 3);
    Tile& t = tile(1, 1);
    t.setType(TileHouse, 1);
    static_cast<House*>(t.building)->residents = 2;
    static_cast<House*>(t.building)->capacity = 0;
    EXPECT_EQ(t.collectIncome(), 0);
    t.setType(TileEmpty, 0);
    t.setType(TileShop, 1);
    static_cast<Shop*>(t.building)->capacity = 0;
    EXPECT_EQ(t.collectIncome(), 0);
    t.setType(TileEmpty, 0);
    t.setType(TileOffice, 0);
    static_cast<Factory*>(t.building)->jobs = 40;
    EXPECT_EQ(t.collectIncome(), 0);
}

// Pending income read from a damaged save: what is paid stays an int, and a
// NaN pays nothing and is dropped.
TEST_F(BuildingTest, PendingIncomeBeyondAnIntIsPaidWithinIt)
{
    blankMap(3, 3);
    Tile& t = tile(1, 1);
    struct Case
    {
        int type;
        double pending;
        int pay;
    };
    const Case cases[] = {
        {TileHouse, 1e300, INT_MAX},    {TileHouse, HUGE_VAL, INT_MAX}, {TileHouse, std::nan(""), 0},
        {TileShop, -1e300, INT_MIN},    {TileShop, 1e12, INT_MAX},      {TileShop, std::nan(""), 0},
        {TileOffice, -HUGE_VAL, INT_MIN},
    };
    for (const Case& c : cases)
    {
        t.setType(TileEmpty, 0);
        t.setType(c.type, 1);
        if (House* house = dynamic_cast<House*>(t.building))
            house->residents = 1;
        t.building->pendingIncome = c.pending;
        EXPECT_EQ(t.collectIncome(), c.pay) << "type " << c.type << " pending " << c.pending;
        EXPECT_FALSE(std::isnan(t.building->pendingIncome)) << "type " << c.type;
    }
}

TEST_F(BuildingTest, AttractionLevelBoundaries)
{
    const std::pair<double, int> cases[] = {
        {0.0, 3},   {1e-9, 4},  {0.2, 4},   {0.2001, 5}, {0.5, 5},   {0.5001, 6}, {-1e-9, 2},
        {-0.15, 2}, {-0.1501, 1}, {-0.3, 1}, {-0.3001, 0}, {-5.0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(attractionLevel(c.first), c.second) << c.first;
}

TEST_F(BuildingTest, RentLimits)
{
    struct Case
    {
        int offset, delta, expect;
    };
    const Case cases[] = {
        {0, -1, -1}, {-1, -1, -1}, // 2 - 1 - 1 is not above 0
        {0, -2, 0},  {5, 1, 6},   {6, 1, 6}, {-1, 3, 2}, {4, 0, 4},
    };
    for (const Case& c : cases)
    {
        House house;
        house.baseIncome = 2;
        house.rentOffset = c.offset;
        house.changeRent(c.delta);
        EXPECT_EQ(house.rentOffset, c.expect) << c.offset << " by " << c.delta;
    }
}

TEST_F(BuildingTest, ServingTakesWhatFits)
{
    House house;
    house.shoppingDemand = 6;
    house.unmetNeeds = 7;
    Shop shop;
    shop.capacity = 10;
    shop.customers = 6;
    shop.serve(&house);
    EXPECT_EQ(shop.customers, 10);
    EXPECT_EQ(house.shoppingDemand, 2);
    EXPECT_EQ(house.unmetNeeds, 7) << "still short";
    shop.serve(&house);
    EXPECT_EQ(house.shoppingDemand, 2) << "a full shop serves nobody";

    WaterSupply water;
    water.capacity = 50;
    house.waterDemand = 4;
    water.serve(&house);
    EXPECT_EQ(water.supplied, 4);
    EXPECT_EQ(house.unmetNeeds, NeedShopping | NeedJobs);
}

TEST_F(BuildingTest, EmployEfficiency)
{
    struct Case
    {
        int jobs, before, demand;
        double efficiency;
    };
    const Case cases[] = {
        {40, 0, 5, 0.0}, {40, 0, 10, 0.0}, {40, 10, 15, 0.5}, {40, 30, 50, 1.0}, {100, 50, 5, 0.5},
    };
    for (const Case& c : cases)
    {
        House house;
        house.jobDemand = c.demand;
        house.unmetNeeds = 7;
        Factory factory;
        factory.jobs = c.jobs;
        factory.workers = c.before;
        factory.employ(&house);
        EXPECT_DOUBLE_EQ(factory.efficiency, c.efficiency) << c.jobs << " jobs, " << c.before << "+" << c.demand;
        EXPECT_EQ(factory.workers, std::min(c.jobs, c.before + c.demand));
        EXPECT_EQ((house.unmetNeeds & NeedJobs) == 0, c.before + c.demand <= c.jobs);
    }
}

TEST_F(BuildingTest, ServiceCoverageIsCapped)
{
    blankMap(40, 40);
    Building* station = build(20, 20, TileFireStation);
    build(22, 20, TileHouse);
    tile(21, 20).fireSafety = -3.0;
    tile(22, 20).fireSafety = 2.0;
    tile(32, 20).fireSafety = -1.0; // 12 away: in reach
    tile(33, 20).fireSafety = -1.0; // 13 away
    tile(21, 20).crime = 2.0;
    tile(22, 20).crime = -3.0;
    tile(21, 20).health = -4.0; // not a house
    tile(22, 20).health = 3.0;

    station->coverFire(12);
    station->coverCrime(12);
    station->coverHealth(12);
    EXPECT_EQ(tile(21, 20).fireSafety, 5.0);
    EXPECT_EQ(tile(22, 20).fireSafety, 8.0);
    EXPECT_EQ(tile(32, 20).fireSafety, 7.0);
    EXPECT_EQ(tile(33, 20).fireSafety, -1.0);
    EXPECT_EQ(tile(20, 20).fireSafety, 0.0) << "the station's own tile";
    EXPECT_EQ(tile(21, 20).crime, -3.0);
    EXPECT_EQ(tile(22, 20).crime, -5.0);
    EXPECT_EQ(tile(21, 20).health, -4.0);
    EXPECT_EQ(tile(22, 20).health, 5.0);

    // Any other radius reaches 15 tiles.
    station->coverFire(5);
    EXPECT_EQ(tile(33, 20).fireSafety, 7.0);
    EXPECT_EQ(tile(35, 20).fireSafety, 8.0);
    EXPECT_EQ(tile(36, 20).fireSafety, 0.0);
    EXPECT_EQ(tile(32, 20).fireSafety, 8.0);
}

TEST_F(BuildingTest, RisksGrowWithResidentsAndNeighbours)
{
    blankMap(5, 5);
    House* house = static_cast<House*>(build(2, 2, TileHouse));
    House* north = static_cast<House*>(build(2, 1, TileHouse));
    House* corner = static_cast<House*>(build(3, 3, TileHouse));
    house->residents = 2;
    north->residents = 3;
    corner->residents = 1;
    tile(2, 1).crime = 1.0;
    tile(3, 3).flags |= TileBurning;

    std::srand(11);
    double d = (std::rand() % 300 + 750) / 1000.0;
    std::srand(11);
    tile(2, 2).accumulateRisks(true, true, true);
    double exposure = d * (2 * 0.03 + 0.21);
    EXPECT_DOUBLE_EQ(tile(2, 2).crime, 0.5 * d + 0.15 * 1.0);
    EXPECT_DOUBLE_EQ(tile(2, 2).health, -exposure);
    EXPECT_NEAR(tile(2, 2).fireSafety, -exposure - d * 4 * 0.25 * 0.3 - 14.0, 1e-12);

    // Each risk only when switched on; tiles without a house take none.
    std::srand(11);
    tile(2, 1).accumulateRisks(false, true, false);
    EXPECT_EQ(tile(2, 1).crime, 1.0);
    EXPECT_EQ(tile(2, 1).fireSafety, 0.0);
    EXPECT_LT(tile(2, 1).health, 0.0);
    std::srand(11);
    tile(0, 0).accumulateRisks(true, true, true);
    EXPECT_EQ(tile(0, 0).crime, 0.0);
    EXPECT_EQ(std::rand() % 300 + 750, static_cast<int>(std::lround(d * 1000))) << "no draw for a non-house";
}

} // namespace
