#include "Oscillator.h"

#include <cmath>

namespace
{

const double twoPi = 6.283185307179586;

// Smoothing step for a discontinuity at phase 0 (t in 0..1, dt the increment).
double polyBlep(double t, double dt)
{
    if (t < dt)
    {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt)
    {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double pulse(double phase, double dt, double duty)
{
    double value = phase < duty ? 1.0 : -1.0;
    value += polyBlep(phase, dt);
    double fall = phase - duty;
    if (fall < 0.0)
        fall += 1.0;
    value -= polyBlep(fall, dt);
    // Keep the average at zero whatever the duty.
    return value - (2.0 * duty - 1.0);
}

} // namespace

Oscillator::Oscillator(Wave shape, double rate) : wave(shape), sampleRate(rate) {}

float Oscillator::next(double frequency)
{
    const double dt = frequency / sampleRate;
    double value = 0.0;
    switch (wave)
    {
    case Wave::Sine:
        value = std::sin(twoPi * phase);
        break;
    case Wave::Triangle:
        value = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        break;
    case Wave::Square:
        value = pulse(phase, dt, 0.5);
        break;
    case Wave::Pulse25:
        value = pulse(phase, dt, 0.25);
        break;
    case Wave::Pulse12:
        value = pulse(phase, dt, 0.125);
        break;
    case Wave::Saw:
        value = 2.0 * phase - 1.0 - polyBlep(phase, dt);
        break;
    }
    phase += dt;
    phase -= std::floor(phase);
    return static_cast<float>(value);
}

Noise::Noise(uint32_t seed) : state(seed ? seed : 1u) {}

double Noise::uniform()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state / 4294967296.0;
}

float Noise::next()
{
    return static_cast<float>(uniform() * 2.0 - 1.0);
}

OnePole::OnePole(double cutoff, double rate) : sampleRate(rate)
{
    setCutoff(cutoff);
}

void OnePole::setCutoff(double cutoff)
{
    coefficient = 1.0 - std::exp(-twoPi * cutoff / sampleRate);
}

float OnePole::lowPass(float input)
{
    state += coefficient * (input - state);
    return static_cast<float>(state);
}

float OnePole::highPass(float input)
{
    return input - lowPass(input);
}

double noteFrequency(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}
