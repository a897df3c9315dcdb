// How a house rates its surroundings and grows, shrinks, falls sick and burns.

#include "SimFixture.h"

#include "simulation/House.h"

#include <cmath>
#include <string>
#include <vector>

namespace
{

// A level-1 house at (5, 5) with a road south of it, on a blank 12 x 12 map,
// all its needs met and the housing demand of every class 1.
class HouseGrowthTest : public SimTest
{
protected:
    void SetUp() override
    {
        blankMap(12, 12);
        build(5, 6, TileRoad);
        house = static_cast<House*>(build(5, 5, TileHouse, 1));
        house->unmetNeeds = 0;
        for (double& demand : game.housingDemand)
            demand = 1.0;
    }

    // One day's rating of the house; growth and residents as the day leaves them.
    double rate()
    {
        house->updateAttractiveness();
        return house->attractiveness;
    }

    House* house = nullptr;
};

TEST_F(HouseGrowthTest, ALoneHouseBesideARoadRatesPointTwo)
{
    EXPECT_DOUBLE_EQ(rate(), 0.2);
    EXPECT_DOUBLE_EQ(house->growth.load(), 0.2) << "scaled by a demand of 1";
    game.housingDemand[0] = 0.5;
    rate();
    EXPECT_DOUBLE_EQ(house->growth.load(), 0.3);
}

TEST_F(HouseGrowthTest, SurroundingsRaiseAndLowerTheRating)
{
    struct Placed
    {
        int x, y, type;
    };
    struct Case
    {
        const char* what;
        std::vector<Placed> placed;
        double expected;
    };
    const Case cases[] = {
        {"three roads", {{4, 5, TileRoad}, {6, 5, TileRoad}}, 0.2 - 0.3},
        {"two trees, one diagonal", {{4, 5, TileTree}, {6, 4, TileTree}}, 0.2 + 0.2},
        {"two parks within 3", {{8, 8, TilePark}, {2, 2, TilePark}}, 0.2 + 2 * (0.08 + 0.24)},
        {"a park 4 away", {{9, 5, TilePark}}, 0.2},
        {"two landfills", {{8, 5, TileLandfill}, {5, 2, TileLandfill}}, 0.2 - 0.54},
        {"factory 3 away", {{5, 2, TileFactory}}, 0.2 - 0.032},
        {"factory 3 across", {{8, 5, TileFactory}}, 0.2 - 0.032},
        {"factory at (2, 2)", {{7, 7, TileFactory}}, 0.2 - (3.1 - std::sqrt(8.0)) * 0.32},
        {"factory at (3, 3)", {{8, 8, TileFactory}}, 0.2},
        {"factory 4 away", {{5, 1, TileFactory}}, 0.2},
        {"nearest of two factories", {{5, 2, TileFactory}, {6, 4, TileFactory}}, 0.2 - (3.1 - std::sqrt(2.0)) * 0.32},
    };
    for (const Case& c : cases)
    {
        SetUp();
        for (const Placed& p : c.placed)
            build(p.x, p.y, p.type);
        EXPECT_NEAR(rate(), c.expected, 1e-12) << c.what;
    }
}

TEST_F(HouseGrowthTest, NeighbouringHousesCountByTheirRatingAndCrowdSmallHouses)
{
    House* west = static_cast<House*>(build(4, 5, TileHouse, 1));
    House* east = static_cast<House*>(build(6, 5, TileHouse, 3));
    west->attractiveness = 0.5;
    east->attractiveness = 0.3;
    EXPECT_NEAR(rate(), 0.2 + 0.4 * 0.1 - 2 * 0.1, 1e-12);

    build(5, 5, TileHouse, 3); // flats do not mind neighbours
    house = record<House>(5, 5);
    house->unmetNeeds = 0;
    EXPECT_NEAR(rate(), 0.2 + 0.04, 1e-12);
}

TEST_F(HouseGrowthTest, NeedsRentRisksAndTrash)
{
    struct Case
    {
        const char* what;
        int unmet, residents, rent;
        double crime, fireSafety, health, trash;
        double expected;
    };
    const Case cases[] = {
        {"no shopping", NeedShopping, 0, 0, 0, 0, 0, 0, 0.2 - 0.3},
        {"no water", NeedWater, 0, 0, 0, 0, 0, 0, 0.2 - 0.4},
        {"no jobs, empty", NeedJobs, 0, 0, 0, 0, 0, 0, 0.2 - (-1 * 0.075 + 0.35)},
        {"no jobs, 2 residents", NeedJobs, 2, 0, 0, 0, 0, 0, 0.2 - 0.35},
        {"no jobs, 3 residents", NeedJobs, 3, 0, 0, 0, 0, 0, 0.2 - 0.35},
        {"nothing at all, 3 residents", 7, 3, 0, 0, 0, 0, 0, 0.2 - 0.3 - 0.35 - 0.4},
        {"rent 2 above", 0, 0, 2, 0, 0, 0, 0, 0.2 - 2 * 0.147},
        {"rent 1 below", 0, 0, -1, 0, 0, 0, 0, 0.2 + 0.147},
        {"crime", 0, 0, 0, 0.5, 0, 0, 0, 0.2 - 0.4},
        {"crime held down", 0, 0, 0, -3, 0, 0, 0, 0.2},
        {"fire hazard", 0, 0, 0, 0, -1.5, 0, 0, 0.2 - 0.75},
        {"no hospital", 0, 0, 0, 0, 0, -1.0, 0, 0.2 - 0.29},
        {"trash 999", 0, 0, 0, 0, 0, 0, 999, 0.2},
        {"trash 1749", 0, 0, 0, 0, 0, 0, 1749, 0.2},
        {"trash 1750", 0, 0, 0, 0, 0, 0, 1750, 0.2 - 0.058},
        {"trash 2500", 0, 0, 0, 0, 0, 0, 2500, 0.2 - 2 * 0.058},
    };
    for (const Case& c : cases)
    {
        SetUp();
        house->unmetNeeds = c.unmet;
        house->residents = c.residents;
        house->rentOffset = c.rent;
        tile(5, 5).crime = c.crime;
        tile(5, 5).fireSafety = c.fireSafety;
        tile(5, 5).health = c.health;
        city.streetTrash = c.trash;
        EXPECT_NEAR(rate(), c.expected, 1e-12) << c.what;
    }
}

TEST_F(HouseGrowthTest, FireHazardAddsUpToAFire)
{
    tile(5, 5).fireSafety = -2.0;
    house->fireDamage = -70.0;
    rate();
    EXPECT_DOUBLE_EQ(house->fireDamage, -72.0);
    EXPECT_FALSE(tile(5, 5).flags & TileBurning);

    rate(); // -74: still standing
    EXPECT_FALSE(tile(5, 5).flags & TileBurning);
    house->residents = 2;
    house->growth = 0.0;
    rate(); // -76
    EXPECT_TRUE(tile(5, 5).flags & TileBurning);
    EXPECT_EQ(house->fireDamage, 0.0);
    EXPECT_EQ(house->residents, 0);
    EXPECT_EQ(game.action.id, 17);
}

TEST_F(HouseGrowthTest, ABurningHouseStandsStill)
{
    tile(5, 5).flags |= TileBurning;
    house->residents = 2;
    house->growth = 0.5;
    house->sickness = 3.0;
    house->attractiveness = -0.7;
    tile(5, 5).fireSafety = -10.0;
    rate();
    EXPECT_EQ(house->residents, 2);
    EXPECT_EQ(house->growth, 0.5);
    EXPECT_EQ(house->sickness, 3.0);
    EXPECT_EQ(house->attractiveness, -0.7);
    EXPECT_EQ(house->fireDamage, 0.0);
}

TEST_F(HouseGrowthTest, ResidentsMoveInAndOut)
{
    struct Case
    {
        int residents;
        double growth;
        int expectedResidents;
        double expectedGrowth;
    };
    const Case cases[] = {
        {1, 1.0, 2, 0.0},    {1, 0.99, 1, 0.99},   {7, 2.0, 8, 0.0},    {7, 1.99, 7, 1.99},
        {0, 0.84, 1, 0.0},   {0, 0.83, 0, 0.83},   {15, 9.0, 15, 0.0},  {3, -1.6, 1, 0.0},
        {3, -0.65, 3, -0.65}, {3, -0.66, 2, 0.0},  {1, -0.76, 0, 0.0},  {0, -5.0, 0, 0.0},
        {15, -0.2, 13, 0.0},
    };
    for (const Case& c : cases)
    {
        SetUp();
        build(5, 5, TileHouse, 3);
        house = record<House>(5, 5);
        house->residents = c.residents;
        house->growth = c.growth;
        house->updateResidents();
        EXPECT_EQ(house->residents, c.expectedResidents) << c.residents << " residents, growth " << c.growth;
        EXPECT_NEAR(house->growth.load(), c.expectedGrowth, 1e-12) << c.residents << " residents, growth " << c.growth;
    }
}

TEST_F(HouseGrowthTest, SicknessKillsThenTheHouseRecovers)
{
    house->residents = 2;
    tile(5, 5).health = -4.0;
    house->sickness = -17.0;
    house->growth = 0.1;
    testing::internal::CaptureStdout();
    rate();
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("SOMEBODY DIED!\n"), std::string::npos);
    EXPECT_EQ(house->residents, 1);
    EXPECT_EQ(house->sickness, 5.0);
    EXPECT_NEAR(house->growth.load(), 0.1 + (0.2 - 0.29), 1e-12) << "grows on the day it falls sick";

