// Renders one song file into <run folder>/sounds/music/<name>.ogg and
// writes a short report on it (key, tempo, length and level checks).
//
// usage: musicgen <song file> <run folder> <report file>

#include "Sequencer.h"
#include "SongFile.h"

#include <cmath>
#include <cstdio>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::printf("usage: musicgen <song file> <run folder> <report file>\n");
        return 2;
    }
    Song song;
    if (!SongFile::load(argv[1], song))
        return 2;
    const std::string sounds = std::string(argv[2]) + "/sounds";
    const std::string folder = sounds + "/music";
    mkdir(argv[2], 0755);
    mkdir(sounds.c_str(), 0755);
    mkdir(folder.c_str(), 0755);

    Sequencer sequencer(song);
    Signal music = sequencer.render(0.8f);
    if (!music.save(folder + "/" + song.name + ".ogg"))
    {
        std::printf("musicgen: could not write %s\n", song.name.c_str());
        return 1;
    }
    // Across the loop seam the step between samples should look like any other.
    const size_t last = music.frames() - 1;
    float seam = 0.0f;
    for (unsigned c = 0; c < music.channels; ++c)
        seam = std::max(seam, std::fabs(music.at(last, c) - music.at(0, c)));
    FILE* report = std::fopen(argv[3], "w");
    if (!report)
        return 1;
    std::fprintf(report, "%-5s %-18s %3.0f bpm %d/4 %3d bars %5.1f s  peak %.2f  rms %.3f  loop seam step %.4f\n",
                 song.name.c_str(), song.keyName.c_str(), song.bpm, song.beatsPerBar, sequencer.bars(),
                 sequencer.length(), music.peak(), music.rms(), seam);
    std::fclose(report);
    return 0;
}
