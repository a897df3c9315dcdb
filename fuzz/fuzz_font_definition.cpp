// fonts/<name>.dat through the font manager's reader.

#include "FuzzSupport.h"

#include "resources/FontDefinition.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = fuzz::writeScratch("font.dat", data, size);
    FontDefinition definition("fuzz");
    definition.readFile(path);
    for (size_t i = 0; i < definition.sets.size(); ++i)
    {
        fuzz::check(definition.sets[i] != nullptr, "no empty set slot");
        for (size_t j = 0; j < i; ++j)
            fuzz::check(definition.sets[i] != definition.sets[j], "each set listed once");
    }
    return 0;
}
