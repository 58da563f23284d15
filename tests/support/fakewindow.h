// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace quorvel::test {

// A window that records everything a command does to it.
class FakeWindow : public Window {
public:
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    std::string outputText() const override { return output; }
    void setOutputText(std::string text) override
    {
        output = std::move(text);
        ++outputWrites;
    }
    void clearList(Dialog dialog) override
    {
        list(dialog).clear();
        selected(dialog) = -1;
        created[index(dialog)] = true;
    }
    void addToList(Dialog dialog, std::span<const std::string_view> entries) override
    {
        list(dialog).insert(list(dialog).end(), entries.begin(), entries.end());
        created[index(dialog)] = true;
    }
    std::string selectedEntry(Dialog dialog) const override
    {
        const int at = selection[index(dialog)];
        return at < 0 ? std::string() : lists[index(dialog)][static_cast<std::size_t>(at)];
    }
    void showDialog(Dialog dialog) override
    {
        shown[index(dialog)] = true;
        created[index(dialog)] = true;
    }
    void hideDialog(Dialog dialog) override { shown[index(dialog)] = false; }
    void setCaption(std::string_view text) override { caption = text; }
    void setCommandsEnabled(bool enabled) override
    {
        commandsEnabled = enabled;
        enabledChanges.push_back(enabled);
    }
    bool yield() override
    {
        ++yields;
        if (onYield)
            onYield();
        return !closing;
    }

    std::vector<std::string>& list(Dialog dialog) { return lists[index(dialog)]; }
    int& selected(Dialog dialog) { return selection[index(dialog)]; }
    const std::string& lastStatus() const
    {
        static const std::string none;
        return statuses.empty() ? none : statuses.back();
    }
    static std::size_t index(Dialog dialog) { return static_cast<std::size_t>(dialog); }

    std::vector<std::string> statuses;
    std::string output;
    int outputWrites = 0;
    std::array<std::vector<std::string>, 5> lists;
    std::array<int, 5> selection{-1, -1, -1, -1, -1};
    std::array<bool, 5> shown{};
    std::array<bool, 5> created{};
    std::string caption = "Quorvel";
    bool commandsEnabled = true;
    std::vector<bool> enabledChanges;
    int yields = 0;
    bool closing = false;
    std::function<void()> onYield; // runs inside every yield, e.g. to start a nested command
};

} // namespace quorvel::test
