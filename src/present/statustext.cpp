// SPDX-License-Identifier: MIT
#include "present/statustext.h"

#include "core/textwriter.h"

namespace quorvel {

namespace {

std::string ofCount(std::int64_t i, std::int64_t n)
{
    return concat(decimal(i), "/", decimal(n));
}

// "<what> '<log>'", and " in '<folder>'" in the tool's words.
std::string logMessage(std::string_view what, std::string_view log, MessageStyle style, std::string_view folder)
{
    std::string text = concat(what, " '", log, "'");
    if (style == MessageStyle::Tool)
        text.append(" in '").append(folder).append("'");
    return text;
}

} // namespace

std::string cannotFindLog(std::string_view log, MessageStyle style, std::string_view folder)
{
    return logMessage("Cannot find", log, style, folder);
}

std::string cannotReadLog(std::string_view log, MessageStyle style, std::string_view folder)
{
    return logMessage("Cannot read", log, style, folder);
}

std::string cannotFindMobiusLog(std::string_view folder)
{
    return concat("Cannot find a Mobius log in '", folder, "'");
}

std::string severalMobiusLogs(std::string_view folder, std::span<const std::string> logs)
{
    std::string text = concat("More than one Mobius log in '", folder, "':");
    for (std::size_t k = 0; k < logs.size(); ++k)
        text.append(k == 0 ? " '" : ", '").append(logs[k]).append("'");
    return text;
}

std::string periodCaption(const Period& period)
{
    return concat("Period: ", periodText(period));
}

std::string notEnoughMemoryToLoad(std::string_view log)
{
    return concat("Not enough memory to load '", log, "'");
}

std::string logChangedWhileRead(std::string_view log, MessageStyle style)
{
    return concat(style == MessageStyle::Tool ? "quorvel-report: '" : "'", log, "' changed while it was read");
}

std::string damagedLinesLeftOut(std::int64_t n)
{
    return concat(decimal(n), n == 1 ? " damaged line left out" : " damaged lines left out");
}

std::string leftOutAccountFiles(std::size_t n, std::string_view first)
{
    const auto files = static_cast<std::int64_t>(n);
    if (files == 1)
        return concat("Left out 1 account file that could not be read: '", first, "'");
    return concat("Left out ", decimal(files), " account files that could not be read: '", first, "' and ",
                  decimal(files - 1), " more");
}

std::string cannotRememberFolder(std::string_view folderFile)
{
    if (folderFile.empty())
        return "Cannot remember the server folder: no home folder to keep it in";
    return concat("Cannot remember the server folder: '", folderFile, "' cannot be written");
}

std::string loadingCaption(Side side, std::int64_t bytes, std::int64_t size)
{
    return concat(twinText(side, "(Download Log) "), "Loading...   ", ofCount(bytes, size));
}

std::string convertingCaption(Side side)
{
    return concat(twinText(side, "(Download Log) "), "Converting to a usable string...");
}

std::string sortingCaption(Side side, std::int64_t i, std::int64_t n)
{
    return concat(twinText(side, "(Download Log) "), "Sorting...   ", ofCount(i, n));
}

std::string loadedCaption(Side side, std::int64_t damaged)
{
    if (damaged > 0)
        return concat(twinText(side, "(Download Log) "), doneMessage, " (", damagedLinesLeftOut(damaged), ")");
    return concat(twinText(side, "(Download Log) "), doneMessage);
}

std::string numberCaption(Side side, std::int64_t i, std::int64_t n)
{
    return concat(twinText(side, "Looking at Download Number "), ofCount(i, n));
}

std::string selectingUsersCaption(std::int64_t i, std::int64_t n)
{
    return concat("Selecting Users ", ofCount(i, n));
}

std::string countingCaption(Side side, std::string_view name, std::int64_t j, std::int64_t n)
{
    return concat(name, twinText(side, "'s Downloads"), crlf, numberCaption(side, j, n), crlf);
}

std::string pickListCaption(Field listed, std::int64_t i, std::int64_t n)
{
    return concat(listed == Field::username ? "Searching Though Names " : "Searching Though Files ", ofCount(i, n));
}

std::string nameSearchCaption(Side side, std::string_view name)
{
    return concat(name, twinText(side, "'s Downloads"), crlf);
}

std::string fileSearchCaption(Side side, std::string_view file)
{
    return concat(twinText(side, "Searching to see who's downloaded "), file, crlf);
}

std::string accountSearchCaption(Side side, std::string_view account)
{
    return concat("Searching to see what ", account, twinText(side, " has downloaded"), crlf);
}

std::string searchingCaption(std::string_view first, Side side, std::int64_t i, std::int64_t n)
{
    return concat(first, numberCaption(side, i, n), crlf);
}

std::string serverFolderCaption(std::string_view folder, bool mobius)
{
    return concat("Server folder: ", folder, mobius ? " (Mobius)" : "");
}

std::string cannotFindPath(std::string_view path)
{
    return concat("Cannot find '", path, "'");
}

} // namespace quorvel
