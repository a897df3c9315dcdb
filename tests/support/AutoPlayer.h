#ifndef QUILLFENN_TESTS_AUTOPLAYER_H
#define QUILLFENN_TESTS_AUTOPLAYER_H

// A player that plays a new game by itself through the game's own calls:
// it buys and clicks actions, cancels some, demolishes, changes rents, goods
// prices, loans and the build rate, turns the map, presses the calendar, and
// saves and loads every month. Most of its moves are a sensible builder's
// (roads on a grid, homes where water, shops and work reach, what the homes
// lack, the services once they unlock, loans repaid when rich); the rest are
// random, as a careless player's. The same seed plays the same game, so a
// failure can be played again. After every day it checks the city
// (scripted::checkCity); after every load, that the city is the one saved.

#include "Fixtures.h"
#include "game/Game.h"

#include <random>
#include <string>

class AutoPlayer
{
public:
    // What the player has done so far.
    struct Counts
    {
        int days = 0;              // day ticks that ended and were checked
        int actionsStarted = 0;
        int actionsCompleted = 0;
        int demolitions = 0;       // demolish actions completed
        int cancels = 0;
        int refused = 0;           // actions the money did not cover
        int firesPutOut = 0;
        int refusedClicks = 0;     // clicks made while a day ran
        int calendarPresses = 0;
        int rentChanges = 0;
        int priceChanges = 0;
        int loansTaken = 0;
        int loansRepaid = 0;
        int buildRateSteps = 0;
        int rotations = 0;
        int saves = 0;
        int loads = 0;
        int completedById[20] = {}; // by action id
        int sensibleMoves = 0;     // moves chosen to grow the city
        int randomMoves = 0;       // moves chosen at random
        int fires = 0;             // outbreaks: the put out fires action began
        int serviceDays[3] = {};   // days a built fire, police, hospital service acted
    };

    // A new game on a headless game seeded with the seed, its saves under a temporary folder.
    explicit AutoPlayer(unsigned seed);

    // Waits for a running day and frees everything the game was given.
    ~AutoPlayer();

    AutoPlayer(const AutoPlayer&) = delete;
    AutoPlayer& operator=(const AutoPlayer&) = delete;

    // Plays until the day counter reaches the day; false as soon as a check fails.
    bool playUntil(int day);

    // Saves the city as it stands to slot 1 and reads that file back into text;
    // false when either fails. The same seed gives the same bytes.
    bool saveText(std::string& text);

    // Why the last check failed, "" while every check held.
    const std::string& failure() const { return fault; }

    // What the player did.
    const Counts& counts() const { return done; }

    // The game being played.
    Game& game() { return play; }

private:
    // One move of a player: keep the running action going or choose what to do next.
    void move();

    // What the main loop does between frames: free a finished day, run posted UI
    // work, age the "+1" particles, close message dialogs.
    void loopWork();

    // Waits for a running day tick and checks the day it left.
    void finishDay();

    // The daily checks, then the monthly save and load.
    void checkDay();

    // Counts a fire that broke out and the services that acted today.
    void countServicesAndFires();

    // Saves, loads the slot back and checks that the city is the one saved.
    void saveAndLoad();

    // A growth-minded move: repay, mind the rents, build what the city lacks, or end the day.
    void sensibleMove();

    // Buys and starts the action the city needs most; false when it needs nothing affordable.
    bool startSensibleAction();

    // Raises the rents of full, well-liked homes and lowers those of shunned ones.
    void tuneRents();

    // Steps each goods price up while the goods run short and down while they are left over.
    void tunePrices();

    // Buys and starts an action on a random revealed tile; false when none was started.
    bool startRandomAction();

    // Pays for the offered action in the slot of the tile and starts it; false when refused.
    bool buy(Tile* tile, int actionSlot, int id);

    // One progress click; the day it starts is waited for and checked.
    void click();

    // Clicks while a day is held from starting: the click must not count.
    void clickWhileADayRuns();

    void changeARent();
    void changeAPrice();
    void manageLoan();
    void buyBuildRate();
    void rotate();

    // The needs some home went without on the last day (HouseNeed bits).
    int unmetNeeds();

    // A random number in [0, n).
    int roll(int n);

    // True with the given chance in a thousand.
    bool chance(int perMille);

    double money();

    void fail(const std::string& why);

    fixtures::TempDir dir;
    Game play;
    std::mt19937 random;
    Counts done;
    std::string fault;
    int checkedDay = -1;
    int slot = 1;
    bool saveDue = false; // a month ended since the last save
    bool burning = false;  // the put out fires action ran at the last check
    int rentMonth = 0;     // the month the rents were last looked at
};

#endif
