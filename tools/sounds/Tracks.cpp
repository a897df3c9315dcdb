#include "Tracks.h"

namespace
{

const std::vector<int> ionian = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> dorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> lydian = {0, 2, 4, 6, 7, 9, 11};
const std::vector<int> mixolydian = {0, 2, 4, 5, 7, 9, 10};
const std::vector<int> aeolian = {0, 2, 3, 5, 7, 8, 10};

VoiceStyle voice(Wave wave, float gain, float pan, double attack, double decay, double sustain, double release,
                 int octave, double vibrato = 0.0)
{
    VoiceStyle v;
    v.wave = wave;
    v.gain = gain;
    v.pan = pan;
    v.envelope.attack = attack;
    v.envelope.decay = decay;
    v.envelope.sustain = sustain;
    v.envelope.release = release;
    v.octave = octave;
    v.vibrato = vibrato;
    return v;
}

// Welcoming theme: bright C major, a gentle walk.
Song menu()
{
    Song s;
    s.name = "menu";
    s.keyName = "C major";
    s.root = 72;
    s.mode = ionian;
    s.bpm = 96;
    s.chordsA = {0, 5, 3, 4};
    s.chordsB = {3, 4, 2, 5};
    s.form = "AABA";
    s.repeats = 2;
    s.rhythms = {"x-x-x---x-x-x---", "x---x-x-x---x-x-", "x-x-x-x-x-------", "x---x---x-x-x---"};
    s.cadence = "x---x---x-------";
    s.bass = "R---F---O---F---";
    s.arp = "0.1.2.1.0.1.2.1.";
    s.kick = "x.......x.......";
    s.snare = "....x.......x...";
    s.hat = "x.x.x.x.x.x.x.x.";
    s.drumGain = 0.28f;
    s.lead = voice(Wave::Square, 0.09f, 0.1f, 0.01, 0.12, 0.6, 0.12, 0, 0.004);
    s.bassVoice = voice(Wave::Triangle, 0.3f, -0.1f, 0.005, 0.1, 0.8, 0.08, -2);
    s.arpVoice = voice(Wave::Pulse25, 0.035f, -0.4f, 0.003, 0.08, 0.3, 0.06, -1);
    s.seed = 1001;
    return s;
}

// Morning traffic: G major, busy and sunny.
Song track1()
{
    Song s;
    s.name = "1";
    s.keyName = "G major";
    s.root = 67;
    s.mode = ionian;
    s.bpm = 112;
    s.chordsA = {0, 3, 5, 4};
    s.chordsB = {1, 4, 0, 3};
    s.form = "ABAB";
    s.repeats = 2;
    s.rhythms = {"x-.xx-.xx-x-x---", "x.x.x-x-x---x.x.", "x-x-x.x.x-x-x---"};
    s.cadence = "x-x-x---x-------";
    s.bass = "R.R.F.R.O.R.F.R.";
    s.arp = "0120312003120312";
    s.kick = "x...x...x...x...";
    s.snare = "....x.......x..x";
    s.hat = "..x...x...x...x.";
    s.drumGain = 0.3f;
    s.lead = voice(Wave::Pulse25, 0.09f, -0.15f, 0.005, 0.1, 0.55, 0.08, 0, 0.003);
    s.bassVoice = voice(Wave::Triangle, 0.3f, 0.0f, 0.004, 0.08, 0.7, 0.05, -2);
    s.arpVoice = voice(Wave::Triangle, 0.08f, 0.35f, 0.002, 0.05, 0.3, 0.04, 0);
    s.seed = 2002;
    return s;
}

// Quiet afternoon: D dorian, slow, no snare.
Song track2()
{
    Song s;
    s.name = "2";
    s.keyName = "D dorian";
    s.root = 62;
    s.mode = dorian;
    s.bpm = 80;
    s.chordsA = {0, 3, 0, 6};
    s.chordsB = {2, 3, 4, 0};
    s.form = "AABA";
    s.repeats = 1;
    s.stepsPerBeat = 2;
    s.rhythms = {"x-x-x---", "x---x-x-", "x-x---x-"};
    s.cadence = "x---x---";
    s.bass = "R-------";
    s.arp = "0-1-2-1-";
    s.kick = "x.......";
    s.snare = "........";
    s.hat = "....x...";
    s.drumGain = 0.22f;
    s.introWithoutDrums = false;
    s.lead = voice(Wave::Triangle, 0.22f, 0.0f, 0.03, 0.2, 0.7, 0.25, 1, 0.005);
    s.bassVoice = voice(Wave::Triangle, 0.28f, 0.0f, 0.02, 0.3, 0.6, 0.2, -1);
    s.arpVoice = voice(Wave::Pulse12, 0.03f, 0.3f, 0.01, 0.2, 0.4, 0.2, 0);
    s.seed = 3003;
    return s;
}

// Park waltz: F major in three.
Song track3()
{
    Song s;
    s.name = "3";
    s.keyName = "F major";
    s.root = 65;
    s.mode = ionian;
    s.bpm = 132;
    s.beatsPerBar = 3;
    s.stepsPerBeat = 2;
    s.chordsA = {0, 4, 4, 0};
    s.chordsB = {3, 0, 1, 4};
    s.form = "AABA";
    s.repeats = 3;
    s.rhythms = {"x-x-x-", "x--xx-", "x---x-", "x-xxx-"};
    s.cadence = "x-----";
    s.bass = "R-....";
    s.arp = "..c.c.";
    s.kick = "x.....";
    s.snare = "......";
    s.hat = "..x.x.";
    s.drumGain = 0.22f;
    s.lead = voice(Wave::Pulse12, 0.1f, 0.15f, 0.008, 0.1, 0.6, 0.12, 1, 0.004);
    s.bassVoice = voice(Wave::Triangle, 0.3f, 0.0f, 0.005, 0.15, 0.6, 0.1, -2);
    s.arpVoice = voice(Wave::Square, 0.022f, -0.3f, 0.004, 0.08, 0.4, 0.06, -1);
    s.seed = 4004;
    return s;
}

// Evening rain: A minor, steady and thoughtful.
Song track4()
{
    Song s;
    s.name = "4";
    s.keyName = "A minor";
    s.root = 69;
    s.mode = aeolian;
    s.bpm = 92;
    s.chordsA = {0, 5, 2, 6};
    s.chordsB = {3, 0, 4, 4};
    s.form = "ABAB";
    s.repeats = 2;
    s.rhythms = {"x---x-x-x---x---", "x-x-x---x---x-x-", "x---x---x-x-x-x-"};
    s.cadence = "x---x---x-------";
    s.bass = "R-----R-F-----F-";
    s.arp = "0.2.1.2.0.2.1.2.";
    s.kick = "x.....x...x.....";
    s.snare = "....x.......x...";
    s.hat = "x.xxx.xxx.xxx.xx";
    s.drumGain = 0.26f;
    s.lead = voice(Wave::Square, 0.085f, -0.1f, 0.01, 0.15, 0.6, 0.15, 0, 0.005);
    s.bassVoice = voice(Wave::Triangle, 0.3f, 0.0f, 0.005, 0.1, 0.8, 0.08, -2);
    s.arpVoice = voice(Wave::Pulse25, 0.03f, 0.4f, 0.003, 0.08, 0.3, 0.05, -1);
    s.seed = 5005;
    return s;
}

// Skyline: E-flat lydian, floating.
Song track5()
{
    Song s;
    s.name = "5";
    s.keyName = "E-flat lydian";
    s.root = 63;
    s.mode = lydian;
    s.bpm = 104;
    s.chordsA = {0, 1, 0, 1};
    s.chordsB = {4, 5, 2, 1};
    s.form = "AABA";
    s.repeats = 2;
    s.rhythms = {"x-----x-x-x-x---", "x---x---x-----x-", "x-x-x-x-x---x---"};
    s.cadence = "x-------x-------";
    s.bass = "R-------F---R---";
    s.arp = "0.1.2.3.2.1.0.1.";
    s.kick = "x.........x.....";
    s.snare = "........x.......";
    s.hat = "..x...x...x...x.";
    s.drumGain = 0.22f;
    s.lead = voice(Wave::Pulse12, 0.1f, 0.2f, 0.015, 0.2, 0.6, 0.2, 1, 0.006);
    s.bassVoice = voice(Wave::Triangle, 0.28f, 0.0f, 0.01, 0.2, 0.7, 0.12, -2);
    s.arpVoice = voice(Wave::Triangle, 0.09f, -0.35f, 0.003, 0.1, 0.3, 0.08, 0);
    s.seed = 6006;
    return s;
}

// Market day: B-flat mixolydian with a swing.
Song track6()
{
    Song s;
    s.name = "6";
    s.keyName = "B-flat mixolydian";
    s.root = 70;
    s.mode = mixolydian;
    s.bpm = 120;
    s.swing = 0.33;
    s.chordsA = {0, 6, 3, 0};
    s.chordsB = {3, 3, 0, 4};
    s.form = "AABA";
    s.repeats = 2;
    s.rhythms = {"x.xx..x.x.x.x...", "x...x.xxx...x.x.", "x.x.x.x.x..xx..."};
    s.cadence = "x.x.x...x-------";
    s.bass = "R...T...F...O...";
    s.arp = "..c...c...c...c.";
    s.kick = "x.......x.x.....";
    s.snare = "....x.......x...";
    s.hat = "x.xxx.xxx.xxx.xx";
    s.drumGain = 0.3f;
    s.lead = voice(Wave::Square, 0.08f, 0.1f, 0.005, 0.08, 0.5, 0.07, 0, 0.003);
    s.bassVoice = voice(Wave::Triangle, 0.32f, 0.0f, 0.004, 0.1, 0.6, 0.06, -2);
    s.arpVoice = voice(Wave::Pulse25, 0.025f, -0.3f, 0.003, 0.06, 0.3, 0.05, -1);
    s.seed = 7007;
    return s;
}

// Night lights: E major, slow and sparse.
Song track7()
{
    Song s;
    s.name = "7";
    s.keyName = "E major";
    s.root = 64;
    s.mode = ionian;
    s.bpm = 70;
    s.stepsPerBeat = 2;
    s.chordsA = {0, 2, 3, 4};
    s.chordsB = {5, 3, 0, 4};
    s.form = "AB";
    s.repeats = 2;
    s.rhythms = {"x---x-x-", "x-x-x---", "x-----x-"};
    s.cadence = "x-------";
    s.bass = "R---F---";
    s.arp = "0120312.";
    s.kick = "........";
    s.snare = "........";
    s.hat = "x...x...";
    s.drumGain = 0.18f;
    s.introWithoutDrums = false;
    s.lead = voice(Wave::Sine, 0.3f, -0.1f, 0.04, 0.3, 0.7, 0.35, 1, 0.007);
    s.bassVoice = voice(Wave::Triangle, 0.26f, 0.0f, 0.02, 0.3, 0.6, 0.25, -2);
    s.arpVoice = voice(Wave::Pulse12, 0.03f, 0.35f, 0.005, 0.25, 0.3, 0.2, 0);
    s.seed = 8008;
    return s;
}

} // namespace

std::vector<std::string> Tracks::names()
{
    return {"menu", "1", "2", "3", "4", "5", "6", "7"};
}

bool Tracks::find(const std::string& name, Song& song)
{
    typedef Song (*Maker)();
    static const std::pair<const char*, Maker> makers[] = {
        {"menu", menu}, {"1", track1}, {"2", track2}, {"3", track3},
        {"4", track4}, {"5", track5}, {"6", track6}, {"7", track7}};
    for (const auto& maker : makers)
    {
        if (name == maker.first)
        {
            song = maker.second();
            return true;
        }
    }
    return false;
}
