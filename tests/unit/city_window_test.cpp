// The city information window: its numbers against the city's state, the
// help buttons, and buying the build rate step by step.

#include "ScreensFixture.h"

#include "simulation/TextTables.h"

#include <cstdio>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

class CityWindowTest : public ScreensTest
{
protected:
    gui::Window* window() { return screens::cityInfoWindow; }

    std::string shown(const char* id) { return textOf(window(), id); }

    gui::Button* buyButton() { return static_cast<gui::Button*>(byId(window(), "cityBuyRate")); }

    bool noteShown() { return byId(window(), "cityFastest") && byId(window(), "cityFastest")->visible; }
};

TEST_F(CityWindowTest, ShowsPopulationDemandClassesAndRate)
{
    {
        sf::Lock lock(city.populationMutex);
        city.population = 1234;
        city.lowerShare = 0.704;
        city.middleShare = 0.2;
        city.upperShare = 0.096;
    }
    game.housingDemand[0] = 1.0;
    game.housingDemand[1] = 0.5;
    game.housingDemand[2] = 0.0;
    game.housingDemand[3] = 0.9; // kept only for the save file: never shown
    game.ui_showCityInfo();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(titleOf(window()), Font::toUpper("Population overview"));

    EXPECT_EQ(shown("cityPopulation"), "1234");
    EXPECT_EQ(shown("cityDemandSmall"), "100%");
    EXPECT_EQ(shown("cityDemandLarge"), "50%");
    EXPECT_EQ(shown("cityDemandFlats"), "0%");
    EXPECT_EQ(shown("cityShareLower"), "70%");
    EXPECT_EQ(shown("cityShareMiddle"), "20%");
    EXPECT_EQ(shown("cityShareUpper"), "10%");
    EXPECT_EQ(shown("cityBuildRate"), "1.00");
    ASSERT_NE(buyButton(), nullptr);
    EXPECT_TRUE(buyButton()->visible);
    EXPECT_EQ(buyButton()->label->text, "Buy rate 1.25 for 10000");
    EXPECT_FALSE(noteShown());

    // A day later the tick refreshes it; a lower share may go below zero.
    {
        sf::Lock lock(city.populationMutex);
        city.population = 1300;
        city.lowerShare = -0.1;
        city.middleShare = 0.5;
        city.upperShare = 0.6;
    }
    game.housingDemand[2] = 0.333;
    game.ui_refreshCityInfo();
    EXPECT_EQ(shown("cityPopulation"), "1300");
    EXPECT_EQ(shown("cityShareLower"), "-10%");
    EXPECT_EQ(shown("cityShareUpper"), "60%");
    EXPECT_EQ(shown("cityDemandFlats"), "33%");

    game.ui_showCityInfo();
    EXPECT_EQ(windowsTitled("Population overview"), 1) << "exists at most once";
}

TEST_F(CityWindowTest, HelpButtonsExplainDemandClassesAndRate)
{
    game.ui_showCityInfo();
    std::vector<gui::Widget*> helps;
    for (gui::Widget* child : window()->children)
        if (child->type == gui::TypeButton && child->width == 9 && child->height == 8)
            helps.push_back(child);
    ASSERT_EQ(helps.size(), 3u);
    const std::string texts[3] = {housingDemandHelp, socialClassesHelp, buildRateHelp};
    const char* titles[3] = {"Housing demand", "Social classes", "Build rate"};
    for (int i = 0; i < 3; ++i)
    {
        click(helps[i]);
        std::vector<ShownMessage> found = messages();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].title, Font::toUpper(titles[i]));
        EXPECT_EQ(found[0].text, replaceAll(texts[i], "\n", " "));
        dismissMessages();
    }
}

