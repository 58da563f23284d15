// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "commands/program.h"

#include <string>
#include <string_view>

namespace quorvel {

// Every search walks the records of a log from record 1 to the last and lists one line per
// record whose field equals the given text as a whole, byte for byte (letter case counts,
// nothing is trimmed). The output box gets a heading, an empty line and the hit lines, each
// line ended by CR LF; the status line shows the progress and ends with "Done...".

// Which files a user name has transferred (namesearch / upnamesearch): one line
// "<stamp>: <filename>" per record whose username equals name. No load guard: a log that is
// not loaded has no records.
Answered namesearch(Analyzer& a, Side side, const std::string& name);

// Who has transferred a file (filesearch / upfilesearch): one line "<stamp>: <username>" per
// record whose filename equals file. No load guard.
Answered filesearch(Analyzer& a, Side side, const std::string& file);

// Which files an account has transferred (usersearch / upusersearch): one line
// "<stamp>: <filename>" per record whose account equals account. Runs the log's load guard
// first; when the log stays unloaded the output box keeps its text.
Answered usersearch(Analyzer& a, Side side, const std::string& account);

// The account's downloads, then two empty lines and its uploads, in one output (the side is
// not read). Offers to load each missing log first; unless both are loaded afterwards it
// shows "Must load log first..." and writes nothing.
Answered usersearchboth(Analyzer& a, Side, const std::string& account);

// Every transfer from an address (the second column, as a whole, byte for byte) or on a day
// (YYYY-MM-DD): "<stamp>: <user name>: <file>" per record, in log order, under "Downloads from
// <address>..." or "Downloads on <day>..." (upload: Uploads). Both run the log's load guard; a
// day that is not one is refused with "'<text>' is not a date (YYYY-MM-DD)". The status line
// shows "Looking at Download Number <i>/<n>" and ends with "Done...".
Answered addressSearch(Analyzer& a, Side side, const std::string& address);
Answered daySearch(Analyzer& a, Side side, const std::string& day);

// What a pick list offers: the distinct user names or the distinct file names of a log.
enum class Pick { Names, Files };

// The dialog that offers the list (frmdownnames, frmdownfiles, frmupnames, frmupfiles).
Dialog pickDialog(Side side, Pick pick);

// A "Search" menu command that opens a pick dialog. Runs the log's load guard; when the log
// is loaded and the dialog's list was not built from it yet, fills the list with every
// distinct value of the field, from record 1 on, once each in order of first occurrence
// (with "Searching Though Names <i>/<n>" in the status line), then empties the output box and
// shows "Done...". Shows the dialog in every case but a refused guard. A list is built once
// per load of its log; the answer is its entries, given only when it was built.
Answered showPickList(Analyzer& a, Side side, Pick pick);

// The "Search" menu's "Accounts": lists the account folders when they are not listed yet, then
// shows Form4. ("User Downloads", "File Downloads", "User Uploads" and "File Upoads" are
// showPickList, by the command table.)
Outcome mnusearchaccounts_Click(Analyzer& a);

// The actions the dialogs' buttons, double clicks and pop-up menu run. The windows start each
// of them through runCommand, like a menu command, so none of them can start inside another
// command.

// The pick dialogs. "Search" (Command1_Click) and a double click on the list (lstnames_DblClick,
// lstfiles_DblClick) hide the dialog and search for the selected entry, the empty text when
// none is selected; "Cancel" (Command2_Click) hides it. Form4's "Search" opens its pop-up menu
// in the window instead, so Command1_Click does nothing for it; its "Cancel" hides it.
Outcome Command1_Click(Analyzer& a, Dialog dialog);
Outcome Command2_Click(Analyzer& a, Dialog dialog);

// The pop-up menu of the account search dialog (Form4): each item hides the dialog and
// searches for the selected account, the empty text when none is selected.
Outcome mnusearchdownload_Click(Analyzer& a);
Outcome mnusearchuploads_Click(Analyzer& a);
Outcome mnusearchboth_Click(Analyzer& a);

} // namespace quorvel
