// Sanitizer settings for the OpenGL tests only (the headless tests keep the defaults).
//
// SFML takes its own context and texture mutexes in both orders on one
// thread while render textures are destroyed, which ThreadSanitizer reports
// as a possible deadlock; that is SFML's internal business, so only that
// report kind and only inside SFML is silenced. Data races are still reported.
//
// Mesa's drivers keep allocations until the process ends and are unloaded
// before LeakSanitizer symbolises them; leak checks stay on in the headless tests.

extern "C" const char* __tsan_default_suppressions()
{
    return "deadlock:libsfml-graphics.so\n"
           "deadlock:libsfml-window.so\n";
}

extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}
