// Saving a city into a slot and loading it back through the game: exact
// round trips, what a new game writes, and refused files that leave the
// running city and the older saves as they were.

#include "../support/ScriptedCity.h"
#include "SaveFixture.h"

#include "simulation/Commercial.h"
#include "simulation/Factory.h"
#include "simulation/House.h"
#include "simulation/Landfill.h"
#include "simulation/SaveFile.h"
#include "simulation/Shop.h"
#include "simulation/WaterSupply.h"

#include <sys/resource.h>
#include <thread>

namespace
{

class SaveGameTest : public SaveTest
{
protected:
    // A 12 x 12 city with every kind of building along a road, played for a
    // few months, then given awkward numbers: a fraction-laden balance and
    // books, a loan, a burning house, a half-built road.
    void playedCity()
    {
        blankMap(12, 12);
        for (int x = 0; x < 12; ++x)
            build(x, 5, TileRoad);
        const int upper[][2] = {{TileHouse, 1}, {TileHouse, 2}, {TileHouse, 3},       {TileShop, 1},
                                {TileShop, 2},  {TileShop, 3},  {TileWaterTower, 0},  {TilePumpingStation, 0},
                                {TileFactory, 0}, {TileOffice, 0}, {TileLandfill, 0}};
        for (int i = 0; i < 11; ++i)
            build(i + 1, 4, upper[i][0], upper[i][1]);
        const int lower[] = {TileFireStation, TilePoliceStation, TileHospital, TilePark, TileTree, TileRubble};
        for (int i = 0; i < 6; ++i)
            build(i + 1, 6, lower[i]);
        game.map->updateTileActions();
        city.takeLoan(5000);
        for (int i = 0; i < 65; ++i)
        {
            game.nextDay();
            finishDay(game);
        }

        sf::Lock lock(game.tileMutex);
        city.setMoney(1234567.89);
        for (int i = 0; i < 3; ++i)
            city.addMoney(-0.1, FinanceCategory::PublicServices);
        city.addMoney(1.0 / 3.0, FinanceCategory::HousingIncome);
        city.lastMonthExpenses[7] = -123.456789012345;
        city.profitYesterday = -17.3;
        city.streetTrash = 123.456;
        record<Landfill>(11, 4)->fill = 12.5;
        record<Factory>(9, 4)->efficiency = 1.0 / 3.0;
        record<Factory>(9, 4)->goodsType = 2;
        House* house = record<House>(2, 4);
        house->residents = 4;
        house->growth = 0.123456789;
        house->shownAttractiveness = -0.15;
        house->sickness = 0.7;
        house->fireDamage = 1.25;
        house->rentOffset = -1;
        tile(2, 4).crime = 0.3;
        tile(2, 4).fireSafety = -2.5;
        tile(2, 4).health = 1.0 / 7.0;
        tile(3, 4).flags |= TileBurning;
        record<Shop>(5, 4)->customers = 17;
        record<WaterSupply>(7, 4)->supplied = 9;
        game.goodsPrice[0] = 0.35;
        game.goodsDemand[1] = 10.0 / 3.0;
        game.unlockFlags = 0x1ff;
        game.warningFlags = 1;
        game.helpFlags = 1;
        game.reservedA = 7;
        game.reservedB = -3;
        game.fireStationDay = 400;
        game.buildRate = 1.75;
        // Four right turns: every tile back in place, the count at -4.
        for (int i = 0; i < 4; ++i)
            game.map->rotateRight();
        game.map->updateTileActions();
        // What the end of a day leaves: housing demand follows the houses.
        game.countHousesByLevel();
        game.updateHousingDemand();

        Tile& site = tile(0, 6);
        game.startAction(static_cast<int>(site.id), slotOf(site, 1), 150);
        game.clicks = 0;
        for (int i = 0; i < 3; ++i)
            game.progressAction();
    }
};

TEST_F(SaveGameTest, APlayedCityComesBackExactly)
{
    playedCity();
    ASSERT_EQ(game.action.id, 1);
    const double money = city.money;
    ASSERT_NE(money, 1234567.89);
    ASSERT_TRUE(game.saveGame(1));
    std::string first = slotText(1);
    ASSERT_FALSE(first.empty());

    // Another city in between, so nothing is left over by chance.
    newGame(5);
    city.setMoney(1);
    game.action.reset();
    ASSERT_TRUE(game.loadGame(1));
    ASSERT_TRUE(game.saveGame(2));
    EXPECT_EQ(slotText(2), first);

    EXPECT_EQ(city.money, money);
    EXPECT_EQ(city.loan, 5000);
    EXPECT_EQ(city.lastMonthExpenses[7], -123.456789012345);
    EXPECT_EQ(game.map->width, 12);
    EXPECT_EQ(game.map->rotation, -4);
    EXPECT_EQ(record<Landfill>(11, 4)->fill.load(), 12.5);
    EXPECT_EQ(record<Factory>(9, 4)->efficiency.load(), 1.0 / 3.0);
    EXPECT_EQ(record<Factory>(9, 4)->goodsType, 2);
    House* house = record<House>(2, 4);
    ASSERT_NE(house, nullptr);
    EXPECT_EQ(house->tile, &tile(2, 4));
    EXPECT_EQ(house->growth.load(), 0.123456789);
    EXPECT_EQ(house->attractiveness, -0.15);
    EXPECT_EQ(house->shownWarnings.load(), WarnCrime | WarnFireHazard);
    EXPECT_EQ(tile(2, 4).health, 1.0 / 7.0);
    EXPECT_TRUE(tile(3, 4).flags & TileBurning);
    EXPECT_NE(record<Commercial>(10, 4), nullptr);
    EXPECT_NE(record<WaterSupply>(8, 4), nullptr);
    EXPECT_EQ(tile(4, 6).building, nullptr); // park

    // The half-built road goes on where it was, and a cancel refunds what it cost.
    EXPECT_EQ(game.action.tile, &tile(0, 6));
    EXPECT_EQ(game.action.progress, 3.0 * 1.75);
    double before = city.money;
    game.cancelAction();
    EXPECT_EQ(city.money, before + 150);
}

// The file keeps the number of turns but not the ids that moved with the
// contents: a game saved while turned must come back with every id where it
// was, so the running action goes on at its own tile; and a new game after
// it starts unturned.
TEST_F(SaveGameTest, AGameSavedWhileTurnedComesBackTurned)
{
    const int turnsCases[] = {1, 2, 3, -1, -3, 5, -6};
    for (int turns : turnsCases)
    {
        newGame(11);
        for (int i = 0; i < (turns < 0 ? -turns : turns); ++i)
        {
            if (turns < 0)
                game.map->rotateRight();
            else
                game.map->rotateLeft();
        }
        Tile* site = nullptr;
        for (Tile* t : game.map->revealedTiles)
            if (!site && slotOf(*t, 1) >= 0)
                site = t;
        ASSERT_NE(site, nullptr);
        game.startAction(static_cast<int>(site->id), slotOf(*site, 1), 20);
        ASSERT_EQ(game.action.tile, site);
        const int siteX = site->x;
        const int siteY = site->y;
        std::vector<unsigned> ids;
        for (const Tile& t : game.map->tiles)
            ids.push_back(t.id);
        ASSERT_TRUE(game.saveGame(1));

        game.action.reset();
        game.startNewGame();
        EXPECT_EQ(game.map->rotation, 0) << turns;
        EXPECT_EQ(scripted::checkMap(*game.map), "") << "a new game after " << turns << " turns";

        ASSERT_TRUE(game.loadGame(1));
        EXPECT_EQ(game.map->rotation, turns);
        bool same = true;
        for (size_t i = 0; i < game.map->tiles.size(); ++i)
            same = same && game.map->tiles[i].id == ids[i];
        EXPECT_TRUE(same) << "ids after " << turns << " turns";
        // The loaded city stands on a map of its own, the action on its tile there.
        EXPECT_EQ(game.action.tile, game.map->getTile(siteX, siteY)) << turns;
        EXPECT_EQ(scripted::checkMap(*game.map), "") << turns;
    }
}

// The housing demand is the day's, saved with it: homes built since the day
// ended change it only at the next day, loaded or not.
TEST_F(SaveGameTest, HousingDemandComesBackAsSaved)
{
    housesAlongRoad();
    game.unlockFlags = 1; // large houses: two classes compete
    game.countHousesByLevel();
    game.updateHousingDemand();
    const double demand[2] = {game.housingDemand[0], game.housingDemand[1]};
    build(5, 4, TileHouse, 2);
    build(6, 4, TileHouse, 2);
    game.map->updateTileActions();
    ASSERT_TRUE(game.saveGame(1));
    const std::string saved = slotText(1);

    ASSERT_TRUE(game.loadGame(1));
    EXPECT_EQ(game.housingDemand[0], demand[0]);
    EXPECT_EQ(game.housingDemand[1], demand[1]);
    ASSERT_TRUE(game.saveGame(2));
    EXPECT_EQ(slotText(2), saved);

    // A demand no day could leave is worked out from the homes instead.
    game.countHousesByLevel();
    game.updateHousingDemand();
    const double worked[2] = {game.housingDemand[0], game.housingDemand[1]};
    ASSERT_NE(worked[0], demand[0]);
    std::vector<std::string> lines = split(saved, '\n');
    const char* damaged[] = {"1.5,0,0,0, /* housing demand */", "-0.25,1,0,0, /* housing demand */"};
    for (const char* line : damaged)
    {
        lines[3] = line;
        std::string text;
        for (const std::string& l : lines)
            text += l + "\n";
        writeSlot(3, text);
        ASSERT_TRUE(game.loadGame(3)) << line;
        EXPECT_EQ(game.housingDemand[0], worked[0]) << line;
        EXPECT_EQ(game.housingDemand[1], worked[1]) << line;
    }
    // Not a number at all: refused like every other real that is not one.
    lines[3] = "nan,1,0,0, /* housing demand */";
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    writeSlot(3, text);
    EXPECT_FALSE(game.loadGame(3));
}

TEST_F(SaveGameTest, ANewGameSavedAtOnce)
{
    testing::internal::CaptureStdout();
    game.startNewGame();
    ASSERT_TRUE(game.saveGame(1));
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("game saved to slot 1!\n"), std::string::npos);

