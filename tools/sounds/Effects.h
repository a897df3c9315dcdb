#ifndef QUILLFENN_TOOLS_EFFECTS_H
#define QUILLFENN_TOOLS_EFFECTS_H

#include "Envelope.h"
#include "Oscillator.h"
#include "Signal.h"

#include <functional>
#include <string>
#include <vector>

// The game's fourteen sound effects, synthesized: 16-bit, 44100 Hz, mono.
class Effects
{
public:
    // Every effect name the game loads, in load order.
    static const std::vector<std::string>& names();

    // Renders the named effect (an empty signal for an unknown name).
    Signal render(const std::string& name);

    static const unsigned sampleRate = 44100;

private:
    // Adds a tone of wave shaped by envelope, starting at start seconds, held
    // for length; pitch(t) gives the frequency at t seconds into the note.
    void tone(Signal& out, double start, double length, Wave wave, const Envelope& envelope,
              const std::function<double(double)>& pitch, float gain);

    // Adds bell-like partials (inharmonic sines with their own decays).
    void bell(Signal& out, double start, double frequency, double decay, float gain);

    // Adds filtered noise: cutoff(t) for a low-pass, shaped by level(t).
    void noise(Signal& out, double start, double length, const std::function<double(double)>& cutoff,
               const std::function<double(double)>& level, bool highPass, float gain);

    Signal click();
    Signal progressBuild();
    Signal plopRoad();
    Signal plopBuilding();
    Signal demolish();
    Signal tick();
    Signal tock();
    Signal openWindow();
    Signal yearEnd();
    Signal monthEnd();
    Signal fire();
    Signal putOutFire();
    Signal unlockedFeature();
    Signal upgrade();

    Noise random{0x51A7E5u};
};

#endif
