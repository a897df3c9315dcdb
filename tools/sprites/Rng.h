#ifndef QUILLFENN_TOOLS_SPRITES_RNG_H
#define QUILLFENN_TOOLS_SPRITES_RNG_H

#include <cstdint>

// A small fixed-seed generator (xorshift32) so the art is the same on every build.
class Rng
{
public:
    // A generator started from the given seed (0 is replaced by a fixed constant).
    explicit Rng(uint32_t seed);

    // The next raw value.
    uint32_t next();

    // A value in 0 .. bound - 1.
    int below(int bound);

    uint32_t state;
};

#endif
