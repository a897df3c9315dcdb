#ifndef QUILLFENN_FUZZ_FUZZSUPPORT_H
#define QUILLFENN_FUZZ_FUZZSUPPORT_H

// What every target shares: a private scratch folder for the readers that
// take a file path, and silence for the game's log lines, which would
// otherwise drown libFuzzer's own report.

#include <SFML/System/Err.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz
{

// A folder of this process, removed at exit.
inline const std::string& scratchDir()
{
    static std::string dir;
    if (dir.empty())
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillfenn-fuzz-XXXXXX";
        if (!mkdtemp(&pattern[0]))
            std::abort();
        dir = pattern + "/";
        std::atexit([] { std::system(("rm -rf '" + dir + "'").c_str()); });
    }
    return dir;
}

// Writes the bytes to a scratch file and returns its path.
inline std::string writeScratch(const char* name, const uint8_t* data, size_t size)
{
    std::string path = scratchDir() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    return path;
}

// Sends the game's printf log and SFML's error stream nowhere.
inline void silenceLogs()
{
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
    sf::err().rdbuf(nullptr);
}

// Stops the run on a broken promise, so libFuzzer keeps the input.
inline void check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace fuzz

#endif
