// SPDX-License-Identifier: MIT
#include "commands/menu.h"

#include "ingest/loadlog.h"
#include "output/savefiles.h"
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
    MenuCommand{"mnusave", mnusave_Click},
    MenuCommand{"mnusaveas", mnusaveas_Click},
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
    MenuCommand{"mnuUserDownloads", notBuiltYet},
    MenuCommand{"mnuFileDownloads", notBuiltYet},
    MenuCommand{"mnuUserUploads", notBuiltYet},
    MenuCommand{"mnuFileUploads", notBuiltYet},
    MenuCommand{"mnusearchaccounts", notBuiltYet},
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
