// SPDX-License-Identifier: MIT
#include "state/hugepages.h"

#include <cstdint>
#include <sys/mman.h>

namespace quorvel {

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

// Whole huge pages: the tail of a large array is backed like the rest of it.
std::size_t wholePages(std::size_t bytes)
{
    return (bytes + hugePage - 1) & ~(hugePage - 1);
}

} // namespace

void adviseHugePages(const void* p, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + hugePage - 1) & ~(hugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(hugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void prefault(void* p, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    constexpr std::uintptr_t page = 4096;
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)bytes;
#endif
}

void* allocateHuge(std::size_t bytes)
{
    if (bytes < hugePage)
        return ::operator new(bytes);
    void* p = ::operator new(wholePages(bytes), std::align_val_t{hugePage});
    adviseHugePages(p, wholePages(bytes));
    return p;
}

void releaseHuge(void* p, std::size_t bytes) noexcept
{
    if (bytes < hugePage)
        ::operator delete(p);
    else
        ::operator delete(p, std::align_val_t{hugePage});
}

} // namespace quorvel
