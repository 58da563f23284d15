// SPDX-License-Identifier: MIT
#include "cli/cliwindow.h"

#include <algorithm>

namespace quorvel {

namespace {

bool explainsRefusal(std::string_view caption)
{
    return caption.starts_with("Cannot ") || caption.starts_with("Must load log first") ||
           caption.starts_with("You must select the server folder first");
}

} // namespace

CliWindow::~CliWindow()
{
    if (progressShown_)
        *progress_ << "\r\033[K" << std::flush;
}

void CliWindow::setStatus(std::string_view caption)
{
    if (explainsRefusal(caption))
        refusals_.emplace_back(caption);
    if (!progress_)
        return;
    std::string line(caption);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    *progress_ << "\r\033[K" << line << std::flush;
    progressShown_ = true;
}

void CliWindow::setOutputText(std::string text)
{
    output_ = std::move(text);
    outputSet_ = true;
}

void CliWindow::addToList(Dialog dialog, const std::vector<std::string_view>& entries)
{
    auto& target = list(dialog);
    target.insert(target.end(), entries.begin(), entries.end());
}

std::int64_t CliWindow::listCount(Dialog dialog) const
{
    return static_cast<std::int64_t>(lists_[static_cast<std::size_t>(dialog)].size());
}

void CliPlatform::showError(std::string_view title, std::string_view message)
{
    err_ << title << ": " << message << '\n';
}

} // namespace quorvel
