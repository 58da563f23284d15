// SPDX-License-Identifier: MIT
#include "search/dialogs.h"

namespace quorvel {

void Command1_Click(Analyzer& a, Dialog dialog)
{
    a.window.hideDialog(dialog);
}

void Command2_Click(Analyzer& a, Dialog dialog)
{
    a.window.hideDialog(dialog);
}

void mnusearchdownload_Click(Analyzer& a)
{
    a.window.hideDialog(Dialog::Accounts);
}

void mnusearchuploads_Click(Analyzer& a)
{
    a.window.hideDialog(Dialog::Accounts);
}

void mnusearchboth_Click(Analyzer& a)
{
    a.window.hideDialog(Dialog::Accounts);
}

} // namespace quorvel
