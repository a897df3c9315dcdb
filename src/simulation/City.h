#ifndef QUILLFENN_SIMULATION_CITY_H
#define QUILLFENN_SIMULATION_CITY_H

#include <SFML/System/Lock.hpp>
#include <SFML/System/Mutex.hpp>

#include <atomic>

class Game;

// What a booking is for; indexes the finance books. Expenses are booked negative.
enum class FinanceCategory
{
    Construction = 0,
    RoadMaintenance = 1,
    ParkMaintenance = 2,
    HousingIncome = 3,
    ShopIncome = 4,
    ProductionIncome = 5,
    OfficeIncome = 6,
    WaterSupply = 7,
    LoanInterest = 8,
    PublicServices = 9,
    WasteManagement = 10,
    Misc = 11
};

// Money, loan and head-count of the city, with its finance books. Bookings made
// during the day tick are held back and reach the balance when the tick ends.
class City
{
public:
    // Slots per finance book; categories 0..11 are used.
    static const int BookSize = 32;

    // The largest loan either way: a repayment may leave the loan below 0,
    // and no borrowing or repaying takes it beyond this.
    static constexpr int MaxLoan = 1000000000;

    explicit City(Game* owner);
    virtual ~City();
    City(const City&) = delete;
    City& operator=(const City&) = delete;

    // Zeroes the books, balances, shares and trash for a new game.
    void reset();

    // Sets the cash balance.
    void setMoney(double value);

    // Books an amount (negative for an expense) under a category.
    void addMoney(double amount, FinanceCategory category);

    // Borrows an amount; it is paid out at once (after a running day tick).
    // Nothing happens when the loan would pass MaxLoan.
    void takeLoan(int amount);

    // Pays back part of the loan when the balance covers it (after a running
    // day tick). Nothing happens when the loan would fall below -MaxLoan.
    void repayLoan(int amount);

    // Starts holding bookings back for the day tick.
    void beginTick();

    // Releases the held-back bookings into the balance.
    void endTick();

    // Today's profit becomes yesterday's.
    void rollOverDay();

    // The month books become last month's.
    void rollOverMonth();

    // The year books become last year's.
    void rollOverYear();

    // Recomputes the shares of the three social classes from the house ratings.
    void updateSocialClasses();

    // Sets the shares from the counts of houses rated Tolerable, Good and
    // Excellent, for a caller that has just counted them.
    void setSocialClasses(const int rated[3]);

    Game* game;
    int population = 0;
    int loan = 0;
    double money = 0.0;
    double pendingMoney = 0.0;
    double profitYesterday = 0.0;
    double profitToday = 0.0;
    double lowerShare = 0.0;
    double middleShare = 0.0;
    double upperShare = 0.0;
    std::atomic<double> streetTrash{0.0};
    double yearIncomes[BookSize] = {};
    double yearExpenses[BookSize] = {};
    double lastYearIncomes[BookSize] = {};
    double lastYearExpenses[BookSize] = {};
    double monthIncomes[BookSize] = {};
    double monthExpenses[BookSize] = {};
    double lastMonthIncomes[BookSize] = {};
    double lastMonthExpenses[BookSize] = {};
    bool inTick = false;
    sf::Mutex moneyMutex;
    sf::Mutex populationMutex;

private:
    // Refreshes the finance window, on the main thread.
    void refreshFinances();
};

#endif
