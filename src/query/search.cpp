// SPDX-License-Identifier: MIT
#include "query/search.h"

#include "core/keytally.h"

#include <cstdint>
#include <new>

namespace quorvel {

namespace {

// The selected records for which hit(i) holds, in order, room made for `expected` of them. Walks
// the log in strides and reports progress.reached(i, count) at the end of each, so the last
// report is (count, count); throws std::bad_alloc at the end of a stride that found more than
// mostHits.
template <class Hit>
std::vector<std::int64_t> recordsWhere(const LogRecords& records, const Selection& selection, Progress& progress,
                                       std::size_t expected, std::size_t mostHits, Hit hit)
{
    const std::int64_t n = records.count();
    std::vector<std::int64_t> hits;
    hits.reserve(expected);
    std::int64_t start = 0;
    auto selected = selection.records.begin();
    forEachProgressPoint(n, [&](std::int64_t end) {
        if (selection.all) {
            for (std::int64_t i = start; i < end; ++i)
                if (hit(i))
                    hits.push_back(i);
        } else {
            for (; selected != selection.records.end() && *selected < end; ++selected)
                if (hit(*selected))
                    hits.push_back(*selected);
        }
        if (hits.size() > mostHits)
            throw std::bad_alloc();
        progress.reached(end, n);
        start = end;
    });
    return hits;
}

} // namespace

std::vector<std::int64_t> findRecords(const LogRecords& records, Field match, std::string_view key,
                                      const Selection& selection, Progress& progress)
{
    const KeyTally& tally = records.tally(match);
    // A record is a hit when its index into the tally is the key's: numbers are compared, and
    // the tally knows how many hits there are, so the list is sized once.
    const std::size_t wanted = tally.find(key);
    const std::span<const std::uint32_t> ids = records.ids(match);
    return recordsWhere(records, selection, progress,
                        wanted == KeyTally::npos ? 0 : static_cast<std::size_t>(tally.counts()[wanted]), SIZE_MAX,
                        [&](std::int64_t i) { return ids[static_cast<std::size_t>(i)] == wanted; });
}

const SearchDesign& searchDesign(SearchKind kind)
{
    static constexpr SearchDesign designs[] = {
        {Field::username, Field::filename, {"file", ColumnKind::File}},
        {Field::filename, Field::username, {"user", ColumnKind::User}},
        {Field::account, Field::filename, {"file", ColumnKind::File}},
    };
    return designs[static_cast<std::size_t>(kind)];
}

namespace {

// The value stands between texts of the side; only those are twins, never the value.
std::string searchHeading(SearchKind kind, Side side, std::string_view value)
{
    switch (kind) {
    case SearchKind::Name:
        return std::string(value) + twinText(side, " had downloaded these files...");
    case SearchKind::File:
        return twinText(side, "Users who have downloaded ") + std::string(value) + "...";
    case SearchKind::Account:
        break;
    }
    return "Files that " + std::string(value) + twinText(side, " has downloaded...");
}

} // namespace

Answer searchAnswer(SearchKind kind, Side side, std::string_view value, const LogRecords& records,
                    std::vector<std::int64_t> hits, const Selection& selection)
{
    const SearchDesign& design = searchDesign(kind);
    return hitList(side, searchHeading(kind, side, value), records, std::move(hits), design.shownColumn, design.shown,
                   selection);
}

Answer bothLogsAnswer(std::string_view account, const LogRecords& downloads, std::vector<std::int64_t> downHits,
                      const Selection& downSelection, const LogRecords& uploads, std::vector<std::int64_t> upHits,
                      const Selection& upSelection)
{
    Answer answer = answerFrame(
        TextShape::Hits, Side::Download, searchHeading(SearchKind::Account, Side::Download, account),
        {{"side", ColumnKind::Side}, {"time", ColumnKind::Stamp}, {"file", ColumnKind::File}}, {1, 2}, downSelection);
    answer.undated += upSelection.undated;
    answer.sections.front().rows = downHits.size();
    answer.sections.push_back({searchHeading(SearchKind::Account, Side::Upload, account), upHits.size()});
    struct Hits {
        std::vector<std::int64_t> down, up;
    };
    const std::size_t count = downHits.size() + upHits.size();
    holdRows(answer, Hits{std::move(downHits), std::move(upHits)}, count,
             [&downloads, &uploads](const Hits& held, std::size_t row, std::size_t column) {
                 const bool down = row < held.down.size();
                 if (column == 0)
                     return Cell{down ? "download" : "upload"};
                 const std::int64_t record = down ? held.down[row] : held.up[row - held.down.size()];
                 return Cell{(down ? downloads : uploads).field(record, column == 1 ? Field::stamp : Field::filename)};
             });
    return answer;
}

namespace {

// The transfers from an address or on a day: every column of each hit.
Answer transfersAnswer(Side side, std::string heading, const LogRecords& records, std::vector<std::int64_t> hits,
                       const Selection& selection)
{
    Answer answer = answerFrame(TextShape::Hits, side, std::move(heading),
                                {{"time", ColumnKind::Stamp},
                                 {"address", ColumnKind::Address},
                                 {"account", ColumnKind::Account},
                                 {"user", ColumnKind::User},
                                 {"file", ColumnKind::File}},
                                {0, 3, 4}, selection);
    const std::size_t count = hits.size();
    answer.sections.front().rows = count;
    holdRows(answer, std::move(hits), count,
             [&records](const std::vector<std::int64_t>& held, std::size_t row, std::size_t column) {
                 return Cell{records.field(held[row], static_cast<Field>(column))};
             });
    return answer;
}

} // namespace

std::vector<std::int64_t> recordsFrom(const LogRecords& records, std::string_view address, const Selection& selection,
                                      Progress& progress, std::size_t mostHits)
{
    return recordsWhere(records, selection, progress, 0, mostHits,
                        [&](std::int64_t i) { return records.spare(i) == address; });
}

std::vector<std::int64_t> recordsOn(const LogRecords& records, const RecordStamps& stamps, DayNumber day,
                                    const Selection& selection, Progress& progress, std::size_t mostHits)
{
    return recordsWhere(records, selection, progress, 0, mostHits,
                        [&](std::int64_t i) { return stamps[static_cast<std::size_t>(i)].day == day; });
}

Answer fromAddressAnswer(Side side, std::string_view address, const LogRecords& records, std::vector<std::int64_t> hits,
                         const Selection& selection)
{
    return transfersAnswer(side, twinText(side, "Downloads from ") + std::string(address) + "...", records,
                           std::move(hits), selection);
}

Answer onDayAnswer(Side side, DayNumber day, const LogRecords& records, std::vector<std::int64_t> hits,
                   const Selection& selection)
{
    return transfersAnswer(side, twinText(side, "Downloads on ") + dayText(day) + "...", records, std::move(hits),
                           selection);
}

} // namespace quorvel
