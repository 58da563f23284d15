// SPDX-License-Identifier: MIT
#include "platform/qt/perioddialog.h"
#include "platform/qt/qtplatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using quorvel::SaveDialogRequest;
using quorvel::gui::QtPlatform;

namespace {

// Runs inspect on the modal dialog that the next call opens. Whatever inspect finds, the
// dialog is closed afterwards, so a failed check cannot leave the test waiting.
template <class DialogType>
void whenModalOpens(std::function<void(DialogType*)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* dialog = qobject_cast<DialogType*>(modal))
            inspect(dialog);
        else
            QTest::qFail("the expected modal dialog is not open", __FILE__, __LINE__);
        if (modal && modal->isVisible())
            modal->reject();
    });
}

SaveDialogRequest saveRequest(const QString& folder)
{
    SaveDialogRequest request;
    request.title = "Save Log Information";
    request.proposedName = "log results.txt";
    request.initialFolder = QFile::encodeName(folder).toStdString();
    request.filters = {{"Text Files", "*.txt"}, {"All Files", "*.*"}};
    request.defaultSuffix = "txt";
    return request;
}

} // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void okCancelQuestionHasNoIconAndOkAsDefault_data();
    void okCancelQuestionHasNoIconAndOkAsDefault();
    void saveDialogOffersTheRequest();
    void saveDialogAddsTheDefaultSuffix();
    void cancelledSaveDialogGivesNothing();
    void folderPickerStartsAtTheServerFolder_data();
    void folderPickerStartsAtTheServerFolder();
    void folderPickerShowsOnlyFolders();
    void errorNamingMarkupShowsItAsText();
    void periodDialogGivesItsDatesOrAllTime_data();
    void periodDialogGivesItsDatesOrAllTime();
    void periodDateTypedWholeOverASelectedField_data();
    void periodDateTypedWholeOverASelectedField();
    void periodDateArrowOpensTheCalendarAndSelectsNothing();
};

void QtPlatformTest::okCancelQuestionHasNoIconAndOkAsDefault_data()
{
    QTest::addColumn<bool>("pressOk");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void QtPlatformTest::okCancelQuestionHasNoIconAndOkAsDefault()
{
    QFETCH(bool, pressOk);
    QtPlatform platform;
    whenModalOpens<QMessageBox>([pressOk](QMessageBox* box) {
        QCOMPARE(box->windowTitle(), QString("Load upload log"));
        QCOMPARE(box->text(), QString("Load it?"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Ok));
        box->button(pressOk ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    QCOMPARE(platform.askOkCancel("Load it?", "Load upload log"), pressOk);
}

void QtPlatformTest::saveDialogOffersTheRequest()
{
    QTemporaryDir folder;
    QtPlatform platform;
    whenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Save Log Information"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), QStringList({"Text Files (*.txt)", "All Files (*.*)"}));
        QCOMPARE(dialog->selectedNameFilter(), QString("Text Files (*.txt)"));
        QCOMPARE(dialog->defaultSuffix(), QString("txt"));
        QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), QString("log results.txt"));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides accept()
    });
    const auto chosen = platform.askSaveFileName(saveRequest(folder.path()));
    QVERIFY(chosen);
    QCOMPARE(QString::fromStdString(*chosen), QDir(folder.path()).filePath("log results.txt"));
}

void QtPlatformTest::saveDialogAddsTheDefaultSuffix()
{
    QTemporaryDir folder;
    QtPlatform platform;
    whenModalOpens<QFileDialog>([](QFileDialog* dialog) {
        dialog->selectFile("report");
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides accept()
    });
    const auto chosen = platform.askSaveFileName(saveRequest(folder.path()));
    QVERIFY(chosen);
    QCOMPARE(QString::fromStdString(*chosen), QDir(folder.path()).filePath("report.txt"));
}

void QtPlatformTest::cancelledSaveDialogGivesNothing()
{
    QTemporaryDir folder;
    QtPlatform platform;
    whenModalOpens<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QVERIFY(!platform.askSaveFileName(saveRequest(folder.path())));
}

// Rows: the server folder the picker is given; it opens there when the folder exists, at
// home otherwise (not in the working directory).
void QtPlatformTest::folderPickerStartsAtTheServerFolder_data()
{
    QTest::addColumn<QString>("leaf");
    QTest::addColumn<bool>("atServer");
    QTest::newRow("server folder") << "server" << true;
    QTest::newRow("no server folder") << "" << false;
    QTest::newRow("server folder gone") << "gone" << false;
}

