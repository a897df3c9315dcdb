// Ten years of a scripted city: every day must leave it sound, and over the
// years it must grow, earn, unlock its buildings, fall sick and burn.

#include "../support/ScriptedCity.h"
#include "SimFixture.h"

#include "simulation/House.h"
#include "simulation/Landfill.h"

#include <string>

namespace
{

class SoakTest : public SimTest
{
protected:
    // Starts an action on a tile and gives it its last click, as a player
    // would; a day the click starts is waited for and checked.
    bool finishAction(Tile& t, int id)
    {
        int slot = slotOf(t, id);
        if (game.action.id != 0 || slot < 0)
            return false;
        game.startAction(t.id, slot, 0);
        game.action.progress = game.action.clicksNeeded - 1;
        game.progressAction();
        if (game.updateThread)
        {
            EXPECT_TRUE(finishDayWithin(game, 10000));
            EXPECT_EQ(scripted::checkCity(game), "") << "on day " << game.day;
        }
        return game.action.id == 0;
    }

    // Replaces a park by a new landfill once the landfills are nearly full.
    void keepLandfillsOpen()
    {
        double room = 0.0;
        for (Tile* t : map.landfills)
        {
            Landfill* landfill = static_cast<Landfill*>(t->building);
            room += landfill->capacity - landfill->fill.load();
        }
        if (room > 2000.0 || map.parks.empty())
            return;
        Tile& park = *map.parks.front();
        if (finishAction(park, 16))
            finishAction(park, 19);
    }
};

// How often a log line was printed.
int countOf(const std::string& log, const std::string& line)
{
    int n = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + line.size()))
        ++n;
    return n;
}

TEST_F(SoakTest, TenYearsOfAScriptedCity)
{
    scripted::buildCity(game, 36, 7, 0.0);
    const double prices[3] = {0.2, 0.4, 1.5};
    for (int kind = 0; kind < 3; ++kind)
        game.goodsPrice[kind] = prices[kind];
    game.countHousesByLevel();
    game.updateHousingDemand();

    int fires = 0;
    int peakPopulation = 0;
    testing::internal::CaptureStdout();
    while (game.day < 3600)
    {
        int day = game.day;
        // What a player might do now and then.
        if (day == 40)
            city.takeLoan(20000);
        if (day == 200)
        {
            game.setGoodsPrice(0, 0.3);
            game.setGoodsPrice(2, 1.2);
        }
        if (day == 300)
        {
            for (size_t i = 0; i < map.houses.size(); i += 5)
                static_cast<House*>(map.houses[i]->building)->changeRent(2);
        }
        if (day == 1000)
            city.repayLoan(10000);
        if (day == 1500)
            game.setGoodsPrice(1, 0.25);
        if (day == 2000)
            map.rotateLeft();
        if (game.unlockFlags & 0x100)
            keepLandfillsOpen();
        if (game.action.id == 17)
        {
            // Put the fires out: the houses become rubble.
            game.completeAction();
            ++fires;
        }
        passDay();
        if (HasFatalFailure())
            break;
        std::string fault = scripted::checkCity(game);
        ASSERT_EQ(fault, "") << "on day " << game.day;
        peakPopulation = std::max(peakPopulation, city.population);
    }
    std::string log = testing::internal::GetCapturedStdout();

    EXPECT_EQ(game.day, 3600);
    EXPECT_GT(peakPopulation, 1249) << "the city should have grown to need hospitals";
    EXPECT_EQ(game.unlockFlags, 0x1ff) << "every building kind unlocked";
    for (const char* line : {"Landfill action unlocked\n", "Large house action unlocked\n", "Flats action unlocked\n",
                             "Large store action unlocked\n", "Fire station action unlocked\n",
                             "Pumping station action unlocked\n", "Police station action unlocked\n",
                             "Office building action unlocked\n", "Hospital action unlocked\n"})
        EXPECT_EQ(countOf(log, line), 1) << line;
    EXPECT_EQ(countOf(log, "\tBuilding tick completed in "), 3600);
    EXPECT_GT(countOf(log, "SOMEBODY DIED!\n"), 0);
    EXPECT_GT(fires, 0);
    EXPECT_NE(city.lastYearIncomes[static_cast<int>(FinanceCategory::HousingIncome)], 0.0);
    EXPECT_LT(city.lastYearExpenses[static_cast<int>(FinanceCategory::WasteManagement)], 0.0);
    EXPECT_LT(city.lastYearExpenses[static_cast<int>(FinanceCategory::LoanInterest)], 0.0);
    double filled = 0.0;
    for (Tile* t : map.landfills)
        filled += static_cast<Landfill*>(t->building)->fill.load();
    EXPECT_GT(filled, 0.0) << "waste reached the landfills";
}

} // namespace
