// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <string_view>

namespace quorvel {

// Every search walks the records of a log from record 1 to the last and lists one line per
// record whose field equals the given text as a whole, byte for byte (letter case counts,
// nothing is trimmed). The output box gets a heading, an empty line and the hit lines, each
// line ended by CR LF; the status line shows the progress and ends with "Done...".

// Which files a user name has transferred (namesearch / upnamesearch): one line
// "<stamp>: <filename>" per record whose username equals name. No load guard: a log that is
// not loaded has no records.
void namesearch(Analyzer& a, Side side, std::string_view name);
inline void namesearch(Analyzer& a, std::string_view name) { namesearch(a, Side::Download, name); }
inline void upnamesearch(Analyzer& a, std::string_view name) { namesearch(a, Side::Upload, name); }

// Who has transferred a file (filesearch / upfilesearch): one line "<stamp>: <username>" per
// record whose filename equals file. No load guard.
void filesearch(Analyzer& a, Side side, std::string_view file);
inline void filesearch(Analyzer& a, std::string_view file) { filesearch(a, Side::Download, file); }
inline void upfilesearch(Analyzer& a, std::string_view file) { filesearch(a, Side::Upload, file); }

// Which files an account has transferred (usersearch / upusersearch): one line
// "<stamp>: <filename>" per record whose account equals account. Runs the log's load guard
// first; when the log stays unloaded the output box keeps its text.
void usersearch(Analyzer& a, Side side, std::string_view account);
inline void usersearch(Analyzer& a, std::string_view account) { usersearch(a, Side::Download, account); }
inline void upusersearch(Analyzer& a, std::string_view account) { usersearch(a, Side::Upload, account); }

// The account's downloads, then two empty lines and its uploads, in one output. Offers to
// load each missing log first; unless both are loaded afterwards it shows
// "Must load log first..." and writes nothing.
void usersearchboth(Analyzer& a, std::string_view account);

} // namespace quorvel
