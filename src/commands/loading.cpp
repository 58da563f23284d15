// SPDX-License-Identifier: MIT
#include "commands/loading.h"

#include "commands/program.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"
#include "commands/windowprogress.h"
#include "ingest/logreader.h"
#include "ingest/readlog.h"
#include "present/statustext.h"

#include <utility>

namespace quorvel {

namespace {

// A load starts from nothing, in the folder the user picks when none is known yet.
void resetLog(Analyzer& a, Side side)
{
    unloadLog(a, side);
    if (a.state.serverfolder.empty())
        loadpath(a);
    a.state.log(side).records = LogRecords(a.loadplan.columns);
}

// The captions of the cut and the parse, which happened while the log was read.
void showParsed(Analyzer& a, Side side, std::int64_t n)
{
    a.window.setStatus(convertingCaption(side));
    const auto sorting = [side](std::int64_t i, std::int64_t total) { return sortingCaption(side, i, total); };
    a.window.setStatus(sorting(0, n));
    replayProgress(a.window, n, sorting);
}

} // namespace

void unloadLog(Analyzer& a, Side side)
{
    a.state.log(side) = LogState{};
    a.window.clearList(pickDialog(side, Pick::Files));
    a.window.clearList(pickDialog(side, Pick::Names));
    a.lastAnswer.reset();
}

Outcome loadlog(Analyzer& a, Side side)
{
    resetLog(a, side);
    const std::string& folder = a.state.serverfolder;
    if (folder.empty())
        return refuse(a, cannotFindLog(side, a.style, folder));
    const LogFile file(serverPath(a, logFileName(side)));
    if (file.status() == LogFile::Status::NotFound)
        return refuse(a, cannotFindLog(side, a.style, folder));
    if (file.status() != LogFile::Status::Open)
        return refuse(a, cannotReadLog(side, a.style, folder));
    const auto size = static_cast<std::int64_t>(file.size());
    a.window.setStatus(loadingCaption(side, 0, size));
    WindowProgress reading(a.window, [side](std::int64_t bytes, std::int64_t total) {
        return loadingCaption(side, bytes, total);
    });
    LogRead read = readRecords(file, a.loadplan, reading, a.memoryLeft());
    switch (read.status) {
    case LogRead::Status::Read:
        break;
    case LogRead::Status::Unreadable:
        return refuse(a, cannotReadLog(side, a.style, folder));
    case LogRead::Status::NotEnoughMemory:
        return refuse(a, notEnoughMemoryToLoad(side));
    case LogRead::Status::Shrunk:
        return refuse(a, logChangedWhileRead(side, a.style));
    }
    showParsed(a, side, read.lines);
    LogState& log = a.state.log(side);
    log.records = std::move(read.records);
    log.loadedPeriod = a.loadplan.period;
    log.undatedLeftOut = read.undated;
    log.stamps = std::move(read.stamps);
    log.days = read.days;
    a.window.setStatus(loadedCaption(side));
    log.loaded = true;
    return Outcome::done();
}

Outcome askload(Analyzer& a, Side side)
{
    if (!a.platform.askOkCancel(
            twinText(side, "You must load the download log first, do you want to load the download log?"),
            twinText(side, "Load download log")))
        return Outcome::cancelled();
    return loadlog(a, side);
}

Outcome offerLoad(Analyzer& a, Side side)
{
    return a.state.log(side).loaded ? Outcome::done() : askload(a, side);
}

Outcome logGuard(Analyzer& a, Side side)
{
    Outcome load = offerLoad(a, side);
    if (a.state.log(side).loaded)
        return Outcome::done();
    return refuse(a, mustLoadMessage, std::move(load));
}

Outcome accountReportGuard(Analyzer& a, Side side)
{
    Outcome load = offerLoad(a, side);
    Outcome accounts = ensureAccountsListed(a);
    if (!a.state.log(side).loaded)
        return refuse(a, mustLoadMessage, std::move(load.also(accounts)));
    // Accounts that could not be listed ("Cannot read 'users'" is shown) would pass for a
    // server without accounts.
    return accounts;
}

Outcome mnuloadall_Click(Analyzer& a)
{
    Outcome outcome = loadlog(a, Side::Download);
    outcome.also(loadlog(a, Side::Upload));
    return outcome.also(loaduseraccounts(a));
}

Outcome mnuLoaddownloadlog_Click(Analyzer& a)
{
    return loadlog(a, Side::Download);
}

Outcome mnuLoaduploadlog_Click(Analyzer& a)
{
    return loadlog(a, Side::Upload);
}

} // namespace quorvel
