// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/listdialog.h"

class QMenu;

namespace quorvel::gui {

// The account search dialog. Releasing the left mouse button over "Search" opens the pop-up
// menu mnublha at the mouse pointer; other buttons and the keyboard on "Search" open nothing.
// From the keyboard, Enter, the context-menu key and Shift+F10 on the list open it at the
// selected entry. Its items ask for a search of the selected account in the download log, the
// upload log or both.
class Form4 : public ListDialog {
    Q_OBJECT
public:
    explicit Form4(QWidget* owner);

    QMenu* popupMenu() const { return popup_; }

signals:
    void searchDownloadChosen();
    void searchUploadsChosen();
    void searchBothChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createPopupMenu();
    bool listKeyOpensPopup(const QEvent* event) const;
    void openPopupAtEntry();

    QMenu* popup_ = nullptr;
};

} // namespace quorvel::gui
