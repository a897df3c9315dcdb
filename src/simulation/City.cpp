#include "simulation/City.h"

#include "game/Game.h"
#include "simulation/House.h"
#include "simulation/Map.h"
#include "simulation/TextTables.h"
#include "simulation/TickGuard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
// Whether a loan changed by an amount stays within the limit either way.
bool loanWithin(int loan, long long change)
{
    long long next = loan + change;
    return next >= -City::MaxLoan && next <= City::MaxLoan;
}

void copyBook(double* to, double* from)
{
    std::copy(from, from + City::BookSize, to);
    std::fill(from, from + City::BookSize, 0.0);
}
} // namespace

City::City(Game* owner) : game(owner)
{
}

City::~City()
{
}

void City::reset()
{
    {
        sf::Lock lock(moneyMutex);
        for (double* book : {yearIncomes, yearExpenses, lastYearIncomes, lastYearExpenses, monthIncomes,
                             monthExpenses, lastMonthIncomes, lastMonthExpenses})
            std::fill(book, book + BookSize, 0.0);
        money = 0.0;
        pendingMoney = 0.0;
        profitYesterday = 0.0;
        profitToday = 0.0;
        inTick = false;
        loan = 0;
    }
    sf::Lock lock(populationMutex);
    population = 0;
    lowerShare = 0.0;
    middleShare = 0.0;
    upperShare = 0.0;
    streetTrash.store(0.0);
}

void City::setMoney(double value)
{
    sf::Lock lock(moneyMutex);
    money = value;
}

void City::addMoney(double amount, FinanceCategory category)
{
    int c = static_cast<int>(category);
    sf::Lock lock(moneyMutex);
    if (inTick)
        pendingMoney += amount;
    else
        money += amount;
    if (amount < 0)
    {
        yearExpenses[c] -= std::fabs(amount);
        monthExpenses[c] -= std::fabs(amount);
    }
    else
    {
        yearIncomes[c] += amount;
        monthIncomes[c] += amount;
    }
    if (category != FinanceCategory::Construction && category != FinanceCategory::Misc)
        profitToday += amount;
    // The finance window shows the balance, which only moves outside the tick.
    if (!inTick)
        refreshFinances();
}

void City::takeLoan(int amount)
{
    {
        // A running tick charges interest on the loan: wait for it.
        TickGuard tick(game);
        sf::Lock lock(moneyMutex);
        if (!loanWithin(loan, amount))
        {
            std::printf("No loan beyond %d\n", MaxLoan);
            return;
        }
        loan += amount;
        addMoney(amount, FinanceCategory::Misc);
    }
    refreshFinances();
}

void City::repayLoan(int amount)
{
    bool covered;
    bool repaid = false;
    {
        TickGuard tick(game);
        sf::Lock lock(moneyMutex);
        covered = amount <= money;
        if (covered && loan > 0 && loanWithin(loan, -static_cast<long long>(amount)))
        {
            loan -= amount;
            addMoney(-amount, FinanceCategory::Misc);
            repaid = true;
        }
    }
    if (!covered && game)
        game->showMessage(noBudgetTitle, noBudgetText, false);
    if (repaid)
        refreshFinances();
}

void City::beginTick()
{
    sf::Lock lock(moneyMutex);
    pendingMoney = 0.0;
    inTick = true;
}

void City::endTick()
{
    {
        sf::Lock lock(moneyMutex);
        inTick = false;
        money += pendingMoney;
        pendingMoney = 0.0;
    }
    refreshFinances();
}

void City::rollOverDay()
{
    sf::Lock lock(moneyMutex);
    profitYesterday = profitToday;
    profitToday = 0.0;
}

void City::rollOverMonth()
{
    sf::Lock lock(moneyMutex);
    copyBook(lastMonthIncomes, monthIncomes);
    copyBook(lastMonthExpenses, monthExpenses);
}

void City::rollOverYear()
{
    sf::Lock lock(moneyMutex);
    copyBook(lastYearIncomes, yearIncomes);
    copyBook(lastYearExpenses, yearExpenses);
}

void City::updateSocialClasses()
{
    // Houses rated Tolerable, Good and Excellent make the three classes.
    int rated[3] = {0, 0, 0};
    if (game && game->map)
    {
        for (Tile* tile : game->map->houses)
        {
            const House* house = tile->house();
            int level = house ? attractionLevel(house->shownAttractiveness.load()) : 0;
            if (level >= 4)
                rated[level - 4] += 1;
        }
    }
    setSocialClasses(rated);
}

void City::setSocialClasses(const int rated[3])
{
    sf::Lock lock(populationMutex);
    int n = rated[0] + rated[1] + rated[2];
    lowerShare = 0.0;
    middleShare = 0.0;
    upperShare = 0.0;
    if (n > 0)
    {
        double count = n;
        lowerShare = (std::round(rated[0] / count * 50.0) + std::round(count * 0.5)) / 100.0;
        middleShare = (std::round(rated[1] / count * 80.0) + std::round(count * 0.2)) / 100.0;
        upperShare = (std::round(rated[2] / count * 90.0) + std::round(count * 0.1)) / 100.0;
    }
    // The lower class is what is left.
    double sum = lowerShare + middleShare + upperShare;
    if (sum > 1.0)
        lowerShare -= sum - 1.0;
    else if (sum < 1.0)
        lowerShare += 1.0 - sum;
}

void City::refreshFinances()
{
    // Also reached from the tick's thread: the window is the main thread's.
    if (!game)
        return;
    Game* owner = game;
    game->runOnMainThread([owner] { owner->ui_refreshExpenditure(); });
}
