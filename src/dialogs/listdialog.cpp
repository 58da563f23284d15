// SPDX-License-Identifier: MIT
#include "dialogs/listdialog.h"

#include "core/nameorder.h"
#include "gui/textcodec.h"
#include "gui/twips.h"

#include <QIcon>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <vector>

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
    list_ = new QListWidget(this);
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
    list_->clear();
}

// The new entries are sorted, then merged into the list, which is already in order (and
// empty, when a list is built).
void ListDialog::addEntries(std::span<const std::string_view> entries)
{
    std::vector<std::string_view> sorted(entries.begin(), entries.end());
    std::stable_sort(sorted.begin(), sorted.end(), nameOrder);
    list_->setUpdatesEnabled(false);
    int row = 0;
    for (const std::string_view entry : sorted) {
        while (row < list_->count() && !nameOrder(entry, entryAt(row)))
            ++row;
        auto* item = new QListWidgetItem(decodeLine(entry));
        item->setData(Qt::UserRole, QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
        list_->insertItem(row++, item);
    }
    list_->setUpdatesEnabled(true);
    if (isVisible())
        selectFirstWhenNone();
}

std::string ListDialog::entryAt(int row) const
{
    const QByteArray bytes = list_->item(row)->data(Qt::UserRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::string ListDialog::selectedEntry() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? std::string() : entryAt(list_->row(selected.first()));
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
    if (list_->count() > 0 && list_->selectedItems().isEmpty())
        list_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
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
    connect(list(), &QListWidget::itemDoubleClicked, this, [this] {
        if (commandsEnabled())
            emit searchChosen();
    });
}

} // namespace quorvel::gui
