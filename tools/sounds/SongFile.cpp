#include "SongFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{

bool readMode(const std::string& name, std::vector<int>& mode)
{
    static const std::pair<const char*, std::vector<int>> modes[] = {
        {"ionian", {0, 2, 4, 5, 7, 9, 11}},  {"dorian", {0, 2, 3, 5, 7, 9, 10}},
        {"lydian", {0, 2, 4, 6, 7, 9, 11}},  {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
        {"aeolian", {0, 2, 3, 5, 7, 8, 10}},
    };
    for (const auto& m : modes)
    {
        if (name == m.first)
        {
            mode = m.second;
            return true;
        }
    }
    return false;
}

bool readWave(const std::string& name, Wave& wave)
{
    static const std::pair<const char*, Wave> waves[] = {
        {"sine", Wave::Sine},       {"triangle", Wave::Triangle}, {"square", Wave::Square},
        {"pulse25", Wave::Pulse25}, {"pulse12", Wave::Pulse12},   {"saw", Wave::Saw},
    };
    for (const auto& w : waves)
    {
        if (name == w.first)
        {
            wave = w.second;
            return true;
        }
    }
    return false;
}

bool readVoice(std::istringstream& in, VoiceStyle& voice)
{
    std::string wave;
    in >> wave >> voice.gain >> voice.pan >> voice.envelope.attack >> voice.envelope.decay >>
        voice.envelope.sustain >> voice.envelope.release >> voice.octave >> voice.vibrato;
    return readWave(wave, voice.wave) && !in.fail();
}

std::vector<int> readNumbers(std::istringstream& in)
{
    std::vector<int> numbers;
    int n;
    while (in >> n)
        numbers.push_back(n);
    return numbers;
}

// Applies one "key value" line to the song.
bool applyLine(const std::string& key, std::istringstream& in, Song& song)
{
    std::string word;
    if (key == "name") in >> song.name;
    else if (key == "key") std::getline(in >> std::ws, song.keyName);
    else if (key == "root") in >> song.root;
    else if (key == "mode") return (in >> word) && readMode(word, song.mode);
    else if (key == "tempo") in >> song.bpm;
    else if (key == "beats") in >> song.beatsPerBar;
    else if (key == "steps") in >> song.stepsPerBeat;
    else if (key == "swing") in >> song.swing;
    else if (key == "chordsA") song.chordsA = readNumbers(in);
    else if (key == "chordsB") song.chordsB = readNumbers(in);
    else if (key == "form") in >> song.form;
    else if (key == "repeats") in >> song.repeats;
    else if (key == "rhythm") { in >> word; song.rhythms.push_back(word); }
    else if (key == "cadence") in >> song.cadence;
    else if (key == "bass") in >> song.bass;
    else if (key == "arp") in >> song.arp;
    else if (key == "kick") in >> song.kick;
    else if (key == "snare") in >> song.snare;
    else if (key == "hat") in >> song.hat;
    else if (key == "drums") in >> song.drumGain;
    else if (key == "intro") { in >> word; song.introWithoutDrums = word != "drums"; }
    else if (key == "lead") return readVoice(in, song.lead);
    else if (key == "bassVoice") return readVoice(in, song.bassVoice);
    else if (key == "arpVoice") return readVoice(in, song.arpVoice);
    else if (key == "seed") in >> song.seed;
    else return false;
    return !in.fail() || key == "chordsA" || key == "chordsB";
}

} // namespace

bool SongFile::load(const std::string& path, Song& song)
{
    std::ifstream file(path);
    if (!file)
    {
        std::printf("Cannot open song %s\n", path.c_str());
        return false;
    }
    song = Song();
    std::string line;
    int number = 0;
    while (std::getline(file, line))
    {
        ++number;
        if (line.empty() || line.compare(0, 2, "//") == 0)
            continue;
        std::istringstream in(line);
        std::string key;
        in >> key;
        if (!applyLine(key, in, song))
        {
            std::printf("%s:%d: cannot read '%s'\n", path.c_str(), number, line.c_str());
            return false;
        }
    }
    const size_t barSteps = static_cast<size_t>(song.beatsPerBar * song.stepsPerBeat);
    const bool complete = !song.name.empty() && song.mode.size() == 7 && song.chordsA.size() == 4 &&
                          song.chordsB.size() == 4 && !song.rhythms.empty() && song.cadence.size() == barSteps &&
                          song.bass.size() == barSteps && song.arp.size() == barSteps && song.bpm > 0;
    if (!complete)
        std::printf("%s: incomplete song\n", path.c_str());
    return complete;
}
