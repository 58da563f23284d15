// SPDX-License-Identifier: MIT
#include "ingest/readlog.h"

#include "ingest/linecutter.h"
#include "ingest/linestream.h"
#include "ingest/recordparser.h"

#include <new>
#include <string_view>
#include <vector>

namespace quorvel {

namespace {

// The records a log of `size` bytes is likely to hold, judged from its first block: enough
// that the arrays are not grown in the usual case. Room that stays unused is never touched.
std::int64_t expectedRecords(std::int64_t found, std::uint64_t blockBytes, std::uint64_t size)
{
    if (blockBytes >= size)
        return found;
    const double perByte = static_cast<double>(found) / static_cast<double>(blockBytes);
    return static_cast<std::int64_t>(perByte * static_cast<double>(size) * 1.125) + 64;
}

} // namespace

std::optional<LogRead> readRecords(const LogFile& file, const LoadPlan& plan, Progress& progress)
{
    if (!file.fitsInMemory())
        return std::nullopt;
    LogRead read{LogRecords(plan.columns), 0};
    std::vector<LineCut> batch;
    const auto parse = [&](std::string_view lines) {
        batch.clear();
        const bool first = read.lines == 0;
        fixstr(lines, [&](const ScannedLine& line) {
            ++read.lines;
            const LineCut cut = sortstr4(line);
            if (plan.keeps(lines, cut))
                batch.push_back(cut);
        });
        if (first)
            read.records.reserve(expectedRecords(read.lines, lines.size(), file.size()));
        read.records.append(lines, std::span<const LineCut>(batch));
    };
    const auto size = static_cast<std::int64_t>(file.size());
    try {
        const auto blockRead = [&](std::uint64_t bytes) { progress.reached(static_cast<std::int64_t>(bytes), size); };
        if (!streamLines(file, file.size(), parse, blockRead))
            return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return read;
}

} // namespace quorvel
