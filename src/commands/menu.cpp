// SPDX-License-Identifier: MIT
#include "commands/menu.h"

#include "ingest/loadlog.h"
#include "output/savefiles.h"
#include "reports/accountlistings.h"
#include "reports/filelistings.h"
#include "reports/inactive.h"
#include "reports/topaccount.h"
#include "reports/topuser.h"
#include "search/dialogs.h"
#include "search/picklists.h"
#include "server/accounts.h"
#include "server/serverfolder.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

constexpr std::array commands{
    MenuCommand{"mnuselectserverdirectory", mnuselectserverdirectory_Click},
    MenuCommand{"mnusave", mnusave_Click},
    MenuCommand{"mnusaveas", mnusaveas_Click},
    MenuCommand{"mnuloadall", mnuloadall_Click},
    MenuCommand{"mnuLoaddownloadlog", mnuLoaddownloadlog_Click},
    MenuCommand{"mnuLoaduploadlog", mnuLoaduploadlog_Click},
    MenuCommand{"mnuLoadUserAccounts", mnuLoadUserAccounts_Click},
    MenuCommand{"mnusortbydate", mnusortbydate_Click},
    MenuCommand{"mnudownloadnumber", mnudownloadnumber_Click},
    MenuCommand{"mnusortbyaccount", mnusortbyaccount_Click},
    MenuCommand{"mnuupdate", mnuupdate_Click},
    MenuCommand{"mnuupnum", mnuupnum_Click},
    MenuCommand{"mnuupaccount", mnuupaccount_Click},
    MenuCommand{"mnuUserDownloads", mnuUserDownloads_Click},
    MenuCommand{"mnuFileDownloads", mnuFileDownloads_Click},
    MenuCommand{"mnuUserUploads", mnuUserUploads_Click},
    MenuCommand{"mnuFileUploads", mnuFileUploads_Click},
    MenuCommand{"mnusearchaccounts", mnusearchaccounts_Click},
    MenuCommand{"mnunumberdown", mnunumberdown_Click},
    MenuCommand{"mnunumup", mnunumup_Click},
    MenuCommand{"mnunumberaccountdown", mnunumberaccountdown_Click},
    MenuCommand{"mnunumberaccountup", mnunumberaccountup_Click},
    MenuCommand{"mnuwhonotdownloading", mnuwhonotdownloading_Click},
    MenuCommand{"mnuwhosnotuploading", mnuwhosnotuploading_Click},
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
