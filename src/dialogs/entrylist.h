// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::gui {

// The entries of a list box: their exact bytes, kept in name order (core/nameorder.h), equal
// entries in the order they were added. A row's text is decoded only when a view asks for it,
// so a list of many thousand names costs its bytes and no text until rows are shown; typing
// the first letters of a name finds it as in any list (the view matches the shown text,
// without case, from the current row on).
class EntryList : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const std::string& entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }

    void clear();
    // Adds the entries at their places, after the equal ones already listed. Rows already
    // listed stay the same entries, so a selection stays on its entry.
    void add(std::span<const std::string_view> entries);

private:
    std::vector<std::string> entries_;
};

} // namespace quorvel::gui
