// SPDX-License-Identifier: MIT
#include "commands/serverfolder.h"

#include "commands/loading.h"
#include "commands/program.h"
#include "commands/searches.h"
#include "core/nameorder.h"
#include "present/statustext.h"
#include "server/mobiusfolder.h"
#include "server/serverfolder.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

// An absolute, lexically normal folder path without a trailing separator (a root keeps its own).
fs::path normalFolder(std::string_view path)
{
    std::error_code error;
    fs::path normal = fs::absolute(fs::path(path), error).lexically_normal();
    if (normal.has_relative_path() && !normal.has_filename())
        normal = normal.parent_path();
    return normal;
}

bool sameFolder(std::string_view x, std::string_view y)
{
    if (x.empty() || y.empty())
        return x.empty() == y.empty();
    return normalFolder(x) == normalFolder(y);
}

// A folder the user chose: it becomes the server folder, the status line names it and the
// folder file remembers it.
Outcome chooseFolder(Analyzer& a, const std::string& folder)
{
    setServerFolder(a, folder);
    a.window.setStatus(folderCaption(folder));
    if (!a.folderFile.write(folder))
        a.window.setStatus(cannotRememberFolder(a.folderFile.path().string()));
    return Outcome::done();
}

} // namespace

std::string folderCaption(const std::string& folder)
{
    return serverFolderCaption(folder, isMobiusFolder(folder));
}

void setServerFolder(Analyzer& a, const std::string& dir)
{
    State& s = a.state;
    if (!sameFolder(dir, s.serverfolder)) {
        // No log can have been loaded while no folder was known.
        if (!s.serverfolder.empty()) {
            unloadLog(a, Side::Download);
            unloadLog(a, Side::Upload);
        }
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
    return chooseFolder(a, *chosen);
}

Outcome checkserverfolder(Analyzer& a)
{
    const auto stored = a.folderFile.read();
    if (!stored)
        return Outcome::done();
    setServerFolder(a, *stored);
    a.window.setStatus(folderCaption(*stored));
    return loaduseraccounts(a);
}

std::optional<std::string> folderNamedBy(std::string_view path)
{
    if (path.empty())
        return std::nullopt;
    fs::path named = normalFolder(path);
    std::error_code error;
    const fs::file_status status = fs::status(named, error);
    if (!fs::exists(status))
        return std::nullopt;
    if (!fs::is_directory(status))
        named = named.parent_path();
    return named.string();
}

Outcome openServerFolder(Analyzer& a, std::string_view path)
{
    const std::optional<std::string> folder = folderNamedBy(path);
    if (!folder)
        return refuse(a, cannotFindPath(path));
    return chooseFolder(a, *folder);
}

Outcome useDefaultFolder(Analyzer& a, std::string_view path)
{
    if (a.state.folderset)
        return Outcome::done();
    const std::optional<std::string> folder = folderNamedBy(path);
    if (!folder)
        return refuse(a, cannotFindPath(path));
    setServerFolder(a, *folder);
    a.window.setStatus(folderCaption(*folder));
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
    std::optional<std::vector<std::string>> names;
    if (isMobiusFolder(s.serverfolder)) {
        std::optional<MobiusAccounts> mobius = listMobiusAccounts(serverPath(a, mobiusUsersFolder));
        if (!mobius)
            return refuse(a, unreadableMobiusAccountsMessage);
        if (!mobius->leftOut.empty())
            tell(a, leftOutAccountFiles(mobius->leftOut.size(), mobius->leftOut.front()));
        names = std::move(mobius->logins);
    } else {
        names = listAccountFolders(serverPath(a, "users"));
        if (!names)
            return refuse(a, unreadableAccountsMessage);
    }
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

Answered mnuLoadUserAccounts_Click(Analyzer& a, Side, const std::string&)
{
    Outcome listed = loaduseraccounts(a);
    if (!listed.isDone())
        return listed;
    std::vector<std::string> names;
    for (const accountinfo& account : a.state.accounts)
        names.push_back(account.name);
    std::sort(names.begin(), names.end(), nameOrder);
    return nameList(TextShape::Entries, Side::Download, {}, {"account", ColumnKind::Account}, std::move(names),
                    Selection{});
}

} // namespace quorvel
