// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// The five small dialogs; each owns one list box (lstnames, lstfiles or lstusers).
enum class Dialog { DownNames, DownFiles, UpNames, UpFiles, Accounts };

// What a command may do to the windows. Form1 implements it in the GUI, the command-line
// tool and the tests implement it without windows. All texts are bytes as the engine holds
// them; report lines end in CR LF.
class Window {
public:
    virtual ~Window() = default;

    // lblinfo: progress and outcome of the running command.
    virtual void setStatus(std::string_view caption) = 0;
    // Text1: the output box, read back or replaced whole.
    virtual std::string outputText() const = 0;
    virtual void setOutputText(std::string text) = 0;

    // The list box of a dialog. Touching a list creates its dialog hidden.
    virtual void clearList(Dialog dialog) = 0;
    virtual void addToList(Dialog dialog, std::span<const std::string_view> entries) = 0;
    // The selected entry's text; empty when nothing is selected.
    virtual std::string selectedEntry(Dialog dialog) const = 0;
    virtual void showDialog(Dialog dialog) = 0;
    virtual void hideDialog(Dialog dialog) = 0;

    // The main window's caption.
    virtual void setCaption(std::string_view caption) = 0;
    // Disables (false) or enables (true) the menus and the dialogs' buttons while a command runs.
    virtual void setCommandsEnabled(bool enabled) = 0;
    // Lets the window process pending events. Returns false once the program is closing:
    // the running command must then stop.
    virtual bool yield() = 0;
};

} // namespace quorvel
