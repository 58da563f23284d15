// SPDX-License-Identifier: MIT
#include "ingest/readlog.h"

#include "ingest/linecutter.h"
#include "ingest/linestream.h"
#include "ingest/recordparser.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

namespace quorvel {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// Thrown out of the read when the projected records pass the memory budget.
struct OverBudget {};

// The records a log of `size` bytes is likely to hold, judged from its first block: enough
// that the arrays are not grown in the usual case. Room that stays unused is never touched.
std::int64_t expectedRecords(std::int64_t found, std::uint64_t blockBytes, std::uint64_t size)
{
    if (blockBytes == 0 || blockBytes >= size)
        return found;
    const double perByte = static_cast<double>(found) / static_cast<double>(blockBytes);
    return static_cast<std::int64_t>(perByte * static_cast<double>(size) * 1.125) + 64;
}

// What the load will hold once the whole log is read, judged after `parsed` of its `size`
// bytes were whole lines handed to the records, while the block of the next read takes
// `block` bytes at its peak. What grows with every record grows in proportion to the bytes;
// the tallies count twice (a table that grows holds its old and its new slots for a moment,
// and more distinct values may come). While no line has ended, the first line may run to the
// end of the log, so the whole log counts (the block holds it).
std::uint64_t projectedBytes(const LogRecords::Footprint& used, std::uint64_t parsed, std::uint64_t size,
                             std::uint64_t block)
{
    if (parsed == 0)
        return std::max(size, block);
    const double perByte = static_cast<double>(used.perRecord) / static_cast<double>(parsed);
    return static_cast<std::uint64_t>(perByte * static_cast<double>(size)) + 2 * used.distinct + block;
}

} // namespace

LogRead readRecords(const LogFile& file, const LoadPlan& plan, Progress& progress, std::uint64_t memoryBudget)
{
    LogRead read{LogRead::Status::Read,
                 LogRecords(plan.columns),
                 0,
                 0,
                 plan.stamps ? std::optional(RecordStamps()) : std::nullopt,
                 std::nullopt};
    std::vector<LineCut> batch;
    DaySpanNotes days;
    std::optional<DaySpan> keptDays; // of the stamps read while loading
    std::uint64_t parsed = 0;
    // The window's load keeps every line as it is, with nothing to judge on the way.
    const bool everyLine = !plan.match && !plan.period && !plan.stamps;
    const auto parse = [&](std::string_view lines) {
        const bool atStart = parsed == 0;
        parsed += lines.size();
        if (atStart && lines.starts_with(byteOrderMark))
            lines.remove_prefix(byteOrderMark.size());
        batch.clear();
        const bool first = read.lines == 0;
        fixstr(lines, [&, everyLine](const ScannedLine& line) {
            ++read.lines;
            const LineCut cut = sortstr4(line);
            if (plan.days)
                days.note(cut.field(lines, Field::stamp));
            if (everyLine) {
                batch.push_back(cut);
                return;
            }
            switch (plan.judge(lines, cut)) {
            case LoadPlan::Verdict::Kept:
                batch.push_back(cut);
                if (read.stamps) {
                    const Stamp stamp = readStamp(cut.field(lines, Field::stamp)).value_or(Stamp{undatedDay, 0});
                    read.stamps->push_back(stamp);
                    if (stamp.day != undatedDay)
                        keptDays = widened(keptDays, stamp.day);
                }
                break;
            case LoadPlan::Verdict::Undated:
                ++read.undated;
                break;
            case LoadPlan::Verdict::LeftOut:
                break;
            }
        });
        if (first) {
            const std::int64_t expected = expectedRecords(read.lines, lines.size(), file.size());
            read.records.reserve(expected);
            if (read.stamps)
                read.stamps->reserve(static_cast<std::size_t>(expected));
        }
        read.records.append(lines, std::span<const LineCut>(batch));
    };
    const auto blockRead = [&](std::uint64_t bytes, std::uint64_t block) {
        LogRecords::Footprint used = read.records.footprint();
        if (read.stamps)
            used.perRecord += read.stamps->size() * sizeof(Stamp);
        if (projectedBytes(used, parsed, file.size(), block) > memoryBudget)
            throw OverBudget{};
        progress.reached(static_cast<std::int64_t>(bytes), static_cast<std::int64_t>(file.size()));
    };
    try {
        const std::optional<std::uint64_t> bytes = streamLines(file, file.size(), parse, blockRead);
        if (!bytes)
            read.status = LogRead::Status::Unreadable;
        else if (*bytes < file.size())
            read.status = LogRead::Status::Shrunk;
    } catch (const OverBudget&) {
        read.status = LogRead::Status::NotEnoughMemory;
    } catch (const std::bad_alloc&) {
        read.status = LogRead::Status::NotEnoughMemory;
    }
    if (read.status != LogRead::Status::Read) {
        read.records = LogRecords(plan.columns);
        read.stamps.reset();
    } else {
        read.days = plan.days ? days.span() : keptDays;
    }
    return read;
}

} // namespace quorvel
