// SPDX-License-Identifier: MIT
#include "state/hugepages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace quorvel {

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

// Whole huge pages: the tail of a large array is backed like the rest of it.
std::size_t wholePages(std::size_t bytes)
{
    return (bytes + hugePage - 1) & ~(hugePage - 1);
}

// Gives the advice for the whole pages of `page` bytes inside [p, p + bytes).
void adviseWholePages(const void* p, std::size_t bytes, std::uintptr_t page, int advice)
{
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}

} // namespace

void adviseHugePages(const void* p, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    adviseWholePages(p, bytes, hugePage, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void prefault(void* p, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    adviseWholePages(p, bytes, 4096, MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)bytes;
#endif
}

void* allocateHuge(std::size_t bytes)
{
    if (bytes < hugePage)
        return ::operator new(bytes);
    // Mapped directly rather than through malloc: aligned without waste, and given back to
    // the system when released, so that reloading a log does not leave the heap fragmented.
    const std::size_t size = wholePages(bytes);
    void* mapped = ::mmap(nullptr, size + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + hugePage - 1) & ~(hugePage - 1);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::uintptr_t tail = start + size + hugePage - (aligned + size); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    adviseHugePages(reinterpret_cast<void*>(aligned), size);
    return reinterpret_cast<void*>(aligned);
}

void releaseHuge(void* p, std::size_t bytes) noexcept
{
    if (bytes < hugePage)
        ::operator delete(p);
    else
        ::munmap(p, wholePages(bytes));
}

} // namespace quorvel
