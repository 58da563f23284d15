// SPDX-License-Identifier: MIT
#include "ingest/loadlog.h"

#include "ingest/hugepages.h"
#include "ingest/linescanner.h"
#include "ingest/logreader.h"
#include "ingest/recordparser.h"
#include "server/accounts.h"
#include "server/serverfolder.h"
#include "state/progress.h"

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
    log.records = LogRecords();
    log.files.clear();
}

// Cuts and parses the text into records in one pass (fixstr and sortstr4 fused), after a
// cheap pass that counts them, so that the records take exactly the memory they need and the
// progress caption can name their number.
std::vector<logentry> parseRecords(Analyzer& a, const SideInfo& info, std::string_view text)
{
    a.window.setStatus(concat(info.logCaption, "Converting to a usable string..."));
    const auto n = static_cast<std::int64_t>(countRecordLines(text, [&] { Progress::yieldOrStop(a.window); }));
    const auto caption = [&](std::int64_t i) { return concat(info.logCaption, "Sorting...   ", decimal(i), "/", decimal(n)); };
    a.window.setStatus(caption(0));
    std::vector<logentry> entries;
    entries.reserve(static_cast<std::size_t>(n));
    adviseHugePages(entries.data(), entries.capacity() * sizeof(logentry));
    Progress progress(a.window, n);
    scanLines(text, [&](const ScannedLine& line) {
        if (isHeaderAt(text, line.begin))
            return;
        entries.push_back(entryOf(line));
        progress.step(static_cast<std::int64_t>(entries.size()), caption);
    });
    return entries;
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
    std::string sizeText;
    const auto loading = [&](std::uint64_t bytes) {
        a.window.setStatus(concat(info.logCaption, "Loading...   ", std::to_string(bytes), "/", sizeText));
    };
    LogFile file = readLogFile(
        serverPath(a, name),
        [&](std::uint64_t size) {
            sizeText = std::to_string(size);
            loading(0);
        },
        [&](std::uint64_t bytes) {
            loading(bytes);
            Progress::yieldOrStop(a.window);
        });
    if (file.status != LogFile::Status::Read) {
        a.window.setStatus((file.status == LogFile::Status::NotFound ? "Cannot find '" : "Cannot read '") + name + "'");
        return;
    }
    std::vector<logentry> entries = parseRecords(a, info, std::string_view(file.text.get(), file.size));
    LogState& log = a.state.log(side);
    log.records = LogRecords(std::move(file.text), file.size, std::move(entries));
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
