// SPDX-License-Identifier: MIT
#include "ingest/loadlog.h"

#include "ingest/linestream.h"
#include "ingest/linescanner.h"
#include "ingest/logreader.h"
#include "ingest/recordparser.h"
#include "server/accounts.h"
#include "server/serverfolder.h"
#include "state/progress.h"

#include <new>
#include <optional>
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

// Reads the log once to count its records, with the "Loading..." captions, and returns the
// bytes read; nothing when it cannot be read or is larger than the machine's memory. Counting takes bit operations only, so the records can then take exactly the
// memory they need and the "Sorting..." caption can name their number.
std::optional<std::uint64_t> countRecords(Analyzer& a, const SideInfo& info, const LogFile& file, std::int64_t& n)
{
    const std::string sizeText = std::to_string(file.size());
    const auto loading = [&](std::uint64_t bytes) {
        a.window.setStatus(concat(info.logCaption, "Loading...   ", std::to_string(bytes), "/", sizeText));
    };
    loading(0);
    if (!file.fitsInMemory())
        return std::nullopt;
    return streamLines(
        file, file.size(),
        [&](std::string_view lines) { n += static_cast<std::int64_t>(countRecordLines(lines, [] {})); },
        [&](std::uint64_t bytes) {
            loading(bytes);
            Progress::yieldOrStop(a.window);
        });
}

// Reads the counted bytes again, cutting and parsing each block's lines in one pass (fixstr
// and sortstr4 fused) and keeping what the load plan asks for. False on an I/O error.
bool parseRecords(Analyzer& a, const SideInfo& info, const LogFile& file, std::uint64_t bytes, std::int64_t n,
                  LogRecords& records)
{
    a.window.setStatus(concat(info.logCaption, "Converting to a usable string..."));
    const auto caption = [&](std::int64_t i) { return concat(info.logCaption, "Sorting...   ", decimal(i), "/", decimal(n)); };
    a.window.setStatus(caption(0));
    const LoadPlan& plan = a.state.loadplan;
    records.reserve(plan.match ? 0 : n);
    Progress progress(a.window, n);
    std::int64_t seen = 0;
    std::vector<LineCut> batch;
    const auto parse = [&](std::string_view lines) {
        batch.clear();
        const std::int64_t from = seen;
        scanLines(lines, [&](const ScannedLine& line) {
            if (isHeaderAt(lines, line.begin))
                return;
            ++seen;
            const LineCut cut = cutOf(line);
            if (plan.keeps(lines, cut))
                batch.push_back(cut);
        });
        records.append(lines, batch);
        for (std::int64_t i = from + 1; i <= seen; ++i)
            progress.step(i, caption);
    };
    return streamLines(file, bytes, parse, [](std::uint64_t) {}).has_value();
}

// Reads the log into its records; false when it cannot be read.
bool readRecords(Analyzer& a, const SideInfo& info, const LogFile& file, LogRecords& records)
{
    try {
        std::int64_t n = 0;
        const std::optional<std::uint64_t> bytes = countRecords(a, info, file, n);
        return bytes && parseRecords(a, info, file, *bytes, n, records);
    } catch (const std::bad_alloc&) {
        return false;
    }
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
    if (file.status() != LogFile::Status::Open || !readRecords(a, info, file, records)) {
        a.window.setStatus((file.status() == LogFile::Status::NotFound ? "Cannot find '" : "Cannot read '") + name + "'");
        return;
    }
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
