// SPDX-License-Identifier: MIT
#include "query/search.h"

#include "core/keytally.h"

namespace quorvel {

std::vector<std::int64_t> findRecords(const LogRecords& records, Field match, std::string_view key,
                                      const Selection& selection, Progress& progress)
{
    const std::int64_t n = records.count();
    const KeyTally& tally = records.tally(match);
    // A record is a hit when its index into the tally is the key's: numbers are compared, and
    // the tally knows how many hits there are, so the list is sized once.
    const std::size_t wanted = tally.find(key);
    const std::span<const std::uint32_t> ids = records.ids(match);
    std::vector<std::int64_t> hits;
    hits.reserve(wanted == KeyTally::npos ? 0 : static_cast<std::size_t>(tally.counts()[wanted]));
    std::int64_t start = 0;
    auto selected = selection.records.begin();
    forEachProgressPoint(n, [&](std::int64_t end) {
        if (selection.all) {
            for (std::int64_t i = start; i < end; ++i)
                if (ids[static_cast<std::size_t>(i)] == wanted)
                    hits.push_back(i);
        } else {
            for (; selected != selection.records.end() && *selected < end; ++selected)
                if (ids[*selected] == wanted)
                    hits.push_back(*selected);
        }
        progress.reached(end, n);
        start = end;
    });
    return hits;
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
        {{"side", ColumnKind::Side}, {"time", ColumnKind::Stamp}, {"file", ColumnKind::File}}, {1, 2},
        downSelection);
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

} // namespace quorvel
