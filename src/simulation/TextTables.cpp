#include "simulation/TextTables.h"

// PLACEHOLDER contents.

const std::string gameTitle = "Quillfenn";
const std::string layerCaptions[4] = {
    "Build mode",
    "Showing housing population, filled jobs and number of shoppers",
    "Showing housing attractiveness",
    "Showing housing needs & warnings",
};
