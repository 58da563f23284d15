// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/logreader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quorvel {

// Bytes read at a time: small enough that a block is still in the cache when it is parsed.
inline constexpr std::size_t lineBlockBytes = 64u << 10;

// onLines(text), and whether the read goes on.
template <class OnLines> bool handOut(OnLines& onLines, std::string_view text)
{
    if constexpr (std::is_void_v<std::invoke_result_t<OnLines&, std::string_view>>) {
        onLines(text);
        return true;
    } else {
        return onLines(text);
    }
}

// Reads the bytes [begin, end) of a log in blocks and calls onLines(text) with them, each text
// ending just after a line end (CR or LF) and starting where the previous one ended; the last
// holds the rest. A line is never split, so a line longer than a block makes the block grow:
// when the unfinished line fills it, the next read first moves it into a block twice as large.
// onBlock(bytes, peak) is called after each read, once its lines are handed out, with the
// bytes read so far and the bytes the block will take during the next read: its size, or when
// it is about to grow, its old and its new size together (both are held while the line is
// moved), so that a caller can stop before the growth by throwing. onLines may return a bool:
// false ends the read there. Returns the number of bytes read (less than end - begin when the
// file shrank meanwhile), or nothing on an I/O error. blockBytes (at least 1) is the size of a
// read.
template <class OnLines, class OnBlock>
std::optional<std::uint64_t> streamLines(const LogFile& file, std::uint64_t begin, std::uint64_t end, OnLines&& onLines,
                                         OnBlock&& onBlock, std::size_t blockBytes = lineBlockBytes)
{
    const std::uint64_t limit = end - begin;
    std::vector<char> block(std::max<std::size_t>(blockBytes, 1));
    std::uint64_t done = 0;
    std::size_t held = 0; // bytes of an unfinished line carried at the block's start
    while (done < limit) {
        if (held == block.size())
            block.resize(block.size() * 2);
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(block.size() - held, limit - done));
        const ssize_t got = file.readAt(begin + done, block.data() + held, want);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += static_cast<std::uint64_t>(got);
        // The carried bytes hold no line end, so the last one is among the new bytes or nowhere.
        const std::size_t before = held;
        held += static_cast<std::size_t>(got);
        std::size_t cut = held;
        while (cut > before && block[cut - 1] != '\r' && block[cut - 1] != '\n')
            --cut;
        if (cut > before) {
            if (!handOut(onLines, std::string_view(block.data(), cut)))
                return done;
            std::memmove(block.data(), block.data() + cut, held - cut);
            held -= cut;
        }
        const bool grows = held == block.size() && done < limit;
        onBlock(done, grows ? 3 * std::uint64_t{block.size()} : std::uint64_t{block.size()});
    }
    if (held > 0)
        handOut(onLines, std::string_view(block.data(), held));
    return done;
}

// Where the first line that starts at or after `at` starts: `at` itself when it is 0 or just
// after a line end (CR or LF), else just after the next line end, or the file's size when none
// follows. Nothing on an I/O error. Splitting a log there splits no line: every line lies
// whole on one side, and a CR LF split in two gives an empty line, which is no record.
// onScanned() is called after each block scanned and may stop the scan by throwing.
std::optional<std::uint64_t> lineStartFrom(const LogFile& file, std::uint64_t at,
                                           const std::function<void()>& onScanned);

} // namespace quorvel
