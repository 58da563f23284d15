// SPDX-License-Identifier: MIT
#pragma once

#include "records.h"
#include "serverwriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace loggen {

// Writes a modern server's folder: Users/<login>.yaml for each account (its Login written plain,
// single- or double-quoted, or as !!binary), config.yaml, and its log, the download and upload
// records merged by time as one log of `key=value` lines in Go's log/slog text form, each record
// after options.skipped lines that are no transfer records (logins, chat, the request lines of
// transfers, per-file lines of folder transfers, errors, disconnections, debugging), drawn
// apart from the records. The first two fifths of the records go to a rotated backup
// (mobius-<time>.log), the rest to mobius.log.
bool writeMobiusFolder(const Options& options, const Population& p, const std::vector<std::string>& accounts,
                       RecordStream downloads, RecordStream uploads);

// A value as log/slog's text form writes it: bare when it can be, else quoted as Go's
// strconv.Quote does (or, with ascii, as strconv.QuoteToASCII does).
std::string slogValue(std::string_view value, bool ascii = false);

} // namespace loggen
