// SPDX-License-Identifier: MIT
#pragma once

#include "server/folderfile.h"

#include <ostream>
#include <string>
#include <vector>

namespace quorvel {

// quorvel-report [--server DIR] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|csv|json]
// VERB [VALUE], or --help, or --version.
// Prints on out exactly what the command leaves in the output box (report verbs) or the
// entries of its list box, each followed by CR LF (list verbs). Returns 0 on success; 1 when
// there is no server folder to work on, when the command was refused (after printing the
// status lines that say why on err) or when out cannot be written; 2 on a usage error, after
// a short usage text on err. progress is not null when err is a terminal (the caller decides
// that, once): the progress captions go there and every message on err is made safe for a
// terminal (terminalLine); otherwise messages keep their bytes.
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const FolderFile& folderFile, std::ostream* progress = nullptr);

} // namespace quorvel
