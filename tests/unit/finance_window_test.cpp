// The finance window: its rows and columns against the city's books, the
// number formats, building once, the loan buttons, the help buttons, and the
// day tick's refreshes from its own thread.

#include "ScreensFixture.h"

#include "simulation/TextTables.h"

#include <SFML/System/Lock.hpp>

#include <atomic>
#include <cmath>
#include <thread>
#include "support/ConcurrencyTest.h"

namespace
{

const int columnX[4] = {100, 140, 200, 240};
const std::vector<int> rowOrder = {0, 1, 2, 7, 10, 9, 3, 4, 6, 5, 8};

class FinanceWindowTest : public ScreensTest
{
protected:
    gui::Window* window() { return screens::financeWindow; }

    int rowY(int row) { return 35 + 11 * row; }

    // The shown value of a category's column (0 last month .. 3 year).
    std::string value(int category, int column)
    {
        for (size_t row = 0; row < rowOrder.size(); ++row)
            if (rowOrder[row] == category)
                return textAt(window(), columnX[column], rowY(static_cast<int>(row)));
        return "<no row>";
    }

    std::string total(int column) { return textAt(window(), columnX[column], 159); }
    std::string dailyChange() { return textAt(window(), 100, 174); }
    std::string loan() { return textAt(window(), 100, 189); }
};

TEST_F(FinanceWindowTest, RowsInTheirOrderWithEveryColumnOfTheBooks)
{
    game.ui_refreshExpenditure(); // closed: writes nothing, builds nothing
    EXPECT_EQ(window(), nullptr);

    city.lastMonthIncomes[4] = 30.0;
    city.lastMonthExpenses[4] = -5.0;
    city.monthIncomes[4] = 12.0;
    city.lastYearIncomes[4] = 900.0;
    city.yearExpenses[4] = -7.0;
    city.yearIncomes[4] = 1000.0;
    game.ui_showExpenditure();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->width, 310);
    EXPECT_EQ(window()->height, 240);
    EXPECT_EQ(window()->y, (360 - 240) / 2 - 10) << "centred, then moved up by 10";
    EXPECT_EQ(titleOf(window()), Font::toUpper("City expenditure & finances"));

    EXPECT_EQ(screens::expenditureCategoryOrder, rowOrder);
    for (size_t row = 0; row < rowOrder.size(); ++row)
        EXPECT_EQ(textAt(window(), 10, rowY(static_cast<int>(row))), financeCategoryNames[rowOrder[row]]) << row;
    EXPECT_EQ(value(4, 0), "25");
    EXPECT_EQ(value(4, 1), "12");
    EXPECT_EQ(value(4, 2), "900");
    EXPECT_EQ(value(4, 3), "993");
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(value(0, column), "0");

    const char* heads[4] = {"Last month", "Month", "Last year", "Year"};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(textAt(window(), columnX[column], 24), heads[column]);
    EXPECT_EQ(textAt(window(), 10, 24), "Category");
}

TEST_F(FinanceWindowTest, NumberFormats)
{
    game.ui_showExpenditure();
    ASSERT_NE(window(), nullptr);

    struct DailyCase
    {
        double profit;
        const char* shown;
    };
    // Between 0 and 1 with cents; otherwise cut toward zero.
    for (const DailyCase& c : {DailyCase{0.5, "0.50"}, DailyCase{1.0, "1"}, DailyCase{-0.5, "0"},
                               DailyCase{0.004, "0.00"}, DailyCase{0.0, "0"}, DailyCase{12.9, "12"},
                               DailyCase{-12.9, "-12"}, DailyCase{1e12, "2147483647"}})
    {
        city.profitYesterday = c.profit;
        game.ui_refreshExpenditure();
        EXPECT_EQ(dailyChange(), c.shown) << c.profit;
    }

    struct BookCase
    {
        double income;
        double expense;
        const char* shown;
    };
    // Books round down: -0.5 is -1, while the daily change of -0.5 was 0.
    for (const BookCase& c : {BookCase{0.0, -0.5, "-1"}, BookCase{10.9, -3.2, "7"}, BookCase{0.0, 0.0, "0"},
                              BookCase{0.25, 0.0, "0"}, BookCase{0.0, -1e300, "-2147483648"}})
    {
        city.monthIncomes[9] = c.income;
        city.monthExpenses[9] = c.expense;
        game.ui_refreshExpenditure();
        EXPECT_EQ(value(9, 1), c.shown) << c.income << " " << c.expense;
    }

    city.loan = 15000;
    game.ui_refreshExpenditure();
    EXPECT_EQ(loan(), "15000");
}

