// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"
#include "platform/window.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace quorvel {

// The windows of the headless tool: the output box and the lists are kept in memory, and
// progress goes to a terminal when one is given.
class CliWindow : public Window {
public:
    explicit CliWindow(std::ostream* progress) : progress_(progress) {}
    ~CliWindow() override;

    void setStatus(std::string_view caption) override;
    std::string outputText() const override { return output_; }
    void setOutputText(std::string text) override { output_ = std::move(text); }
    void clearList(Dialog dialog) override { list(dialog).clear(); }
    void addToList(Dialog dialog, std::span<const std::string_view> entries) override;
    std::string selectedEntry(Dialog) const override { return {}; }
    void showDialog(Dialog) override {}
    void hideDialog(Dialog) override {}
    void setCaption(std::string_view) override {}
    void setCommandsEnabled(bool) override {}
    bool yield() override { return true; }

    // The output box's text without a copy: a report of millions of lines is printed from here.
    const std::string& output() const { return output_; }
    const std::vector<std::string>& entries(Dialog dialog) const { return lists_[static_cast<std::size_t>(dialog)]; }

private:
    std::vector<std::string>& list(Dialog dialog) { return lists_[static_cast<std::size_t>(dialog)]; }

    std::ostream* progress_;
    bool progressShown_ = false;
    std::string output_;
    std::array<std::vector<std::string>, 5> lists_;
};

// A status caption made safe for a terminal: CR and LF become spaces, and every control
// character (bytes below 0x20, 0x7F, C1 controls whether raw or in UTF-8) becomes "?", so that
// names from a log cannot move the cursor, set the title or clear the screen. Other bytes,
// valid UTF-8 included, are kept.
std::string terminalLine(std::string_view caption);

// The modal answers of the headless tool: every "load the log?" question is answered with OK,
// no folder browser or save dialog is ever opened, errors go to the error stream.
class CliPlatform : public Platform {
public:
    explicit CliPlatform(std::ostream& err) : err_(err) {}
    std::optional<std::string> browseForFolder(std::string_view) override { return std::nullopt; }
    bool askOkCancel(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void showError(std::string_view title, std::string_view message) override;
    std::optional<PeriodDialogDates> askPeriod(const PeriodDialogDates&) override { return std::nullopt; }

private:
    std::ostream& err_;
};

} // namespace quorvel
