#ifndef QUILLFENN_SIMULATION_PLUSONEPARTICLE_H
#define QUILLFENN_SIMULATION_PLUSONEPARTICLE_H

// A "+1" that rises from a tile after a progress click.
struct PlusOneParticle
{
    float x = 0.0f;
    float y = 0.0f;
    float age = 0.0f;
    float drift = 0.0f;
};

#endif