    std::vector<std::string> lines = split(slotText(1), '\n');
    ASSERT_GT(lines.size(), 14u);
    EXPECT_EQ(lines[1], "0,0,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */");
    EXPECT_EQ(lines[2], "25000,0,0,0,0, /* city info */");
    EXPECT_EQ(lines[13], "75,75," + std::to_string(game.map->rotation) + ", /* map size, rotation */");
    int tileLines = 0;
    for (const std::string& line : lines)
        tileLines += line.find("/* tile */") != std::string::npos;
    EXPECT_EQ(tileLines, 75 * 75);

    std::vector<ShownMessage> shown = messages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().title, Font::toUpper("Yaaas!"));
    EXPECT_EQ(shown.back().text, "Game saved!");
}

TEST_F(SaveGameTest, AnOfficeComesBackMakingNothingAndNoActionStaysNone)
{
    blankMap(4, 4);
    build(0, 1, TileRoad);
    build(1, 1, TileOffice);
    record<Commercial>(1, 1)->goodsType = 2;
    record<Commercial>(1, 1)->workers = 42;
    ASSERT_TRUE(game.saveGame(1));
    EXPECT_NE(slotText(1).find("42,100,12, /* commercial */"), std::string::npos);

    ASSERT_TRUE(game.loadGame(1));
    EXPECT_EQ(record<Commercial>(1, 1)->goodsType, 0);
    EXPECT_EQ(record<Commercial>(1, 1)->workers.load(), 42);
    EXPECT_EQ(game.action.id, 0);
    EXPECT_EQ(game.action.tileId, -1);
    EXPECT_EQ(game.action.tile, nullptr);
}

