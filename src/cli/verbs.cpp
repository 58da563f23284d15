// SPDX-License-Identifier: MIT
#include "cli/verbs.h"

#include "reports/accountlistings.h"
#include "reports/filelistings.h"
#include "reports/inactive.h"
#include "reports/topaccount.h"
#include "reports/topuser.h"
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
template <void (*command)(Analyzer&)>
constexpr Verb reportVerb(std::string_view name)
{
    return Verb{name, "", std::nullopt, [](Analyzer& a, const std::string&) { command(a); }, outputSet};
}

constexpr std::array table{
    Verb{"accounts", "", Dialog::Accounts, [](Analyzer& a, const std::string&) { loaduseraccounts(a); }, accountsListed},
    reportVerb<mnusortbydate_Click>("downloads-by-date"),
    reportVerb<mnuupdate_Click>("uploads-by-date"),
    reportVerb<mnudownloadnumber_Click>("downloads-by-number"),
    reportVerb<mnuupnum_Click>("uploads-by-number"),
    reportVerb<mnusortbyaccount_Click>("downloads-by-account"),
    reportVerb<mnuupaccount_Click>("uploads-by-account"),
    reportVerb<mnunumberdown_Click>("top-downloader"),
    reportVerb<mnunumup_Click>("top-uploader"),
    reportVerb<mnunumberaccountdown_Click>("top-account-downloader"),
    reportVerb<mnunumberaccountup_Click>("top-account-uploader"),
    reportVerb<mnuwhonotdownloading_Click>("inactive-downloaders"),
    reportVerb<mnuwhosnotuploading_Click>("inactive-uploaders"),
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