void QtPlatformTest::folderPickerStartsAtTheServerFolder()
{
    QFETCH(QString, leaf);
    QFETCH(bool, atServer);
    QTemporaryDir root;
    QDir(root.path()).mkdir("server");
    const QString server = leaf.isEmpty() ? QString() : QDir(root.path()).filePath(leaf);
    QtPlatform platform;
    platform.setBrowseStart([&] { return QFile::encodeName(server).toStdString(); });
    QString opened;
    whenModalOpens<QFileDialog>([&](QFileDialog* dialog) { opened = dialog->directory().absolutePath(); });
    platform.browseForFolder("Select your Hotline Server Folder");
    QCOMPARE(opened, atServer ? QDir(server).absolutePath() : QDir::homePath());
}

void QtPlatformTest::folderPickerShowsOnlyFolders()
{
    QtPlatform platform;
    whenModalOpens<QFileDialog>([](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Select your Hotline Server Folder"));
        QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
        QVERIFY(dialog->testOption(QFileDialog::ShowDirsOnly));
        dialog->reject();
    });
    QVERIFY(!platform.browseForFolder("Select your Hotline Server Folder"));
}

// A path is anybody's choice: markup in it must not reach the rich-text engine, where
// <img src="/dev/zero"> reads until memory runs out.
void QtPlatformTest::errorNamingMarkupShowsItAsText()
{
    const QString message = QStringLiteral("Cannot save '<img src=\"/dev/zero\"><b>x</b>': Permission denied");
    QtPlatform platform;
    whenModalOpens<QMessageBox>([message](QMessageBox* box) {
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), message);
    });
    platform.showError("Save Log Information", message.toStdString());
}

void QtPlatformTest::periodDialogGivesItsDatesOrAllTime_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("fromOn");
    QTest::newRow("OK with From on") << "cmdok" << true;
    QTest::newRow("OK with From off") << "cmdok" << false;
    QTest::newRow("All Time") << "cmdalltime" << true;
}

// The dialog opens on the dates it is given; OK is refused while From is after To, and gives
// the dates with the ends switched on; "All Time" gives both ends off.
void QtPlatformTest::periodDialogGivesItsDatesOrAllTime()
{
    QFETCH(QString, button);
    QFETCH(bool, fromOn);
    QtPlatform platform;
    whenModalOpens<QDialog>([button, fromOn](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), QString("frmperiod"));
        auto* from = dialog->findChild<QDateEdit*>(QStringLiteral("dtpfrom"));
        auto* to = dialog->findChild<QDateEdit*>(QStringLiteral("dtpto"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdok"));
        QCOMPARE(from->date(), QDate(2001, 1, 5));
        QCOMPARE(to->displayFormat(), QString("yyyy-MM-dd"));
        from->setDate(QDate(2001, 4, 1));
        QVERIFY(!ok->isEnabled());
        from->setDate(QDate(2001, 2, 1));
        QVERIFY(ok->isEnabled());
        dialog->findChild<QCheckBox*>(QStringLiteral("chkfrom"))->setChecked(fromOn);
        QVERIFY(from->isEnabled() == fromOn);
        dialog->findChild<QPushButton*>(button)->click();
    });
    const auto chosen = platform.askPeriod({{2001, 1, 5}, {2001, 3, 31}, true, true});
    QVERIFY(chosen);
    if (button == "cmdalltime") {
        QVERIFY(!chosen->fromOn && !chosen->toOn);
        return;
    }
    QCOMPARE(chosen->fromOn, fromOn);
    QVERIFY(chosen->toOn);
    QCOMPARE(QDate(chosen->from.year, chosen->from.month, chosen->from.day), QDate(2001, 2, 1));
    QCOMPARE(QDate(chosen->to.year, chosen->to.month, chosen->to.day), QDate(2001, 3, 31));
}

