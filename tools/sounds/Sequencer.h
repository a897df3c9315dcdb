#ifndef QUILLFENN_TOOLS_SEQUENCER_H
#define QUILLFENN_TOOLS_SEQUENCER_H

#include "Oscillator.h"
#include "Signal.h"
#include "Song.h"

#include <vector>

// Turns a Song into notes and renders them: a melody composed phrase by
// phrase from the chords with a seeded generator, bass, accompaniment and
// drums from the step patterns. The result loops: the piece is a whole
// number of bars and the last notes' tails are folded onto the start.
class Sequencer
{
public:
    explicit Sequencer(const Song& tune, unsigned rate = 44100);

    // Length of the piece in seconds.
    double length() const;

    // Number of bars.
    int bars() const;

    // Renders the whole piece as stereo, peak-normalized to peak.
    Signal render(float peak);

private:
    struct Note
    {
        double start;  // seconds
        double length; // seconds
        double pitch;  // MIDI note
        const VoiceStyle* voice;
    };

    // Seconds at which step s of bar b starts (with swing).
    double stepTime(int bar, int step) const;

    // Seconds per step.
    double stepLength() const;

    // MIDI note of a scale step counted from the tonic (7 per octave).
    double scaleNote(int scaleStep) const;

    // Chord degree of a bar.
    int chordOf(int bar) const;

    // Composes the melody of one four-bar phrase starting at firstBar.
    void composePhrase(int firstBar, bool lastPhrase, std::vector<int>& motif, bool variation);

    // Pitches a bass or accompaniment step character plays over a chord.
    std::vector<double> bassPitches(char step, int chord) const;
    std::vector<double> arpPitches(char step, int chord) const;

    // Adds the notes of a step pattern repeated over every bar.
    void addPattern(const std::string& pattern, const VoiceStyle& voice, double legato,
                    std::vector<double> (Sequencer::*pitchesOf)(char, int) const);

    void addMelody();
    void renderNotes(Signal& out) const;
    void renderDrums(Signal& out);

    const Song& song;
    unsigned sampleRate;
    std::vector<Note> notes;
    Noise random;
    int previousStep = 0; // last melody scale step, for smooth lines
};

#endif
