// Writes the game's sound effects into <run folder>/sounds/<name>.wav.
//
// usage: sfxgen <run folder>

#include "Effects.h"

#include <cstdio>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::printf("usage: sfxgen <run folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/sounds";
    mkdir(argv[1], 0755);
    mkdir(folder.c_str(), 0755);
    Effects effects;
    for (const std::string& name : Effects::names())
    {
        Signal sound = effects.render(name);
        if (!sound.save(folder + "/" + name + ".wav"))
        {
            std::printf("sfxgen: could not write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
