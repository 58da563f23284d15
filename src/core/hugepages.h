// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <new>

namespace quorvel {

// Memory for large arrays: an allocation of 2 MiB or more starts on a 2 MiB boundary and is
// advised to use huge pages, so that all of it can be; smaller ones are ordinary. A log of
// many megabytes then costs a few hundred page faults instead of tens of thousands, which
// dominate the load time on virtual machines.
void* allocateHuge(std::size_t bytes);
void releaseHuge(void* p, std::size_t bytes) noexcept;

// The capacity to reserve for a text of `bytes`. A large text gets a capacity just short of
// whole 2 MiB pages: malloc then maps its block by itself in whole huge pages, which the
// system places on a huge-page boundary, so that every page of the text can be a huge one.
std::size_t textCapacity(std::size_t bytes);
// Advises huge pages for the pages of a text's block [p, p + capacity) and backs its first
// `bytes` with memory now, in one call instead of one page fault per page. Only hints.
void prepareText(char* p, std::size_t capacity, std::size_t bytes);

// Makes room for `bytes` in a text about to be written: a report of megabytes then costs few
// page faults.
template <class Text> void reserveText(Text& text, std::size_t bytes)
{
    text.reserve(textCapacity(bytes));
    prepareText(text.data(), text.capacity(), bytes);
}

// The allocator of the large vectors a loaded log is made of.
template <class T> struct HugePageAllocator {
    using value_type = T;
    HugePageAllocator() = default;
    template <class U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocateHuge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { releaseHuge(p, n * sizeof(T)); }
    template <class U> bool operator==(const HugePageAllocator<U>&) const noexcept { return true; }
};

} // namespace quorvel
