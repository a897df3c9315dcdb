#include "Rng.h"

Rng::Rng(uint32_t seed) :
state(seed ? seed : 0x9E3779B9u)
{
}

uint32_t Rng::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

int Rng::below(int bound)
{
    return bound > 0 ? static_cast<int>(next() % static_cast<uint32_t>(bound)) : 0;
}

