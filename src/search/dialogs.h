// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// The actions the dialogs' buttons, double clicks and pop-up menu run. The windows start each
// of them through runCommand, like a menu command, so none of them can start inside another
// command.

// The pick dialogs (frmdownnames, frmdownfiles, frmupnames, frmupfiles). "Search"
// (Command1_Click) and a double click on the list hide the dialog and search for the selected
// entry, the empty text when none is selected; "Cancel" (Command2_Click) hides it. Form4's
// "Search" opens its pop-up menu in the window instead, so Command1_Click does nothing for it;
// its "Cancel" hides it.
void Command1_Click(Analyzer& a, Dialog dialog);
void Command2_Click(Analyzer& a, Dialog dialog);
inline void lstnames_DblClick(Analyzer& a, Dialog dialog) { Command1_Click(a, dialog); }
inline void lstfiles_DblClick(Analyzer& a, Dialog dialog) { Command1_Click(a, dialog); }

// The pop-up menu of the account search dialog (Form4): each item hides the dialog and
// searches for the selected account, the empty text when none is selected.
void mnusearchdownload_Click(Analyzer& a);
void mnusearchuploads_Click(Analyzer& a);
void mnusearchboth_Click(Analyzer& a);

// "Search" > "Accounts": lists the account folders when they are not listed yet, then shows
// Form4.
void mnusearchaccounts_Click(Analyzer& a);

} // namespace quorvel
