// SPDX-License-Identifier: MIT
#include "server/serverfolder.h"

#include "server/accounts.h"

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

void loadpath(Analyzer& a)
{
    const auto chosen = a.platform.browseForFolder("Select your Hotline Server Folder");
    if (!chosen || chosen->empty())
        return;
    setServerFolder(a, *chosen);
    if (!a.folderFile.write(*chosen))
        a.window.setStatus("Cannot remember the server folder: '" + a.folderFile.path().string() +
                           "' cannot be written");
}

void checkserverfolder(Analyzer& a)
{
    const auto stored = a.folderFile.read();
    if (!stored)
        return;
    setServerFolder(a, *stored);
    loaduseraccounts(a);
}

std::filesystem::path serverPath(const Analyzer& a, std::string_view leaf)
{
    return std::filesystem::path(a.state.serverfolder) / leaf;
}

void mnuselectserverdirectory_Click(Analyzer& a)
{
    loadpath(a);
}

} // namespace quorvel
