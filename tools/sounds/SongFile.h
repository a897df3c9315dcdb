#ifndef QUILLFENN_TOOLS_SONGFILE_H
#define QUILLFENN_TOOLS_SONGFILE_H

#include "Song.h"

#include <string>

// Reads a song written as "key value" lines (see songs/*.txt): "//" lines
// are comments; "rhythm" may repeat; a voice line is its wave name followed
// by gain, pan, attack, decay, sustain, release, octave and vibrato.
class SongFile
{
public:
    // Fills song from the file; false (with a message) on an unknown key,
    // a bad value or a missing part.
    static bool load(const std::string& path, Song& song);
};

#endif