// Rows: the keys typed after a click into From ("\b" is Backspace, "\t" Tab), a key pressed
// then (Qt::Key_unknown: none), and the date From then holds; it was 2001-01-05. The click that
// gives a field the focus selects all of it.
void QtPlatformTest::periodDateTypedWholeOverASelectedField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("then");
    QTest::addColumn<QDate>("date");
    const int none = Qt::Key_unknown;
    QTest::newRow("a whole date, year and all") << "2002-06-01" << none << QDate(2002, 6, 1);
    QTest::newRow("an earlier year") << "1999-12-31" << none << QDate(1999, 12, 31);
    QTest::newRow("a leap day") << "2004-02-29" << none << QDate(2004, 2, 29);
    QTest::newRow("taken back and typed again") << "2002-07\b\b8-01" << none << QDate(2002, 8, 1);
    QTest::newRow("one-digit month and day, then Tab") << "2002-6-1\t" << none << QDate(2002, 6, 1);
    QTest::newRow("one-digit month and day, then the focus leaves") << "2002-6-1" << none << QDate(2002, 6, 1);
    QTest::newRow("one-digit month and day, then Up steps the date typed")
        << "2002-6-1" << int(Qt::Key_Up) << QDate(2002, 6, 2);
    QTest::newRow("no real day") << "2002-02-30" << none << QDate(2001, 1, 5);
    QTest::newRow("no real month") << "2002-13-01" << none << QDate(2001, 1, 5);
    QTest::newRow("a three-digit day") << "2002-6-011" << none << QDate(2001, 1, 5);
    QTest::newRow("cut short") << "2002-06-" << none << QDate(2001, 1, 5);
}

void QtPlatformTest::periodDateTypedWholeOverASelectedField()
{
    QFETCH(QString, typed);
    QFETCH(int, then);
    QFETCH(QDate, date);
    quorvel::gui::PeriodDialog dialog({{2001, 1, 5}, {2001, 3, 31}, true, true}, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* from = dialog.findChild<QDateEdit*>(QStringLiteral("dtpfrom"));
    auto* to = dialog.findChild<QDateEdit*>(QStringLiteral("dtpto"));
    auto* fromText = from->findChild<QLineEdit*>();
    to->setFocus();
    QTest::mouseClick(fromText, Qt::LeftButton, {}, QPoint(fromText->width() / 2, fromText->height() / 2));
    QVERIFY(from->hasFocus());
    QCOMPARE(fromText->selectedText(), QString("2001-01-05"));
    QTest::keyClicks(from, typed);
    // Ten characters are a whole date: taken at once, before the focus leaves.
    if (typed.size() == 10)
        QCOMPARE(from->date(), date);
    if (then != Qt::Key_unknown)
        QTest::keyClick(from, Qt::Key(then));
    auto* toText = to->findChild<QLineEdit*>();
    QTest::mouseClick(toText, Qt::LeftButton, {}, QPoint(2, toText->height() / 2));
    QCOMPARE(from->date(), date);
    QCOMPARE(fromText->text(), date.toString(Qt::ISODate));
    QCOMPARE(toText->selectedText(), QString("2001-03-31"));
    // A click into the field that has the focus places the cursor, as anywhere else.
    QTest::mouseClick(toText, Qt::LeftButton, {}, QPoint(2, toText->height() / 2));
    QVERIFY(!toText->hasSelectedText());
    // Back in From, a whole date is typed afresh.
    QTest::mouseClick(fromText, Qt::LeftButton, {}, QPoint(2, fromText->height() / 2));
    QTest::keyClicks(from, QStringLiteral("2003-03-03"));
    QCOMPARE(from->date(), QDate(2003, 3, 3));
    // A field that the keyboard gave the focus is clicked as any other.
    to->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(toText, Qt::LeftButton, {}, QPoint(2, toText->height() / 2));
    QVERIFY(!toText->hasSelectedText());
}

// A click on a date field's arrow gives it the focus too, but opens the calendar: once that is
// closed, a click into the text places the cursor.
void QtPlatformTest::periodDateArrowOpensTheCalendarAndSelectsNothing()
{
    quorvel::gui::PeriodDialog dialog({{2001, 1, 5}, {2001, 3, 31}, true, true}, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* from = dialog.findChild<QDateEdit*>(QStringLiteral("dtpfrom"));
    auto* fromText = from->findChild<QLineEdit*>();
    dialog.findChild<QDateEdit*>(QStringLiteral("dtpto"))->setFocus();
    QTest::mouseClick(from, Qt::LeftButton, {}, QPoint(from->width() - 4, from->height() / 2));
    QWidget* calendar = QApplication::activePopupWidget();
    QVERIFY(calendar);
    calendar->close();
    QTRY_VERIFY(from->hasFocus());
    QTest::mouseClick(fromText, Qt::LeftButton, {}, QPoint(2, fromText->height() / 2));
    QVERIFY(!fromText->hasSelectedText());
    QCOMPARE(from->date(), QDate(2001, 1, 5));
}

QTEST_MAIN(QtPlatformTest)
#include "tst_qtplatform.moc"