    // While it recovers the house neither grows nor catches more sickness.
    double growth = house->growth.load();
    rate();
    EXPECT_NEAR(house->sickness, 5.0 - 0.42, 1e-12);
    EXPECT_EQ(house->growth.load(), growth);
    for (int day = 0; day < 10; ++day)
        rate();
    EXPECT_NEAR(house->sickness, 0.38, 1e-9);
    rate();
    EXPECT_EQ(house->sickness, 0.0) << "never below 0 while recovering";
    EXPECT_EQ(house->growth.load(), growth);
    rate();
    EXPECT_EQ(house->sickness, -4.0);
    EXPECT_NE(house->growth.load(), growth);

    house->sickness = -19.9;
    house->updateResidents();
    EXPECT_EQ(house->sickness, -19.9);
    EXPECT_EQ(house->residents, 1);
}

TEST_F(HouseGrowthTest, NegativeRatingIsNotScaledByDemand)
{
    game.housingDemand[0] = 0.25;
    house->residents = 1;
    house->unmetNeeds = NeedWater;
    rate();
    EXPECT_NEAR(house->growth.load(), -0.2, 1e-12);
    house->unmetNeeds = 0;
    house->growth = 0.0;
    rate();
    EXPECT_NEAR(house->growth.load(), 0.05, 1e-12);
}

TEST_F(HouseGrowthTest, AHouseThatStoodEmptyWithoutWaterFillsOnceItHasIt)
{
    for (int day = 0; day < 60; ++day)
    {
        house->unmetNeeds = NeedWater | NeedShopping | NeedJobs;
        rate();
    }
    EXPECT_EQ(house->residents, 0);
    EXPECT_EQ(house->growth.load(), 0.0) << "an empty house carries no shortfall";
    int days = 0;
    while (house->residents == 0 && days < 30)
    {
        house->unmetNeeds = 0;
        rate();
        ++days;
    }
    EXPECT_EQ(days, 5) << "0.2 a day reaches the first resident's 0.83 on the fifth day";
}

} // namespace
