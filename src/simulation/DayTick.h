#ifndef QUILLFENN_SIMULATION_DAYTICK_H
#define QUILLFENN_SIMULATION_DAYTICK_H

#include "simulation/City.h"
#include "simulation/Tile.h"
#include "simulation/TileLists.h"

#include <SFML/System/Clock.hpp>

#include <functional>
#include <string>
#include <vector>

class Game;
class Map;

// One day of the city, step by step: suppliers, incomes, services and risks,
// houses, goods, upkeep, waste, loan interest, unlocks and the roll-overs.
// Game::buildingTick runs it on the tick's thread while it holds tileMutex;
// everything the player sees or hears from it is posted to the main thread.
class DayTick : private TileLists
{
public:
    explicit DayTick(Game* game);
    DayTick(const DayTick&) = delete;
    DayTick& operator=(const DayTick&) = delete;

    // Runs every step of the day in order.
    void run();

private:
    // Reads the day, copies the map's lists and opens the books.
    void begin();

    // Which services act today: unlocked, and past their grace days.
    void decideServices();

    // Empties every supplier and workplace and gives each house a fresh day.
    void resetBuildings();

    // The day's money of shops, services, offices and water, and the services' reach.
    void runSuppliersAndServices();

    // Risks, rating, growth and rent of every house; counts the residents.
    void updateHouses();

    // Demand, production and income of the three goods.
    void tradeGoods();

    // Roads, parks and the water pipes under the roads.
    void bookUpkeep();

    // Takes the day's waste and some street trash to a landfill, once landfills exist.
    void moveWaste();

    // What waste management costs for this many waste-producing buildings.
    void chargeWaste();

    // Loan interest, then the held-back bookings reach the balance.
    void closeBooks();

    // Unlocks every building kind whose time has come, each once.
    void applyUnlocks();

    // Day, month and year books, classes, housing demand and the windows.
    void rollOver();

    // Adds a whole-unit amount to the day's books of a category.
    void book(int amount, FinanceCategory category);

    // Books what book() gathered, gains and losses apart.
    void flushBookings();

    // Runs UI work on the main thread.
    void post(std::function<void()> task);

    // Plays a sound on the main thread.
    void playSound(const std::string& name);

    Game* game;
    Map* map;
    City* city;
    sf::Clock clock;
    int today = 0;

    // The day's copies of the map's lists: tilesOfType (TileLists) and these.
    std::vector<Tile*> waterSupplies;

    bool policeOn = false;
    bool hospitalsOn = false;
    bool fireStationsOn = false;
    double waste = 0.0;
    int wasteBuildings = 0;
    int population = 0;
    // The houses by the rating they show, counted by the pass over them
    // for the social classes of the day's end (see City::updateSocialClasses).
    int rated[3] = {0, 0, 0};

    // Whole-unit bookings gathered per category before they reach the city.
    long long gains[City::BookSize] = {};
    long long losses[City::BookSize] = {};
};

#endif
