// SPDX-License-Identifier: MIT
#include "commands/commandtable.h"

#include "commands/drill.h"
#include "commands/insights.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/reports.h"
#include "commands/saving.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"

#include <algorithm>
#include <array>
#include <deque>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel {

namespace {

// In the order of TopMenu.
constexpr TopMenuDesign topMenuDesigns[] = {
    {"mnufile", "File"},    {"blah3", "Load"}, {"mnublah", "Download Info"}, {"mnublah5", "Upload Info"},
    {"mnublah2", "Search"}, {"blah4", "Find"}, {"mnuinsights", "Insights"},  {"mnuHelp", "Help"},
};

template <Pick pick> Answered pickList(Analyzer& a, Side side, const std::string&)
{
    return showPickList(a, side, pick);
}

constexpr FieldSet accounts{Field::account};
constexpr FieldSet usernames{Field::username};
constexpr FieldSet filenames{Field::filename};
// A search compares one column and prints the stamp and one more column of each hit: name and
// file searches read names and files, account searches accounts and files.
constexpr FieldSet nameAndFileHits{Field::stamp, Field::spare, Field::username, Field::filename};
constexpr FieldSet accountAndFileHits{Field::stamp, Field::spare, Field::account, Field::filename};
// The questions of time read the stamps alone (readsStamps: read while loading, their text is not
// kept), the last transfers the accounts too; the addresses are the second column.
constexpr FieldSet noColumn{};
constexpr FieldSet addresses{Field::stamp, Field::spare};

using enum TopMenu;
using enum Side;

// In the order quorvel-report --help lists the verbs; the menus take their items in this
// order too, each menu its own.
constexpr CommandRow written[] = {
// clang-format off
    {.item = "mnuselectserverdirectory", .caption = "Select Server Directory", .menu = File,
     .run = mnuselectserverdirectory_Click},
    {.item = "mnusave", .caption = "Save", .menu = File, .separatorBefore = "mnufilesep1", .run = mnusave_Click},
    {.item = "mnusaveas", .caption = "Save as...", .menu = File, .run = mnusaveas_Click},
    {.item = "mnuQuit", .caption = "Quit", .menu = File, .separatorBefore = "mnufilesep2",
     .windowAction = WindowAction::Quit},
    {.item = "mnuloadall", .caption = "Load All", .menu = Load, .run = mnuloadall_Click},
    {.item = "mnuLoaddownloadlog", .caption = "Load Download Log", .menu = Load, .separatorBefore = "mnuloadsep",
     .run = mnuLoaddownloadlog_Click},
    {.item = "mnuLoaduploadlog", .caption = "Load Upload Log", .menu = Load, .run = mnuLoaduploadlog_Click},
    {.item = "mnuLoadUserAccounts", .caption = "Load User Accounts", .menu = Load, .ask = mnuLoadUserAccounts_Click,
     .verb = "accounts", .description = "the account folders, one per line"},
    {.item = "mnuUserDownloads", .caption = "User Downloads", .menu = Search, .ask = pickList<Pick::Names>,
     .verb = "download-names", .reads = usernames, .description = "the distinct user names of the download log"},
    {.item = "mnuFileDownloads", .caption = "File Downloads", .menu = Search, .ask = pickList<Pick::Files>,
     .verb = "download-files", .reads = filenames, .description = "the distinct file names of the download log"},
    {.item = "mnuUserUploads", .caption = "User Uploads", .menu = Search, .ask = pickList<Pick::Names>, .side = Upload,
     .verb = "upload-names", .reads = usernames, .description = "the distinct user names of the upload log"},
    {.item = "mnuFileUploads", .caption = "File Upoads", .menu = Search, .ask = pickList<Pick::Files>, .side = Upload,
     .verb = "upload-files", .reads = filenames, .description = "the distinct file names of the upload log"},
    {.item = "mnusearchaccounts", .caption = "Accounts", .menu = Search, .separatorBefore = "mnusearchsep1",
     .run = mnusearchaccounts_Click},
    {.item = "mnusortbydate", .caption = "Sort By Date", .menu = DownloadInfo, .ask = sortByDate,
     .verb = "downloads-by-date", .reads = filenames,
     .description = "every downloaded file with its count, in log order"},
    {.item = "mnuupdate", .caption = "Sort By Date", .menu = UploadInfo, .ask = sortByDate, .side = Upload,
     .verb = "uploads-by-date", .reads = filenames, .description = "every uploaded file with its count, in log order"},
    {.item = "mnudownloadnumber", .caption = "Sort By Download Number", .menu = DownloadInfo, .ask = sortByNumber,
     .verb = "downloads-by-number", .reads = filenames,
     .description = "every downloaded file with its count, most first"},
    {.item = "mnuupnum", .caption = "Sort By Upload Number", .menu = UploadInfo, .ask = sortByNumber, .side = Upload,
     .verb = "uploads-by-number", .reads = filenames, .description = "every uploaded file with its count, most first"},
    {.item = "mnusortbyaccount", .caption = "Sort By Account", .menu = DownloadInfo, .ask = sortByAccount,
     .verb = "downloads-by-account", .reads = accounts, .description = "every account with its downloads, most first"},
    {.item = "mnuupaccount", .caption = "Sort By Account", .menu = UploadInfo, .ask = sortByAccount, .side = Upload,
     .verb = "uploads-by-account", .reads = accounts, .description = "every account with its uploads, most first"},
    {.item = "mnunumberdown", .caption = "User Number 1 Downloader", .menu = Find, .ask = topUser,
     .verb = "top-downloader", .reads = usernames, .description = "the user name with the most downloads"},
    {.item = "mnunumup", .caption = "User Number 1 Uploader", .menu = Find, .ask = topUser, .side = Upload,
     .verb = "top-uploader", .reads = usernames, .description = "the user name with the most uploads"},
    {.item = "mnunumberaccountdown", .caption = "Account Number 1 Downloader", .menu = Find,
     .separatorBefore = "mnublahsep1", .ask = topAccount, .verb = "top-account-downloader", .reads = accounts,
     .description = "the account with the most downloads"},
    {.item = "mnunumberaccountup", .caption = "Account Number 1 Uploader", .menu = Find, .ask = topAccount,
     .side = Upload, .verb = "top-account-uploader", .reads = accounts,
     .description = "the account with the most uploads"},
    {.item = "mnuwhonotdownloading", .caption = "Account that aren't downloading", .menu = Find,
     .separatorBefore = "mnublahsep2", .ask = inactiveAccounts, .verb = "inactive-downloaders", .reads = accounts,
     .description = "the accounts without any download"},
    {.item = "mnuwhosnotuploading", .caption = "Account that aren't uploading", .menu = Find, .ask = inactiveAccounts,
     .side = Upload, .verb = "inactive-uploaders", .reads = accounts, .description = "the accounts without any upload"},
    {.ask = namesearch, .guardsLog = true, .verb = "user-downloads", .value = ValueKind::Name, .reads = nameAndFileHits,
     .match = Field::username, .description = "the files a user name has downloaded"},
    {.ask = namesearch, .side = Upload, .guardsLog = true, .verb = "user-uploads", .value = ValueKind::Name,
     .reads = nameAndFileHits, .match = Field::username, .description = "the files a user name has uploaded"},
    {.ask = filesearch, .guardsLog = true, .verb = "file-downloads", .value = ValueKind::File, .reads = nameAndFileHits,
     .match = Field::filename, .description = "the user names that downloaded a file"},
    {.ask = filesearch, .side = Upload, .guardsLog = true, .verb = "file-uploads", .value = ValueKind::File,
     .reads = nameAndFileHits, .match = Field::filename, .description = "the user names that uploaded a file"},
    {.ask = usersearch, .verb = "account-downloads", .value = ValueKind::Account, .reads = accountAndFileHits,
     .match = Field::account, .description = "the files an account has downloaded"},
    {.ask = usersearch, .side = Upload, .verb = "account-uploads", .value = ValueKind::Account,
     .reads = accountAndFileHits, .match = Field::account, .description = "the files an account has uploaded"},
    {.ask = usersearchboth, .verb = "account-both", .value = ValueKind::Account, .reads = accountAndFileHits,
     .match = Field::account, .description = "the files an account has downloaded, then uploaded"},
    {.ask = addressSearch, .twins = true, .verb = "downloads-from-address", .value = ValueKind::Address,
     .match = Field::spare, .description = "every download from an address"},
    {.ask = daySearch, .twins = true, .verb = "downloads-on-day", .value = ValueKind::Day, .readsStamps = true,
     .description = "every download of a day"},
    {.item = "mnuback", .caption = "Back", .menu = Insights, .run = mnuback_Click},
    {.item = "mnuperiod", .caption = "Period...", .menu = Insights, .separatorBefore = "mnubacksep",
     .run = mnuperiod_Click},
    {.item = "mnudownloadsbyday", .caption = "Downloads By Day", .menu = Insights,
     .separatorBefore = "mnudownloadinsightssep", .ask = byDay, .twins = true, .verb = "downloads-by-day",
     .reads = noColumn, .readsStamps = true, .description = "the downloads of every day, oldest first"},
    {.item = "mnudownloadsbymonth", .caption = "Downloads By Month", .menu = Insights, .ask = byMonth, .twins = true,
     .verb = "downloads-by-month", .reads = noColumn, .readsStamps = true,
     .description = "the downloads of every month, oldest first"},
    {.item = "mnudownloadsbyhour", .caption = "Downloads By Hour", .menu = Insights, .ask = byHour, .twins = true,
     .verb = "downloads-by-hour", .reads = noColumn, .readsStamps = true,
     .description = "the downloads of each hour of the day"},
    {.item = "mnudownloadsbyaddress", .caption = "Downloads By Address", .menu = Insights, .ask = byAddress,
     .twins = true, .verb = "downloads-by-address", .reads = addresses,
     .description = "every address with its downloads, most first"},
    {.item = "mnulastdownloads", .caption = "Last Download By Account", .menu = Insights, .ask = lastTransfer,
     .twins = true, .verb = "last-downloads", .reads = accounts, .readsStamps = true,
     .description = "the day of every account's last download"},
    {.item = "mnutransfersbyaccount", .caption = "Transfers By Account", .menu = Insights,
     .separatorBefore = "mnutransferssep", .ask = transfersByAccount, .verb = "transfers-by-account", .reads = accounts,
     .description = "every account's downloads against its uploads"},
    {.item = "mnuexportcsv", .caption = "Export as CSV...", .menu = Insights, .separatorBefore = "mnuinsightssep",
     .run = mnuexportcsv_Click},
    {.item = "mnuchart", .caption = "Chart", .menu = Insights, .windowAction = WindowAction::Chart},
    {.item = "mnuAbout", .caption = "About", .menu = Help, .windowAction = WindowAction::About},
// clang-format on
};

// A twin row for uploads. Its texts are kept for the life of the program.
CommandRow uploadTwin(const CommandRow& row)
{
    static std::deque<std::string> texts;
    const auto twin = [](std::string_view text) {
        return text.empty() ? text : std::string_view(texts.emplace_back(twinText(Side::Upload, text)));
    };
    CommandRow upload = row;
    upload.side = Side::Upload;
    upload.item = twin(row.item);
    upload.caption = twin(row.caption);
    upload.separatorBefore = twin(row.separatorBefore);
    upload.verb = twin(row.verb);
    upload.description = twin(row.description);
    return upload;
}

// The written table with each run of twin rows followed by the same run for uploads.
std::vector<CommandRow> expandTwins()
{
    std::vector<CommandRow> rows;
    for (auto it = std::begin(written); it != std::end(written);) {
        const auto end = std::find_if(it, std::end(written), [](const CommandRow& row) { return !row.twins; });
        if (it == end) {
            rows.push_back(*it++);
            continue;
        }
        rows.insert(rows.end(), it, end);
        std::transform(it, end, std::back_inserter(rows), uploadTwin);
        it = end;
    }
    return rows;
}

template <class Pred> const CommandRow* findRow(Pred&& pred)
{
    const std::span<const CommandRow> table = commandTable();
    const auto it = std::find_if(table.begin(), table.end(), pred);
    return it == table.end() ? nullptr : &*it;
}

} // namespace

