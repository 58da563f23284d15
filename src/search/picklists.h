// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// What a pick list offers: the distinct user names or the distinct file names of a log.
enum class Pick { Names, Files };

// The dialog that offers the list (frmdownnames, frmdownfiles, frmupnames, frmupfiles).
Dialog pickDialog(Side side, Pick pick);

// A "Search" menu command that opens a pick dialog. Runs the log's load guard; when the log
// is loaded and the dialog's list was not built from it yet, fills the list with every
// distinct value of the field, from record 1 on, once each in order of first occurrence,
// then empties the output box and shows "Done...". Shows the dialog in every case but a
// refused guard. A list is built once per load of its log.
void showPickList(Analyzer& a, Side side, Pick pick);

// The "Search" menu: "User Downloads", "File Downloads", "User Uploads", "File Upoads".
inline void mnuUserDownloads_Click(Analyzer& a) { showPickList(a, Side::Download, Pick::Names); }
inline void mnuFileDownloads_Click(Analyzer& a) { showPickList(a, Side::Download, Pick::Files); }
inline void mnuUserUploads_Click(Analyzer& a) { showPickList(a, Side::Upload, Pick::Names); }
inline void mnuFileUploads_Click(Analyzer& a) { showPickList(a, Side::Upload, Pick::Files); }

} // namespace quorvel
