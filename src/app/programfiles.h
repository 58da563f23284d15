// SPDX-License-Identifier: MIT
#pragma once

#include "server/folderfile.h"

namespace quorvel::gui {

// The folder file of the running program: beside the executable, or in the user's
// configuration folder where the executable's folder is not writable.
FolderFile programFolderFile();

} // namespace quorvel::gui
