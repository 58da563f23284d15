// SPDX-License-Identifier: MIT
#include "dialogs/listdialog.h"

#include "dialogs/entrylist.h"
#include "gui/twips.h"

#include <QIcon>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace quorvel::gui {

namespace {

QRect placeOf(const ControlDesign& c)
{
    return twipsRect(c.left, c.top, c.width, c.height);
}

QPushButton* createButton(QWidget* parent, const char* name, const char* caption, const ControlDesign& design)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setGeometry(placeOf(design));
    return button;
}

} // namespace

ListDialog::ListDialog(const DialogDesign& design, QWidget* owner) : QDialog(owner)
{
    setObjectName(QString::fromLatin1(design.objectName));
    setWindowTitle(QString::fromLatin1(design.caption));
    // An explicitly empty icon: without it the dialog would show its owner's.
    setWindowIcon(QIcon());
    setModal(false);
    resize(twipsSize(design.clientWidth, design.clientHeight));
    createControls(design);
    setTabOrder(design);
    connect(command2_, &QPushButton::clicked, this, &ListDialog::cancelChosen);
}

void ListDialog::createControls(const DialogDesign& design)
{
    list_ = new QListView(this);
    entries_ = new EntryList(list_);
    list_->setModel(entries_);
    list_->setObjectName(QString::fromLatin1(design.listName));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    list_->setGeometry(placeOf(design.list));
    command1_ = createButton(this, "Command1", "Search", design.command1);
    command2_ = createButton(this, "Command2", "Cancel", design.command2);
}

void ListDialog::setTabOrder(const DialogDesign& design)
{
    std::array<std::pair<int, QWidget*>, 3> order{{
        {design.list.tabIndex, list_},
        {design.command1.tabIndex, command1_},
        {design.command2.tabIndex, command2_},
    }};
    std::sort(order.begin(), order.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    QWidget::setTabOrder(order[0].second, order[1].second);
    QWidget::setTabOrder(order[1].second, order[2].second);
}

void ListDialog::clearEntries()
{
    entries_->clear();
}

void ListDialog::addEntries(std::span<const std::string_view> entries)
{
    entries_->add(entries);
    if (isVisible())
        selectFirstWhenNone();
}

std::string ListDialog::selectedEntry() const
{
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::string() : entries_->entry(selected.first().row());
}

void ListDialog::showModeless()
{
    if (!placed_)
        centreOnOwner();
    placed_ = true;
    selectFirstWhenNone();
    show();
    raise();
    activateWindow();
    list_->setFocus();
}

// A list shows its first row as current without selecting it; "Search" would then search for
// nothing while the user sees a name.
void ListDialog::selectFirstWhenNone()
{
    if (entries_->rowCount() > 0 && !list_->selectionModel()->hasSelection())
        list_->selectionModel()->setCurrentIndex(entries_->index(0), QItemSelectionModel::ClearAndSelect);
}

void ListDialog::centreOnOwner()
{
    if (!parentWidget())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->frameGeometry().center());
    move(frame.topLeft());
}

void ListDialog::setCommandsEnabled(bool enabled)
{
    commandsEnabled_ = enabled;
    command1_->setEnabled(enabled);
    command2_->setEnabled(enabled);
}

PickDialog::PickDialog(const DialogDesign& design, QWidget* owner) : ListDialog(design, owner)
{
    command1()->setAutoDefault(true);
    command2()->setAutoDefault(true);
    command1()->setDefault(true);
    connect(command1(), &QPushButton::clicked, this, &PickDialog::searchChosen);
    connect(list(), &QListView::doubleClicked, this, [this] {
        if (commandsEnabled())
            emit searchChosen();
    });
}

} // namespace quorvel::gui