// Each field of a house has its own place on the house line, on the way out
// and back in: a house with a different number in every field writes them in
// the file's order and reads each back into the field it came from.
TEST_F(SaveGameTest, EachFieldOfAHouseHasItsOwnPlaceOnItsLine)
{
    blankMap(3, 3);
    build(0, 1, TileRoad);
    House* house = static_cast<House*>(build(1, 1, TileHouse, 3));
    house->shoppingDemand = 8;
    house->waterDemand = 4;
    house->jobDemand = 5;
    house->rentOffset = -1;
    house->residents = 6;
    house->shownNeeds = 7;
    house->growth = 0.5;
    house->shownAttractiveness = 0.25;
    house->sickness = 0.125;
    house->fireDamage = 0.0625;
    const int capacity = house->capacity;
    ASSERT_GT(capacity, 8) << "the capacity must differ from the other fields";
    ASSERT_TRUE(game.saveGame(1));

    std::istringstream text(slotText(1));
    std::string line, houseLine;
    while (std::getline(text, line))
        if (line.find("/* house */") != std::string::npos)
            houseLine = line;
    EXPECT_EQ(houseLine, "3," + std::to_string(capacity) + ",8,4,5,-1,6,7,0.5,0.25,0.125,0.0625, /* house */");

    newGame(5);
    ASSERT_TRUE(game.loadGame(1));
    house = record<House>(1, 1);
    ASSERT_NE(house, nullptr);
    EXPECT_EQ(house->level, 3);
    EXPECT_EQ(house->capacity, capacity);
    EXPECT_EQ(house->shoppingDemand, 8);
    EXPECT_EQ(house->waterDemand, 4);
    EXPECT_EQ(house->jobDemand, 5);
    EXPECT_EQ(house->rentOffset, -1);
    EXPECT_EQ(house->residents.load(), 6);
    EXPECT_EQ(house->shownNeeds.load(), 7);
    EXPECT_EQ(house->growth.load(), 0.5);
    EXPECT_EQ(house->shownAttractiveness.load(), 0.25);
    EXPECT_EQ(house->sickness, 0.125);
    EXPECT_EQ(house->fireDamage, 0.0625);
}

