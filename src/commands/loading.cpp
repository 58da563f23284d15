// SPDX-License-Identifier: MIT
#include "commands/loading.h"

#include "commands/program.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"
#include "commands/windowprogress.h"
#include "ingest/logreader.h"
#include "ingest/mobiuslog.h"
#include "ingest/readlog.h"
#include "present/statustext.h"
#include "server/mobiusfolder.h"

#include <array>
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

// Takes a log that was read into the state: its records, stamps and days, and what the plan
// left out; the load's "Done..." caption also counts the damaged lines of a modern log, which
// quorvel-report says on its error stream.
void keepRead(Analyzer& a, Side side, LogRead& read)
{
    showParsed(a, side, read.lines);
    LogState& log = a.state.log(side);
    log.records = std::move(read.records);
    log.loadedPeriod = a.loadplan.period;
    log.undatedLeftOut = read.undated;
    log.stamps = std::move(read.stamps);
    log.days = read.days;
    a.window.setStatus(loadedCaption(side, read.damaged));
    if (read.damaged > 0 && a.style == MessageStyle::Tool)
        tell(a, damagedLinesLeftOut(read.damaged));
    log.loaded = true;
}

// Loads the sides asked for from a modern server's log, in one read of its files. The captions
// of the read are those of the first side; a second side's follow when it is taken.
Outcome loadMobius(Analyzer& a, std::array<bool, 2> sides)
{
    const std::string& folder = a.state.serverfolder;
    const MobiusLog log = findMobiusLog(folder);
    switch (log.status) {
    case MobiusLog::Status::Found:
        break;
    case MobiusLog::Status::NotFound:
        return refuse(a, cannotFindMobiusLog(folder));
    case MobiusLog::Status::Unreadable:
        return refuse(a, cannotReadLog(log.names.front(), a.style, folder));
    case MobiusLog::Status::Several:
        return refuse(a, severalMobiusLogs(folder, log.names));
    }
    const Side first = sides[0] ? Side::Download : Side::Upload;
    const auto size = static_cast<std::int64_t>(log.size());
    const auto loading = [](Side side) {
        return [side](std::int64_t bytes, std::int64_t total) { return loadingCaption(side, bytes, total); };
    };
    a.window.setStatus(loadingCaption(first, 0, size));
    WindowProgress reading(a.window, loading(first));
    MobiusRead read = readMobiusLog(log, a.loadplan, sides, reading, a.memoryLeft());
    const std::string& file = log.names[read.file];
    switch (read.status) {
    case LogRead::Status::Read:
        break;
    case LogRead::Status::Unreadable:
        return refuse(a, cannotReadLog(file, a.style, folder));
    case LogRead::Status::NotEnoughMemory:
        return refuse(a, notEnoughMemoryToLoad(file));
    case LogRead::Status::Shrunk:
        return refuse(a, logChangedWhileRead(file, a.style));
    }
    for (const Side side : {Side::Download, Side::Upload}) {
        if (!sides[static_cast<std::size_t>(side)])
            continue;
        if (side != first)
            a.window.setStatus(loadingCaption(side, size, size));
        keepRead(a, side, read.sides[static_cast<std::size_t>(side)]);
    }
    return Outcome::done();
}

} // namespace

void unloadLog(Analyzer& a, Side side)
{
    a.state.log(side) = LogState{};
    a.window.clearList(pickDialog(side, Pick::Files));
    a.window.clearList(pickDialog(side, Pick::Names));
    forgetAnswers(a);
}

Outcome loadlog(Analyzer& a, Side side)
{
    resetLog(a, side);
    const std::string& folder = a.state.serverfolder;
    const std::string logName = logFileName(side);
    if (folder.empty())
        return refuse(a, cannotFindLog(logName, a.style, folder));
    if (isMobiusFolder(folder))
        return loadMobius(a, {side == Side::Download, side == Side::Upload});
    const LogFile file(serverPath(a, logName));
    if (file.status() == LogFile::Status::NotFound)
        return refuse(a, cannotFindLog(logName, a.style, folder));
    if (file.status() != LogFile::Status::Open)
        return refuse(a, cannotReadLog(logName, a.style, folder));
    const auto size = static_cast<std::int64_t>(file.size());
    a.window.setStatus(loadingCaption(side, 0, size));
    WindowProgress reading(
        a.window, [side](std::int64_t bytes, std::int64_t total) { return loadingCaption(side, bytes, total); });
    LogRead read = readRecords(file, a.loadplan, reading, a.memoryLeft(), a.threads);
    switch (read.status) {
    case LogRead::Status::Read:
        break;
    case LogRead::Status::Unreadable:
        return refuse(a, cannotReadLog(logName, a.style, folder));
    case LogRead::Status::NotEnoughMemory:
        return refuse(a, notEnoughMemoryToLoad(logName));
    case LogRead::Status::Shrunk:
        return refuse(a, logChangedWhileRead(logName, a.style));
    }
    keepRead(a, side, read);
    return Outcome::done();
}

namespace {

bool loadAccepted(Analyzer& a, Side side)
{
    return a.platform.askOkCancel(
        twinText(side, "You must load the download log first, do you want to load the download log?"),
        twinText(side, "Load download log"));
}

bool isMobius(const Analyzer& a)
{
    return !a.state.serverfolder.empty() && isMobiusFolder(a.state.serverfolder);
}

} // namespace

Outcome askload(Analyzer& a, Side side)
{
    return loadAccepted(a, side) ? loadlog(a, side) : Outcome::cancelled();
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

Outcome bothLogsGuard(Analyzer& a)
{
    Outcome loads = Outcome::done();
    if (isMobius(a)) {
        std::array<bool, 2> accepted{};
        for (const Side side : {Side::Download, Side::Upload}) {
            if (a.state.log(side).loaded)
                continue;
            accepted[static_cast<std::size_t>(side)] = loadAccepted(a, side);
            if (!accepted[static_cast<std::size_t>(side)])
                loads.also(Outcome::cancelled());
        }
        if (accepted[0] || accepted[1]) {
            for (const Side side : {Side::Download, Side::Upload})
                if (accepted[static_cast<std::size_t>(side)])
                    resetLog(a, side);
            loads.also(loadMobius(a, accepted));
        }
    } else {
        loads.also(offerLoad(a, Side::Download));
        loads.also(offerLoad(a, Side::Upload));
    }
    if (!a.state.download.loaded || !a.state.upload.loaded)
        return refuse(a, mustLoadMessage, std::move(loads));
    return Outcome::done();
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
    // A modern server's log holds both sides: one read takes them.
    if (isMobius(a)) {
        resetLog(a, Side::Download);
        resetLog(a, Side::Upload);
        Outcome outcome = loadMobius(a, {true, true});
        return outcome.also(loaduseraccounts(a));
    }
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
