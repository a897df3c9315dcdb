#ifndef QUILLFENN_TOOLS_ENVELOPE_H
#define QUILLFENN_TOOLS_ENVELOPE_H

// Attack, decay, sustain, release amplitude shape of one note. Times in
// seconds; the release starts when the note is let go and always ends at
// silence, so a note never stops with a click.
struct Envelope
{
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.08;

    // Amplitude at time t after the start of a note held for length seconds.
    double at(double t, double length) const;

    // Seconds until a note held for length seconds is silent.
    double duration(double length) const;
};

#endif