// A loaded city is shown from its middle tile, whatever the view showed
// before: on a map wider than high, tile (4, 6) of 9 x 13.
TEST_F(SaveGameTest, ALoadedCityIsViewedFromItsMiddleTile)
{
    blankMap(9, 13);
    ASSERT_TRUE(game.saveGame(1));
    game.gameView = new sf::View(sf::FloatRect(-500.0f, 300.0f, 640.0f, 360.0f));
    ASSERT_TRUE(game.loadGame(1));
    // Tile (x, y) has its middle at world point (16(x + y) + 16, 8(y - x) + 8).
    EXPECT_EQ(game.gameView->getCenter(), sf::Vector2f(16.0f * (4 + 6) + 16.0f, 8.0f * (6 - 4) + 8.0f));
    EXPECT_EQ(game.gameView->getSize(), sf::Vector2f(640.0f, 360.0f));
}

TEST_F(SaveGameTest, TheWidestMapTheGameBuildsLoadsAtItsSize)
{
    SaveFile save;
    save.width = SaveFile::MaxSide;
    save.height = 2;
    save.tiles.resize(SaveFile::MaxSide * 2);
    writeSlot(1, save.format());
    ASSERT_TRUE(game.loadGame(1));
    EXPECT_EQ(game.map->width, SaveFile::MaxSide);
    EXPECT_EQ(game.map->height, 2);
}

