// SPDX-License-Identifier: MIT
#include "dialogs/form4.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace quorvel::gui {

Form4::Form4(QWidget* owner) : ListDialog(dialogDesign(Dialog::Accounts), owner)
{
    createPopupMenu();
    command1()->installEventFilter(this);
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
    return ListDialog::eventFilter(watched, event);
}

} // namespace quorvel::gui
