// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "commands/program.h"
#include "query/selection.h"

#include <vector>

namespace quorvel {

// The reports of the "Download Info", "Upload Info" and "Find" menus (mnusortbydate_Click and
// the rest of their items, by the command table). Each runs its guard first; a refused report
// leaves the output box as it was. The load counted every column, so
// the captions a count over the records would show are replayed as the report goes.

// The side's per-file tally (listfiles / listupfiles), which the reports keep in the state
// once their text is made: every distinct non-empty file name of the selected records, in
// order of first occurrence, with the number of records naming it. The status line shows "Looking at
// Download Number <i>/<n>" (upload: "Looking at Upload Number ") and is left at the last
// record's caption; an empty log leaves it unchanged.
std::vector<filecount> listfiles(Analyzer& a, Side side, const Selection& selection);

// "Sort By Date": every file of the log with its number of transfers, in order of first
// occurrence, under "Downloads By Date..." (upload: "Uploads By Date..."); the status line
// ends with "Done...".
Answered sortByDate(Analyzer& a, Side side, const std::string& = {});

// "Sort By Download Number" / "Sort By Upload Number": the same files, most transferred first;
// among equal counts the file first seen later comes first. The tally is left in ascending
// order of count and the status line keeps the tally's last caption.
Answered sortByNumber(Analyzer& a, Side side, const std::string& = {});

// "Sort By Account" (accountdownloads / accountuploads): counts the records of every listed
// account (a record is an account's when its account column equals the folder name, byte for
// byte), keeps the count in downcount (upcount), sorts accounts in place by that count,
// ascending and stable, and lists them most active first under "Downloads By Account..."
// (upload: "Uploads by Acount..."); among equal counts the account that stood later comes
// first. The status line ends with "Done...".
Answered sortByAccount(Analyzer& a, Side side, const std::string& = {});

// "User Number 1 Downloader" / "User Number 1 Uploader" (numonedown / numoneup): names the user
// name found in the most records of the log as "The number one downloader is...", an empty
// line and "<name> with <n> downloads" (upload: uploader, uploads), without a final line end.
// Among equal counts the name first seen later wins; "null" is a name like any other. A log
// without records answers "null with 0 downloads". The status line shows "Selecting Users
// <i>/<n>", then the counting caption of each name, and ends with "Done...".
Answered topUser(Analyzer& a, Side side, const std::string& = {});

// "Account Number 1 Downloader" / "Account Number 1 Uploader" (numoneaccountdown /
// numoneaccountup): names the listed account with the most records in the log as "The mumber
// one account downloader is...", an empty line and "<account> with <n> downloads", without a
// final line end. Among equal counts the account that comes last in the current order of
// accounts wins; with no account listed the answer is "null with 0 downloads". accounts, its
// order and its counters are not changed. The status line shows each account's counting
// caption and ends with "Done...".
Answered topAccount(Analyzer& a, Side side, const std::string& = {});

// "Account that aren't downloading" / "Account that aren't uploading": recounts every
// account's downcount (upcount) and lists, in the current order of accounts (which is kept),
// the accounts without any record under "Accounts that have not downloaded in the current
// log..." (upload: uploaded). The status line ends with "Done...".
Answered inactiveAccounts(Analyzer& a, Side side, const std::string& = {});

} // namespace quorvel
