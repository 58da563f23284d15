// SPDX-License-Identifier: MIT
#include "cli/cliwindow.h"

#include "core/bytetext.h"

#include <utility>

namespace quorvel {

CliWindow::~CliWindow()
{
    endProgress();
}

void CliWindow::endProgress()
{
    if (progressShown_)
        *progress_ << "\r\033[K" << std::flush;
    progressShown_ = false;
}

void CliWindow::setStatus(std::string_view caption)
{
    if (!progress_)
        return;
    *progress_ << "\r\033[K" << terminalLine(caption) << std::flush;
    progressShown_ = true;
}

namespace {

// The character at text[at] and its length in bytes: a well-formed UTF-8 sequence's, else the
// byte's own value (a raw C1 byte is a control to some terminals too).
std::pair<char32_t, std::size_t> characterAt(std::string_view text, std::size_t at)
{
    static constexpr unsigned char leadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    const std::size_t length = utf8SequenceAt(text, at);
    if (length == 0)
        return {static_cast<unsigned char>(text[at]), 1};
    char32_t point = static_cast<unsigned char>(text[at]) & leadBits[length];
    for (std::size_t k = 1; k < length; ++k)
        point = point << 6 | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    return {point, length};
}

bool isTerminalControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || (c >= 0x200E && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string terminalLine(std::string_view caption)
{
    std::string line;
    line.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size();) {
        const auto [character, length] = characterAt(caption, i);
        if (character == '\r' || character == '\n')
            line += ' ';
        else if (isTerminalControl(character))
            line += '?';
        else
            line.append(caption.substr(i, length));
        i += length;
    }
    return line;
}

void CliWindow::addToList(Dialog dialog, std::span<const std::string_view> entries)
{
    auto& target = list(dialog);
    target.insert(target.end(), entries.begin(), entries.end());
}

void Messages::write(const std::string& message) const
{
    err_ << (terminal_ ? terminalLine(message) : message) << '\n';
}

void CliPlatform::showError(std::string_view title, std::string_view message)
{
    messages_.say(title, ": ", message);
}

} // namespace quorvel
