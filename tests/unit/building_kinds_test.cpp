#include "simulation/ActionPrices.h"
#include "simulation/BuildingKinds.h"
#include "simulation/Tile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace
{

bool levelled(int type)
{
    return type == TileHouse || type == TileShop;
}

// The table is what everything else reads: a missing or doubled kind would
// leave a type without a record, or make one of two rows unreachable.
TEST(BuildingKindsTest, EveryTypeAndLevelHasExactlyOneKind)
{
    std::set<std::pair<int, int>> seen;
    for (int k = 0; k < buildingKindCount; ++k)
    {
        const BuildingKind& kind = buildingKinds[k];
        SCOPED_TRACE(kind.name);
        EXPECT_TRUE(seen.insert({kind.type, kind.level}).second) << "two kinds of one type and level";
        EXPECT_EQ(buildingKind(kind.type, kind.level), &kind);
        EXPECT_EQ(recordOfType(kind.type), kind.record);
        EXPECT_EQ(kind.level == 0, !levelled(kind.type));
    }
    for (int type = 0; type < TileTypeCount; ++type)
    {
        EXPECT_NE(buildingKind(type, 1), nullptr) << "type " << type;
        if (levelled(type))
        {
            for (int level : {-1, 0, 4})
                EXPECT_EQ(buildingKind(type, level), nullptr) << "type " << type << " level " << level;
        }
    }
    for (int type : {-1, static_cast<int>(TileTypeCount), static_cast<int>(TileAllTypes)})
    {
        EXPECT_EQ(buildingKind(type, 1), nullptr) << "type " << type;
        EXPECT_EQ(recordOfType(type), RecordNone) << "type " << type;
    }
}

TEST(BuildingKindsTest, EveryActionIsOneKindsOrClearsTheTile)
{
    std::set<int> built;
    for (int id = ActionNone + 1; id < ActionCount; ++id)
    {
        SCOPED_TRACE(testing::Message() << "action " << id);
        const ActionKind* action = actionKind(id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->id, id);
        EXPECT_EQ(action->price, actionPrice(id));
        const BuildingKind* kind = kindBuiltBy(id);
        bool buildsNothing = id == ActionDemolish || id == ActionPutOutFires;
        EXPECT_EQ(kind == nullptr, buildsNothing);
        if (kind)
        {
            EXPECT_EQ(&kind->build, action);
            built.insert(id);
        }
    }
    EXPECT_EQ(actionKind(ActionNone), nullptr);
    EXPECT_EQ(actionKind(ActionCount), nullptr);
    EXPECT_EQ(actionKind(-3), nullptr);
    EXPECT_EQ(actionPriceCount, static_cast<int>(ActionCount));
    // Empty land and rubble are never built; every other kind is, by one action of its own.
    for (int k = 0; k < buildingKindCount; ++k)
    {
        const BuildingKind& kind = buildingKinds[k];
        bool neverBuilt = kind.type == TileEmpty || kind.type == TileRubble;
        EXPECT_EQ(kind.build.id == ActionNone, neverBuilt) << kind.name;
    }
    EXPECT_EQ(built.size(), static_cast<size_t>(buildingKindCount - 2));
}

TEST(BuildingKindsTest, UpgradesGoOneLevelUpWithinTheType)
{
    struct Case
    {
        int type, level, nextLevel; // 0: none
    };
    const Case cases[] = {
        {TileHouse, 1, 2}, {TileHouse, 2, 3}, {TileHouse, 3, 0}, {TileHouse, 0, 0}, {TileShop, 1, 2},
        {TileShop, 2, 3},  {TileShop, 3, 0},  {TileShop, -1, 0}, {TileOffice, 0, 0}, {TileFactory, 1, 0},
    };
    for (const Case& c : cases)
    {
        const BuildingKind* next = upgradeOf(c.type, c.level);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " level " << c.level);
        if (c.nextLevel == 0)
        {
            EXPECT_EQ(next, nullptr);
            continue;
        }
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next, buildingKind(c.type, c.nextLevel));
    }
}

TEST(BuildingKindsTest, UnlockNoneIsAlwaysSetAndBitsAreTheirOwn)
{
    EXPECT_TRUE(isUnlocked(0, UnlockNone));
    EXPECT_FALSE(isUnlocked(0, UnlockLargeHouse));
    EXPECT_TRUE(isUnlocked(1 << UnlockFlats, UnlockFlats));
    EXPECT_FALSE(isUnlocked(1 << UnlockFlats, UnlockLargeHouse));
    EXPECT_TRUE(isUnlocked(0x1ff, UnlockLandfill));
}

TEST(BuildingKindsTest, SpriteNamesNumberTheVariantsFromOne)
{
    const BuildingKind* flats = buildingKind(TileHouse, 3);
    ASSERT_NE(flats, nullptr);
    EXPECT_EQ(spriteNames(*flats), (std::vector<std::string>{"flats_1", "flats_2", "flats_3", "flats_4"}));
    EXPECT_EQ(spriteNames(*buildingKind(TileShop, 1)), std::vector<std::string>{"market"});
    EXPECT_TRUE(spriteNames(*buildingKind(TileRoad, 0)).empty()) << "roads are drawn by their neighbours";
}

} // namespace