TEST_F(CityWindowTest, BuysEachStepAtItsPrice)
{
    const std::vector<screens::BuildRateLevel>& levels = screens::buildRateLevels;
    game.ui_showCityInfo();
    double spent = 0.0;
    for (size_t step = 1; step < levels.size(); ++step)
    {
        ASSERT_EQ(game.buildRate, levels[step - 1].rate);
        city.setMoney(levels[step].cost); // exactly enough
        click(buyButton());
        EXPECT_EQ(game.buildRate, levels[step].rate) << "step " << step;
        EXPECT_EQ(money(), 0.0);
        spent += levels[step].cost;
        EXPECT_EQ(city.yearExpenses[static_cast<int>(FinanceCategory::Construction)], -spent);
        char rate[16];
        std::snprintf(rate, sizeof rate, "%.2f", levels[step].rate);
        EXPECT_EQ(shown("cityBuildRate"), rate);
        EXPECT_TRUE(messages().empty());
    }
    EXPECT_EQ(spent, 10000 + 15000 + 20000 + 25000 + 35000 + 50000 + 75000 + 1250000);
    EXPECT_EQ(city.profitToday, 0.0) << "construction is no profit or loss of the day";

    // At 5.0 there is nothing left to buy.
    EXPECT_EQ(shown("cityBuildRate"), "5.00");
    EXPECT_FALSE(buyButton()->visible);
    EXPECT_TRUE(noteShown());
}

TEST_F(CityWindowTest, LabelsFollowTheRate)
{
    struct Case
    {
        double rate;
        const char* label; // "" when no step is offered
        bool fastest;
    };
    for (const Case& c : {Case{1.0, "Buy rate 1.25 for 10000", false}, Case{1.75, "Buy rate 2.00 for 25000", false},
                          Case{4.0, "Buy rate 5.00 for 1250000", false}, Case{5.0, "", true},
                          Case{1.1, "", false}, Case{0.5, "", false}, Case{6.0, "", false}})
    {
        game.buildRate = c.rate;
        game.ui_showCityInfo();
        EXPECT_EQ(buyButton()->visible, c.label[0] != '\0') << c.rate;
        if (c.label[0])
        {
            EXPECT_EQ(buyButton()->label->text, c.label);
        }
        EXPECT_EQ(noteShown(), c.fastest) << c.rate;
    }

    // A rate that matches no step (an odd save file) is left alone.
    game.buildRate = 1.1;
    game.ui_refreshCityInfo();
    city.setMoney(1e9);
    click(buyButton());
    EXPECT_EQ(game.buildRate, 1.1);
    EXPECT_EQ(money(), 1e9);
}

TEST_F(CityWindowTest, ShortOfMoneyTheStepIsRefused)
{
    game.buildRate = 1.5;
    game.ui_showCityInfo();
    city.setMoney(19999.0);
    click(buyButton());
    EXPECT_EQ(game.buildRate, 1.5);
    EXPECT_EQ(money(), 19999.0);
    EXPECT_EQ(city.yearExpenses[0], 0.0);
    std::vector<ShownMessage> found = messages();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].title, Font::toUpper(noBudgetTitle));
    EXPECT_EQ(found[0].text, noBudgetText);
    EXPECT_EQ(buyButton()->label->text, "Buy rate 1.75 for 20000");

    // With a running day's bookings held back, the balance alone counts.
    dismissMessages();
    city.setMoney(20000.0);
    city.beginTick();
    city.addMoney(-500.0, FinanceCategory::RoadMaintenance);
    click(buyButton());
    city.endTick();
    EXPECT_EQ(game.buildRate, 1.75);
    EXPECT_EQ(money(), -500.0);
}

CONCURRENCY_TEST_F(CityWindowTest, FromAnotherThreadItWaitsForTheNextFrame)
{
    std::thread([this] {
        game.ui_showCityInfo();
        game.ui_refreshCityInfo();
    }).join();
    EXPECT_EQ(window(), nullptr);
    {
        sf::Lock lock(city.populationMutex);
        city.population = 77;
    }
    frame();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(shown("cityPopulation"), "77");

    click(window()->findChildById(hashString("closeWindow"), false));
    EXPECT_EQ(window(), nullptr);
    std::thread([this] { game.ui_refreshCityInfo(); }).join();
    frame(); // a refresh posted for a closed window does nothing
    EXPECT_EQ(window(), nullptr);
}

} // namespace
