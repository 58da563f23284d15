// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The two logs. Every download/upload twin is one implementation taking the side.
enum class Side { Download, Upload };

// A text of the side, written once for downloads: the upload side's is the same text with
// "Download" as "Upload" and "download" as "upload" ("Downloads By Day..." and "Uploads By
// Day...", "downloads-by-day" and "uploads-by-day"), except for the texts the program has always
// written otherwise, which a table names ("Uploads by Acount...").
std::string twinText(Side side, std::string_view downloadText);

// The side's log file: "Download Log.txt", "Upload Log.txt".
std::string logFileName(Side side);

} // namespace quorvel
