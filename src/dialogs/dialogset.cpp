// SPDX-License-Identifier: MIT
#include "dialogs/dialogset.h"

#include "dialogs/form4.h"

#include <utility>

namespace quorvel::gui {

DialogSet::DialogSet(QWidget* owner, std::function<void(ListDialog&, Dialog)> wire)
    : owner_(owner), wire_(std::move(wire))
{
}

ListDialog& DialogSet::get(Dialog dialog)
{
    ListDialog*& slot = dialogs_[index(dialog)];
    if (!slot) {
        if (dialog == Dialog::Accounts)
            slot = new Form4(owner_);
        else
            slot = new PickDialog(dialogDesign(dialog), owner_);
        slot->setCommandsEnabled(commandsEnabled_);
        wire_(*slot, dialog);
    }
    return *slot;
}

void DialogSet::setCommandsEnabled(bool enabled)
{
    commandsEnabled_ = enabled;
    for (ListDialog* dialog : dialogs_)
        if (dialog)
            dialog->setCommandsEnabled(enabled);
}

void DialogSet::hideAll()
{
    for (ListDialog* dialog : dialogs_)
        if (dialog)
            dialog->hide();
}

} // namespace quorvel::gui
