#ifndef QUILLFENN_SIMULATION_CITY_H
#define QUILLFENN_SIMULATION_CITY_H

// PLACEHOLDER: the city and its books are built by the simulation.

#include <SFML/System/Lock.hpp>
#include <SFML/System/Mutex.hpp>

class Game;

class City
{
public:
    explicit City(Game* game);
    virtual ~City();
    void reset();
    void setMoney(double value);

    Game* game;
    int population = 0;
    int loan = 0;
    double money = 0.0;
    sf::Mutex moneyMutex;
    sf::Mutex populationMutex;
};

#endif
