#include "Sequencer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace
{

const double twoPi = 6.283185307179586;
const int phraseBars = 4;

// Steps a pattern note lasts: itself and the holds after it.
int heldSteps(const std::string& pattern, size_t start)
{
    int steps = 1;
    for (size_t i = start + 1; i < pattern.size() && pattern[i] == '-'; ++i)
        ++steps;
    return steps;
}

// Scale-step class (0..6) of a scale step, for negative steps too.
int stepClass(int scaleStep)
{
    return ((scaleStep % 7) + 7) % 7;
}

} // namespace

Sequencer::Sequencer(const Song& tune, unsigned rate) : song(tune), sampleRate(rate), random(tune.seed)
{
}

int Sequencer::bars() const
{
    return static_cast<int>(song.form.size()) * phraseBars * song.repeats;
}

double Sequencer::stepLength() const
{
    return 60.0 / song.bpm / song.stepsPerBeat;
}

double Sequencer::length() const
{
    return bars() * song.beatsPerBar * song.stepsPerBeat * stepLength();
}

double Sequencer::stepTime(int bar, int step) const
{
    const int stepsPerBar = song.beatsPerBar * song.stepsPerBeat;
    const double swing = step % 2 == 1 ? song.swing * stepLength() : 0.0;
    return (bar * stepsPerBar + step) * stepLength() + swing;
}

double Sequencer::scaleNote(int scaleStep) const
{
    const int octave = static_cast<int>(std::floor(scaleStep / 7.0));
    return song.root + 12 * octave + song.mode[stepClass(scaleStep)];
}

int Sequencer::chordOf(int bar) const
{
    // The piece ends on the tonic, the chord it starts on, so the loop closes.
    if (bar == bars() - 1)
        return 0;
    const char phrase = song.form[(bar / phraseBars) % song.form.size()];
    const std::vector<int>& chords = phrase == 'B' ? song.chordsB : song.chordsA;
    return chords[bar % phraseBars];
}

void Sequencer::composePhrase(int firstBar, bool lastPhrase, std::vector<int>& motif, bool variation)
{
    const bool fresh = motif.empty();
    size_t index = 0;
    for (int b = 0; b < phraseBars; ++b)
    {
        const int bar = firstBar + b;
        const bool closing = b == phraseBars - 1;
        // Each phrase letter keeps its own rhythms, so a repeat fits its motif.
        const size_t letter = static_cast<size_t>(song.form[(firstBar / phraseBars) % song.form.size()] - 'A');
        const std::string& rhythm = closing ? song.cadence : song.rhythms[(letter * 2 + b) % song.rhythms.size()];
        const int chord = chordOf(bar);
        for (size_t s = 0; s < rhythm.size(); ++s)
        {
            if (rhythm[s] != 'x')
                continue;
            int scaleStep;
            if (fresh)
            {
                const bool strong = s == 0 || (song.beatsPerBar == 4 && s == rhythm.size() / 2);
                if (strong || random.uniform() < 0.3)
                {
                    // The chord tone nearest the line so far.
                    // Mostly move to it rather than repeat the last note.
                    scaleStep = previousStep;
                    for (int d = random.uniform() < 0.75 ? 1 : 0; d <= 3; ++d)
                    {
                        const int up = previousStep + d, down = previousStep - d;
                        const bool preferUp = random.uniform() < 0.5;
                        auto isChordTone = [chord](int st) {
                            int c = stepClass(st - chord);
                            return c == 0 || c == 2 || c == 4;
                        };
                        if (isChordTone(preferUp ? up : down))
                        {
                            scaleStep = preferUp ? up : down;
                            break;
                        }
                        if (isChordTone(preferUp ? down : up))
                        {
                            scaleStep = preferUp ? down : up;
                            break;
                        }
                    }
                }
                else
                {
                    // Steps, leaning back toward the middle of the range.
                    static const int moves[] = {-2, -1, -1, 1, 1, 2};
                    const int lean = previousStep > 4 ? -1 : previousStep < 0 ? 1 : 0;
                    scaleStep = previousStep + moves[static_cast<int>(random.uniform() * 6) % 6];
                    if (random.uniform() < 0.35)
                        scaleStep += lean;
                }
                // Keep the tune in a singable range around the tonic.
                if (scaleStep > 9)
                    scaleStep -= 2;
                if (scaleStep < -3)
                    scaleStep += 2;
                motif.push_back(scaleStep);
            }
            else
            {
                scaleStep = motif[index % motif.size()];
                // A repeat changes a passing note here and there.
                if (variation && s != 0 && random.uniform() < 0.15)
                    scaleStep += random.uniform() < 0.5 ? -1 : 1;
            }
            ++index;
            if (lastPhrase && closing && rhythm.find('x', s + 1) == std::string::npos)
                scaleStep = std::abs(scaleStep) < std::abs(scaleStep - 7) ? 0 : 7;
            previousStep = scaleStep;
            const int steps = heldSteps(rhythm, s);
            notes.push_back({stepTime(bar, static_cast<int>(s)), steps * stepLength() * 0.92,
                             scaleNote(scaleStep) + 12 * song.lead.octave, &song.lead});
        }
    }
}

void Sequencer::addMelody()
{
    std::map<char, std::vector<int>> motifs;
    std::map<char, int> uses;
    const int phrases = bars() / phraseBars;
    for (int p = 0; p < phrases; ++p)
    {
        const char letter = song.form[p % song.form.size()];
        composePhrase(p * phraseBars, p == phrases - 1, motifs[letter], uses[letter]++ > 0);
    }
}

