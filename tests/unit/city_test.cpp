#include "SimFixture.h"

namespace
{

using CityTest = SimTest;

const int construction = static_cast<int>(FinanceCategory::Construction);
const int publicServices = static_cast<int>(FinanceCategory::PublicServices);
const int misc = static_cast<int>(FinanceCategory::Misc);

TEST_F(CityTest, BookingsOutsideTheTickMoveMoneyAtOnce)
{
    struct Case
    {
        FinanceCategory category;
        double amount;
        bool profit;
    };
    const Case cases[] = {
        {FinanceCategory::Construction, -120.0, false}, {FinanceCategory::Misc, 5000.0, false},
        {FinanceCategory::HousingIncome, 14.0, true},   {FinanceCategory::RoadMaintenance, -3.0, true},
        {FinanceCategory::ShopIncome, 0.0, true},
    };
    for (const Case& c : cases)
    {
        city.reset();
        city.setMoney(1000.0);
        city.addMoney(c.amount, c.category);
        int i = static_cast<int>(c.category);
        EXPECT_EQ(city.money, 1000.0 + c.amount) << i;
        EXPECT_EQ(city.profitToday, c.profit ? c.amount : 0.0) << i;
        EXPECT_EQ(city.yearIncomes[i], c.amount >= 0 ? c.amount : 0.0) << i;
        EXPECT_EQ(city.monthIncomes[i], c.amount >= 0 ? c.amount : 0.0) << i;
        EXPECT_EQ(city.yearExpenses[i], c.amount < 0 ? c.amount : 0.0) << i;
        EXPECT_EQ(city.monthExpenses[i], c.amount < 0 ? c.amount : 0.0) << i;
    }
}

TEST_F(CityTest, BookingsDuringTheTickWaitForItsEnd)
{
    city.setMoney(500.0);
    city.beginTick();
    city.addMoney(-40.0, FinanceCategory::PublicServices);
    city.addMoney(25.0, FinanceCategory::ShopIncome);
    EXPECT_EQ(city.money, 500.0);
    EXPECT_EQ(city.pendingMoney, -15.0);
    EXPECT_EQ(city.yearExpenses[publicServices], -40.0);
    EXPECT_EQ(city.monthExpenses[publicServices], -40.0);
    EXPECT_EQ(city.profitToday, -15.0);
    city.endTick();
    EXPECT_EQ(city.money, 485.0);
    EXPECT_EQ(city.pendingMoney, 0.0);
    EXPECT_FALSE(city.inTick);
    city.addMoney(-5.0, FinanceCategory::Construction);
    EXPECT_EQ(city.money, 480.0);
}

TEST_F(CityTest, LoansAreBookedAsMisc)
{
    city.setMoney(1000.0);
    city.takeLoan(5000);
    EXPECT_EQ(city.loan, 5000);
    EXPECT_EQ(city.money, 6000.0);
    EXPECT_EQ(city.yearIncomes[misc], 5000.0);
    city.repayLoan(2000);
    EXPECT_EQ(city.loan, 3000);
    EXPECT_EQ(city.money, 4000.0);
    EXPECT_EQ(city.yearExpenses[misc], -2000.0);
    EXPECT_EQ(city.profitToday, 0.0);

    // More than the balance: refused with a message (no UI here), nothing changes.
    city.repayLoan(4001);
    EXPECT_EQ(city.loan, 3000);
    EXPECT_EQ(city.money, 4000.0);
    city.repayLoan(4000);
    EXPECT_EQ(city.loan, -1000) << "a repayment beyond the loan is accepted";
    EXPECT_EQ(city.money, 0.0);

    city.setMoney(100.0);
    city.repayLoan(50); // no loan open
    EXPECT_EQ(city.loan, -1000);
    EXPECT_EQ(city.money, 100.0);
}

TEST_F(CityTest, RollOversReplaceWholeTables)
{
    for (int i = 0; i < City::BookSize; ++i)
    {
        city.lastMonthIncomes[i] = city.lastYearIncomes[i] = 99.0;
        city.lastMonthExpenses[i] = city.lastYearExpenses[i] = -99.0;
    }
    city.addMoney(30.0, FinanceCategory::ShopIncome);
    city.addMoney(-7.0, FinanceCategory::Construction);

    // The month rolls over first and leaves the year's books alone; then the year.
    struct Roll
    {
        bool year;
        double* lastIncomes;
        double* lastExpenses;
        double* incomes;
        double* expenses;
    };
    const Roll rolls[] = {
        {false, city.lastMonthIncomes, city.lastMonthExpenses, city.monthIncomes, city.monthExpenses},
        {true, city.lastYearIncomes, city.lastYearExpenses, city.yearIncomes, city.yearExpenses}};
    for (const Roll& r : rolls)
    {
        for (int i = 0; i < City::BookSize; ++i)
            EXPECT_EQ(city.lastYearIncomes[i], 99.0) << "the year books are apart until the year rolls over";
        EXPECT_EQ(city.yearIncomes[4], 30.0);
        if (r.year)
            city.rollOverYear();
        else
            city.rollOverMonth();
        for (int i = 0; i < City::BookSize; ++i)
        {
            EXPECT_EQ(r.lastIncomes[i], i == 4 ? 30.0 : 0.0) << i;
            EXPECT_EQ(r.lastExpenses[i], i == construction ? -7.0 : 0.0) << i;
            EXPECT_EQ(r.incomes[i], 0.0);
            EXPECT_EQ(r.expenses[i], 0.0);
        }
    }

    EXPECT_EQ(city.profitToday, 30.0);
    city.rollOverDay();
    EXPECT_EQ(city.profitYesterday, 30.0);
    EXPECT_EQ(city.profitToday, 0.0);
}

TEST_F(CityTest, ResetClearsTheCity)
{
    city.takeLoan(300);
    city.beginTick();
    city.addMoney(10.0, FinanceCategory::OfficeIncome);
    city.population = 40;
    city.upperShare = 0.3;
    city.streetTrash = 12.0;
    city.lastYearExpenses[7] = -5.0;
    city.reset();
    EXPECT_EQ(city.money, 0.0);
    EXPECT_EQ(city.loan, 0);
    EXPECT_EQ(city.pendingMoney, 0.0);
    EXPECT_FALSE(city.inTick);
    EXPECT_EQ(city.population, 0);
    EXPECT_EQ(city.upperShare, 0.0);
    EXPECT_EQ(city.streetTrash.load(), 0.0);
    EXPECT_EQ(city.lastYearExpenses[7], 0.0);
    EXPECT_EQ(city.yearIncomes[6], 0.0);
    EXPECT_EQ(city.profitToday, 0.0);
}

} // namespace
