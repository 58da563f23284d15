// SPDX-License-Identifier: MIT
#include "query/counts.h"

#include <algorithm>

namespace quorvel {

namespace {

// How many selected records hold each value of the column's tally.
std::vector<std::int64_t> selectedCounts(const LogRecords& records, Field field, const Selection& selection)
{
    std::vector<std::int64_t> counts(records.tally(field).size(), 0);
    const std::span<const std::uint32_t> ids = records.ids(field);
    selection.forEach(records, [&](std::int64_t i) { ++counts[ids[static_cast<std::size_t>(i)]]; });
    return counts;
}

} // namespace

ValueCounts countValues(const LogRecords& records, Field field, const Selection& selection)
{
    const KeyTally& tally = records.tally(field);
    if (selection.all)
        return {tally.keys(), tally.counts()};
    std::vector<std::int64_t> counts(tally.size(), 0);
    std::vector<std::uint32_t> firstSeen;
    const std::span<const std::uint32_t> ids = records.ids(field);
    selection.forEach(records, [&](std::int64_t i) {
        const std::uint32_t id = ids[static_cast<std::size_t>(i)];
        if (counts[id]++ == 0)
            firstSeen.push_back(id);
    });
    ValueCounts selected;
    selected.values.reserve(firstSeen.size());
    selected.counts.reserve(firstSeen.size());
    for (const std::uint32_t id : firstSeen) {
        selected.values.push_back(tally.keys()[id]);
        selected.counts.push_back(counts[id]);
    }
    return selected;
}

std::vector<filecount> fileTally(const LogRecords& records, const Selection& selection)
{
    const ValueCounts files = countValues(records, Field::filename, selection);
    std::vector<filecount> tally;
    tally.reserve(files.values.size());
    for (std::size_t i = 0; i < files.values.size(); ++i)
        if (!files.values[i].empty())
            tally.push_back(filecount{files.values[i], files.counts[i]});
    return tally;
}

std::vector<std::string_view> distinctValues(const LogRecords& records, Field field, const Selection& selection)
{
    return countValues(records, field, selection).values;
}

std::vector<std::int64_t> countEach(const LogRecords& records, Field field, std::span<const std::string_view> names,
                                    const Selection& selection)
{
    std::vector<std::int64_t> counts(names.size(), 0);
    if (names.empty())
        return counts;
    const KeyTally& tally = records.tally(field);
    const std::vector<std::int64_t> selected =
        selection.all ? std::vector<std::int64_t>() : selectedCounts(records, field, selection);
    const std::vector<std::int64_t>& byValue = selection.all ? tally.counts() : selected;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (const std::size_t at = tally.find(names[i]); at != KeyTally::npos)
            counts[i] = byValue[at];
    return counts;
}

std::optional<Winner> lastMaximum(std::span<const std::string_view> names, std::span<const std::int64_t> counts)
{
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < counts.size(); ++i)
        if (!best || counts[i] >= counts[*best])
            best = i;
    if (!best)
        return std::nullopt;
    return Winner{names[*best], counts[*best]};
}

std::vector<std::string_view> uncounted(std::span<const std::string_view> names, std::span<const std::int64_t> counts)
{
    std::vector<std::string_view> zero;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (counts[i] == 0)
            zero.push_back(names[i]);
    return zero;
}

namespace {

// The rows of a listing, in order or read from the end.
template <class Rows, class CountAndName> CountRows rowsOf(const Rows& rows, bool fromEnd, CountAndName countAndName)
{
    CountRows out;
    out.reserve(rows.size());
    const auto add = [&](const auto& row) {
        const auto [count, name] = countAndName(row);
        out.emplace_back(std::string(name), count);
    };
    if (fromEnd)
        std::for_each(rows.rbegin(), rows.rend(), add);
    else
        std::for_each(rows.begin(), rows.end(), add);
    return out;
}

} // namespace

Answer filesAnswer(Side side, const std::vector<filecount>& files, bool fromEnd, const Selection& selection)
{
    return countListing(side, twinText(side, fromEnd ? "Downloads By Number..." : "Downloads By Date..."),
                        {"file", ColumnKind::File},
                        rowsOf(files, fromEnd,
                               [](const filecount& f) {
                                   return std::pair{f.count, f.filename};
                               }),
                        selection);
}

Answer accountsAnswer(Side side, const std::vector<accountinfo>& accounts, const Selection& selection)
{
    return countListing(side, twinText(side, "Downloads By Account..."), {"account", ColumnKind::Account},
                        rowsOf(accounts, true,
                               [side](const accountinfo& account) {
                                   return std::pair{side == Side::Download ? account.downcount : account.upcount,
                                                    std::string_view(account.name)};
                               }),
                        selection);
}

Answer numberOneAnswer(Side side, Column column, const std::optional<Winner>& winner, const Selection& selection)
{
    CountRows rows;
    if (winner)
        rows.emplace_back(std::string(winner->name), winner->count);
    Answer answer =
        countListing(side,
                     twinText(side, column.kind == ColumnKind::User ? "The number one downloader is..."
                                                                    : "The mumber one account downloader is..."),
                     column, std::move(rows), selection);
    answer.shape = TextShape::Winner;
    answer.shown = {0, 1};
    return answer;
}

Answer idleAccountsAnswer(Side side, std::span<const std::string_view> idle, const Selection& selection)
{
    return nameList(TextShape::Names, side, twinText(side, "Accounts that have not downloaded in the current log..."),
                    {"account", ColumnKind::Account}, {idle.begin(), idle.end()}, selection);
}

Answer takersAnswer(std::span<const std::string_view> names, std::span<const std::int64_t> downloads,
                    std::span<const std::int64_t> uploads, const Selection& downSelection, const Selection& upSelection)
{
    struct Row {
        std::int64_t downloads, uploads;
        std::string account;
    };
    std::vector<Row> rows;
    rows.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        rows.push_back({downloads[i], uploads[i], std::string(names[i])});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& x, const Row& y) { return x.downloads - x.uploads > y.downloads - y.uploads; });
    Answer answer = answerFrame(
        TextShape::Listing, Side::Download, "Transfers By Account...",
        {{"downloads", ColumnKind::Count}, {"uploads", ColumnKind::Count}, {"account", ColumnKind::Account}}, {0, 1, 2},
        downSelection);
    answer.undated += upSelection.undated;
    const std::size_t count = rows.size();
    answer.sections.front().rows = count;
    holdRows(answer, std::move(rows), count, [](const std::vector<Row>& held, std::size_t row, std::size_t column) {
        const Row& r = held[row];
        return column == 2 ? Cell{r.account} : Cell{{}, column == 0 ? r.downloads : r.uploads};
    });
    return answer;
}

Answer pickListAnswer(Side side, Field field, std::span<const std::string_view> values, const Selection& selection)
{
    const Column column =
        field == Field::username ? Column{"user", ColumnKind::User} : Column{"file", ColumnKind::File};
    return nameList(TextShape::Entries, side, {}, column, {values.begin(), values.end()}, selection);
}

} // namespace quorvel
