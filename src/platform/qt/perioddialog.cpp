// SPDX-License-Identifier: MIT
#include "platform/qt/perioddialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace quorvel::gui {

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd");

// A date field that takes a date typed whole. A date edit's own typing works section by
// section, and keeps the year when a whole date is typed over its selected text; this field
// takes what is typed over all of its text as one date instead: a click that gives it the focus
// selects all of it, and the characters typed then (digits and "-", Backspace to take one back)
// are shown as typed and become the date once they are ten, or at any other key or when the
// focus leaves. Text that names no real day leaves the date as it was.
class DateField : public QDateEdit {
public:
    DateField(const QDate& date, QWidget* parent) : QDateEdit(date, parent)
    {
        setDisplayFormat(dateFormat);
        lineEdit()->installEventFilter(this);
    }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QDateEdit::focusInEvent(event);
        selectOnRelease_ = event->reason() == Qt::MouseFocusReason;
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        finishTyping();
        QDateEdit::focusOutEvent(event);
    }
    // The click that gave the focus placed the cursor on its press; its release selects all.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease && selectOnRelease_) {
            selectOnRelease_ = false;
            lineEdit()->selectAll();
        }
        return QDateEdit::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const QString text = event->text();
        const bool dateCharacter =
            text.size() == 1 &&
            ((text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) || text[0] == QLatin1Char('-')) &&
            !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
        if (dateCharacter && (typing_ || allSelected())) {
            if (!typing_) {
                typed_.clear();
                // What is shown while typing is not read as the date.
                setKeyboardTracking(false);
            }
            typing_ = true;
            typed_ += text;
            lineEdit()->setText(typed_);
            if (typed_.size() == dateFormat.size())
                finishTyping();
            event->accept();
            return;
        }
        if (typing_ && event->key() == Qt::Key_Backspace && !typed_.isEmpty()) {
            typed_.chop(1);
            lineEdit()->setText(typed_);
            event->accept();
            return;
        }
        finishTyping();
        QDateEdit::keyPressEvent(event);
    }

private:
    bool allSelected() const
    {
        return lineEdit()->hasSelectedText() && lineEdit()->selectedText().size() == lineEdit()->text().size();
    }
    // Ends the typing of a whole date: the field shows a date again, the typed one if it is real
    // (single-digit months and days are taken too).
    void finishTyping()
    {
        if (!typing_)
            return;
        typing_ = false;
        lineEdit()->setText(textFromDateTime(dateTime()));
        setKeyboardTracking(true);
        static const QRegularExpression form(QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$"));
        const QRegularExpressionMatch parts = form.match(typed_);
        // A date made of numbers that name no real day is invalid (QDate::fromString would move
        // 2002-02-30 to the 28th).
        const QDate typed = parts.hasMatch()
                                ? QDate(parts.captured(1).toInt(), parts.captured(2).toInt(), parts.captured(3).toInt())
                                : QDate();
        if (typed.isValid())
            setDate(typed);
    }

    bool selectOnRelease_ = false;
    bool typing_ = false;
    QString typed_;
};

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
    edit = new DateField(qdate(day), this);
    edit->setObjectName(QStringLiteral("dtp") + QLatin1String(name));
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
