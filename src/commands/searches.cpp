// SPDX-License-Identifier: MIT
#include "commands/searches.h"

#include "commands/answersize.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/program.h"
#include "commands/serverfolder.h"
#include "commands/windowprogress.h"
#include "present/reporttext.h"
#include "present/resulttables.h"
#include "present/statustext.h"
#include "query/counts.h"
#include "query/search.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

// One walk over a log: the records whose `match` field equals key are hits and print their
// stamp and `shown` field. caption is the status line's first line, ended by CR LF; name is
// the verb that answers the search.
struct Walk {
    Side side;
    Field match;
    Field shown;
    std::string_view key;
    std::string caption;
    std::string_view name;
};

struct Hits {
    std::vector<std::int64_t> records;
    std::int64_t undated = 0; // left out for want of a readable date
};

// Appends a line "<stamp>: <shown>" CR LF to text for every hit among the records of the
// period, in record order, with the progress caption "<caption>Looking at Download Number
// i/N" CR LF in the status line. The bound is fixed at the start; no other command can reload
// the log while this one runs.
Hits appendHits(Analyzer& a, const Walk& walk, std::string& text)
{
    const LogRecords& records = a.state.log(walk.side).records;
    const Selection selection = selectionOf(a, walk.side);
    a.window.setStatus(walk.caption);
    WindowProgress progress(a.window, [&](std::int64_t i, std::int64_t n) {
        return searchingCaption(walk.caption, walk.side, i, n);
    });
    Hits hits{findRecords(records, walk.match, walk.key, selection, progress), selection.undated};
    appendHitLines(text, records, hits.records, walk.shown);
    return hits;
}

// What the hits of a walk take.
AnswerSize walkSize(const Analyzer& a, const Walk& walk)
{
    return selectionSize(a, walk.side, false) +
           hitListSize(a.state.log(walk.side).records, walk.match, walk.key, walk.shown);
}

// Sets the output box once to the heading and the hit lines of the walk.
Outcome runSearch(Analyzer& a, const Walk& walk, std::string heading)
{
    if (Outcome fits = affordAnswer(a, walkSize(a, walk)); !fits.isDone())
        return fits;
    Hits hits = appendHits(a, walk, heading);
    const LogRecords& records = a.state.log(walk.side).records;
    showResult(a, std::move(heading),
               hitTable(walk.name, records, std::move(hits.records), walk.shown == Field::filename ? "file" : "user",
                        walk.shown),
               hits.undated);
    a.window.setStatus(doneMessage);
    return Outcome::done();
}

Walk accountWalk(Side side, std::string_view account)
{
    return {side,    Field::account, Field::filename, account, accountSearchCaption(side, account),
            twin(side, "account-downloads", "account-uploads")};
}

// Hides Form4 and runs search on the selected account.
Outcome searchSelectedAccount(Analyzer& a, Outcome (*search)(Analyzer&, std::string_view))
{
    a.window.hideDialog(Dialog::Accounts);
    return search(a, a.window.selectedEntry(Dialog::Accounts));
}

// Fills the dialog's list with the distinct values of the field, with the pick list's
// captions, then clears the output box. The list is emptied first and filled in one call, so
// it never holds a value twice.
void buildPickList(Analyzer& a, Side side, Pick pick)
{
    const LogRecords& records = a.state.log(side).records;
    const Field field = pick == Pick::Names ? Field::username : Field::filename;
    const Selection selection = selectionOf(a, side);
    replayProgress(a.window, records.count(),
                   [field](std::int64_t i, std::int64_t n) { return pickListCaption(field, i, n); });
    const Dialog dialog = pickDialog(side, pick);
    const std::vector<std::string_view> values = distinctValues(records, field, selection);
    a.window.clearList(dialog);
    a.window.addToList(dialog, values);
    a.window.setOutputText({});
    a.lastResult = nameTable(pick == Pick::Names ? twin(side, "download-names", "upload-names")
                                                 : twin(side, "download-files", "upload-files"),
                             pick == Pick::Names ? "user" : "file", {values.begin(), values.end()});
    a.lastResult->undated = selection.undated;
    a.lastResult->textBytes = records.tally(field).keyBytes();
    a.window.setStatus(doneMessage);
}

} // namespace

