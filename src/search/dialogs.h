// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// The pick dialogs (frmdownnames, frmdownfiles, frmupnames, frmupfiles). "Search"
// (Command1_Click) and a double click on the list hide the dialog and search for the selected
// entry; "Cancel" (Command2_Click) hides it.
void Command1_Click(Analyzer& a, Dialog dialog);
void Command2_Click(Analyzer& a, Dialog dialog);

// The pop-up menu of the account search dialog (Form4): each item hides the dialog and
// searches for the selected account.
void mnusearchdownload_Click(Analyzer& a);
void mnusearchuploads_Click(Analyzer& a);
void mnusearchboth_Click(Analyzer& a);

} // namespace quorvel
