// SPDX-License-Identifier: MIT
#include "dialogs/entrylist.h"

#include "core/nameorder.h"
#include "gui/textcodec.h"

#include <algorithm>
#include <iterator>

namespace quorvel::gui {

int EntryList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant EntryList::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return decodeLine(entry(index.row()));
}

void EntryList::clear()
{
    beginResetModel();
    entries_.clear();
    endResetModel();
}

// Everything that may fail for want of memory (the copies, the room for them) is done before
// the view is told of a change, so a failed add leaves the list as it was. Each run of new
// entries that goes between the same two listed ones is inserted at once: into an empty list,
// all of them in one insertion.
void EntryList::add(std::span<const std::string_view> entries)
{
    std::vector<std::string_view> sorted(entries.begin(), entries.end());
    std::stable_sort(sorted.begin(), sorted.end(), nameOrder);
    std::vector<std::string> added(sorted.begin(), sorted.end());
    entries_.reserve(entries_.size() + added.size());
    auto next = added.begin();
    auto row = entries_.begin();
    while (next != added.end()) {
        row = std::upper_bound(row, entries_.end(), *next, nameOrder);
        const auto runEnd = row == entries_.end() ? added.end() : std::lower_bound(next, added.end(), *row, nameOrder);
        const auto first = static_cast<int>(row - entries_.begin());
        beginInsertRows({}, first, first + static_cast<int>(runEnd - next) - 1);
        row = entries_.insert(row, std::make_move_iterator(next), std::make_move_iterator(runEnd)) + (runEnd - next);
        endInsertRows();
        next = runEnd;
    }
}

} // namespace quorvel::gui
