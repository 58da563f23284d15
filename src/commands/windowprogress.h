// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "platform/window.h"

#include <cstdint>
#include <utility>

namespace quorvel {

// Thrown out of a running command when the window reports that the program is closing.
// The command dispatch catches it; nothing else does.
struct ProgramClosing {};

// Lets the window handle events; throws ProgramClosing once the program is closing.
inline void yieldOrStop(Window& window)
{
    if (!window.yield())
        throw ProgramClosing{};
}

// The progress of a piece of work shown in the status line: at every report the caption
// caption(done, total), then the window's turn to handle events.
template <class Caption> class WindowProgress final : public Progress {
public:
    WindowProgress(Window& window, Caption caption) : window_(window), caption_(std::move(caption)) {}

    void reached(std::int64_t done, std::int64_t total) override
    {
        window_.setStatus(caption_(done, total));
        yieldOrStop(window_);
    }

private:
    Window& window_;
    Caption caption_;
};

// Shows the captions of a loop over `total` items whose work is already done (the load counted
// every column): caption(i, total) at each point where the loop would report, in order, so the
// window ends with the caption the loop would have left.
template <class Caption> void replayProgress(Window& window, std::int64_t total, Caption&& caption)
{
    WindowProgress progress(window, std::forward<Caption>(caption));
    forEachProgressPoint(total, [&](std::int64_t i) { progress.reached(i, total); });
}

} // namespace quorvel