std::vector<double> Sequencer::bassPitches(char step, int chord) const
{
    const double shift = 12.0 * song.bassVoice.octave;
    switch (step)
    {
    case 'R': return {scaleNote(chord) + shift};
    case 'F': return {scaleNote(chord + 4) + shift};
    case 'T': return {scaleNote(chord + 2) + shift};
    case 'O': return {scaleNote(chord) + shift + 12.0};
    default: return {};
    }
}

std::vector<double> Sequencer::arpPitches(char step, int chord) const
{
    const double shift = 12.0 * song.arpVoice.octave;
    if (step >= '0' && step <= '2')
        return {scaleNote(chord + 2 * (step - '0')) + shift};
    if (step == '3')
        return {scaleNote(chord) + shift + 12.0};
    if (step == 'c')
        return {scaleNote(chord) + shift, scaleNote(chord + 2) + shift, scaleNote(chord + 4) + shift};
    return {};
}

void Sequencer::addPattern(const std::string& pattern, const VoiceStyle& voice, double legato,
                           std::vector<double> (Sequencer::*pitchesOf)(char, int) const)
{
    for (int bar = 0; bar < bars(); ++bar)
    {
        const int chord = chordOf(bar);
        for (size_t s = 0; s < pattern.size(); ++s)
        {
            const double held = heldSteps(pattern, s) * stepLength() * legato;
            for (double pitch : (this->*pitchesOf)(pattern[s], chord))
                notes.push_back({stepTime(bar, static_cast<int>(s)), held, pitch, &voice});
        }
    }
}

void Sequencer::renderNotes(Signal& out) const
{
    for (const Note& note : notes)
    {
        const VoiceStyle& voice = *note.voice;
        Oscillator osc(voice.wave, sampleRate);
        const double frequency = noteFrequency(note.pitch);
        const double angle = (voice.pan + 1.0) * 0.25 * 3.14159265358979;
        const float left = static_cast<float>(std::cos(angle)) * voice.gain;
        const float right = static_cast<float>(std::sin(angle)) * voice.gain;
        const size_t first = static_cast<size_t>(std::lround(note.start * sampleRate));
        const size_t count = static_cast<size_t>(voice.envelope.duration(note.length) * sampleRate);
        for (size_t i = 0; i < count; ++i)
        {
            const double t = static_cast<double>(i) / sampleRate;
            const double wobble = voice.vibrato * std::sin(twoPi * 5.0 * t) * std::min(std::max(t - 0.12, 0.0) / 0.2, 1.0);
            const float value = osc.next(frequency * (1.0 + wobble)) * static_cast<float>(voice.envelope.at(t, note.length));
            out.add(first + i, 0, value * left);
            out.add(first + i, 1, value * right);
        }
    }
}

void Sequencer::renderDrums(Signal& out)
{
    const int firstBar = song.introWithoutDrums ? phraseBars : 0;
    for (int bar = firstBar; bar < bars(); ++bar)
    {
        for (int s = 0; s < song.beatsPerBar * song.stepsPerBeat; ++s)
        {
            const size_t first = static_cast<size_t>(std::lround(stepTime(bar, s) * sampleRate));
            auto hit = [&](const std::string& pattern) { return s < static_cast<int>(pattern.size()) && pattern[s] == 'x'; };
            if (hit(song.kick))
            {
                Oscillator body(Wave::Sine, sampleRate);
                for (size_t i = 0; i < static_cast<size_t>(0.2 * sampleRate); ++i)
                {
                    const double t = static_cast<double>(i) / sampleRate;
                    const double level = std::min(t / 0.002, 1.0) * std::exp(-t * 22.0) * (1.0 - t / 0.2);
                    const float v = body.next(45.0 + 75.0 * std::exp(-t * 35.0)) * static_cast<float>(level) * song.drumGain;
                    out.add(first + i, 0, v);
                    out.add(first + i, 1, v);
                }
            }
            if (hit(song.snare))
            {
                OnePole filter(1800.0, sampleRate);
                Oscillator body(Wave::Triangle, sampleRate);
                for (size_t i = 0; i < static_cast<size_t>(0.14 * sampleRate); ++i)
                {
                    const double t = static_cast<double>(i) / sampleRate;
                    const double level = std::min(t / 0.001, 1.0) * std::exp(-t * 30.0) * (1.0 - t / 0.14);
                    const float v = (filter.highPass(random.next()) * 0.6f + body.next(190.0) * 0.3f) *
                                    static_cast<float>(level) * song.drumGain * 0.6f;
                    out.add(first + i, 0, v * 0.9f);
                    out.add(first + i, 1, v);
                }
            }
            if (hit(song.hat))
            {
                OnePole filter(7000.0, sampleRate);
                for (size_t i = 0; i < static_cast<size_t>(0.04 * sampleRate); ++i)
                {
                    const double t = static_cast<double>(i) / sampleRate;
                    const double level = std::exp(-t * 120.0) * (1.0 - t / 0.04);
                    const float v = filter.highPass(random.next()) * static_cast<float>(level) * song.drumGain * 0.35f;
                    out.add(first + i, 0, v);
                    out.add(first + i, 1, v * 0.8f);
                }
            }
        }
    }
}

Signal Sequencer::render(float peak)
{
    notes.clear();
    previousStep = 0;
    addMelody();
    addPattern(song.bass, song.bassVoice, 0.9, &Sequencer::bassPitches);
    addPattern(song.arp, song.arpVoice, 0.85, &Sequencer::arpPitches);
    const size_t frames = static_cast<size_t>(std::lround(length() * sampleRate));
    Signal out(2, sampleRate, length() + 3.0);
    renderNotes(out);
    renderDrums(out);
    out.wrapTail(frames);
    out.normalize(peak);
    return out;
}
