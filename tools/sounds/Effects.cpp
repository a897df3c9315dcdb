#include "Effects.h"

#include <cmath>

namespace
{

const double twoPi = 6.283185307179586;

Envelope shape(double attack, double decay, double sustain, double release)
{
    Envelope e;
    e.attack = attack;
    e.decay = decay;
    e.sustain = sustain;
    e.release = release;
    return e;
}

std::function<double(double)> steady(double frequency)
{
    return [frequency](double) { return frequency; };
}

// Exponential glide from one frequency to another over time seconds.
std::function<double(double)> glide(double from, double to, double time)
{
    return [from, to, time](double t) { return from * std::pow(to / from, std::min(t / time, 1.0)); };
}

} // namespace

const std::vector<std::string>& Effects::names()
{
    static const std::vector<std::string> list = {
        "click", "progress_build", "plop_road", "plop_building", "demolish", "tick", "open_window",
        "tock", "year_end", "month_end", "fire", "putoutfire", "unlocked_feature", "upgrade"};
    return list;
}

Signal Effects::render(const std::string& name)
{
    if (name == "click") return click();
    if (name == "progress_build") return progressBuild();
    if (name == "plop_road") return plopRoad();
    if (name == "plop_building") return plopBuilding();
    if (name == "demolish") return demolish();
    if (name == "tick") return tick();
    if (name == "tock") return tock();
    if (name == "open_window") return openWindow();
    if (name == "year_end") return yearEnd();
    if (name == "month_end") return monthEnd();
    if (name == "fire") return fire();
    if (name == "putoutfire") return putOutFire();
    if (name == "unlocked_feature") return unlockedFeature();
    if (name == "upgrade") return upgrade();
    return Signal(1, sampleRate, 0.0);
}

void Effects::tone(Signal& out, double start, double length, Wave wave, const Envelope& envelope,
                   const std::function<double(double)>& pitch, float gain)
{
    Oscillator osc(wave, sampleRate);
    const size_t first = static_cast<size_t>(start * sampleRate);
    const size_t count = static_cast<size_t>(envelope.duration(length) * sampleRate);
    for (size_t i = 0; i < count; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        out.add(first + i, 0, static_cast<float>(osc.next(pitch(t)) * envelope.at(t, length)) * gain);
    }
}

void Effects::bell(Signal& out, double start, double frequency, double decay, float gain)
{
    // Ratios of a struck metal bar: the upper partials die away sooner.
    static const double ratios[] = {1.0, 2.76, 5.40, 8.93};
    static const double levels[] = {1.0, 0.45, 0.22, 0.1};
    const size_t first = static_cast<size_t>(start * sampleRate);
    const size_t count = static_cast<size_t>(decay * 6.0 * sampleRate);
    for (size_t i = 0; i < count; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        double value = 0.0;
        for (int p = 0; p < 4; ++p)
            value += levels[p] * std::sin(twoPi * frequency * ratios[p] * t) * std::exp(-t * (1.0 + p) / decay);
        const double attack = std::min(t / 0.002, 1.0);
        const double fade = i + 1 == count ? 0.0 : 1.0 - static_cast<double>(i) / count;
        out.add(first + i, 0, static_cast<float>(value * attack * fade) * gain);
    }
}

void Effects::noise(Signal& out, double start, double length, const std::function<double(double)>& cutoff,
                    const std::function<double(double)>& level, bool highPass, float gain)
{
    OnePole filter(cutoff(0.0), sampleRate);
    const size_t first = static_cast<size_t>(start * sampleRate);
    const size_t count = static_cast<size_t>(length * sampleRate);
    for (size_t i = 0; i < count; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        filter.setCutoff(cutoff(t));
        const float n = random.next();
        const float filtered = highPass ? filter.highPass(n) : filter.lowPass(n);
        // Millisecond ramps at both ends keep a burst from clicking.
        const double ramp = std::min(std::min(t / 0.001, (length - t) / 0.002), 1.0);
        out.add(first + i, 0, filtered * static_cast<float>(level(t) * ramp) * gain);
    }
}

Signal Effects::click()
{
    Signal out(1, sampleRate, 0.05);
    tone(out, 0.0, 0.004, Wave::Sine, shape(0.0008, 0.004, 0.3, 0.02), glide(1800.0, 900.0, 0.02), 0.8f);
    noise(out, 0.0, 0.012, steady(4000.0), [](double t) { return std::exp(-t * 400.0); }, false, 0.6f);
    out.normalize(0.35f);
    return out;
}

