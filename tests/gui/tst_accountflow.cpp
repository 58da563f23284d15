// SPDX-License-Identifier: MIT
// "Search" > "Accounts" driven from the menu through the dialog's pop-up to the output box.
#include "guitest.h"
#include "reportrun.h"

#include "dialogs/form4.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using quorvel::Dialog;
using quorvel::gui::Form4;
using quorvel::test::clickRow;
using quorvel::test::entries;
using quorvel::test::GuiWorld;

namespace {

constexpr char downloadLog[] = "d1\tip\tbob\tBob\ta.txt\r\n"
                               "d2\tip\tann\tAnn\tb.txt\r\n"
                               "d3\tip\tbob\tBob\tb.txt\r\n";
constexpr char uploadLog[] = "u1\tip\tbob\tCarl\tc.sit\r\n"
                             "u2\tip\tann\tDora\td.sit\r\n"
                             "u3\tip\tann\tCarl\td.sit\r\n";

// A program started on a server with the accounts ann, bob and carl and both logs.
void startWithAccounts(GuiWorld& world)
{
    for (const char* account : {"carl", "bob", "ann"})
        world.server.addAccount(account);
    world.server.writeDownloadLog(downloadLog);
    world.server.writeUploadLog(uploadLog);
    world.restart();
}

Form4& openAccounts(GuiWorld& world)
{
    world.action("mnusearchaccounts")->trigger();
    auto* dialog = qobject_cast<Form4*>(world.form->existingDialog(Dialog::Accounts));
    [&] {
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }();
    return *dialog;
}

// Chooses an item of the open pop-up with the mouse, as the user does.
void chooseFromPopup(QMenu* popup, const QString& item)
{
    QAction* action = popup->findChild<QAction*>(item);
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
}

} // namespace

class AccountFlowTest : public QObject {
    Q_OBJECT

private slots:
    void popupItemSearchesTheSelectedAccount_data();
    void popupItemSearchesTheSelectedAccount();
    void onlyALeftButtonReleaseOpensThePopup();
    void dismissingThePopupStartsNothing();
    void cancelHidesAndReopeningKeepsTheSelection();
    void keyboardOnTheListOpensThePopupAtTheSelectedEntry_data();
    void keyboardOnTheListOpensThePopupAtTheSelectedEntry();
    void otherKeysOrABusyWindowOpenNothing();
    void firstUseWithoutFolderAsksForItAndListsTheAccounts();
    void searchBothWithALogDeclinedKeepsText1();
};

// Rows: each pop-up item on a selected account; the dialog hides and Text1 holds exactly what
// the report tool prints for the same account.
void AccountFlowTest::popupItemSearchesTheSelectedAccount_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("download, bob") << "mnusearchdownload" << 1 << "account-downloads"
                                   << QByteArray("Files that bob has downloaded...\r\n\r\nd1: a.txt\r\nd3: b.txt\r\n");
    QTest::newRow("uploads, ann") << "mnusearchuploads" << 0 << "account-uploads"
                                  << QByteArray("Files that ann has uploaded...\r\n\r\nu2: d.sit\r\nu3: d.sit\r\n");
    QTest::newRow("both, bob") << "mnusearchboth" << 1 << "account-both"
                               << QByteArray("Files that bob has downloaded...\r\n\r\nd1: a.txt\r\nd3: b.txt\r\n"
                                             "\r\n\r\nFiles that bob has uploaded...\r\n\r\nu1: c.sit\r\n");
    QTest::newRow("both, carl without transfers")
        << "mnusearchboth" << 2 << "account-both"
        << QByteArray("Files that carl has downloaded...\r\n\r\n\r\n\r\nFiles that carl has uploaded...\r\n\r\n");
}

void AccountFlowTest::popupItemSearchesTheSelectedAccount()
{
    QFETCH(QString, item);
    QFETCH(int, row);
    QFETCH(QString, verb);
    QFETCH(QByteArray, output);
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    QCOMPARE(entries(dialog.list()), QStringList({"ann", "bob", "carl"}));
    clickRow(dialog.list(), row);
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    QMenu* popup = dialog.popupMenu();
    QVERIFY(popup->isVisible());
    chooseFromPopup(popup, item);
    QVERIFY(!popup->isVisible());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QByteArray::fromStdString(world.form->outputText()), output);
    QCOMPARE(world.lblinfo()->text(), QString("Done..."));
    const std::string account = entries(dialog.list())[row].toStdString();
    QCOMPARE(QByteArray::fromStdString(quorvel::test::reportOn(world.server, {verb.toStdString(), account}).out),
             output);
    QVERIFY(!world.form->analyzer().busy);
}

// Other mouse buttons and the keyboard neither open the pop-up nor search anything.
void AccountFlowTest::onlyALeftButtonReleaseOpensThePopup()
{
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    clickRow(dialog.list(), 1);
    world.lblinfo()->setText("unchanged");
    QPushButton* search = dialog.command1();
    QTest::mouseClick(search, Qt::RightButton);
    QTest::mouseClick(search, Qt::MiddleButton);
    search->setFocus();
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(search, key);
    QVERIFY(!dialog.popupMenu()->isVisible());
    QVERIFY(dialog.isVisible());
    QCOMPARE(world.form->outputText(), std::string());
    QCOMPARE(world.lblinfo()->text(), QString("unchanged"));
    QVERIFY(world.platform.questions.empty());
    QTest::mouseClick(search, Qt::LeftButton);
    QVERIFY(dialog.popupMenu()->isVisible());
}

