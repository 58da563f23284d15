// SPDX-License-Identifier: MIT
#include "commands/menu.h"

#include "ingest/loadlog.h"
#include "search/dialogs.h"
#include "search/picklists.h"
#include "server/accounts.h"
#include "server/serverfolder.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

// Commands whose work is not built yet do nothing.
void notBuiltYet(Analyzer&) {}

constexpr std::array commands{
    MenuCommand{"mnuselectserverdirectory", mnuselectserverdirectory_Click},
    MenuCommand{"mnusave", notBuiltYet},
    MenuCommand{"mnusaveas", notBuiltYet},
    MenuCommand{"mnuloadall", mnuloadall_Click},
    MenuCommand{"mnuLoaddownloadlog", mnuLoaddownloadlog_Click},
    MenuCommand{"mnuLoaduploadlog", mnuLoaduploadlog_Click},
    MenuCommand{"mnuLoadUserAccounts", mnuLoadUserAccounts_Click},
    MenuCommand{"mnusortbydate", notBuiltYet},
    MenuCommand{"mnudownloadnumber", notBuiltYet},
    MenuCommand{"mnusortbyaccount", notBuiltYet},
    MenuCommand{"mnuupdate", notBuiltYet},
    MenuCommand{"mnuupnum", notBuiltYet},
    MenuCommand{"mnuupaccount", notBuiltYet},
    MenuCommand{"mnuUserDownloads", mnuUserDownloads_Click},
    MenuCommand{"mnuFileDownloads", mnuFileDownloads_Click},
    MenuCommand{"mnuUserUploads", mnuUserUploads_Click},
    MenuCommand{"mnuFileUploads", mnuFileUploads_Click},
    MenuCommand{"mnusearchaccounts", mnusearchaccounts_Click},
    MenuCommand{"mnunumberdown", notBuiltYet},
    MenuCommand{"mnunumup", notBuiltYet},
    MenuCommand{"mnunumberaccountdown", notBuiltYet},
    MenuCommand{"mnunumberaccountup", notBuiltYet},
    MenuCommand{"mnuwhonotdownloading", notBuiltYet},
    MenuCommand{"mnuwhosnotuploading", notBuiltYet},
};

} // namespace

std::span<const MenuCommand> menuCommands()
{
    return commands;
}

const MenuCommand* findMenuCommand(std::string_view name)
{
    const auto it = std::find_if(commands.begin(), commands.end(), [&](const MenuCommand& c) { return c.name == name; });
    return it == commands.end() ? nullptr : &*it;
}

} // namespace quorvel
