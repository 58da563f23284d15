// SPDX-License-Identifier: MIT
#include "commands/searches.h"

#include "commands/answersize.h"
#include "commands/commandtable.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/serverfolder.h"
#include "commands/windowprogress.h"
#include "present/statustext.h"
#include "query/counts.h"
#include "query/search.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

// The status line's first line while a search walks, ended by CR LF.
std::string searchCaption(SearchKind kind, Side side, std::string_view value)
{
    switch (kind) {
    case SearchKind::Name:
        return nameSearchCaption(side, value);
    case SearchKind::File:
        return fileSearchCaption(side, value);
    case SearchKind::Account:
        break;
    }
    return accountSearchCaption(side, value);
}

// What the hits of a search take.
AnswerSize searchSize(const Analyzer& a, SearchKind kind, Side side, std::string_view value)
{
    const SearchDesign& design = searchDesign(kind);
    return selectionSize(a, side, false) + hitListSize(a.state.log(side).records, design.match, value, design.shown);
}

struct Found {
    std::vector<std::int64_t> hits;
    Selection selection;
};

// The hits among the records of the period, in record order, with the progress caption
// "<first line>Looking at Download Number i/N" CR LF in the status line. The bound is fixed at
// the start; no other command can reload the log while this one runs.
Found find(Analyzer& a, SearchKind kind, Side side, std::string_view value)
{
    Selection selection = selectionOf(a, side);
    const std::string caption = searchCaption(kind, side, value);
    a.window.setStatus(caption);
    WindowProgress progress(a.window,
                            [&](std::int64_t i, std::int64_t n) { return searchingCaption(caption, side, i, n); });
    std::vector<std::int64_t> hits =
        findRecords(a.state.log(side).records, searchDesign(kind).match, value, selection, progress);
    return {std::move(hits), std::move(selection)};
}

Answered search(Analyzer& a, SearchKind kind, Side side, std::string_view value)
{
    if (Outcome fits = affordAnswer(a, searchSize(a, kind, side, value)); !fits.isDone())
        return fits;
    Found found = find(a, kind, side, value);
    Answer answer = searchAnswer(kind, side, value, a.state.log(side).records, std::move(found.hits), found.selection);
    a.window.setStatus(doneMessage);
    return answer;
}

// Hides Form4 and shows the question's answer for the selected account.
Outcome searchSelectedAccount(Analyzer& a, Question question, Side side)
{
    a.window.hideDialog(Dialog::Accounts);
    return ask(a, question, side, a.window.selectedEntry(Dialog::Accounts));
}

} // namespace

Answered namesearch(Analyzer& a, Side side, const std::string& name)
{
    return search(a, SearchKind::Name, side, name);
}

Answered filesearch(Analyzer& a, Side side, const std::string& file)
{
    return search(a, SearchKind::File, side, file);
}

Answered usersearch(Analyzer& a, Side side, const std::string& account)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    return search(a, SearchKind::Account, side, account);
}

Answered usersearchboth(Analyzer& a, Side, const std::string& account)
{
    if (Outcome guard = bothLogsGuard(a); !guard.isDone())
        return guard;
    if (Outcome fits = affordAnswer(a, searchSize(a, SearchKind::Account, Side::Download, account) +
                                           searchSize(a, SearchKind::Account, Side::Upload, account));
        !fits.isDone())
        return fits;
    Found down = find(a, SearchKind::Account, Side::Download, account);
    Found up = find(a, SearchKind::Account, Side::Upload, account);
    Answer answer = bothLogsAnswer(account, a.state.download.records, std::move(down.hits), down.selection,
                                   a.state.upload.records, std::move(up.hits), up.selection);
    a.window.setStatus(doneMessage);
    return answer;
}

namespace {

// A search whose hits are known only once the records are walked (find(selection, progress,
// mostHits), refusing more hits than the memory left can answer; with readsStamps it reads the
// records' stamps first); the status line counts the records. answerOf(hits, selection) gives
// the answer.
template <class Find, class AnswerOf>
Answered walkedSearch(Analyzer& a, Side side, bool readsStamps, Find find, AnswerOf answerOf)
{
    const LogRecords& records = a.state.log(side).records;
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, readsStamps) + transferListSize(records, 0));
        !fits.isDone())
        return fits;
    const std::size_t mostHits = affordableTransfers(a, side, readsStamps);
    const Selection selection = selectionOf(a, side);
    WindowProgress progress(a.window, [side](std::int64_t i, std::int64_t n) { return numberCaption(side, i, n); });
    std::vector<std::int64_t> hits = find(selection, progress, mostHits);
    if (Outcome fits = affordAnswer(a, transferListSize(records, hits.size())); !fits.isDone())
        return fits;
    Answer answer = answerOf(std::move(hits), selection);
    a.window.setStatus(doneMessage);
    return answer;
}

} // namespace