const TopMenuDesign& topMenuDesign(TopMenu menu)
{
    return topMenuDesigns[static_cast<std::size_t>(menu)];
}

std::string_view valueName(ValueKind kind)
{
    constexpr std::array<std::string_view, 6> names{"", "NAME", "FILE", "ACCOUNT", "ADDRESS", "YYYY-MM-DD"};
    return names[static_cast<std::size_t>(kind)];
}

std::span<const CommandRow> commandTable()
{
    static const std::vector<CommandRow> rows = expandTwins();
    return rows;
}

const CommandRow* findMenuItem(std::string_view item)
{
    return item.empty() ? nullptr : findRow([&](const CommandRow& row) { return row.item == item; });
}

const CommandRow* findVerb(std::string_view verb)
{
    return verb.empty() ? nullptr : findRow([&](const CommandRow& row) { return row.verb == verb; });
}

const CommandRow& questionRow(Question question, Side side)
{
    const CommandRow* row =
        findRow([&](const CommandRow& r) { return r.ask == question && r.side == side && !r.verb.empty(); });
    if (!row)
        throw std::logic_error("no command asks this question");
    return *row;
}

Outcome runRow(Analyzer& a, const CommandRow& row, const std::string& value)
{
    if (row.run)
        return row.run(a);
    if (!row.ask)
        return Outcome::done();
    if (row.guardsLog)
        if (Outcome guard = logGuard(a, row.side); !guard.isDone())
            return guard;
    return show(a, row.ask(a, row.side, value), row.verb);
}

