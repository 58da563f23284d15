// SPDX-License-Identifier: MIT
#include "commands/commandtable.h"

#include "commands/insights.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/reports.h"
#include "commands/saving.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <stdexcept>

namespace quorvel {

namespace {

// In the order of TopMenu.
constexpr TopMenuDesign topMenuDesigns[] = {
    {"mnufile", "File"},  {"blah3", "Load"},         {"mnublah", "Download Info"}, {"mnublah5", "Upload Info"},
    {"mnublah2", "Search"}, {"blah4", "Find"}, {"mnuinsights", "Insights"},     {"mnuHelp", "Help"},
};

template <Outcome (*command)(Analyzer&)> Outcome noValue(Analyzer& a, const std::string&)
{
    return command(a);
}

// The name and file searches have no guard of their own: the pick lists that start them in
// the window are only offered for a loaded log. Their verbs run the log's guard first.
template <Side side, Outcome (*search)(Analyzer&, Side, std::string_view)>
Outcome guardedSearch(Analyzer& a, const std::string& value)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    return search(a, side, value);
}

template <Side side> Outcome accountSearch(Analyzer& a, const std::string& value)
{
    return usersearch(a, side, value);
}

Outcome accountSearchBoth(Analyzer& a, const std::string& value)
{
    return usersearchboth(a, value);
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

// In the order quorvel-report --help lists the verbs; the menus take their items in this
// order too, each menu its own.
constexpr CommandRow table[] = {
    {.item = "mnuselectserverdirectory", .caption = "Select Server Directory", .menu = File,
     .run = noValue<mnuselectserverdirectory_Click>},
    {.item = "mnusave", .caption = "Save", .menu = File, .separatorBefore = "mnufilesep1", .run = noValue<mnusave_Click>},
    {.item = "mnusaveas", .caption = "Save as...", .menu = File, .run = noValue<mnusaveas_Click>},
    {.item = "mnuQuit", .caption = "Quit", .menu = File, .separatorBefore = "mnufilesep2",
     .windowAction = WindowAction::Quit},
    {.item = "mnuloadall", .caption = "Load All", .menu = Load, .run = noValue<mnuloadall_Click>},
    {.item = "mnuLoaddownloadlog", .caption = "Load Download Log", .menu = Load, .separatorBefore = "mnuloadsep",
     .run = noValue<mnuLoaddownloadlog_Click>},
    {.item = "mnuLoaduploadlog", .caption = "Load Upload Log", .menu = Load, .run = noValue<mnuLoaduploadlog_Click>},
    {.item = "mnuLoadUserAccounts", .caption = "Load User Accounts", .menu = Load,
     .run = noValue<mnuLoadUserAccounts_Click>, .verb = "accounts", .prints = Dialog::Accounts,
     .description = "the account folders, one per line"},
    {.item = "mnuUserDownloads", .caption = "User Downloads", .menu = Search, .run = noValue<mnuUserDownloads_Click>,
     .verb = "download-names", .reads = usernames, .prints = Dialog::DownNames,
     .description = "the distinct user names of the download log"},
    {.item = "mnuFileDownloads", .caption = "File Downloads", .menu = Search, .run = noValue<mnuFileDownloads_Click>,
     .verb = "download-files", .reads = filenames, .prints = Dialog::DownFiles,
     .description = "the distinct file names of the download log"},
    {.item = "mnuUserUploads", .caption = "User Uploads", .menu = Search, .run = noValue<mnuUserUploads_Click>,
     .verb = "upload-names", .reads = usernames, .prints = Dialog::UpNames,
     .description = "the distinct user names of the upload log"},
    {.item = "mnuFileUploads", .caption = "File Upoads", .menu = Search, .run = noValue<mnuFileUploads_Click>,
     .verb = "upload-files", .reads = filenames, .prints = Dialog::UpFiles,
     .description = "the distinct file names of the upload log"},
    {.item = "mnusearchaccounts", .caption = "Accounts", .menu = Search, .separatorBefore = "mnusearchsep1",
     .run = noValue<mnusearchaccounts_Click>},
    {.item = "mnusortbydate", .caption = "Sort By Date", .menu = DownloadInfo, .run = noValue<mnusortbydate_Click>,
     .verb = "downloads-by-date", .reads = filenames,
     .description = "every downloaded file with its count, in log order"},
    {.item = "mnuupdate", .caption = "Sort By Date", .menu = UploadInfo, .run = noValue<mnuupdate_Click>,
     .verb = "uploads-by-date", .reads = filenames, .description = "every uploaded file with its count, in log order"},
    {.item = "mnudownloadnumber", .caption = "Sort By Download Number", .menu = DownloadInfo,
     .run = noValue<mnudownloadnumber_Click>, .verb = "downloads-by-number", .reads = filenames,
     .description = "every downloaded file with its count, most first"},
    {.item = "mnuupnum", .caption = "Sort By Upload Number", .menu = UploadInfo, .run = noValue<mnuupnum_Click>,
     .verb = "uploads-by-number", .reads = filenames,
     .description = "every uploaded file with its count, most first"},
    {.item = "mnusortbyaccount", .caption = "Sort By Account", .menu = DownloadInfo,
     .run = noValue<mnusortbyaccount_Click>, .verb = "downloads-by-account", .reads = accounts,
     .description = "every account with its downloads, most first"},
    {.item = "mnuupaccount", .caption = "Sort By Account", .menu = UploadInfo, .run = noValue<mnuupaccount_Click>,
     .verb = "uploads-by-account", .reads = accounts,
     .description = "every account with its uploads, most first"},
    {.item = "mnunumberdown", .caption = "User Number 1 Downloader", .menu = Find, .run = noValue<mnunumberdown_Click>,
     .verb = "top-downloader", .reads = usernames, .description = "the user name with the most downloads"},
    {.item = "mnunumup", .caption = "User Number 1 Uploader", .menu = Find, .run = noValue<mnunumup_Click>,
     .verb = "top-uploader", .reads = usernames, .description = "the user name with the most uploads"},
    {.item = "mnunumberaccountdown", .caption = "Account Number 1 Downloader", .menu = Find,
     .separatorBefore = "mnublahsep1", .run = noValue<mnunumberaccountdown_Click>, .verb = "top-account-downloader",
     .reads = accounts, .description = "the account with the most downloads"},
    {.item = "mnunumberaccountup", .caption = "Account Number 1 Uploader", .menu = Find,
     .run = noValue<mnunumberaccountup_Click>, .verb = "top-account-uploader", .reads = accounts,
     .description = "the account with the most uploads"},
    {.item = "mnuwhonotdownloading", .caption = "Account that aren't downloading", .menu = Find,
     .separatorBefore = "mnublahsep2", .run = noValue<mnuwhonotdownloading_Click>, .verb = "inactive-downloaders",
     .reads = accounts, .description = "the accounts without any download"},
    {.item = "mnuwhosnotuploading", .caption = "Account that aren't uploading", .menu = Find,
     .run = noValue<mnuwhosnotuploading_Click>, .verb = "inactive-uploaders", .reads = accounts,
     .description = "the accounts without any upload"},
    {.run = guardedSearch<Side::Download, namesearch>, .verb = "user-downloads", .value = ValueKind::Name,
     .reads = nameAndFileHits, .match = Field::username, .description = "the files a user name has downloaded"},
    {.run = guardedSearch<Side::Upload, namesearch>, .verb = "user-uploads", .value = ValueKind::Name,
     .reads = nameAndFileHits, .match = Field::username, .description = "the files a user name has uploaded"},
    {.run = guardedSearch<Side::Download, filesearch>, .verb = "file-downloads", .value = ValueKind::File,
     .reads = nameAndFileHits, .match = Field::filename, .description = "the user names that downloaded a file"},
    {.run = guardedSearch<Side::Upload, filesearch>, .verb = "file-uploads", .value = ValueKind::File,
     .reads = nameAndFileHits, .match = Field::filename, .description = "the user names that uploaded a file"},
    {.run = accountSearch<Side::Download>, .verb = "account-downloads", .value = ValueKind::Account,
     .reads = accountAndFileHits, .match = Field::account, .description = "the files an account has downloaded"},
    {.run = accountSearch<Side::Upload>, .verb = "account-uploads", .value = ValueKind::Account,
     .reads = accountAndFileHits, .match = Field::account, .description = "the files an account has uploaded"},
    {.run = accountSearchBoth, .verb = "account-both", .value = ValueKind::Account, .reads = accountAndFileHits,
     .match = Field::account, .description = "the files an account has downloaded, then uploaded"},
    {.item = "mnuperiod", .caption = "Period...", .menu = Insights, .run = noValue<mnuperiod_Click>},
    {.item = "mnudownloadsbyday", .caption = "Downloads By Day", .menu = Insights, .separatorBefore = "mnuinsightssep1",
     .run = noValue<mnudownloadsbyday_Click>, .verb = "downloads-by-day", .reads = noColumn, .readsStamps = true,
     .description = "the downloads of every day, oldest first"},
    {.item = "mnudownloadsbymonth", .caption = "Downloads By Month", .menu = Insights,
     .run = noValue<mnudownloadsbymonth_Click>, .verb = "downloads-by-month", .reads = noColumn, .readsStamps = true,
     .description = "the downloads of every month, oldest first"},
    {.item = "mnudownloadsbyhour", .caption = "Downloads By Hour", .menu = Insights,
     .run = noValue<mnudownloadsbyhour_Click>, .verb = "downloads-by-hour", .reads = noColumn, .readsStamps = true,
     .description = "the downloads of each hour of the day"},
    {.item = "mnudownloadsbyaddress", .caption = "Downloads By Address", .menu = Insights,
     .run = noValue<mnudownloadsbyaddress_Click>, .verb = "downloads-by-address", .reads = addresses,
     .description = "every address with its downloads, most first"},
    {.item = "mnulastdownloads", .caption = "Last Download By Account", .menu = Insights,
     .run = noValue<mnulastdownloads_Click>, .verb = "last-downloads", .reads = accounts, .readsStamps = true,
     .description = "the day of every account's last download"},
    {.item = "mnuuploadsbyday", .caption = "Uploads By Day", .menu = Insights, .separatorBefore = "mnuinsightssep2",
     .run = noValue<mnuuploadsbyday_Click>, .verb = "uploads-by-day", .reads = noColumn, .readsStamps = true,
     .description = "the uploads of every day, oldest first"},
    {.item = "mnuuploadsbymonth", .caption = "Uploads By Month", .menu = Insights,
     .run = noValue<mnuuploadsbymonth_Click>, .verb = "uploads-by-month", .reads = noColumn, .readsStamps = true,
     .description = "the uploads of every month, oldest first"},
    {.item = "mnuuploadsbyhour", .caption = "Uploads By Hour", .menu = Insights, .run = noValue<mnuuploadsbyhour_Click>,
     .verb = "uploads-by-hour", .reads = noColumn, .readsStamps = true, .description = "the uploads of each hour of the day"},
    {.item = "mnuuploadsbyaddress", .caption = "Uploads By Address", .menu = Insights,
     .run = noValue<mnuuploadsbyaddress_Click>, .verb = "uploads-by-address", .reads = addresses,
     .description = "every address with its uploads, most first"},
    {.item = "mnulastuploads", .caption = "Last Upload By Account", .menu = Insights,
     .run = noValue<mnulastuploads_Click>, .verb = "last-uploads", .reads = accounts, .readsStamps = true,
     .description = "the day of every account's last upload"},
    {.item = "mnuexportcsv", .caption = "Export as CSV...", .menu = Insights, .separatorBefore = "mnuinsightssep3",
     .run = noValue<mnuexportcsv_Click>},
    {.item = "mnuchart", .caption = "Chart", .menu = Insights, .windowAction = WindowAction::Chart},
    {.item = "mnuAbout", .caption = "About", .menu = Help, .windowAction = WindowAction::About},
};

template <class Pred> const CommandRow* findRow(Pred&& pred)
{
    const auto it = std::find_if(std::begin(table), std::end(table), pred);
    return it == std::end(table) ? nullptr : &*it;
}

} // namespace

const TopMenuDesign& topMenuDesign(TopMenu menu)
{
    return topMenuDesigns[static_cast<std::size_t>(menu)];
}

std::string_view valueName(ValueKind kind)
{
    constexpr std::array<std::string_view, 4> names{"", "NAME", "FILE", "ACCOUNT"};
    return names[static_cast<std::size_t>(kind)];
}

std::span<const CommandRow> commandTable()
{
    return table;
}

const CommandRow* findMenuItem(std::string_view item)
{
    return item.empty() ? nullptr : findRow([&](const CommandRow& row) { return row.item == item; });
}

const CommandRow* findVerb(std::string_view verb)
{
    return verb.empty() ? nullptr : findRow([&](const CommandRow& row) { return row.verb == verb; });
}

void checkCommandTable(std::span<const CommandRow> rows)
{
    const auto fault = [](const CommandRow& row, const char* what) {
        throw std::logic_error("command '" + std::string(row.item.empty() ? row.verb : row.item) + "' " + what);
    };
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        const bool windowOnly = it->windowAction != WindowAction::None && it->verb.empty();
        if (!it->run && !windowOnly)
            fault(*it, "has no handler");
        const auto same = [&](const CommandRow& other) {
            return (!it->item.empty() && other.item == it->item) || (!it->verb.empty() && other.verb == it->verb);
        };
        if (std::find_if(std::next(it), rows.end(), same) != rows.end())
            fault(*it, "stands twice");
    }
}

} // namespace quorvel
