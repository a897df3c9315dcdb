// The social classes from the house ratings, and the housing demand per class.

#include "SimFixture.h"

#include "simulation/House.h"

#include <cmath>
#include <vector>

namespace
{

class SocialClassesTest : public SimTest
{
protected:
    // One house per rating given, shown with an attractiveness of that rating.
    void housesRated(const std::vector<int>& levels)
    {
        static const double shown[7] = {-0.5, -0.2, -0.1, 0.0, 0.1, 0.3, 0.6};
        blankMap(40, 40);
        int i = 0;
        for (int level : levels)
        {
            House* house = static_cast<House*>(build(i % 40, i / 40, TileHouse));
            house->shownAttractiveness = shown[level];
            ASSERT_EQ(attractionLevel(shown[level]), level);
            ++i;
        }
    }

    void expectShares(double lower, double middle, double upper)
    {
        EXPECT_NEAR(city.lowerShare, lower, 1e-12);
        EXPECT_NEAR(city.middleShare, middle, 1e-12);
        EXPECT_NEAR(city.upperShare, upper, 1e-12);
    }
};

TEST_F(SocialClassesTest, SharesFromTheRatedHouses)
{
    struct Case
    {
        const char* what;
        std::vector<int> levels;
        double lower, middle, upper;
    };
    const Case cases[] = {
        {"no houses", {}, 1.0, 0.0, 0.0},
        {"none rated above neutral", {0, 1, 2, 3, 3}, 1.0, 0.0, 0.0},
        {"one good house", {5}, 0.2, 0.8, 0.0},
        {"one of each of the top three", {4, 5, 6, 3}, 0.42, 0.28, 0.30},
        {"two excellent", {6, 6}, 0.1, 0.0, 0.9},
    };
    for (const Case& c : cases)
    {
        housesRated(c.levels);
        city.lowerShare = city.middleShare = city.upperShare = 0.7;
        city.updateSocialClasses();
        SCOPED_TRACE(c.what);
        expectShares(c.lower, c.middle, c.upper);
    }
}

TEST_F(SocialClassesTest, ManyRatedHousesPushTheLowerShareBelowZeroYetTheyStillSumToOne)
{
    housesRated(std::vector<int>(300, 6));
    city.updateSocialClasses();
    // lower (0 + 150) / 100, middle (0 + 60) / 100, upper (90 + 30) / 100; lower takes 1 - 3.3.
    expectShares(1.5 - 2.3, 0.6, 1.2);

    std::vector<int> mixed;
    for (int i = 0; i < 97; ++i)
        mixed.push_back(4 + i % 3);
    housesRated(mixed);
    city.updateSocialClasses();
    EXPECT_NEAR(city.lowerShare + city.middleShare + city.upperShare, 1.0, 1e-12);
}

using HousingDemandTest = SimTest;

TEST_F(HousingDemandTest, UnlockedClassesShareTheDemandTheLargestBeingOne)
{
    struct Case
    {
        int unlocked;
        int small, large, flats;
        double expected[3];
    };
    const Case cases[] = {
        {0, 0, 0, 0, {1.0, 0.0, 0.0}},
        {0, 40, 3, 1, {1.0, 0.0, 0.0}},
        {1, 0, 0, 0, {1.0, 0.6, 0.0}},
        {5, 0, 0, 0, {1.0, 0.6, 0.35}},
        // Ten small houses and nothing else: large houses are wanted most.
        {5, 10, 0, 0, {1.0 / (0.6 * 11), 1.0, 0.35 / 0.6}},
        // Flats unlocked before large houses (a save) still count alone.
        {4, 2, 0, 0, {1.0 / 1.05, 0.0, 1.0}},
    };
    for (const Case& c : cases)
    {
        game.unlockFlags = c.unlocked;
        game.housesPerLevel[0] = c.small;
        game.housesPerLevel[1] = c.large;
        game.housesPerLevel[2] = c.flats;
        game.housingDemand[3] = 0.25;
        game.updateHousingDemand();
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(game.housingDemand[i], c.expected[i], 1e-12) << "unlocked " << c.unlocked << " class " << i;
        EXPECT_EQ(game.housingDemand[3], 0.25) << "the fourth is the save file's";
    }
}

TEST_F(HousingDemandTest, AlwaysFiniteBetweenZeroAndOne)
{
    std::srand(5);
    for (int round = 0; round < 500; ++round)
    {
        game.unlockFlags = std::rand() % 8;
        for (int i = 0; i < 4; ++i)
            game.housesPerLevel[i] = std::rand() % 3 == 0 ? 0 : std::rand() % 6000;
        game.updateHousingDemand();
        double largest = 0.0;
        for (int i = 0; i < 3; ++i)
        {
            double d = game.housingDemand[i];
            ASSERT_TRUE(std::isfinite(d) && d >= 0.0 && d <= 1.0) << d;
            largest = std::max(largest, d);
        }
        EXPECT_EQ(largest, 1.0);
        if (!(game.unlockFlags & 1))
        {
            EXPECT_EQ(game.housingDemand[1], 0.0);
        }
        if (!(game.unlockFlags & 4))
        {
            EXPECT_EQ(game.housingDemand[2], 0.0);
        }
    }
}

} // namespace