Outcome runMenuItem(Analyzer& a, std::string_view item)
{
    const CommandRow* row = findMenuItem(item);
    if (!row)
        throw std::logic_error("no menu item " + std::string(item));
    return runRow(a, *row);
}

Outcome ask(Analyzer& a, Question question, Side side, const std::string& value)
{
    return show(a, question(a, side, value), questionRow(question, side).verb);
}

void checkCommandTable(std::span<const CommandRow> rows)
{
    const auto fault = [](const CommandRow& row, const char* what) {
        throw std::logic_error("command '" + std::string(row.item.empty() ? row.verb : row.item) + "' " + what);
    };
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        const bool windowOnly = it->windowAction != WindowAction::None && it->verb.empty();
        const int runs = (it->run ? 1 : 0) + (it->ask ? 1 : 0) + (it->windowAction != WindowAction::None ? 1 : 0);
        if (runs == 0 || (runs > 1) || (!windowOnly && it->windowAction != WindowAction::None))
            fault(*it, "has no handler, or more than one");
        const auto same = [&](const CommandRow& other) {
            return (!it->item.empty() && other.item == it->item) || (!it->verb.empty() && other.verb == it->verb);
        };
        if (std::find_if(std::next(it), rows.end(), same) != rows.end())
            fault(*it, "stands twice");
    }
}

} // namespace quorvel
