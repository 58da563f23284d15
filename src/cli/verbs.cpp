// SPDX-License-Identifier: MIT
#include "cli/verbs.h"

#include "ingest/loadlog.h"
#include "reports/accountlistings.h"
#include "reports/filelistings.h"
#include "reports/inactive.h"
#include "reports/topaccount.h"
#include "reports/topuser.h"
#include "search/picklists.h"
#include "search/searches.h"
#include "server/accounts.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

bool accountsListed(const Analyzer& a, const CliWindow&)
{
    return a.state.accountsloaded;
}

bool outputSet(const Analyzer&, const CliWindow& window)
{
    return window.outputWasSet();
}

// A report verb: runs the menu command and prints the output box it leaves.
template <void (*command)(Analyzer&)> constexpr Verb reportVerb(std::string_view name, FieldSet reads)
{
    return Verb{name, "", std::nullopt, [](Analyzer& a, const std::string&) { command(a); }, outputSet, reads};
}

constexpr FieldSet accounts{Field::account};
constexpr FieldSet usernames{Field::username};
constexpr FieldSet filenames{Field::filename};
// A search compares one column and prints the stamp and one more column of each hit: name and
// file searches read names and files, account searches accounts and files.
constexpr FieldSet nameAndFileHits{Field::stamp, Field::spare, Field::username, Field::filename};
constexpr FieldSet accountAndFileHits{Field::stamp, Field::spare, Field::account, Field::filename};

template <Side side, Pick pick> void pickList(Analyzer& a, const std::string&)
{
    showPickList(a, side, pick);
}

template <Side side, Pick pick> bool pickListShown(const Analyzer&, const CliWindow& window)
{
    return window.wasShown(pickDialog(side, pick));
}

// The name and file searches have no guard of their own: the pick lists that start them in
// the window are only offered for a loaded log. The verb runs the log's guard first.
template <Side side, void (*search)(Analyzer&, Side, std::string_view)>
void guardedSearch(Analyzer& a, const std::string& value)
{
    if (logGuard(a, side))
        search(a, side, value);
}

template <void (*search)(Analyzer&, std::string_view)> void accountSearch(Analyzer& a, const std::string& value)
{
    search(a, value);
}

constexpr std::array table{
    Verb{"accounts", "", Dialog::Accounts, [](Analyzer& a, const std::string&) { loaduseraccounts(a); },
         accountsListed},
    Verb{"download-names", "", Dialog::DownNames, pickList<Side::Download, Pick::Names>,
         pickListShown<Side::Download, Pick::Names>, usernames},
    Verb{"download-files", "", Dialog::DownFiles, pickList<Side::Download, Pick::Files>,
         pickListShown<Side::Download, Pick::Files>, filenames},
    Verb{"upload-names", "", Dialog::UpNames, pickList<Side::Upload, Pick::Names>,
         pickListShown<Side::Upload, Pick::Names>, usernames},
    Verb{"upload-files", "", Dialog::UpFiles, pickList<Side::Upload, Pick::Files>,
         pickListShown<Side::Upload, Pick::Files>, filenames},
    reportVerb<mnusortbydate_Click>("downloads-by-date", filenames),
    reportVerb<mnuupdate_Click>("uploads-by-date", filenames),
    reportVerb<mnudownloadnumber_Click>("downloads-by-number", filenames),
    reportVerb<mnuupnum_Click>("uploads-by-number", filenames),
    reportVerb<mnusortbyaccount_Click>("downloads-by-account", accounts),
    reportVerb<mnuupaccount_Click>("uploads-by-account", accounts),
    reportVerb<mnunumberdown_Click>("top-downloader", usernames),
    reportVerb<mnunumup_Click>("top-uploader", usernames),
    reportVerb<mnunumberaccountdown_Click>("top-account-downloader", accounts),
    reportVerb<mnunumberaccountup_Click>("top-account-uploader", accounts),
    reportVerb<mnuwhonotdownloading_Click>("inactive-downloaders", accounts),
    reportVerb<mnuwhosnotuploading_Click>("inactive-uploaders", accounts),
    Verb{"user-downloads", "NAME", std::nullopt, guardedSearch<Side::Download, namesearch>, outputSet, nameAndFileHits,
         Field::username},
    Verb{"user-uploads", "NAME", std::nullopt, guardedSearch<Side::Upload, namesearch>, outputSet, nameAndFileHits,
         Field::username},
    Verb{"file-downloads", "FILE", std::nullopt, guardedSearch<Side::Download, filesearch>, outputSet, nameAndFileHits,
         Field::filename},
    Verb{"file-uploads", "FILE", std::nullopt, guardedSearch<Side::Upload, filesearch>, outputSet, nameAndFileHits,
         Field::filename},
    Verb{"account-downloads", "ACCOUNT", std::nullopt, accountSearch<usersearch>, outputSet, accountAndFileHits,
         Field::account},
    Verb{"account-uploads", "ACCOUNT", std::nullopt, accountSearch<upusersearch>, outputSet, accountAndFileHits,
         Field::account},
    Verb{"account-both", "ACCOUNT", std::nullopt, accountSearch<usersearchboth>, outputSet, accountAndFileHits,
         Field::account},
};

} // namespace

std::span<const Verb> verbs()
{
    return table;
}

const Verb* findVerb(std::string_view name)
{
    const auto it = std::find_if(table.begin(), table.end(), [&](const Verb& v) { return v.name == name; });
    return it == table.end() ? nullptr : &*it;
}

} // namespace quorvel
