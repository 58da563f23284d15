// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QPushButton;

namespace quorvel::gui {

// The "Period..." dialog: a From and a To date, each with a box that switches it on or off,
// and the buttons OK, "All Time" and Cancel. OK is disabled while both dates are on and From
// is after To. Dates are entered and shown as YYYY-MM-DD: a click into a date field selects all
// of it, and a whole date typed over it is taken as that date.
class PeriodDialog : public QDialog {
    Q_OBJECT
public:
    PeriodDialog(const PeriodDialogDates& shown, QWidget* owner);

    // What OK gives; after "All Time", both ends are off.
    PeriodDialogDates dates() const;

private:
    void addRow(const char* name, const QString& caption, const CalendarDay& day, bool on, QCheckBox*& box,
                QDateEdit*& edit);
    void updateOk();

    QCheckBox* fromOn_ = nullptr;
    QCheckBox* toOn_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool allTime_ = false;
};

} // namespace quorvel::gui
