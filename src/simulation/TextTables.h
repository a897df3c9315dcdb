#ifndef QUILLFENN_SIMULATION_TEXTTABLES_H
#define QUILLFENN_SIMULATION_TEXTTABLES_H

// PLACEHOLDER: the shared text tables are built by the simulation.

#include <string>

extern const std::string gameTitle;
extern const std::string layerCaptions[4];

#endif
