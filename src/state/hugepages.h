// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <new>

namespace quorvel {

// Asks the system to back the whole 2 MiB pages inside [p, p + bytes) with huge pages, before
// they are first written. A log of many megabytes then costs a few hundred page faults
// instead of tens of thousands, which dominate the load time on virtual machines. Only a
// hint: nothing changes where the system cannot or will not.
void adviseHugePages(const void* p, std::size_t bytes);

// Memory for large arrays: an allocation of 2 MiB or more starts on a 2 MiB boundary and is
// advised to use huge pages, so that all of it can be; smaller ones are ordinary.
void* allocateHuge(std::size_t bytes);
void releaseHuge(void* p, std::size_t bytes) noexcept;

// Asks the system to back [p, p + bytes) with memory now, in one call, instead of one page
// fault per page as it is first written. Only a hint.
void prefault(void* p, std::size_t bytes);

// Makes room for `bytes` in a text about to be written, huge pages where the system allows:
// a report of megabytes then costs few page faults.
template <class Text> void reserveText(Text& text, std::size_t bytes)
{
    text.reserve(bytes);
    adviseHugePages(text.data(), text.capacity());
    prefault(text.data(), text.capacity());
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
