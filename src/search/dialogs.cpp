// SPDX-License-Identifier: MIT
#include "search/dialogs.h"

#include "search/searches.h"
#include "server/accounts.h"

#include <string>

namespace quorvel {

namespace {

// Hides Form4 and runs search on the selected account.
void searchSelectedAccount(Analyzer& a, void (*search)(Analyzer&, std::string_view))
{
    a.window.hideDialog(Dialog::Accounts);
    search(a, a.window.selectedEntry(Dialog::Accounts));
}

} // namespace

void Command1_Click(Analyzer& a, Dialog dialog)
{
    if (dialog == Dialog::Accounts)
        return;
    a.window.hideDialog(dialog);
    const std::string entry = a.window.selectedEntry(dialog);
    const Side side = dialog == Dialog::DownNames || dialog == Dialog::DownFiles ? Side::Download : Side::Upload;
    if (dialog == sideInfo(side).namesDialog)
        namesearch(a, side, entry);
    else
        filesearch(a, side, entry);
}

void Command2_Click(Analyzer& a, Dialog dialog)
{
    a.window.hideDialog(dialog);
}

void mnusearchdownload_Click(Analyzer& a)
{
    searchSelectedAccount(a, usersearch);
}

void mnusearchuploads_Click(Analyzer& a)
{
    searchSelectedAccount(a, upusersearch);
}

void mnusearchboth_Click(Analyzer& a)
{
    searchSelectedAccount(a, usersearchboth);
}

void mnusearchaccounts_Click(Analyzer& a)
{
    ensureAccountsListed(a);
    a.window.showDialog(Dialog::Accounts);
}

} // namespace quorvel