Signal Effects::progressBuild()
{
    // A clean rounded blip: it is replayed at rising pitch while a building grows.
    Signal out(1, sampleRate, 0.12);
    tone(out, 0.0, 0.02, Wave::Triangle, shape(0.003, 0.03, 0.5, 0.07), glide(740.0, 880.0, 0.015), 0.7f);
    tone(out, 0.0, 0.02, Wave::Sine, shape(0.003, 0.03, 0.4, 0.07), glide(1480.0, 1760.0, 0.015), 0.25f);
    out.normalize(0.5f);
    return out;
}

Signal Effects::plopRoad()
{
    Signal out(1, sampleRate, 0.2);
    tone(out, 0.0, 0.03, Wave::Sine, shape(0.002, 0.05, 0.4, 0.1), glide(420.0, 140.0, 0.08), 0.9f);
    noise(out, 0.0, 0.06, steady(1200.0), [](double t) { return std::exp(-t * 60.0); }, false, 0.8f);
    out.normalize(0.7f);
    return out;
}

Signal Effects::plopBuilding()
{
    Signal out(1, sampleRate, 0.42);
    tone(out, 0.0, 0.06, Wave::Sine, shape(0.002, 0.1, 0.5, 0.2), glide(240.0, 55.0, 0.15), 1.0f);
    tone(out, 0.0, 0.03, Wave::Triangle, shape(0.002, 0.05, 0.3, 0.1), glide(500.0, 120.0, 0.08), 0.4f);
    noise(out, 0.0, 0.25, glide(2500.0, 300.0, 0.2), [](double t) { return std::exp(-t * 18.0); }, false, 1.2f);
    // A second, smaller settle knock.
    tone(out, 0.12, 0.02, Wave::Sine, shape(0.002, 0.04, 0.3, 0.08), glide(180.0, 70.0, 0.06), 0.35f);
    out.normalize(0.85f);
    return out;
}

Signal Effects::demolish()
{
    Signal out(1, sampleRate, 0.5);
    // Crunch: bursts of noise of random size and timing over a falling rumble.
    double t = 0.0;
    while (t < 0.36)
    {
        const double length = 0.01 + random.uniform() * 0.03;
        const double cutoff = 1500.0 + random.uniform() * 3000.0;
        const float gain = static_cast<float>(0.4 + random.uniform() * 0.6) * static_cast<float>(1.0 - t / 0.45);
        noise(out, t, length, steady(cutoff), [length](double s) { return std::sin(3.14159265 * s / length); },
              false, gain * 1.6f);
        t += length * (0.5 + random.uniform() * 0.6);
    }
    tone(out, 0.0, 0.15, Wave::Sine, shape(0.005, 0.2, 0.5, 0.25), glide(90.0, 40.0, 0.35), 0.7f);
    out.normalize(0.85f);
    return out;
}

Signal Effects::tick()
{
    Signal out(1, sampleRate, 0.05);
    tone(out, 0.0, 0.002, Wave::Sine, shape(0.0005, 0.004, 0.2, 0.025), steady(2600.0), 0.8f);
    noise(out, 0.0, 0.006, steady(6000.0), [](double s) { return std::exp(-s * 700.0); }, true, 0.6f);
    out.normalize(0.55f);
    return out;
}

Signal Effects::tock()
{
    // Lower and hollower than the tick.
    Signal out(1, sampleRate, 0.07);
    tone(out, 0.0, 0.003, Wave::Triangle, shape(0.0008, 0.006, 0.3, 0.04), glide(1300.0, 1000.0, 0.03), 0.8f);
    tone(out, 0.0, 0.003, Wave::Sine, shape(0.0008, 0.006, 0.3, 0.04), steady(650.0), 0.5f);
    noise(out, 0.0, 0.008, steady(2500.0), [](double s) { return std::exp(-s * 500.0); }, false, 0.5f);
    out.normalize(0.55f);
    return out;
}

Signal Effects::openWindow()
{
    Signal out(1, sampleRate, 0.38);
    // Swish: noise swept upwards, then a small chime.
    noise(out, 0.0, 0.16, glide(500.0, 5000.0, 0.16), [](double s) { return std::sin(3.14159265 * s / 0.16); },
          false, 0.7f);
    bell(out, 0.09, 1318.5, 0.04, 0.35f);
    out.normalize(0.6f);
    return out;
}

Signal Effects::monthEnd()
{
    // Two bell strokes, fifth then tonic.
    Signal out(1, sampleRate, 0.9);
    bell(out, 0.0, 784.0, 0.1, 0.6f);
    bell(out, 0.18, 1046.5, 0.11, 0.6f);
    out.normalize(0.75f);
    return out;
}

