#include "Envelope.h"

#include <algorithm>

namespace
{

// Level while held, before any release.
double heldLevel(const Envelope& e, double t)
{
    if (t < e.attack)
        return t / e.attack;
    t -= e.attack;
    if (t < e.decay)
        return 1.0 - (1.0 - e.sustain) * (t / e.decay);
    return e.sustain;
}

} // namespace

double Envelope::at(double t, double length) const
{
    if (t < 0.0)
        return 0.0;
    if (t < length)
        return heldLevel(*this, t);
    const double r = t - length;
    if (r >= release)
        return 0.0;
    return heldLevel(*this, length) * (1.0 - r / release);
}

double Envelope::duration(double length) const
{
    return std::max(length, 0.0) + release;
}
