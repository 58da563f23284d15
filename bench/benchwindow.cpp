// SPDX-License-Identifier: MIT
#include "benchwindow.h"

namespace quorvel::bench {

void BenchWindow::setOutputText(std::string text)
{
    output_ = std::move(text);
    ++writes_;
}

void BenchWindow::addToList(Dialog dialog, std::span<const std::string_view> entries)
{
    auto& list = lists_[index(dialog)];
    list.insert(list.end(), entries.begin(), entries.end());
    writes_ += static_cast<std::int64_t>(entries.size());
}

} // namespace quorvel::bench
