// SPDX-License-Identifier: MIT
#include "core/hugepages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

// Synchronous huge-page collapse, Linux 6.1; older kernels refuse it harmlessly. Not all C
// libraries name it yet.
#if defined(__linux__) && !defined(MADV_COLLAPSE)
#define MADV_COLLAPSE 25
#endif

namespace quorvel {

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;
constexpr std::uintptr_t smallPage = 4096;

// Whole huge pages: the tail of a large array is backed like the rest of it.
std::size_t wholePages(std::size_t bytes)
{
    return (bytes + hugePage - 1) & ~(hugePage - 1);
}

// Gives the advice for the small pages [p, p + bytes) touches. The edges may be shared with
// neighbouring memory; both pieces of advice given here are only hints and harm nothing.
void advisePages(const void* p, std::size_t bytes, int advice)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(p) & ~(smallPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes + smallPage - 1) & ~(smallPage - 1);
    if (bytes > 0)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}

} // namespace

std::size_t textCapacity(std::size_t bytes)
{
    // Below half a huge page, rounding up would waste more than it saves.
    if (bytes < hugePage / 2)
        return bytes;
    // Room for malloc's own header and the terminator, within the last small page.
    constexpr std::size_t overhead = smallPage + 1;
    return wholePages(bytes + overhead) - overhead;
}

void prepareText(char* p, std::size_t capacity, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    if (capacity >= hugePage / 2)
        advisePages(p, capacity, MADV_HUGEPAGE);
#endif
#ifdef MADV_COLLAPSE
    // malloc wrote its header into the block's first page before the advice, so the huge page
    // the block starts in was begun with small pages: made huge now, in one step.
    const auto first = reinterpret_cast<std::uintptr_t>(p) & ~(hugePage - 1);
    if (first == (reinterpret_cast<std::uintptr_t>(p) & ~(smallPage - 1)) &&
        first + hugePage <= reinterpret_cast<std::uintptr_t>(p) + capacity)
        ::madvise(reinterpret_cast<void*>(first), hugePage, MADV_COLLAPSE);
#endif
#ifdef MADV_POPULATE_WRITE
    advisePages(p, bytes, MADV_POPULATE_WRITE);
#endif
}

constexpr std::align_val_t smallAlignment{64};

void* allocateHuge(std::size_t bytes)
{
    // Small blocks come from the heap, aligned to a cache line so that any element type
    // (KeyTally's 32-byte slots among them) stands on its own alignment.
    if (bytes < hugePage)
        return ::operator new(bytes, smallAlignment);
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
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void releaseHuge(void* p, std::size_t bytes) noexcept
{
    if (bytes < hugePage)
        ::operator delete(p, smallAlignment);
    else
        ::munmap(p, wholePages(bytes));
}

} // namespace quorvel
