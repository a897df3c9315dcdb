// Sanitizer settings for the OpenGL tests only (the headless tests keep the defaults).
//
// SFML takes its own context and texture mutexes in both orders on one
// thread while render textures are destroyed, which ThreadSanitizer reports
// as a possible deadlock; that is SFML's internal business, so only that
// report kind and only inside SFML is silenced. Data races are still reported.
//
// Mesa's software driver keeps allocations until the process ends and is
// unloaded with the last context, before LeakSanitizer looks: its leaks
// would show as "<unknown module>" and hide among ours. The driver is held
// loaded here, so its reports name it and only it is suppressed; the leak
// check stays on for everything else.

#include <dlfcn.h>

namespace
{
struct KeepMesaLoaded
{
    KeepMesaLoaded()
    {
        const char* libraries[] = {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                                   "/usr/lib/dri/swrast_dri.so"};
        for (const char* library : libraries)
            dlopen(library, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
    }
} keepMesaLoaded;
} // namespace

extern "C" const char* __tsan_default_suppressions()
{
    return "deadlock:libsfml-graphics.so\n"
           "deadlock:libsfml-window.so\n";
}

// Mesa's own: its software driver, its GLX library and the LLVM it compiles
// shaders with.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:swrast_dri.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:libLLVM\n";
}
