// SPDX-License-Identifier: MIT
#include "ingest/linestream.h"

#include <algorithm>
#include <vector>

namespace quorvel {

std::optional<std::uint64_t> lineStartFrom(const LogFile& file, std::uint64_t at,
                                           const std::function<void()>& onScanned)
{
    if (at == 0)
        return 0;
    std::vector<char> bytes(lineBlockBytes);
    for (std::uint64_t from = at - 1; from < file.size();) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), file.size() - from));
        const ssize_t got = file.readAt(from, bytes.data(), want);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        const char* end = bytes.data() + got;
        const char* lineEnd =
            std::find_if(static_cast<const char*>(bytes.data()), end, [](char c) { return c == '\r' || c == '\n'; });
        if (lineEnd != end)
            return from + static_cast<std::uint64_t>(lineEnd - bytes.data()) + 1;
        from += static_cast<std::uint64_t>(got);
        onScanned();
    }
    return file.size();
}

} // namespace quorvel