Answered addressSearch(Analyzer& a, Side side, const std::string& address)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    return walkedSearch(
        a, side, false,
        [&](const Selection& selection, Progress& progress, std::size_t mostHits) {
            return recordsFrom(records, address, selection, progress, mostHits);
        },
        [&](std::vector<std::int64_t> hits, const Selection& selection) {
            return fromAddressAnswer(side, address, records, std::move(hits), selection);
        });
}

Answered daySearch(Analyzer& a, Side side, const std::string& day)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const std::optional<DayNumber> wanted = readDay(day);
    if (!wanted)
        return refuse(a, "'" + day + "' is not a date (YYYY-MM-DD)");
    const LogRecords& records = a.state.log(side).records;
    return walkedSearch(
        a, side, true,
        [&](const Selection& selection, Progress& progress, std::size_t mostHits) {
            return recordsOn(records, stampsOf(a, side), *wanted, selection, progress, mostHits);
        },
        [&](std::vector<std::int64_t> hits, const Selection& selection) {
            return onDayAnswer(side, *wanted, records, std::move(hits), selection);
        });
}

Dialog pickDialog(Side side, Pick pick)
{
    if (side == Side::Download)
        return pick == Pick::Names ? Dialog::DownNames : Dialog::DownFiles;
    return pick == Pick::Names ? Dialog::UpNames : Dialog::UpFiles;
}

Answered showPickList(Analyzer& a, Side side, Pick pick)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    LogState& log = a.state.log(side);
    bool& listed = pick == Pick::Names ? log.nameslisted : log.fileslisted;
    const Dialog dialog = pickDialog(side, pick);
    if (listed) {
        a.window.showDialog(dialog);
        return Outcome::done();
    }
    const Field field = pick == Pick::Names ? Field::username : Field::filename;
    const KeyTally& tally = log.records.tally(field);
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, false) + pickListSize(tally.size(), tally.keyBytes()));
        !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    replayProgress(a.window, log.records.count(),
                   [field](std::int64_t i, std::int64_t n) { return pickListCaption(field, i, n); });
    const std::vector<std::string_view> values = distinctValues(log.records, field, selection);
    Answer answer = pickListAnswer(side, field, values, selection);
    // The list is emptied first and filled in one call, so it never holds a value twice.
    a.window.clearList(dialog);
    a.window.addToList(dialog, values);
    a.window.setOutputText({});
    a.window.setStatus(doneMessage);
    listed = true;
    a.window.showDialog(dialog);
    return answer;
}

Outcome mnusearchaccounts_Click(Analyzer& a)
{
    Outcome listed = ensureAccountsListed(a);
    a.window.showDialog(Dialog::Accounts);
    return listed;
}

Outcome Command1_Click(Analyzer& a, Dialog dialog)
{
    if (dialog == Dialog::Accounts)
        return Outcome::done();
    a.window.hideDialog(dialog);
    const std::string entry = a.window.selectedEntry(dialog);
    const Side side = dialog == Dialog::DownNames || dialog == Dialog::DownFiles ? Side::Download : Side::Upload;
    return ask(a, dialog == pickDialog(side, Pick::Names) ? namesearch : filesearch, side, entry);
}

Outcome Command2_Click(Analyzer& a, Dialog dialog)
{
    a.window.hideDialog(dialog);
    return Outcome::done();
}

Outcome mnusearchdownload_Click(Analyzer& a)
{
    return searchSelectedAccount(a, usersearch, Side::Download);
}

Outcome mnusearchuploads_Click(Analyzer& a)
{
    return searchSelectedAccount(a, usersearch, Side::Upload);
}

Outcome mnusearchboth_Click(Analyzer& a)
{
    return searchSelectedAccount(a, usersearchboth, Side::Download);
}

} // namespace quorvel
