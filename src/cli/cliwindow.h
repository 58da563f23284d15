// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"
#include "platform/window.h"

#include <array>
#include <ostream>
#include <sstream>
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

    // Clears the progress line, so that what is printed next on the terminal starts a line of
    // its own.
    void endProgress();

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

// A status caption or a message made safe for a terminal: CR and LF become spaces, and every
// control character (bytes below 0x20, 0x7F, C1 controls whether raw or in UTF-8) becomes "?",
// so that names from a log or a path cannot move the cursor, set the title or clear the
// screen; so do the bidirectional controls (U+061C, U+200E-U+200F, U+202A-U+202E,
// U+2066-U+2069), which would make a terminal show a name other than its bytes. Other bytes,
// valid UTF-8 included, are kept.
std::string terminalLine(std::string_view caption);

// The messages quorvel-report writes on its error stream, each on a line of its own: made safe
// for a terminal (terminalLine) when the stream is one, else with their own bytes, so that a
// file or a pipe gets the names exactly.
class Messages {
public:
    Messages(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

    // Writes the pieces (texts and numbers) as one message and ends its line.
    template <typename... Pieces> void say(const Pieces&... pieces) const
    {
        std::ostringstream message;
        (message << ... << pieces);
        write(message.str());
    }

private:
    void write(const std::string& message) const;

    std::ostream& err_;
    bool terminal_;
};

// The modal answers of the headless tool: every "load the log?" question is answered with OK,
// no folder browser or save dialog is ever opened, errors go to the messages.
class CliPlatform : public Platform {
public:
    explicit CliPlatform(const Messages& messages) : messages_(messages) {}
    std::optional<std::string> browseForFolder(std::string_view) override { return std::nullopt; }
    bool askOkCancel(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void showError(std::string_view title, std::string_view message) override;
    std::optional<PeriodDialogDates> askPeriod(const PeriodDialogDates&) override { return std::nullopt; }

private:
    const Messages& messages_;
};

} // namespace quorvel