Signal Effects::yearEnd()
{
    // Fanfare: a rising call on brassy pulses, then a held major chord.
    Signal out(1, sampleRate, 1.9);
    const double beat = 0.13;
    const double call[] = {60, 64, 67, 64, 67};
    for (int i = 0; i < 5; ++i)
    {
        tone(out, i * beat, beat * 0.7, Wave::Pulse25, shape(0.01, 0.05, 0.7, 0.05), steady(noteFrequency(call[i] + 12)),
             0.4f);
        tone(out, i * beat, beat * 0.7, Wave::Triangle, shape(0.01, 0.05, 0.7, 0.05), steady(noteFrequency(call[i])),
             0.4f);
    }
    const double chord[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
    {
        const double frequency = noteFrequency(chord[i]);
        // A slow vibrato that fades in, as a held brass chord would.
        auto vibrato = [frequency](double t) {
            return frequency * (1.0 + 0.004 * std::sin(twoPi * 5.5 * t) * std::min(t / 0.3, 1.0));
        };
        tone(out, 5 * beat, 0.8, i % 2 ? Wave::Square : Wave::Pulse25, shape(0.02, 0.2, 0.6, 0.4), vibrato, 0.22f);
    }
    tone(out, 5 * beat, 0.8, Wave::Triangle, shape(0.02, 0.2, 0.7, 0.4), steady(noteFrequency(48)), 0.5f);
    out.normalize(0.8f);
    return out;
}

Signal Effects::fire()
{
    // An alarm bell: the clapper strikes about sixteen times a second.
    Signal out(1, sampleRate, 1.55);
    for (int i = 0; i < 22; ++i)
        bell(out, i * 0.062, 1180.0 + (i % 2) * 9.0, 0.05, 0.5f);
    // Let the last strokes ring out under a fade to silence at the end.
    const size_t n = out.frames();
    for (size_t i = 0; i < n; ++i)
    {
        const double left = static_cast<double>(n - 1 - i) / sampleRate;
        out.samples[i] *= static_cast<float>(std::min(left / 0.15, 1.0));
    }
    out.normalize(0.75f);
    return out;
}

Signal Effects::putOutFire()
{
    // A hiss of steam over a splash.
    Signal out(1, sampleRate, 0.7);
    noise(out, 0.0, 0.68, steady(3000.0),
          [](double t) { return std::min(t / 0.03, 1.0) * std::exp(-t * 5.0) * (1.0 - t / 0.68); }, true, 1.0f);
    noise(out, 0.0, 0.2, glide(1500.0, 300.0, 0.2), [](double t) { return std::exp(-t * 20.0); }, false, 1.0f);
    out.normalize(0.7f);
    return out;
}

Signal Effects::unlockedFeature()
{
    // A bright jingle: a rising phrase answered by a sparkling high arpeggio.
    Signal out(1, sampleRate, 1.3);
    const double phrase[] = {67, 69, 71, 74, 79};
    const double starts[] = {0.0, 0.1, 0.2, 0.3, 0.45};
    for (int i = 0; i < 5; ++i)
    {
        const double length = i == 4 ? 0.4 : 0.07;
        tone(out, starts[i], length, Wave::Square, shape(0.005, 0.06, 0.5, 0.12), steady(noteFrequency(phrase[i])), 0.3f);
        tone(out, starts[i], length, Wave::Triangle, shape(0.005, 0.06, 0.6, 0.12),
             steady(noteFrequency(phrase[i] - 12)), 0.3f);
    }
    const double sparkle[] = {91, 95, 98, 103};
    for (int i = 0; i < 4; ++i)
        bell(out, 0.5 + i * 0.06, noteFrequency(sparkle[i]), 0.05, 0.15f);
    out.normalize(0.75f);
    return out;
}

Signal Effects::upgrade()
{
    // A quick rising major arpeggio.
    Signal out(1, sampleRate, 0.55);
    const double notes[] = {60, 64, 67, 72, 76};
    for (int i = 0; i < 5; ++i)
    {
        const double length = i == 4 ? 0.14 : 0.045;
        tone(out, i * 0.055, length, Wave::Pulse25, shape(0.003, 0.04, 0.6, 0.1), steady(noteFrequency(notes[i] + 12)),
             0.35f);
        tone(out, i * 0.055, length, Wave::Triangle, shape(0.003, 0.04, 0.6, 0.1), steady(noteFrequency(notes[i])),
             0.35f);
    }
    out.normalize(0.7f);
    return out;
}