void AccountFlowTest::dismissingThePopupStartsNothing()
{
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    clickRow(dialog.list(), 0);
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    QTest::keyClick(dialog.popupMenu(), Qt::Key_Escape);
    QVERIFY(!dialog.popupMenu()->isVisible());
    QVERIFY(dialog.isVisible());
    QCOMPARE(world.form->outputText(), std::string());
    QVERIFY(!world.state().download.loaded);
}

void AccountFlowTest::cancelHidesAndReopeningKeepsTheSelection()
{
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    clickRow(dialog.list(), 0);
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    chooseFromPopup(dialog.popupMenu(), "mnusearchdownload");
    const std::string output = world.form->outputText();
    QCOMPARE(output, std::string("Files that ann has downloaded...\r\n\r\nd2: b.txt\r\n"));
    QCOMPARE(&openAccounts(world), &dialog);
    QCOMPARE(world.form->selectedEntry(Dialog::Accounts), std::string("ann"));
    clickRow(dialog.list(), 2);
    QTest::mouseClick(dialog.command2(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.form->outputText(), output);
    openAccounts(world);
    QCOMPARE(entries(dialog.list()), QStringList({"ann", "bob", "carl"}));
    QCOMPARE(world.form->selectedEntry(Dialog::Accounts), std::string("carl"));
}

// Rows: the keys that open the pop-up from the list. The menu opens below the selected entry,
// and an item chosen with the keyboard searches for that entry, which arrow keys picked.
void AccountFlowTest::keyboardOnTheListOpensThePopupAtTheSelectedEntry_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("context-menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void AccountFlowTest::keyboardOnTheListOpensThePopupAtTheSelectedEntry()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    QCOMPARE(QApplication::focusWidget(), dialog.list());
    QTest::keyClick(dialog.list(), Qt::Key_Down);
    QCOMPARE(world.form->selectedEntry(Dialog::Accounts), std::string("bob"));
    QTest::keyClick(dialog.list(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QMenu* popup = dialog.popupMenu();
    QVERIFY(popup->isVisible());
    const QRect entry = quorvel::test::rowRect(dialog.list(), 1);
    QCOMPARE(popup->pos(), dialog.list()->viewport()->mapToGlobal(entry.bottomLeft()));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.form->outputText(),
             std::string("Files that bob has downloaded...\r\n\r\nd1: a.txt\r\nd3: b.txt\r\n"));
}

// Other keys on the list, and any key while a command runs, open nothing.
void AccountFlowTest::otherKeysOrABusyWindowOpenNothing()
{
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_F10, Qt::Key_A})
        QTest::keyClick(dialog.list(), key);
    QVERIFY(!dialog.popupMenu()->isVisible());
    world.form->setCommandsEnabled(false);
    QTest::keyClick(dialog.list(), Qt::Key_Return);
    QVERIFY(!dialog.popupMenu()->isVisible());
    world.form->setCommandsEnabled(true);
    QVERIFY(dialog.isVisible());
}

// A program started without a server folder asks for it at the first "Accounts" and opens
// the dialog with the accounts of the chosen folder, not empty.
void AccountFlowTest::firstUseWithoutFolderAsksForItAndListsTheAccounts()
{
    GuiWorld world(GuiWorld::Start::WithoutServer);
    for (const char* account : {"bob", "ann"})
        world.server.addAccount(account);
    world.platform.folderAnswers.push_back(world.server.folder());
    Form4& dialog = openAccounts(world);
    QCOMPARE(world.platform.browseTitles.size(), std::size_t{1});
    QVERIFY(dialog.isVisible());
    QCOMPARE(entries(dialog.list()), QStringList({"ann", "bob"}));
    openAccounts(world);
    QCOMPARE(world.platform.browseTitles.size(), std::size_t{1});
    QCOMPARE(dialog.list()->model()->rowCount(), 2);
}

// "Search Both" with the upload log declined: the dialog is hidden, the status line says why
// and the output box keeps the earlier report.
void AccountFlowTest::searchBothWithALogDeclinedKeepsText1()
{
    GuiWorld world;
    startWithAccounts(world);
    Form4& dialog = openAccounts(world);
    clickRow(dialog.list(), 1);
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    chooseFromPopup(dialog.popupMenu(), "mnusearchdownload");
    const std::string output = world.form->outputText();
    openAccounts(world);
    world.platform.okAnswers = {false};
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    chooseFromPopup(dialog.popupMenu(), "mnusearchboth");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.lblinfo()->text(), QString("Must load log first..."));
    QCOMPARE(world.form->outputText(), output);
    QVERIFY(!world.state().upload.loaded);
}

QTEST_MAIN(AccountFlowTest)
#include "tst_accountflow.moc"
