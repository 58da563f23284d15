// SPDX-License-Identifier: MIT
#include "cli/cliwindow.h"

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
    std::string line(caption);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    *progress_ << "\r\033[K" << line << std::flush;
    progressShown_ = true;
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
