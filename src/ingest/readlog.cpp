// SPDX-License-Identifier: MIT
#include "ingest/readlog.h"

#include "ingest/linecutter.h"
#include "ingest/linestream.h"
#include "ingest/recordkeeper.h"
#include "ingest/recordparser.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>

namespace quorvel {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::uint64_t projectedBytes(const LogRecords::Footprint& used, std::uint64_t parsed, std::uint64_t size,
                             std::uint64_t block)
{
    if (parsed == 0)
        return std::max(size, block);
    const double perByte = static_cast<double>(used.perRecord) / static_cast<double>(parsed);
    return static_cast<std::uint64_t>(perByte * static_cast<double>(size)) + 2 * used.distinct + block;
}

LogRead readRecords(const LogFile& file, const LoadPlan& plan, Progress& progress, std::uint64_t memoryBudget)
{
    LogRead read;
    RecordKeeper keeper(plan, read);
    std::uint64_t parsed = 0;
    const auto parse = [&](std::string_view lines) {
        const bool atStart = parsed == 0;
        parsed += lines.size();
        if (atStart && lines.starts_with(byteOrderMark))
            lines.remove_prefix(byteOrderMark.size());
        fixstr(lines, [&](const ScannedLine& line) { keeper.add(lines, sortstr4(line)); });
        keeper.take(lines, parsed, file.size());
    };
    const auto blockRead = [&](std::uint64_t bytes, std::uint64_t block) {
        if (projectedBytes(keeper.footprint(), parsed, file.size(), block) > memoryBudget)
            throw OverBudget{};
        progress.reached(static_cast<std::int64_t>(bytes), static_cast<std::int64_t>(file.size()));
    };
    LogRead::Status status = LogRead::Status::Read;
    try {
        const std::optional<std::uint64_t> bytes = streamLines(file, file.size(), parse, blockRead);
        if (!bytes)
            status = LogRead::Status::Unreadable;
        else if (*bytes < file.size())
            status = LogRead::Status::Shrunk;
    } catch (const OverBudget&) {
        status = LogRead::Status::NotEnoughMemory;
    } catch (const std::bad_alloc&) {
        status = LogRead::Status::NotEnoughMemory;
    }
    keeper.finish(status);
    return read;
}

} // namespace quorvel