TEST_F(FinanceWindowTest, TotalsAddTheShownRowsAndLeaveMiscOut)
{
    // Two rows of -0.5 each show -1: the total is -2, not the floor of -1.
    city.monthExpenses[1] = -0.5;
    city.monthExpenses[2] = -0.5;
    city.yearIncomes[3] = 100.0;
    city.yearExpenses[8] = -30.0;
    // Loans taken and repaid are Misc.: never a row, never in a total.
    city.monthIncomes[11] = 5000.0;
    city.yearIncomes[11] = 5000.0;
    city.lastMonthExpenses[11] = -5000.0;
    game.ui_showExpenditure();
    EXPECT_EQ(total(0), "0");
    EXPECT_EQ(total(1), "-2");
    EXPECT_EQ(total(2), "0");
    EXPECT_EQ(total(3), "70");
    EXPECT_EQ(textAt(window(), 10, 159), "Total");
    for (gui::Widget* child : window()->children)
    {
        if (child->type == gui::TypeText)
        {
            EXPECT_NE(static_cast<gui::Text*>(child)->text, financeCategoryNames[11]);
        }
    }
}

TEST_F(FinanceWindowTest, OpenedTwiceIsBuiltOnceAndRefreshedEachTime)
{
    testing::internal::CaptureStdout();
    game.ui_showExpenditure();
    gui::Window* first = window();
    city.monthIncomes[3] = 42.0; // written behind the window's back
    game.ui_showExpenditure();
    std::string log = testing::internal::GetCapturedStdout();

    EXPECT_EQ(window(), first);
    EXPECT_EQ(windowsTitled("City expenditure & finances"), 1);
    EXPECT_EQ(value(3, 1), "42") << "the second opening refreshes";
    size_t firstLine = log.find("show expenditure window...\n");
    EXPECT_NE(firstLine, std::string::npos);
    EXPECT_EQ(log.find("show expenditure window...\n", firstLine + 1), std::string::npos);
}

TEST_F(FinanceWindowTest, ReopenedAfterCloseHasElevenRowsAgain)
{
    for (int round = 0; round < 3; ++round)
    {
        game.ui_showExpenditure();
        ASSERT_NE(window(), nullptr);
        click(window()->findChildById(hashString("closeWindow"), false));
        EXPECT_EQ(window(), nullptr) << "Close clears the window pointer";
        frame();
        EXPECT_EQ(windowsTitled("City expenditure & finances"), 0);
    }
    EXPECT_EQ(screens::expenditureCategoryOrder, rowOrder);
    game.ui_refreshExpenditure(); // closed again: nothing to write into
    game.ui_showExpenditure();
    EXPECT_EQ(screens::expenditureCategoryOrder, rowOrder);
}

