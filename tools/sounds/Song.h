#ifndef QUILLFENN_TOOLS_SONG_H
#define QUILLFENN_TOOLS_SONG_H

#include "Envelope.h"
#include "Oscillator.h"

#include <cstdint>
#include <string>
#include <vector>

// How one part of the band sounds.
struct VoiceStyle
{
    Wave wave = Wave::Square;
    Envelope envelope;
    float gain = 0.1f;
    float pan = 0.0f;       // -1 left .. 1 right
    double vibrato = 0.0;   // depth as a fraction of the frequency
    int octave = 0;         // shift from the song's register, in octaves
};

// A piece of music as patterns: a key and mode, chords per bar, and step
// patterns for each voice. Patterns have one character per step of a bar.
struct Song
{
    std::string name;
    std::string keyName;      // for the report, e.g. "C major"
    int root = 60;            // MIDI note of the tonic in the melody register
    std::vector<int> mode;    // seven semitone offsets from the tonic
    double bpm = 100.0;
    int beatsPerBar = 4;
    int stepsPerBeat = 4;
    double swing = 0.0;       // delay of every second step, in steps

    // Chords as scale degrees (0 = tonic), one per bar of a four-bar phrase.
    std::vector<int> chordsA;
    std::vector<int> chordsB;
    std::string form = "AABA"; // phrases in order, four bars each
    int repeats = 2;

    // Melody rhythms: 'x' starts a note, '-' holds it, '.' rests.
    std::vector<std::string> rhythms;
    std::string cadence;      // rhythm of each phrase's last bar

    // Bass: 'R' chord root, 'F' fifth, 'O' octave, 'T' third, '-' hold, '.' rest.
    std::string bass;
    // Accompaniment: '0'-'2' chord tone, '3' the root an octave up, 'c' whole chord, '-' hold, '.' rest.
    std::string arp;
    // Drums: 'x' hit, '.' nothing.
    std::string kick;
    std::string snare;
    std::string hat;
    float drumGain = 0.3f;
    bool introWithoutDrums = true; // the first phrase breathes, which also eases the loop seam

    VoiceStyle lead;
    VoiceStyle bassVoice;
    VoiceStyle arpVoice;

    uint32_t seed = 1;
};

#endif
