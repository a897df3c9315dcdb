#ifndef QUILLFENN_SIMULATION_HOUSE_H
#define QUILLFENN_SIMULATION_HOUSE_H

#include "simulation/Building.h"

#include <SFML/System/Mutex.hpp>

#include <atomic>

// Unmet needs of a house, as bits of House::unmetNeeds.
enum HouseNeed
{
    NeedWater = 1,
    NeedShopping = 2,
    NeedJobs = 4
};

// Risks of a house tile as the last day tick left them, as bits of
// House::shownWarnings: what the needs layer and the information window show
// without reading the tile's risk values while a tick changes them.
enum HouseWarning
{
    WarnCrime = 1,      // crime above 0
    WarnFireHazard = 2, // fire safety below 0
    WarnNoHospital = 4  // health below 0
};

// A home of 1 to 3 levels and its residents.
class House : public Building
{
public:
    House();

    // Raises or lowers the rent within its limits, waiting for a running day tick.
    void changeRent(int delta);

    // One day of the house's standing: rates its surroundings and services,
    // lets sickness run and grows or shrinks it (HouseGrowth.cpp).
    void updateAttractiveness();

    // Turns the day's growth into residents moving in or out, a death from
    // sickness or a fire from fire damage.
    void updateResidents();

    // Shops at the nearest shops with room until the demand is met or none is left.
    void satisfyShopping();

    // Draws water from the nearest supplies with room.
    void satisfyWater();

    // Takes jobs at the nearest factories and offices with room.
    void satisfyJobs();

    int level = 0;
    int capacity = 0;
    int shoppingDemand = 0;
    int waterDemand = 0;
    int jobDemand = 0;
    int rentOffset = 0;
    double sickness = 0.0;
    double fireDamage = 0.0;
    int unmetNeeds = 0;
    double attractiveness = 0.0;
    std::atomic<int> residents{0};
    std::atomic<int> shownNeeds{0};
    std::atomic<double> growth{0.0};
    std::atomic<double> shownAttractiveness{0.0};
    std::atomic<int> shownWarnings{0};
    sf::Mutex mutex;

private:
    // The rent change itself, within its limits.
    void applyRent(int delta);
};

// The rating (0 Appalling .. 6 Excellent) of an attractiveness.
int attractionLevel(double attractiveness);

#endif
