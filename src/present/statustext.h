// SPDX-License-Identifier: MIT
#pragma once

#include "model/field.h"
#include "model/side.h"
#include "model/stamp.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// The texts of the status line: progress captions and the messages that end a command.

inline constexpr std::string_view doneMessage = "Done...";
inline constexpr std::string_view mustLoadMessage = "Must load log first...";
inline constexpr std::string_view noFolderMessage = "You must select the server folder first...";
inline constexpr std::string_view unreadableAccountsMessage = "Cannot read 'users'";
inline constexpr std::string_view unreadableMobiusAccountsMessage = "Cannot read 'Users'";
inline constexpr std::string_view browseFolderTitle = "Select your Hotline Server Folder";
inline constexpr std::string_view notEnoughMemoryMessage = "Not enough memory for this command";
// What "Chart" says when it draws nothing: there is no result yet, the result is of a kind that
// has no chart (a search's hits, a list of names), or it has no row to draw (none at all, or
// only its undated records). An open chart window shows the last one in place of the chart.
inline constexpr std::string_view nothingToChartYetMessage = "Nothing to chart yet...";
inline constexpr std::string_view noChartMessage = "This result has no chart...";
inline constexpr std::string_view emptyChartMessage = "Nothing to chart: the result is empty...";

// What begins quorvel-report's own messages on its error stream.
inline constexpr std::string_view toolPrefix = "quorvel-report: ";

// Whose words a message is in: the window's, or quorvel-report's, which also names the folder
// a log was looked for in and marks the messages only it has with its name.
enum class MessageStyle { Window, Tool };

// "Cannot find '<log>'" for a log that is not there, "Cannot read '<log>'" for one that cannot
// be read (a classic log, or a file of a modern one); in the tool's words followed by " in
// '<folder>'".
std::string cannotFindLog(std::string_view log, MessageStyle style, std::string_view folder);
std::string cannotReadLog(std::string_view log, MessageStyle style, std::string_view folder);
// "Cannot find a Mobius log in '<folder>'": a modern server's folder without a log.
std::string cannotFindMobiusLog(std::string_view folder);
// "More than one Mobius log in '<folder>': 'a.log', 'b.log'": the live logs of a modern folder.
std::string severalMobiusLogs(std::string_view folder, std::span<const std::string> logs);
// "Period: 2001-01-01 to 2001-03-31" (or "from ...", "until ...", "all time").
std::string periodCaption(const Period& period);
// "Not enough memory to load '<log>'".
std::string notEnoughMemoryToLoad(std::string_view log);
// "'<log>' changed while it was read" (the log ended before the size it had when opened).
std::string logChangedWhileRead(std::string_view log, MessageStyle style);
// "1 damaged line left out", "<n> damaged lines left out": records of a modern log that could
// not be read.
std::string damagedLinesLeftOut(std::int64_t n);
// "Left out 1 account file that could not be read: 'Users/x.yaml'", or for n > 1 "Left out <n>
// account files that could not be read: 'Users/x.yaml' and <n - 1> more" (the first in name
// order): the account files of a modern server that are not listed.
std::string leftOutAccountFiles(std::size_t n, std::string_view first);
// The server folder was chosen but the folder file cannot keep it; an empty path: there is no
// folder to keep it in.
std::string cannotRememberFolder(std::string_view folderFile);

// The captions of a load: "(Download Log) Loading...   <bytes>/<size>" while it reads, then
// "(Download Log) Converting to a usable string...", "(Download Log) Sorting...   <i>/<n>"
// and "(Download Log) Done...", followed by " (<n> damaged line(s) left out)" when a modern
// log held damaged records of the side.
std::string loadingCaption(Side side, std::int64_t bytes, std::int64_t size);
std::string convertingCaption(Side side);
std::string sortingCaption(Side side, std::int64_t i, std::int64_t n);
std::string loadedCaption(Side side, std::int64_t damaged = 0);

// "Looking at Download Number <i>/<n>": a walk over the records.
std::string numberCaption(Side side, std::int64_t i, std::int64_t n);
// "Selecting Users <i>/<n>": the top user's walk over the records.
std::string selectingUsersCaption(std::int64_t i, std::int64_t n);
// "<name>'s Downloads", CR LF, "Looking at Download Number <j>/<n>", CR LF: the transfers of
// one candidate (a user or an account) are counted.
std::string countingCaption(Side side, std::string_view name, std::int64_t j, std::int64_t n);
// "Searching Though Names <i>/<n>" (Files for the file names): a pick list is built.
std::string pickListCaption(Field listed, std::int64_t i, std::int64_t n);

// The first line of a search's caption, ended by CR LF: "<name>'s Downloads" (name search),
// "Searching to see who's downloaded <file>" (file search), "Searching to see what <account>
// has downloaded" (account search).
std::string nameSearchCaption(Side side, std::string_view name);
std::string fileSearchCaption(Side side, std::string_view file);
std::string accountSearchCaption(Side side, std::string_view account);
// A search's caption while it walks: its first line, then "Looking at Download Number <i>/<n>"
// and CR LF.
std::string searchingCaption(std::string_view first, Side side, std::int64_t i, std::int64_t n);

// "Server folder: <path>": which server the answers are about, once a folder is chosen;
// "Server folder: <path> (Mobius)" for a modern server's folder.
std::string serverFolderCaption(std::string_view folder, bool mobius);
// "Cannot find '<path>'": a folder named on the command line or dropped names nothing.
std::string cannotFindPath(std::string_view path);

} // namespace quorvel
