#ifndef QUILLFENN_TOOLS_TRACKS_H
#define QUILLFENN_TOOLS_TRACKS_H

#include "Song.h"

#include <string>
#include <vector>

// The game's music: "menu" and "1" to "7".
class Tracks
{
public:
    // Every track name, in order.
    static std::vector<std::string> names();

    // The song of that name; false when there is none.
    static bool find(const std::string& name, Song& song);
};

#endif