TEST_F(SaveGameTest, AMissingSlotChangesNothing)
{
    housesAlongRoad();
    game.day = 12;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(game.loadGame(3));
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("No such save file: " + savePath(3) + "\n"), std::string::npos);
    EXPECT_EQ(game.day, 12);
    EXPECT_EQ(game.map->width, 10);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SaveGameTest, ARefusedFileLeavesTheRunningCityAsItWas)
{
    housesAlongRoad();
    game.day = 33;
    Tile& site = tile(6, 4);
    game.startAction(static_cast<int>(site.id), 0, 20);
    ASSERT_TRUE(game.saveGame(1));
    const std::string before = slotText(1);
    const std::vector<std::string> lines = split(before, '\n');

    struct Bad
    {
        const char* what;
        std::string text;
        const char* shown;
    };
    std::vector<std::string> cut(lines.begin(), lines.begin() + 20);
    std::vector<std::string> badSize = lines;
    badSize[13] = "-10,10,0, /* map size, rotation */";
    std::vector<std::string> badRecord = lines;
    for (size_t i = 14; i < badRecord.size(); ++i)
        if (badRecord[i].find("/* house */") != std::string::npos)
        {
            badRecord[i] = "1,15,4,4, /* shop */";
            break;
        }
    auto join = [](const std::vector<std::string>& l) {
        std::string t;
        for (const std::string& s : l)
            t += s + "\n";
        return t;
    };
    const Bad cases[] = {
        {"truncated", join(cut), "line 21: the file ends"},
        {"negative size", join(badSize), "line 14: a map of -10 x 10 tiles is not possible"},
        {"record of the wrong kind", join(badRecord), "not \"shop\""},
        {"other version", "7, /* save version */\n", "line 1: save version 7"},
        {"garbage", std::string("\x7f\x45LF\0\0\x01", 7), "line 1"},
    };
    int dialogs = static_cast<int>(messages().size());
    for (const Bad& c : cases)
    {
        writeSlot(2, c.text);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(game.loadGame(2)) << c.what;
        std::string log = testing::internal::GetCapturedStdout();
        EXPECT_NE(log.find("refused"), std::string::npos) << c.what;
        EXPECT_EQ(log.find("mapSize"), std::string::npos) << c.what;

        std::vector<ShownMessage> shown = messages();
        ASSERT_EQ(static_cast<int>(shown.size()), ++dialogs) << c.what;
        EXPECT_EQ(shown.back().title, Font::toUpper("Oh no."));
        EXPECT_NE(shown.back().text.find(c.shown), std::string::npos) << c.what << ": " << shown.back().text;

        ASSERT_TRUE(game.saveGame(3));
        ++dialogs; // "Game saved!"
        EXPECT_EQ(slotText(3), before) << c.what;
        EXPECT_EQ(game.action.tile, &site) << c.what;
    }
}

TEST_F(SaveGameTest, AFolderThatCannotHoldSavesIsReportedNotPraised)
{
    housesAlongRoad();
    dir.write("saves", "not a folder");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(game.saveGame(1));
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.find("game saved"), std::string::npos);
    EXPECT_NE(log.find("Could not save to slot 1"), std::string::npos);
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, Font::toUpper("Oh no."));
    EXPECT_NE(shown[0].text.find("could not be saved to slot 1"), std::string::npos) << shown[0].text;
}

TEST_F(SaveGameTest, AMissingSavesFolderIsMade)
{
    housesAlongRoad();
    EXPECT_TRUE(game.saveGame(4));
    EXPECT_FALSE(slotText(4).empty());
}

// A write cut short, as by a full disk or the process's file size limit,
// keeps the save the slot held. The signal a write beyond the limit raises
// is the game's to ignore: the test leaves it as the process had it.
TEST_F(SaveGameTest, AFailedWriteKeepsTheOlderSave)
{
    housesAlongRoad();
    ASSERT_TRUE(game.saveGame(1));
    const std::string older = slotText(1);

    newGame(3); // a 75 x 75 city writes far more than the limit below
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = older.size() + 100;
    setrlimit(RLIMIT_FSIZE, &small);
    testing::internal::CaptureStdout();
    bool written = game.saveGame(1);
    std::string log = testing::internal::GetCapturedStdout();
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(written);
    EXPECT_NE(log.find("Could not save to slot 1: File too large"), std::string::npos) << log;
    std::vector<ShownMessage> shown = messages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().title, Font::toUpper("Oh no."));
    EXPECT_EQ(slotText(1), older);
    EXPECT_FALSE(fileExists(dir.path + "saves/1.tmp"));
    EXPECT_EQ(listFiles(dir.path + "saves/", "sav"), std::vector<std::string>{"1.sav"});
}

// Saving waits for a running day to end; loading replaces the city only
// once that day is done with it.
TEST_F(SaveGameTest, SavingAndLoadingWhileADayRuns)
{
    housesAlongRoad();
    ASSERT_TRUE(game.saveGame(1));
    for (int i = 0; i < 5; ++i)
    {
        ASSERT_NE(game.nextDay(), 0);
        EXPECT_TRUE(game.saveGame(2));
        finishDay(game);
        ASSERT_NE(game.nextDay(), 0);
        EXPECT_TRUE(game.loadGame(1));
        finishDay(game);
    }
    EXPECT_EQ(game.map->width, 10);
    EXPECT_EQ(game.day, 0);
}

} // namespace
