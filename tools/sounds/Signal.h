#ifndef QUILLFENN_TOOLS_SIGNAL_H
#define QUILLFENN_TOOLS_SIGNAL_H

#include <string>
#include <vector>

// Interleaved float samples in -1..1 with their layout; what the synthesizers
// render into and what gets written out as 16-bit sound.
class Signal
{
public:
    Signal(unsigned channelCount, unsigned rate, double seconds);

    // Frame count.
    size_t frames() const;

    // Adds value to frame i of channel c when the frame exists.
    void add(size_t i, unsigned c, float value);

    // Sample of frame i, channel c.
    float at(size_t i, unsigned c) const;

    // Largest absolute sample.
    float peak() const;

    // Root mean square over all samples.
    float rms() const;

    // Scales every sample so the peak becomes target (silence stays silent).
    void normalize(float target);

    // Folds frames past length back onto the start, so a looping stream
    // carries its last notes' tails into the beginning, then cuts to length.
    void wrapTail(size_t length);

    // Writes a .wav or .ogg file (by extension) as 16-bit samples.
    bool save(const std::string& path) const;

    unsigned channels;
    unsigned sampleRate;
    std::vector<float> samples;
};

#endif
