// SPDX-License-Identifier: MIT
#include "ingest/recordkeeper.h"

namespace quorvel {

namespace {

// The records a log of `size` bytes is likely to hold, judged from the first `readBytes`:
// enough that the arrays are not grown in the usual case. Room that stays unused is never
// touched.
std::int64_t expectedRecords(std::int64_t found, std::uint64_t readBytes, std::uint64_t size)
{
    if (readBytes == 0 || readBytes >= size)
        return found;
    const double perByte = static_cast<double>(found) / static_cast<double>(readBytes);
    return static_cast<std::int64_t>(perByte * static_cast<double>(size) * 1.125) + 64;
}

} // namespace

RecordKeeper::RecordKeeper(const LoadPlan& plan, LogRead& read)
    : plan_(plan), read_(read), everyLine_(!plan.match && !plan.period && !plan.stamps)
{
    read_.records = LogRecords(plan.columns);
    if (plan.stamps)
        read_.stamps.emplace();
}

void RecordKeeper::keepStamp(const std::optional<Stamp>& stamp)
{
    read_.stamps->push_back(stamp.value_or(Stamp{undatedDay, 0}));
    if (stamp)
        keptDays_ = widened(keptDays_, stamp->day);
}

void RecordKeeper::take(std::string_view text, std::uint64_t readBytes, std::uint64_t size)
{
    if (!reserved_ && read_.lines > 0) {
        reserved_ = true;
        const std::int64_t expected = expectedRecords(read_.lines, readBytes, size);
        read_.records.reserve(expected);
        if (read_.stamps)
            read_.stamps->reserve(static_cast<std::size_t>(expected));
    }
    read_.records.append(text, std::span<const LineCut>(batch_));
    batch_.clear();
}

LogRecords::Footprint RecordKeeper::footprint() const
{
    LogRecords::Footprint used = read_.records.footprint();
    if (read_.stamps)
        used.perRecord += read_.stamps->size() * sizeof(Stamp);
    return used;
}

void RecordKeeper::finish(LogRead::Status status)
{
    read_.status = status;
    if (status != LogRead::Status::Read) {
        read_.records = LogRecords(plan_.columns);
        read_.stamps.reset();
    } else {
        read_.days = plan_.days ? days_.span() : keptDays_;
    }
}

} // namespace quorvel
