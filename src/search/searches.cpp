// SPDX-License-Identifier: MIT
#include "search/searches.h"

#include "ingest/loadlog.h"
#include "state/progress.h"
#include "state/textwriter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

// One walk over a log: the records whose `match` field equals key are hits and print their
// stamp and `shown` field. caption is the status line's first line, ended by CR LF.
struct Walk {
    Side side;
    Field match;
    Field shown;
    std::string_view key;
    std::string caption;
};

// Appends a line "<stamp>: <shown>" CR LF to text for every hit, in record order, with the
// progress caption "<caption>Looking at Download Number i/N" CR LF in the status line. The
// bound is fixed at the start; no other command can reload the log while this one runs. A
// hit is a record whose interned `match` value is the key's; the hits are found first (the
// tally knows how many there are), so that the text grows once to its final size.
void appendHits(Analyzer& a, const Walk& walk, std::string& text)
{
    const LogRecords& records = a.state.log(walk.side).records;
    const std::int64_t n = records.count();
    const std::string total = decimal(n);
    const std::string_view number = sideInfo(walk.side).numberCaption;
    const auto caption = [&](std::int64_t i) { return concat(walk.caption, number, decimal(i), "/", total, "\r\n"); };
    a.window.setStatus(walk.caption);
    Progress progress(a.window, n);
    const KeyTally& tally = records.tally(walk.match);
    const std::size_t key = tally.find(walk.key);
    const std::span<const std::uint32_t> ids = records.ids(walk.match);
    std::vector<std::int64_t> hits;
    hits.reserve(key == KeyTally::npos ? 0 : static_cast<std::size_t>(tally.counts()[key]));
    for (std::int64_t start = 0; start < n;) {
        const std::int64_t end = std::min(n, start + Progress::stride);
        for (std::int64_t i = start; i < end; ++i)
            if (ids[static_cast<std::size_t>(i)] == key)
                hits.push_back(i);
        progress.step(end, caption);
        start = end;
    }
    std::size_t size = 0;
    for (const std::int64_t i : hits)
        size += records.stamp(i).size() + records.field(i, walk.shown).size() + 4;
    TextWriter out(text, size);
    for (const std::int64_t i : hits)
        out.put(records.stamp(i)).put(": ").put(records.field(i, walk.shown)).put("\r\n");
}

// Sets the output box once to the heading and the hit lines of the walk.
void runSearch(Analyzer& a, const Walk& walk, std::string heading)
{
    appendHits(a, walk, heading);
    a.window.setOutputText(std::move(heading));
    a.window.setStatus("Done...");
}

Walk accountWalk(Side side, std::string_view account)
{
    return {side, Field::account, Field::filename, account,
            concat("Searching to see what ", account, sideInfo(side).userSearchVerb, "\r\n")};
}

std::string accountHeading(Side side, std::string_view account)
{
    return concat("Files that ", account, sideInfo(side).userSearchVerb, "...\r\n\r\n");
}

} // namespace

void namesearch(Analyzer& a, Side side, std::string_view name)
{
    const SideInfo& info = sideInfo(side);
    runSearch(a, {side, Field::username, Field::filename, name, concat(name, info.possessive, "\r\n")},
              concat(name, info.nameSearchHeading, "\r\n\r\n"));
}

void filesearch(Analyzer& a, Side side, std::string_view file)
{
    const SideInfo& info = sideInfo(side);
    runSearch(a, {side, Field::filename, Field::username, file, concat(info.fileSearchCaption, file, "\r\n")},
              concat(info.fileSearchHeading, file, "...\r\n\r\n"));
}

void usersearch(Analyzer& a, Side side, std::string_view account)
{
    if (logGuard(a, side))
        runSearch(a, accountWalk(side, account), accountHeading(side, account));
}

void usersearchboth(Analyzer& a, std::string_view account)
{
    offerLoad(a, Side::Download);
    offerLoad(a, Side::Upload);
    if (!a.state.download.loaded || !a.state.upload.loaded) {
        a.window.setStatus(mustLoadMessage);
        return;
    }
    std::string text = accountHeading(Side::Download, account);
    appendHits(a, accountWalk(Side::Download, account), text);
    text.append("\r\n\r\n").append(accountHeading(Side::Upload, account));
    appendHits(a, accountWalk(Side::Upload, account), text);
    a.window.setOutputText(std::move(text));
    a.window.setStatus("Done...");
}

} // namespace quorvel
