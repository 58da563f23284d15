// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

namespace quorvel {

// How far a long piece of work has come. The work calls reached(done, total) as it goes: a
// loop over items every progressStride items and at its last, a read after every block. What
// is shown, and whether the work may go on, is the receiver's business: it may throw to stop
// the work, which then leaves nothing half changed behind.
class Progress {
public:
    virtual void reached(std::int64_t done, std::int64_t total) = 0;

protected:
    ~Progress() = default;
};

// Items between two progress reports of a loop; loops may work in strides of this size.
inline constexpr std::int64_t progressStride = 4096;

// Calls at(i) for the items at which a loop over total items reports: every progressStride-th
// item and the last one, in order; never for an empty loop.
template <class At> void forEachProgressPoint(std::int64_t total, At&& at)
{
    for (std::int64_t i = 0; i < total;) {
        i = std::min(total, i + progressStride);
        at(i);
    }
}

} // namespace quorvel