TEST_F(FinanceWindowTest, BorrowAndPayBack)
{
    game.ui_showExpenditure();
    gui::Button* borrow = buttonLabelled(window(), "Borrow 5000");
    gui::Button* repay = buttonLabelled(window(), "Pay back 5000");
    ASSERT_NE(borrow, nullptr);
    ASSERT_NE(repay, nullptr);
    EXPECT_EQ(borrow->x, 210);
    EXPECT_EQ(repay->y, borrow->y + 18);

    click(borrow);
    click(borrow);
    EXPECT_EQ(money(), 35000.0);
    EXPECT_EQ(city.loan, 10000);
    EXPECT_EQ(loan(), "10000") << "a booking refreshes the open window";
    EXPECT_EQ(value(0, 1), "0") << "loans are not construction";

    click(repay);
    EXPECT_EQ(money(), 30000.0);
    EXPECT_EQ(loan(), "5000");

    // Not enough money: the message, and nothing changes.
    city.setMoney(4999.0);
    click(repay);
    EXPECT_EQ(city.loan, 5000);
    EXPECT_EQ(money(), 4999.0);
    std::vector<ShownMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, Font::toUpper(noBudgetTitle));
    EXPECT_EQ(shown[0].text, noBudgetText);
    dismissMessages();

    // No loan open: paying back does nothing and says nothing.
    city.setMoney(20000.0);
    click(repay);
    click(repay);
    EXPECT_EQ(city.loan, 0);
    click(repay);
    EXPECT_EQ(city.loan, 0);
    EXPECT_EQ(money(), 15000.0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(FinanceWindowTest, EachRowsHelpButtonExplainsItsCategory)
{
    game.ui_showExpenditure();
    for (size_t row = 0; row < rowOrder.size(); ++row)
    {
        gui::Widget* help = childAt(window(), gui::TypeButton, 294, rowY(static_cast<int>(row)));
        ASSERT_NE(help, nullptr) << row;
        EXPECT_EQ(help->width, 9);
        EXPECT_EQ(help->height, 8);
        click(help);
        std::vector<ShownMessage> shown = messages();
        ASSERT_EQ(shown.size(), 1u) << row;
        EXPECT_EQ(shown[0].title, Font::toUpper(financeCategoryNames[rowOrder[row]]));
        EXPECT_EQ(shown[0].text, financeCategoryHelp[rowOrder[row]]);
        dismissMessages();
    }
}

CONCURRENCY_TEST_F(FinanceWindowTest, FromAnotherThreadItWaitsForTheNextFrame)
{
    std::thread([this] {
        game.ui_showExpenditure();
        game.ui_refreshExpenditure();
    }).join();
    EXPECT_EQ(window(), nullptr) << "widgets are built on the main thread only";
    city.monthIncomes[5] = 77.0;
    frame();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(value(5, 1), "77");
}

TEST_F(FinanceWindowTest, AYearEndOpeningLeavesAMessageOnTop)
{
    game.showMessage("Rejoice!", "Larger housing is now available.", false);
    std::thread([this] { game.ui_showExpenditure(); }).join();
    frame();
    ASSERT_NE(window(), nullptr);
    gui::Widget* top = game.ui->gameRoot->children.back();
    EXPECT_EQ(top->id, hashString("dlgWnd")) << "the message stays above the window that opened by itself";
    gui::Widget* okay = top->findChildById(hashString("closeWindow"), false);
    sf::Vector2i p = okay->getAbsolutePosition() + sf::Vector2i(okay->width / 2, okay->height / 2);
    EXPECT_EQ(game.ui->getWidgetAt(p.x, p.y), okay) << "its Okay can still be clicked";
    dismissMessages();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(game.ui->gameRoot->children.back(), window());
}

// The day tick's part, on its own thread as the real one runs: bookings held
// back until the books close, a month-end refresh and a year-end opening,
// while the main thread draws, reads the window and borrows. Run under
// ThreadSanitizer too: the refresh reads the books the thread writes.
CONCURRENCY_TEST_F(FinanceWindowTest, TickThreadRefreshesAndOpensWhileThePlayerBorrows)
{
    game.ui_showExpenditure();
    std::atomic<bool> done(false);
    // Raised before the last day's openings are handed to the main thread,
    // so the player's closes all land before the year end opens the window.
    std::atomic<bool> yearEnd(false);
    const int days = 360;
    std::thread tick([&] {
        for (int day = 1; day <= days; ++day)
        {
            if (day == days)
                yearEnd = true;
            sf::Lock tiles(game.tileMutex);
            city.beginTick();
            city.addMoney(-1.0, FinanceCategory::RoadMaintenance);
            city.addMoney(3.0, FinanceCategory::HousingIncome);
            city.endTick();
            city.rollOverDay();
            if (day % 30 == 0)
            {
                city.rollOverMonth();
                game.ui_refreshExpenditure();
            }
            if (day % 90 == 0)
                game.ui_showExpenditure();
            if (day % 360 == 0)
            {
                city.rollOverYear();
                game.ui_showExpenditure();
            }
        }
        done = true;
    });

    int frames = 0;
    gui::Button* borrow = nullptr;
    while (!done)
    {
        frame();
        if (frames % 7 == 0)
        {
            // The player closes the window now and then; a later refresh or opening finds it closed.
            if (window() && frames % 21 == 0 && !yearEnd)
                click(window()->findChildById(hashString("closeWindow"), false));
            else if (window() && (borrow = buttonLabelled(window(), "Borrow 5000")))
                click(borrow);
        }
        ++frames;
    }
    tick.join();
    frame();

    ASSERT_NE(window(), nullptr) << "the year end opens the window";
    EXPECT_EQ(windowsTitled("City expenditure & finances"), 1);
    EXPECT_EQ(value(1, 2), "-360");
    EXPECT_EQ(value(3, 2), "1080");
    EXPECT_EQ(value(1, 3), "0");
    EXPECT_EQ(dailyChange(), "2");
    EXPECT_EQ(money(), 25000.0 + days * 2.0 + city.loan);
    EXPECT_EQ(loan(), std::to_string(city.loan));
}

} // namespace

namespace
{

// Days through the real day tick, the main thread drawing while each runs.
class FinanceWindowDaysTest : public FinanceWindowTest
{
protected:
    void passDays(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            ASSERT_NE(game.nextDay(), 0) << "day " << game.day;
            while (game.updateThread)
            {
                frame();
                game.freeFinishedUpdateThread();
            }
            frame();
        }
    }

    std::string lastMonthShown(int category)
    {
        return std::to_string(static_cast<int>(
            std::floor(city.lastMonthIncomes[category] + city.lastMonthExpenses[category])));
    }
};

CONCURRENCY_TEST_F(FinanceWindowDaysTest, TheTickRefreshesAtMonthEndAndOpensAtYearEnd)
{
    housesAlongRoad();
    game.day = 0;
    game.ui_showExpenditure();
    passDays(30);
    ASSERT_NE(window(), nullptr);
    EXPECT_LT(city.lastMonthExpenses[1], 0.0) << "the roads cost nothing";
    // Only the refresh after the month's roll-over shows last month's books.
    EXPECT_EQ(value(1, 0), lastMonthShown(1));
    EXPECT_EQ(value(7, 0), lastMonthShown(7));

    click(window()->findChildById(hashString("closeWindow"), false));
    passDays(329);
    EXPECT_EQ(window(), nullptr) << "opened before the year's end";
    passDays(1);
    ASSERT_NE(window(), nullptr) << "the year end opens the finance window";
    EXPECT_EQ(value(1, 2), std::to_string(static_cast<int>(
                               std::floor(city.lastYearIncomes[1] + city.lastYearExpenses[1]))));
    EXPECT_EQ(value(1, 3), "0");
}

} // namespace
