// SPDX-License-Identifier: MIT
#include "model/side.h"

#include <array>
#include <utility>

namespace quorvel {

namespace {

// The upload texts that do not follow from their download twin.
constexpr std::array<std::pair<std::string_view, std::string_view>, 1> uploadExceptions{{
    {"Downloads By Account...", "Uploads by Acount..."},
}};

} // namespace

std::string twinText(Side side, std::string_view downloadText)
{
    if (side == Side::Download)
        return std::string(downloadText);
    for (const auto& [download, upload] : uploadExceptions)
        if (download == downloadText)
            return std::string(upload);
    std::string text;
    text.reserve(downloadText.size());
    for (std::size_t at = 0; at < downloadText.size();) {
        const std::string_view rest = downloadText.substr(at);
        if (rest.starts_with("Download") || rest.starts_with("download")) {
            text += rest.front() == 'D' ? "Upload" : "upload";
            at += 8;
        } else {
            text += rest.front();
            ++at;
        }
    }
    return text;
}

std::string logFileName(Side side)
{
    return twinText(side, "Download Log.txt");
}

} // namespace quorvel
