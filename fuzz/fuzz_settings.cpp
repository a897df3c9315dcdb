// conf.dat as a player may have edited it: read, queried, changed as the
// options window does, written back and read again.

#include "FuzzSupport.h"

#include "resources/Settings.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = fuzz::writeScratch("conf.dat", data, size);
    Settings settings;
    settings.load(path);

    for (const SettingsEntry* entry : settings.getEntries())
    {
        fuzz::check(std::memchr(entry->key, 0, sizeof(entry->key)) != nullptr, "key terminated");
        fuzz::check(std::memchr(entry->value, 0, sizeof(entry->value)) != nullptr, "value terminated");
    }
    for (const char* key : {"isFullscreen", "postProcessing", "width", "height", "sfxEnabled",
                            "musicEnabled", "palette"})
    {
        std::string before = settings.get(key);
        settings.equals(key, "true");
        fuzz::check(std::atoi(before.c_str()) == std::atoi(settings.get(key).c_str()), "get is stable");
        settings.toggle(key);
        settings.toggle(key);
    }
    if (!settings.getEntries().empty())
    {
        std::string first = settings.getEntries().front()->key;
        settings.setInt(first, -2147483647 - 1);
        fuzz::check(settings.get(first) == "-2147483648", "setInt reaches the first key");
    }

    // What the game writes at quit must read back without harm.
    std::string saved = fuzz::scratchDir() + "conf-saved.dat";
    settings.save(saved);
    Settings again;
    again.load(saved);
    return 0;
}
