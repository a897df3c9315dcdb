#include "Signal.h"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

Signal::Signal(unsigned channelCount, unsigned rate, double seconds)
    : channels(channelCount), sampleRate(rate),
      samples(static_cast<size_t>(std::ceil(seconds * rate)) * channelCount, 0.0f)
{
}

size_t Signal::frames() const
{
    return samples.size() / channels;
}

void Signal::add(size_t i, unsigned c, float value)
{
    if (i < frames())
        samples[i * channels + c] += value;
}

float Signal::at(size_t i, unsigned c) const
{
    return samples[i * channels + c];
}

float Signal::peak() const
{
    float p = 0.0f;
    for (float s : samples)
        p = std::max(p, std::fabs(s));
    return p;
}

float Signal::rms() const
{
    if (samples.empty())
        return 0.0f;
    double sum = 0.0;
    for (float s : samples)
        sum += static_cast<double>(s) * s;
    return static_cast<float>(std::sqrt(sum / samples.size()));
}

void Signal::normalize(float target)
{
    const float p = peak();
    if (p <= 0.0f)
        return;
    for (float& s : samples)
        s *= target / p;
}

void Signal::wrapTail(size_t length)
{
    const size_t keep = length * channels;
    for (size_t i = keep; i < samples.size(); ++i)
        samples[(i - keep) % keep] += samples[i];
    samples.resize(keep);
}

bool Signal::save(const std::string& path) const
{
    sf::OutputSoundFile file;
    if (!file.openFromFile(path, sampleRate, channels))
        return false;
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
    {
        const float s = std::max(-1.0f, std::min(1.0f, samples[i]));
        pcm[i] = static_cast<int16_t>(std::lround(s * 32767.0f));
    }
    file.write(pcm.data(), pcm.size());
    return true;
}
