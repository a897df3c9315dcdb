// The production window: the goods tables as shown, and the price buttons
// with their steps, their floor at 0 and the reset to the starting prices.

#include "ScreensFixture.h"

#include "simulation/TextTables.h"

#include <atomic>
#include <string>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

class ProductionWindowTest : public ScreensTest
{
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        const double prices[3] = {0.2, 0.4, 1.5};
        for (int kind = 0; kind < 3; ++kind)
            game.goodsPrice[kind] = prices[kind];
    }

    gui::Window* window() { return screens::productionWindow; }

    std::string shown(const char* name, int kind) { return textOf(window(), name + std::to_string(kind)); }

    gui::Button* button(const char* name, int kind)
    {
        return static_cast<gui::Button*>(byId(window(), name + std::to_string(kind)));
    }
};

TEST_F(ProductionWindowTest, ShowsEachKindsProductionDemandIncomeAndPrice)
{
    const double production[3] = {40.0, 25.7, 0.0};
    const double demand[3] = {120.4, 0.9, 3.0};
    const double income[3] = {-3.5, 12.0, 1e20};
    for (int kind = 0; kind < 3; ++kind)
    {
        game.goodsProduction[kind] = production[kind];
        game.goodsDemand[kind] = demand[kind];
        game.goodsIncome[kind] = income[kind];
    }
    game.ui_showProduction();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(titleOf(window()), Font::toUpper("Production & demand"));

    const char* expected[3][4] = {{"40", "120", "-4", "0.20"},
                                  {"25", "0", "12", "0.40"},
                                  {"0", "3", "2147483647", "1.50"}};
    for (int kind = 0; kind < 3; ++kind)
    {
        EXPECT_EQ(textAt(window(), 10, 35 + 11 * kind), goodsNames[kind]);
        EXPECT_EQ(shown("goodsProduction", kind), expected[kind][0]) << kind;
        EXPECT_EQ(shown("goodsDemand", kind), expected[kind][1]) << kind;
        EXPECT_EQ(shown("goodsIncome", kind), expected[kind][2]) << kind;
        EXPECT_EQ(shown("goodsPrice", kind), expected[kind][3]) << kind;
    }

    // The tick's next day, refreshed.
    game.goodsDemand[0] = 130.0;
    game.ui_refreshProduction();
    EXPECT_EQ(shown("goodsDemand", 0), "130");
    game.ui_showProduction();
    EXPECT_EQ(windowsTitled("Production & demand"), 1);
}

TEST_F(ProductionWindowTest, PriceButtonsStepStopAtZeroAndReset)
{
    game.ui_showProduction();
    struct Case
    {
        int kind;
        const char* button;
        int clicks;
        double price;
        const char* shown;
    };
    // Food and basic goods move by 0.05, luxury items by 0.1; never below 0.
    for (const Case& c : {Case{0, "priceNext", 1, 0.25, "0.25"}, Case{0, "pricePrevious", 1, 0.2, "0.20"},
                          Case{0, "pricePrevious", 4, 0.0, "0.00"}, Case{0, "pricePrevious", 2, 0.0, "0.00"},
                          Case{0, "priceNext", 3, 0.15, "0.15"}, Case{0, "priceReset", 1, 0.2, "0.20"},
                          Case{1, "pricePrevious", 9, 0.0, "0.00"}, Case{1, "priceReset", 1, 0.4, "0.40"},
                          Case{2, "priceNext", 2, 1.7, "1.70"}, Case{2, "pricePrevious", 20, 0.0, "0.00"},
                          Case{2, "priceReset", 1, 1.5, "1.50"}, Case{2, "priceNext", 200, 21.5, "21.50"}})
    {
        for (int i = 0; i < c.clicks; ++i)
            click(button(c.button, c.kind));
        // Exact: steps land on whole cents, so 0 is 0 and not a rounding crumb above it.
        EXPECT_EQ(game.goodsPrice[c.kind], c.price) << c.button << " " << c.kind;
        EXPECT_EQ(shown("goodsPrice", c.kind), c.shown) << c.button << " " << c.kind;
        EXPECT_EQ(button("pricePrevious", c.kind)->enabled, c.price > 0.0) << "no lower price at 0";
    }
    EXPECT_EQ(game.goodsPrice[0], 0.2) << "the other kinds' buttons left food alone";
    EXPECT_EQ(game.goodsPrice[3], 0.0);
}

CONCURRENCY_TEST_F(ProductionWindowTest, PriceChangesWaitForARunningTick)
{
    game.ui_showProduction();
    gui::Button* next = button("priceNext", 0);
    std::atomic<bool> holding(false);
    std::atomic<bool> released(false);
    std::thread tick([&] {
        sf::Lock tiles(game.tileMutex);
        holding = true;
        sf::sleep(sf::milliseconds(100));
        released = true;
    });
    while (!holding)
        sf::sleep(sf::milliseconds(1));
    click(next);
    EXPECT_TRUE(released) << "the price changed while the tick held the tiles";
    tick.join();
    EXPECT_DOUBLE_EQ(game.goodsPrice[0], 0.25);
}

CONCURRENCY_TEST_F(ProductionWindowTest, FromAnotherThreadItWaitsForTheNextFrame)
{
    std::thread([this] { game.ui_showProduction(); }).join();
    EXPECT_EQ(window(), nullptr);
    game.goodsProduction[2] = 10.0;
    frame();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(shown("goodsProduction", 2), "10");
    click(window()->findChildById(hashString("closeWindow"), false));
    EXPECT_EQ(window(), nullptr);
}

} // namespace
