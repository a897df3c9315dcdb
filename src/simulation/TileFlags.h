#ifndef QUILLFENN_SIMULATION_TILEFLAGS_H
#define QUILLFENN_SIMULATION_TILEFLAGS_H

#include <atomic>

// The state bits of a tile. The day tick sets the burning bit while the main
// thread sets and clears the off-screen and highlighted bits, so every change
// is one atomic read-modify-write: neither side can lose the other's bit.
class TileFlags
{
public:
    TileFlags(unsigned char value = 0) : bits(value) {}
    TileFlags(const TileFlags& other) : bits(other.bits.load()) {}

    TileFlags& operator=(const TileFlags& other)
    {
        bits.store(other.bits.load());
        return *this;
    }

    // Replaces every bit at once.
    TileFlags& operator=(unsigned char value)
    {
        bits.store(value);
        return *this;
    }

    // The bits as they are now.
    operator unsigned char() const { return bits.load(); }

    // Sets the given bits.
    TileFlags& operator|=(int mask)
    {
        bits.fetch_or(static_cast<unsigned char>(mask));
        return *this;
    }

    // Keeps only the given bits.
    TileFlags& operator&=(int mask)
    {
        bits.fetch_and(static_cast<unsigned char>(mask));
        return *this;
    }

private:
    std::atomic<unsigned char> bits;
};

#endif
