#ifndef QUILLFENN_SIMULATION_MAP_H
#define QUILLFENN_SIMULATION_MAP_H

// PLACEHOLDER: the map is built by the simulation.

#include "simulation/Tile.h"

#include <SFML/Graphics/RenderTarget.hpp>

#include <vector>

class Game;

class Map
{
public:
    explicit Map(Game* game);
    void create(int width, int height, bool loading);
    Tile* getTile(int x, int y);
    Tile* tileAt(int x, int y);
    void updateOnScreenTiles();
    void setInfoLayer(int layer);
    void draw(sf::RenderTarget& target);

    Game* game;
    int width = 0, height = 0;
    std::vector<Tile> tiles;
    int infoLayer = 0;
    std::vector<Tile*> houses;
};

#endif
