#ifndef QUILLFENN_TOOLS_OSCILLATOR_H
#define QUILLFENN_TOOLS_OSCILLATOR_H

#include <cstdint>

// Waveforms the chip voices use.
enum class Wave
{
    Sine,
    Triangle,
    Square,  // pulse of duty 0.5
    Pulse25, // duty 0.25
    Pulse12, // duty 0.125
    Saw
};

// A phase-accumulating oscillator; the pulse and saw edges are smoothed
// (polyBLEP) so high notes do not alias into hiss.
class Oscillator
{
public:
    Oscillator(Wave shape, double rate);

    // Next sample at the given frequency, -1..1.
    float next(double frequency);

    Wave wave;
    double sampleRate;
    double phase = 0.0;
};

// A fixed-seed white noise source (xorshift), so every build sounds the same.
class Noise
{
public:
    explicit Noise(uint32_t seed = 0x9E3779B9u);

    // Next sample, -1..1.
    float next();

    // Uniform value in 0..1.
    double uniform();

    uint32_t state;
};

// A one-pole low-pass filter; high-pass is the input minus its output.
class OnePole
{
public:
    OnePole(double cutoff, double rate);

    // Moves the cutoff frequency.
    void setCutoff(double cutoff);

    // Low-passed sample.
    float lowPass(float input);

    // High-passed sample.
    float highPass(float input);

    double sampleRate;
    double coefficient = 0.0;
    double state = 0.0;
};

// Frequency in Hz of a MIDI note number (69 = A4 = 440 Hz).
double noteFrequency(double note);

#endif
