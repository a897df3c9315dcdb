#ifndef QUILLFENN_TESTS_MEMORYLIMIT_H
#define QUILLFENN_TESTS_MEMORYLIMIT_H

// A memory limit for the test process while one scope runs: once the memory
// handed out by operator new would pass it, new throws std::bad_alloc, as it
// does when the system runs out. The sanitizer builds cannot run under an
// address space limit (their shadow memory alone is far larger) and end the
// process rather than throw when their allocator fails, so the limit is kept
// here, in the test program's own operator new (memory_limit.cpp); the plain
// build also sets the same limit on its address space.

#include <cstddef>

namespace fixtures
{

class MemoryLimit
{
public:
    // Limits what operator new holds at once to this many bytes.
    explicit MemoryLimit(long long bytes);

    // Lifts the limit again.
    ~MemoryLimit();

    MemoryLimit(const MemoryLimit&) = delete;
    MemoryLimit& operator=(const MemoryLimit&) = delete;

private:
    bool addressSpaceSet = false;
    unsigned long long oldSoft = 0;
};

} // namespace fixtures

#endif
