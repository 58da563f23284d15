// SPDX-License-Identifier: MIT
#include "commands/serverfolder.h"

#include "commands/program.h"
#include "present/resulttables.h"
#include "present/statustext.h"
#include "server/serverfolder.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quorvel {

void setServerFolder(Analyzer& a, const std::string& dir)
{
    State& s = a.state;
    if (dir != s.serverfolder) {
        s.accounts.clear();
        s.accountsloaded = false;
        a.window.clearList(Dialog::Accounts);
    }
    s.serverfolder = dir;
    s.folderset = true;
}

Outcome loadpath(Analyzer& a)
{
    const auto chosen = a.platform.browseForFolder(browseFolderTitle);
    if (!chosen || chosen->empty())
        return Outcome::cancelled();
    setServerFolder(a, *chosen);
    if (!a.folderFile.write(*chosen))
        a.window.setStatus(cannotRememberFolder(a.folderFile.path().string()));
    return Outcome::done();
}

Outcome checkserverfolder(Analyzer& a)
{
    const auto stored = a.folderFile.read();
    if (!stored)
        return Outcome::done();
    setServerFolder(a, *stored);
    return loaduseraccounts(a);
}

std::filesystem::path serverPath(const Analyzer& a, std::string_view leaf)
{
    return std::filesystem::path(a.state.serverfolder) / leaf;
}

Outcome loaduseraccounts(Analyzer& a)
{
    State& s = a.state;
    if (!s.folderset) {
        s.accounts.clear();
        if (s.serverfolder.empty())
            loadpath(a);
    }
    if (!s.folderset)
        return refuse(a, noFolderMessage);
    if (s.accountsloaded)
        return Outcome::done();
    const std::optional<std::vector<std::string>> names = listAccountFolders(serverPath(a, "users"));
    if (!names)
        return refuse(a, unreadableAccountsMessage);
    std::vector<accountinfo> accounts;
    std::vector<std::string_view> entries;
    accounts.reserve(names->size());
    entries.reserve(names->size());
    for (const std::string& name : *names) {
        accounts.push_back(accountinfo{name, 0, 0});
        entries.push_back(name);
    }
    a.window.addToList(Dialog::Accounts, entries);
    s.accounts = std::move(accounts);
    s.accountsloaded = true;
    return Outcome::done();
}

Outcome ensureAccountsListed(Analyzer& a)
{
    return a.state.accountsloaded ? Outcome::done() : loaduseraccounts(a);
}

Outcome mnuselectserverdirectory_Click(Analyzer& a)
{
    return loadpath(a);
}

Outcome mnuLoadUserAccounts_Click(Analyzer& a)
{
    Outcome listed = loaduseraccounts(a);
    if (listed.isDone()) {
        std::vector<std::string> names;
        for (const accountinfo& account : a.state.accounts)
            names.push_back(account.name);
        std::sort(names.begin(), names.end(), [](const std::string& x, const std::string& y) { return accountOrder(x, y); });
        a.lastResult = nameTable("accounts", "account", std::move(names));
    }
    return listed;
}

} // namespace quorvel
