// SPDX-License-Identifier: MIT
#include "search/picklists.h"

#include "ingest/loadlog.h"
#include "reports/fieldtally.h"

#include <string>

namespace quorvel {

namespace {

// Fills the dialog's list with the distinct values of the field, with the progress caption
// "<progressText>i/N" (no line break) in the status line, then clears the output box. The
// list is emptied first and filled in one call, so it never holds a value twice.
void buildPickList(Analyzer& a, Side side, Pick pick)
{
    const LogRecords& records = a.state.log(side).records;
    const Field field = pick == Pick::Names ? Field::username : Field::filename;
    const std::string_view progressText = pick == Pick::Names ? "Searching Though Names " : "Searching Though Files ";
    const std::int64_t n = records.count();
    const std::string total = decimal(n);
    const auto caption = [&](std::int64_t i) { return concat(progressText, decimal(i), "/", total); };
    const KeyTally& distinct = tallyField(a.window, records, field, caption);
    const Dialog dialog = pickDialog(side, pick);
    a.window.clearList(dialog);
    a.window.addToList(dialog, distinct.keys());
    a.window.setOutputText({});
    a.window.setStatus("Done...");
}

} // namespace

Dialog pickDialog(Side side, Pick pick)
{
    const SideInfo& info = sideInfo(side);
    return pick == Pick::Names ? info.namesDialog : info.filesDialog;
}

void showPickList(Analyzer& a, Side side, Pick pick)
{
    if (!logGuard(a, side))
        return;
    LogState& log = a.state.log(side);
    bool& listed = pick == Pick::Names ? log.nameslisted : log.fileslisted;
    if (!listed)
        buildPickList(a, side, pick);
    listed = true;
    a.window.showDialog(pickDialog(side, pick));
}

} // namespace quorvel