Outcome namesearch(Analyzer& a, Side side, std::string_view name)
{
    return runSearch(a,
                     {side, Field::username, Field::filename, name, nameSearchCaption(side, name),
                      twin(side, "user-downloads", "user-uploads")},
                     nameSearchHeading(side, name));
}

Outcome filesearch(Analyzer& a, Side side, std::string_view file)
{
    return runSearch(a,
                     {side, Field::filename, Field::username, file, fileSearchCaption(side, file),
                      twin(side, "file-downloads", "file-uploads")},
                     fileSearchHeading(side, file));
}

Outcome usersearch(Analyzer& a, Side side, std::string_view account)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    return runSearch(a, accountWalk(side, account), accountSearchHeading(side, account));
}

Outcome usersearchboth(Analyzer& a, std::string_view account)
{
    Outcome loads = offerLoad(a, Side::Download);
    loads.also(offerLoad(a, Side::Upload));
    if (!a.state.download.loaded || !a.state.upload.loaded)
        return refuse(a, mustLoadMessage, std::move(loads));
    const Walk down = accountWalk(Side::Download, account), up = accountWalk(Side::Upload, account);
    // The upload hits are appended to the text of the download hits, which moves into twice
    // its room first.
    const AnswerSize downSize = walkSize(a, down);
    if (Outcome fits = affordAnswer(a, downSize + AnswerSize{2 * downSize.text, 0} + walkSize(a, up)); !fits.isDone())
        return fits;
    std::string text = accountSearchHeading(Side::Download, account);
    Hits downloads = appendHits(a, down, text);
    text.append(crlf).append(crlf).append(accountSearchHeading(Side::Upload, account));
    Hits uploads = appendHits(a, up, text);
    showResult(a, std::move(text),
               bothSidesHitTable("account-both", a.state.download.records, std::move(downloads.records),
                                 a.state.upload.records, std::move(uploads.records)),
               downloads.undated + uploads.undated);
    a.window.setStatus(doneMessage);
    return Outcome::done();
}

Dialog pickDialog(Side side, Pick pick)
{
    if (side == Side::Download)
        return pick == Pick::Names ? Dialog::DownNames : Dialog::DownFiles;
    return pick == Pick::Names ? Dialog::UpNames : Dialog::UpFiles;
}

Outcome showPickList(Analyzer& a, Side side, Pick pick)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    LogState& log = a.state.log(side);
    bool& listed = pick == Pick::Names ? log.nameslisted : log.fileslisted;
    if (!listed) {
        const KeyTally& tally = log.records.tally(pick == Pick::Names ? Field::username : Field::filename);
        if (Outcome fits =
                affordAnswer(a, selectionSize(a, side, false) + pickListSize(tally.size(), tally.keyBytes()));
            !fits.isDone())
            return fits;
        buildPickList(a, side, pick);
    }
    listed = true;
    a.window.showDialog(pickDialog(side, pick));
    return Outcome::done();
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
    if (dialog == pickDialog(side, Pick::Names))
        return namesearch(a, side, entry);
    return filesearch(a, side, entry);
}

Outcome Command2_Click(Analyzer& a, Dialog dialog)
{
    a.window.hideDialog(dialog);
    return Outcome::done();
}

Outcome mnusearchdownload_Click(Analyzer& a)
{
    return searchSelectedAccount(a, [](Analyzer& analyzer, std::string_view account) {
        return usersearch(analyzer, Side::Download, account);
    });
}

Outcome mnusearchuploads_Click(Analyzer& a)
{
    return searchSelectedAccount(a, [](Analyzer& analyzer, std::string_view account) {
        return usersearch(analyzer, Side::Upload, account);
    });
}

Outcome mnusearchboth_Click(Analyzer& a)
{
    return searchSelectedAccount(a, usersearchboth);
}

} // namespace quorvel
