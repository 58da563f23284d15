// SPDX-License-Identifier: MIT
#include "dialogs/entrylist.h"

#include "core/nameorder.h"
#include "gui/textcodec.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace quorvel::gui {

namespace {

// Eight bytes of a name from a place on, in name order, as one number: ASCII letters folded to
// lower case, bytes past the name's end zero.
std::uint64_t foldedWord(std::string_view name, std::size_t from)
{
    std::uint64_t word = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        auto byte = static_cast<unsigned char>(i < name.size() ? name[i] : '\0');
        if (byte >= 'A' && byte <= 'Z')
            byte = static_cast<unsigned char>(byte - 'A' + 'a');
        word = word << 8 | byte;
    }
    return word;
}

// The entries in name order, equal ones in the order given. The first sixteen bytes of each
// name, as two numbers, settle most comparisons of a long list without reading its names: a
// smaller pair means a name listed earlier, and names with the same pair are compared whole.
std::vector<std::string> sortedCopies(std::span<const std::string_view> entries)
{
    struct Keyed {
        std::uint64_t first;
        std::uint64_t second;
        std::string_view name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (const std::string_view entry : entries)
        keyed.push_back({foldedWord(entry, 0), foldedWord(entry, 8), entry});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) {
        if (x.first != y.first)
            return x.first < y.first;
        return x.second != y.second ? x.second < y.second : nameOrder(x.name, y.name);
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
