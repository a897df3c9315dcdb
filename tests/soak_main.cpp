// Plays a new game for years through the automated player and reports, per
// in-game year, the process's resident memory and the city; meant to run
// under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer
// (tools/soak.sh). Exits non-zero when a check fails.
//
//   quillfenn_soak [-y years] [-s seed] [-l log file] [-o save file]
//
// The game's own log lines go to the log file (default /dev/null); the
// report goes to standard output. With -o the city of the last day is saved
// and its save file copied there: a seed plays the same game every time, so
// that file is the same bytes every time (tools/golden.sh compares it).

#include "support/AutoPlayer.h"

#include "simulation/City.h"
#include "simulation/TextTables.h"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Lock.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{
// VmRSS of /proc/self/status in kB, -1 when it cannot be read.
long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// The year just closed, by category: what the city lives on and what it pays for.
void printBooks(std::FILE* report, City& city)
{
    sf::Lock lock(city.moneyMutex);
    std::fprintf(report, "         books:");
    for (int c = 0; c < 12; ++c)
    {
        double income = city.lastYearIncomes[c];
        double expense = city.lastYearExpenses[c];
        if (income != 0.0 || expense != 0.0)
            std::fprintf(report, " %s %+.0f/%.0f;", financeCategoryNames[c].c_str(), income, expense);
    }
    std::fprintf(report, "\n");
}

// Saves the city and copies its save file to the path.
bool writeFinalSave(AutoPlayer& player, const std::string& path)
{
    std::string text;
    if (!player.saveText(text))
        return false;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
}

int usage()
{
    std::fprintf(stderr, "usage: quillfenn_soak [-y years] [-s seed] [-l log file] [-o save file]\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    int years = 10;
    unsigned seed = 1;
    std::string logPath = "/dev/null";
    std::string savePath;
    for (int i = 1; i < argc; ++i)
    {
        if (i + 1 >= argc)
            return usage();
        if (std::strcmp(argv[i], "-y") == 0)
            years = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "-s") == 0)
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "-l") == 0)
            logPath = argv[++i];
        else if (std::strcmp(argv[i], "-o") == 0)
            savePath = argv[++i];
        else
            return usage();
    }
    if (years < 1)
        return usage();

    // The report keeps the real standard output; the game's printf lines go to the log.
    std::FILE* report = fdopen(dup(fileno(stdout)), "w");
    if (!report || !std::freopen(logPath.c_str(), "w", stdout))
    {
        std::fprintf(stderr, "cannot write the log %s\n", logPath.c_str());
        return 2;
    }
    std::setvbuf(report, nullptr, _IOLBF, 0);

    std::fprintf(report, "soak: %d years, seed %u, RSS at start %ld kB\n", years, seed, residentKb());
    sf::Clock clock;
    bool passed = true;
    std::string failure;
    long firstYearKb = 0;
    long lastYearKb = 0;
    {
        AutoPlayer player(seed);
        Game& game = player.game();
        for (int year = 1; year <= years && passed; ++year)
        {
            passed = player.playUntil(year * 360);
            double money;
            int loan;
            int population;
            {
                sf::Lock lock(game.city->moneyMutex);
                money = game.city->money;
                loan = game.city->loan;
            }
            {
                sf::Lock lock(game.city->populationMutex);
                population = game.city->population;
            }
            long kb = residentKb();
            if (year == 1)
                firstYearKb = kb;
            lastYearKb = kb;
            std::fprintf(report, "year %2d: day %4d, population %5d, money %12.2f, loan %6d, RSS %7ld kB, %.1f s\n",
                         year, game.day, population, money, loan, kb, clock.getElapsedTime().asSeconds());
            if (game.day == year * 360)
                printBooks(report, *game.city);
        }
        if (!passed)
            failure = player.failure();
        else if (!savePath.empty() && !writeFinalSave(player, savePath))
        {
            passed = false;
            failure = "cannot save the last day to " + savePath;
        }
        const AutoPlayer::Counts& c = player.counts();
        std::fprintf(report,
                     "played: %d days, %d actions started, %d completed, %d demolished, %d cancelled, %d refused "
                     "for money, %d fires put out, %d clicks while a day ran, %d calendar presses, %d rents, "
                     "%d prices, %d loans taken, %d repaid, %d build rate steps, %d turns, %d saves, %d loads\n",
                     c.days, c.actionsStarted, c.actionsCompleted, c.demolitions, c.cancels, c.refused,
                     c.firesPutOut, c.refusedClicks, c.calendarPresses, c.rentChanges, c.priceChanges,
                     c.loansTaken, c.loansRepaid, c.buildRateSteps, c.rotations, c.saves, c.loads);
        std::fprintf(report,
                     "reached: %d sensible and %d random moves, unlocks 0x%03x, %d fires broken out, %d put out, "
                     "service days fire %d, police %d, hospital %d\n",
                     c.sensibleMoves, c.randomMoves, game.unlockFlags, c.fires, c.firesPutOut, c.serviceDays[0],
                     c.serviceDays[1], c.serviceDays[2]);
        std::fprintf(report, "completed by action id:");
        for (int id = 1; id < 20; ++id)
            std::fprintf(report, " %d:%d", id, c.completedById[id]);
        std::fprintf(report, "\n");
    }
    double seconds = clock.getElapsedTime().asSeconds();
    if (passed)
        std::fprintf(report, "soak passed: %d years, seed %u, RSS year 1 %ld kB, year %d %ld kB, %.1f s\n", years,
                     seed, firstYearKb, years, lastYearKb, seconds);
    else
        std::fprintf(report, "soak FAILED: seed %u, %s\n", seed, failure.c_str());
    std::fflush(stdout);
    std::fclose(report);
    return passed ? 0 : 1;
}
