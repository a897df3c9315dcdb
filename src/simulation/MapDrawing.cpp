#include "simulation/Map.h"

// PLACEHOLDER: the isometric map drawing and its information layers.

void Map::setInfoLayer(int layer) { infoLayer = layer; }
void Map::draw(sf::RenderTarget&) {}
