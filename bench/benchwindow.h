// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"
#include "platform/window.h"

#include <array>
#include <string>
#include <vector>

namespace quorvel::bench {

// A window without windows, costing what the real one costs the engine: the output box and
// the list boxes hold copies of their text. The bench picks the selected entry of each
// dialog, and can tell whether a command produced anything.
class BenchWindow : public Window {
public:
    void setStatus(std::string_view caption) override { status_ = caption; }
    std::string outputText() const override { return output_; }
    void setOutputText(std::string text) override;
    void clearList(Dialog dialog) override { lists_[index(dialog)].clear(); }
    void addToList(Dialog dialog, std::span<const std::string_view> entries) override;
    std::string selectedEntry(Dialog dialog) const override { return selection_[index(dialog)]; }
    void showDialog(Dialog) override {}
    void hideDialog(Dialog) override {}
    void setCaption(std::string_view) override {}
    void setCommandsEnabled(bool) override {}
    bool yield() override { return true; }

    void select(Dialog dialog, std::string entry) { selection_[index(dialog)] = std::move(entry); }
    // Forgets whether anything was written, before a command is timed.
    void resetWrites() { writes_ = 0; }
    // Output box and list entries written since resetWrites.
    std::int64_t writes() const { return writes_; }
    const std::string& status() const { return status_; }
    const std::string& output() const { return output_; }

private:
    static std::size_t index(Dialog dialog) { return static_cast<std::size_t>(dialog); }

    std::string status_;
    std::string output_;
    std::array<std::vector<std::string>, 5> lists_;
    std::array<std::string, 5> selection_;
    std::int64_t writes_ = 0;
};

// Answers every question with OK and every dialog with cancel.
class BenchPlatform : public Platform {
public:
    std::optional<std::string> browseForFolder(std::string_view) override { return std::nullopt; }
    bool askOkCancel(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void showError(std::string_view, std::string_view) override {}
    std::optional<PeriodDialogDates> askPeriod(const PeriodDialogDates&) override { return std::nullopt; }
};

} // namespace quorvel::bench
