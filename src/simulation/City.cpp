#include "simulation/City.h"

// PLACEHOLDER implementation.

City::City(Game* game) : game(game) {}
City::~City() {}
void City::reset() { population = 0; loan = 0; money = 0.0; }
void City::setMoney(double value)
{
    sf::Lock lock(moneyMutex);
    money = value;
}
