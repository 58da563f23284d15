// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"

#include <array>
#include <functional>

class QWidget;

namespace quorvel::gui {

class ListDialog;

// The five dialogs of the main window. Each is created hidden the first time it is touched
// and then lives as long as its owner.
class DialogSet {
public:
    // wire connects a newly created dialog's requests to the commands.
    DialogSet(QWidget* owner, std::function<void(ListDialog&, Dialog)> wire);

    // The dialog, created hidden when it does not exist yet.
    ListDialog& get(Dialog dialog);
    // The dialog, or nullptr when it was never touched.
    ListDialog* find(Dialog dialog) const { return dialogs_[index(dialog)]; }

    void setCommandsEnabled(bool enabled);
    void hideAll();

private:
    static std::size_t index(Dialog dialog) { return static_cast<std::size_t>(dialog); }

    QWidget* owner_;
    std::function<void(ListDialog&, Dialog)> wire_;
    std::array<ListDialog*, 5> dialogs_{};
    bool commandsEnabled_ = true;
};

} // namespace quorvel::gui
