// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace quorvel {

// Asks the system to back the whole 2 MiB pages inside [p, p + bytes) with huge pages, before
// they are first written. A log of many megabytes then costs a few hundred page faults
// instead of tens of thousands, which dominate the load time on virtual machines. Only a
// hint: nothing changes where the system cannot or will not.
void adviseHugePages(const void* p, std::size_t bytes);

} // namespace quorvel
