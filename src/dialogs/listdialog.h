// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/dialogdesign.h"

#include <QDialog>

#include <span>
#include <string>
#include <string_view>

class QListView;
class QPushButton;

namespace quorvel::gui {

class EntryList;

// A small modeless dialog with one single-selection list box and the buttons Command1
// "Search" and Command2 "Cancel", laid out by its design and fixed in place. Closing it from
// the title bar or with Esc only hides it: its list and selection stay. Entries keep their
// exact bytes and are shown in name order (core/nameorder.h), so that typing the first
// letters of a name finds it in a long list. When the dialog is shown, or filled while shown,
// with nothing selected, its first entry is selected: the entry the user sees highlighted is
// the one a search uses.
class ListDialog : public QDialog {
    Q_OBJECT
public:
    ListDialog(const DialogDesign& design, QWidget* owner);

    QListView* list() const { return list_; }
    QPushButton* command1() const { return command1_; }
    QPushButton* command2() const { return command2_; }

    void clearEntries();
    // Adds the entries at their places in name order; equal entries keep the order given.
    void addEntries(std::span<const std::string_view> entries);
    // The selected entry's bytes; empty when nothing is selected.
    std::string selectedEntry() const;

    // Shows the dialog without blocking the main window, the first time centred on its owner,
    // with the list focused and its first entry selected when none is.
    void showModeless();

    // While a command runs, the buttons and the list's double click do nothing.
    void setCommandsEnabled(bool enabled);
    bool commandsEnabled() const { return commandsEnabled_; }

signals:
    void cancelChosen();

private:
    void createControls(const DialogDesign& design);
    void setTabOrder(const DialogDesign& design);
    void centreOnOwner();
    void selectFirstWhenNone();

    QListView* list_ = nullptr;
    EntryList* entries_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    bool commandsEnabled_ = true;
    bool placed_ = false;
};

// A pick dialog (frmdownnames, frmdownfiles, frmupnames, frmupfiles): "Search", Enter and a
// double click on the list ask for a search with the selected entry. "Search" is the default
// button; Enter on a focused "Cancel" cancels.
class PickDialog : public ListDialog {
    Q_OBJECT
public:
    PickDialog(const DialogDesign& design, QWidget* owner);

signals:
    void searchChosen();
};

} // namespace quorvel::gui
