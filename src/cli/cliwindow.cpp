// SPDX-License-Identifier: MIT
#include "cli/cliwindow.h"

#include "core/bytetext.h"

#include <algorithm>

namespace quorvel {

CliWindow::~CliWindow()
{
    if (progressShown_)
        *progress_ << "\r\033[K" << std::flush;
}

void CliWindow::setStatus(std::string_view caption)
{
    if (!progress_)
        return;
    *progress_ << "\r\033[K" << terminalLine(caption) << std::flush;
    progressShown_ = true;
}

std::string terminalLine(std::string_view caption)
{
    std::string line;
    line.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size();) {
        const auto c = static_cast<unsigned char>(caption[i]);
        const std::size_t sequence = utf8SequenceAt(caption, i);
        // A C1 control written in UTF-8 (U+0080 to U+009F) is a control to some terminals too.
        const bool control = c < 0x20 || c == 0x7F || (sequence == 0 && c >= 0x80 && c <= 0x9F) ||
                             (sequence == 2 && c == 0xC2 && static_cast<unsigned char>(caption[i + 1]) <= 0x9F);
        if (c == '\r' || c == '\n')
            line += ' ';
        else if (control)
            line += '?';
        else
            line.append(caption.substr(i, std::max<std::size_t>(sequence, 1)));
        i += std::max<std::size_t>(sequence, 1);
    }
    return line;
}

void CliWindow::addToList(Dialog dialog, std::span<const std::string_view> entries)
{
    auto& target = list(dialog);
    target.insert(target.end(), entries.begin(), entries.end());
}

void CliPlatform::showError(std::string_view title, std::string_view message)
{
    err_ << title << ": " << message << '\n';
}

} // namespace quorvel
