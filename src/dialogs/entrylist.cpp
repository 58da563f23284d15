// SPDX-License-Identifier: MIT
#include "dialogs/entrylist.h"

#include "core/nameorder.h"
#include "gui/textcodec.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace quorvel::gui {

namespace {

// The first eight bytes of a name in name order as one number: ASCII letters folded to lower
// case, a shorter name filled with zero bytes. A smaller number means a name listed earlier;
// names with the same number are compared whole.
std::uint64_t foldedPrefix(std::string_view name)
{
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        auto byte = static_cast<unsigned char>(i < name.size() ? name[i] : '\0');
        if (byte >= 'A' && byte <= 'Z')
            byte = static_cast<unsigned char>(byte - 'A' + 'a');
        prefix = prefix << 8 | byte;
    }
    return prefix;
}

// The entries in name order, equal ones in the order given. Comparing the prefixes first
// settles most comparisons of a long list without reading its names.
std::vector<std::string> sortedCopies(std::span<const std::string_view> entries)
{
    struct Keyed {
        std::uint64_t prefix;
        std::string_view name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (const std::string_view entry : entries)
        keyed.push_back({foldedPrefix(entry), entry});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) {
        return x.prefix != y.prefix ? x.prefix < y.prefix : nameOrder(x.name, y.name);
    });
    std::vector<std::string> sorted;
    sorted.reserve(keyed.size());
    for (const Keyed& entry : keyed)
        sorted.emplace_back(entry.name);
    return sorted;
}

} // namespace

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
    std::vector<std::string> added = sortedCopies(entries);
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
