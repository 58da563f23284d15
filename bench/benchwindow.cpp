// SPDX-License-Identifier: MIT
#include "benchwindow.h"

namespace quorvel::bench {

void BenchWindow::setOutputText(std::string text)
{
    output_ = std::move(text);
    ++writes_;
}

void BenchWindow::addToList(Dialog dialog, const std::vector<std::string_view>& entries)
{
    auto& list = lists_[index(dialog)];
    list.insert(list.end(), entries.begin(), entries.end());
    writes_ += static_cast<std::int64_t>(entries.size());
}

std::int64_t BenchWindow::listCount(Dialog dialog) const
{
    return static_cast<std::int64_t>(lists_[index(dialog)].size());
}

} // namespace quorvel::bench
