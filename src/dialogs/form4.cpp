// SPDX-License-Identifier: MIT
#include "dialogs/form4.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace quorvel::gui {

Form4::Form4(QWidget* owner) : ListDialog(dialogDesign(Dialog::Accounts), owner)
{
    createPopupMenu();
    command1()->installEventFilter(this);
    list()->installEventFilter(this);
}

void Form4::createPopupMenu()
{
    popup_ = new QMenu(QStringLiteral("mnublah"), this);
    popup_->setObjectName(QStringLiteral("mnublha"));
    const auto addItem = [this](const char* name, const char* caption, void (Form4::*chosen)()) {
        QAction* item = popup_->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, chosen);
    };
    addItem("mnusearchdownload", "Search Download", &Form4::searchDownloadChosen);
    addItem("mnusearchuploads", "Search Uploads", &Form4::searchUploadsChosen);
    popup_->addSeparator()->setObjectName(QStringLiteral("mnusep1"));
    addItem("mnusearchboth", "Search Both", &Form4::searchBothChosen);
}

bool Form4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == command1() && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton && commandsEnabled())
            popup_->popup(release->globalPosition().toPoint());
    }
    if (watched == list() && listKeyOpensPopup(event)) {
        if (commandsEnabled())
            openPopupAtEntry();
        return true;
    }
    return ListDialog::eventFilter(watched, event);
}

// The context-menu key may reach the list as a key press or as a keyboard context-menu event,
// depending on the window system; either opens the menu once.
bool Form4::listKeyOpensPopup(const QEvent* event) const
{
    if (event->type() == QEvent::ContextMenu)
        return static_cast<const QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Menu ||
           (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

// Below the selected entry, or at the list's top when it is empty.
void Form4::openPopupAtEntry()
{
    const QModelIndexList selected = list()->selectionModel()->selectedIndexes();
    const QRect entry = selected.isEmpty() ? QRect() : list()->visualRect(selected.first());
    popup_->popup(list()->viewport()->mapToGlobal(entry.bottomLeft()));
}

} // namespace quorvel::gui
