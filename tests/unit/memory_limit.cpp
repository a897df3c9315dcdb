// The test program's own operator new and delete: plain malloc and free,
// counting what is held, and refusing with std::bad_alloc what would pass a
// MemoryLimit while one stands (MemoryLimit.h).

#include "MemoryLimit.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <sys/resource.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define QUILLFENN_SHADOW_MEMORY 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLFENN_SHADOW_MEMORY 1
#endif

namespace
{
std::atomic<long long> heldBytes{0};
std::atomic<long long> limitBytes{0}; // 0: no limit

void* allocate(std::size_t size, std::size_t alignment)
{
    long long limit = limitBytes.load(std::memory_order_relaxed);
    if (limit > 0 && heldBytes.load(std::memory_order_relaxed) + static_cast<long long>(size) > limit)
        return nullptr;
    if (size == 0)
        size = 1;
    void* p = nullptr;
    if (alignment <= alignof(std::max_align_t))
        p = std::malloc(size);
    else if (posix_memalign(&p, alignment, size) != 0)
        p = nullptr;
    if (p)
        heldBytes.fetch_add(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
    return p;
}

void release(void* p)
{
    if (!p)
        return;
    heldBytes.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

void* allocateOrThrow(std::size_t size, std::size_t alignment)
{
    void* p = allocate(size, alignment);
    if (!p)
        throw std::bad_alloc();
    return p;
}
} // namespace

namespace fixtures
{

MemoryLimit::MemoryLimit(long long bytes)
{
    limitBytes = bytes;
#ifndef QUILLFENN_SHADOW_MEMORY
    // The plain build runs under a real limit as well: all the address
    // space of the process, whoever allocates it.
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0)
    {
        oldSoft = limit.rlim_cur;
        rlim_t wanted = static_cast<rlim_t>(bytes);
        if (limit.rlim_max == RLIM_INFINITY || wanted <= limit.rlim_max)
        {
            limit.rlim_cur = wanted;
            addressSpaceSet = setrlimit(RLIMIT_AS, &limit) == 0;
        }
    }
#endif
}

MemoryLimit::~MemoryLimit()
{
    limitBytes = 0;
    if (addressSpaceSet)
    {
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = static_cast<rlim_t>(oldSoft);
        setrlimit(RLIMIT_AS, &limit);
    }
}

} // namespace fixtures

void* operator new(std::size_t size)
{
    return allocateOrThrow(size, 0);
}

void* operator new[](std::size_t size)
{
    return allocateOrThrow(size, 0);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size, 0);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size, 0);
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return allocateOrThrow(size, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return allocateOrThrow(size, static_cast<std::size_t>(alignment));
}

void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return allocate(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* p) noexcept
{
    release(p);
}

void operator delete[](void* p) noexcept
{
    release(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    release(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    release(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    release(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    release(p);
}

void operator delete(void* p, std::align_val_t) noexcept
{
    release(p);
}

void operator delete[](void* p, std::align_val_t) noexcept
{
    release(p);
}

void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    release(p);
}

void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    release(p);
}

void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    release(p);
}

void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    release(p);
}
