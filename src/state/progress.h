// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// Thrown out of a running command when the window reports that the program is closing.
// The command dispatch catches it; nothing else does.
struct ProgramClosing {};

// Progress of a loop over n items. The caption of item i is shown and the window yields every
// few thousand items and always at the last one, so the last caption a loop leaves is exactly
// the one for item n while tight loops cost next to nothing.
class Progress {
public:
    Progress(Window& window, std::int64_t total) : window_(window), total_(total) {}

    template <class Caption> void step(std::int64_t i, Caption&& caption)
    {
        if ((i & (stride - 1)) == 0 || i == total_) {
            window_.setStatus(caption(i));
            yieldOrStop(window_);
        }
    }

    // Lets the window process events as often as step does, without changing the caption.
    void tick(std::int64_t i)
    {
        if ((i & (stride - 1)) == 0)
            yieldOrStop(window_);
    }

    // Steps through every item at once: the captions of work that was done before, in the
    // order and with the last caption a loop over the items would have shown.
    template <class Caption> void stepThrough(Caption&& caption)
    {
        for (std::int64_t i = 0; i < total_;) {
            i = std::min(total_, i + stride);
            step(i, caption);
        }
    }
    // The same without captions: only the window's turns.
    void tickThrough()
    {
        for (std::int64_t i = stride; i <= total_; i += stride)
            tick(i);
    }

    static void yieldOrStop(Window& window)
    {
        if (!window.yield())
            throw ProgramClosing{};
    }

    // Items between two steps that act; loops may work in strides of this size.
    static constexpr std::int64_t stride = 4096;

private:
    Window& window_;
    std::int64_t total_;
};

// Decimal text of a number: no separators, no leading zeros.
inline std::string decimal(std::int64_t value)
{
    return std::to_string(value);
}

// Joins the pieces of a caption or a line.
template <class... Pieces> std::string concat(const Pieces&... pieces)
{
    std::string out;
    out.reserve((std::string_view(pieces).size() + ...));
    (out.append(std::string_view(pieces)), ...);
    return out;
}

} // namespace quorvel
