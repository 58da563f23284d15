// SPDX-License-Identifier: MIT
#include "ingest/loadlog.h"

#include "ingest/linescanner.h"
#include "ingest/linestream.h"
#include "ingest/logreader.h"
#include "ingest/recordparser.h"
#include "server/accounts.h"
#include "server/serverfolder.h"
#include "state/progress.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

void resetLog(Analyzer& a, Side side)
{
    LogState& log = a.state.log(side);
    log.loaded = false;
    log.nameslisted = false;
    log.fileslisted = false;
    if (a.state.serverfolder.empty())
        loadpath(a);
    const SideInfo& info = sideInfo(side);
    a.window.clearList(info.filesDialog);
    a.window.clearList(info.namesDialog);
    log.records = LogRecords(a.state.loadplan.columns);
    log.files.clear();
}

// The records a log of `size` bytes is likely to hold, judged from its first block: enough
// that the arrays are not grown in the usual case. Room that stays unused is never touched.
std::int64_t expectedRecords(std::int64_t found, std::uint64_t blockBytes, std::uint64_t size)
{
    if (blockBytes >= size)
        return found;
    const double perByte = static_cast<double>(found) / static_cast<double>(blockBytes);
    return static_cast<std::int64_t>(perByte * static_cast<double>(size) * 1.125) + 64;
}

// Reads the log in blocks, with the "Loading..." captions, and cuts and parses the lines of
// each block as it arrives (fixstr and sortstr4 fused, no copy of the whole text), keeping
// what the load plan asks for; n becomes the number of records. False when the log cannot be
// read or is larger than the machine's memory.
bool readRecords(Analyzer& a, const SideInfo& info, const LogFile& file, LogRecords& records, std::int64_t& n)
{
    const std::string sizeText = std::to_string(file.size());
    const auto loading = [&](std::uint64_t bytes) {
        a.window.setStatus(concat(info.logCaption, "Loading...   ", std::to_string(bytes), "/", sizeText));
    };
    loading(0);
    if (!file.fitsInMemory())
        return false;
    const LoadPlan& plan = a.state.loadplan;
    std::vector<LineCut> batch;
    const auto parse = [&](std::string_view lines) {
        batch.clear();
        const bool first = n == 0;
        scanLines(lines, [&](const ScannedLine& line) {
            if (isHeaderAt(lines, line.begin))
                return;
            ++n;
            const LineCut cut = cutOf(line);
            if (plan.keeps(lines, cut))
                batch.push_back(cut);
        });
        if (first)
            records.reserve(expectedRecords(n, lines.size(), file.size()));
        records.append(lines, batch);
    };
    try {
        return streamLines(file, file.size(), parse,
                           [&](std::uint64_t bytes) {
                               loading(bytes);
                               Progress::yieldOrStop(a.window);
                           })
            .has_value();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The captions of the cut and the parse, which happened while the log was read.
void showParsed(Analyzer& a, const SideInfo& info, std::int64_t n)
{
    a.window.setStatus(concat(info.logCaption, "Converting to a usable string..."));
    const auto caption = [&](std::int64_t i) {
        return concat(info.logCaption, "Sorting...   ", decimal(i), "/", decimal(n));
    };
    a.window.setStatus(caption(0));
    Progress(a.window, n).stepThrough(caption);
}

} // namespace

void loadlog(Analyzer& a, Side side)
{
    resetLog(a, side);
    const SideInfo& info = sideInfo(side);
    const std::string name(info.logFileName);
    if (a.state.serverfolder.empty()) {
        a.window.setStatus("Cannot find '" + name + "'");
        return;
    }
    const LogFile file(serverPath(a, name));
    LogRecords records(a.state.loadplan.columns);
    std::int64_t n = 0;
    if (file.status() != LogFile::Status::Open || !readRecords(a, info, file, records, n)) {
        a.window.setStatus((file.status() == LogFile::Status::NotFound ? "Cannot find '" : "Cannot read '") + name +
                           "'");
        return;
    }
    showParsed(a, info, n);
    LogState& log = a.state.log(side);
    log.records = std::move(records);
    a.window.setStatus(concat(info.logCaption, "Done..."));
    log.loaded = true;
}

void askload(Analyzer& a, Side side)
{
    const SideInfo& info = sideInfo(side);
    if (a.platform.askOkCancel(info.loadQuestion, info.loadQuestionTitle))
        loadlog(a, side);
}

void offerLoad(Analyzer& a, Side side)
{
    if (!a.state.log(side).loaded)
        askload(a, side);
}

bool logGuard(Analyzer& a, Side side)
{
    offerLoad(a, side);
    if (a.state.log(side).loaded)
        return true;
    a.window.setStatus(mustLoadMessage);
    return false;
}

void mnuloadall_Click(Analyzer& a)
{
    loaddownloadlog(a);
    loaduploadlog(a);
    loaduseraccounts(a);
}

void mnuLoaddownloadlog_Click(Analyzer& a)
{
    loaddownloadlog(a);
}

void mnuLoaduploadlog_Click(Analyzer& a)
{
    loaduploadlog(a);
}

} // namespace quorvel
