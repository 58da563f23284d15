// SPDX-License-Identifier: MIT
#include "platform/qt/perioddialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::gui {

namespace {

QDate qdate(const CalendarDay& day)
{
    return QDate(day.year, day.month, day.day);
}

CalendarDay calendarDay(const QDate& date)
{
    return {date.year(), date.month(), date.day()};
}

} // namespace

PeriodDialog::PeriodDialog(const PeriodDialogDates& shown, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmperiod"));
    setWindowTitle(QStringLiteral("Period"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    addRow("from", QStringLiteral("From"), shown.from, shown.fromOn, fromOn_, from_);
    addRow("to", QStringLiteral("To"), shown.to, shown.toOn, toOn_, to_);
    form->addRow(fromOn_, from_);
    form->addRow(toOn_, to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("cmdok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdcancel"));
    QPushButton* allTime = buttons->addButton(QStringLiteral("All Time"), QDialogButtonBox::ResetRole);
    allTime->setObjectName(QStringLiteral("cmdalltime"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(allTime, &QPushButton::clicked, this, [this] {
        allTime_ = true;
        accept();
    });
    updateOk();
}

void PeriodDialog::addRow(const char* name, const QString& caption, const CalendarDay& day, bool on, QCheckBox*& box,
                          QDateEdit*& edit)
{
    box = new QCheckBox(caption, this);
    box->setObjectName(QStringLiteral("chk") + QLatin1String(name));
    box->setChecked(on);
    edit = new QDateEdit(qdate(day), this);
    edit->setObjectName(QStringLiteral("dtp") + QLatin1String(name));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    edit->setEnabled(on);
    connect(box, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    connect(box, &QCheckBox::toggled, this, &PeriodDialog::updateOk);
    connect(edit, &QDateEdit::dateChanged, this, &PeriodDialog::updateOk);
}

void PeriodDialog::updateOk()
{
    ok_->setEnabled(!(fromOn_->isChecked() && toOn_->isChecked() && from_->date() > to_->date()));
}

PeriodDialogDates PeriodDialog::dates() const
{
    return {calendarDay(from_->date()), calendarDay(to_->date()), !allTime_ && fromOn_->isChecked(),
            !allTime_ && toOn_->isChecked()};
}

} // namespace quorvel::gui
