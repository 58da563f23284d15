// SPDX-License-Identifier: MIT
#include "guitest.h"

#include "dialogs/form4.h"

#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using quorvel::Dialog;
using quorvel::gui::ListDialog;
using quorvel::test::doubleClickRow;
using quorvel::test::GuiWorld;

namespace {

int windowsNamed(const QString& name)
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += window->objectName() == name ? 1 : 0;
    return count;
}

// A list with three entries, the second one selected.
ListDialog& filledDialog(GuiWorld& world, Dialog which)
{
    world.fill(which, {"alpha", "beta", "gamma"});
    ListDialog& dialog = *world.form->existingDialog(which);
    quorvel::test::selectRow(dialog.list(), 1);
    return dialog;
}

// The widget that Tab moves to from w.
QWidget* nextTabStop(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void design_data();
    void design();
    void firstTouchCreatesTheDialogHidden_data();
    void firstTouchCreatesTheDialogHidden();
    void showIsModelessAndCentredOnTheMainWindow();
    void titleBarCloseHidesAndKeepsListAndSelection();
    void entriesKeepTheirExactBytes();
    void entriesAreShownInNameOrder_data();
    void entriesAreShownInNameOrder();
    void shownWithNothingSelectedSelectsTheFirstEntry_data();
    void shownWithNothingSelectedSelectsTheFirstEntry();
    void pickDialogKeyboard_data();
    void pickDialogKeyboard();
    void pickDialogSearchAndCancelHide_data();
    void pickDialogSearchAndCancelHide();
    void pickDialogIgnoresButtonsAndDoubleClickWhileACommandRuns();
    void accountsPopupOpensOnlyOnLeftRelease();
    void accountsPopupItems();
    void accountsPopupItemHidesTheDialog_data();
    void accountsPopupItemHidesTheDialog();
    void accountsCancelHides();
};

// Rows: one per dialog with its design; a wrong caption, size, place or tab order fails.
void DialogsTest::design_data()
{
    QTest::addColumn<Dialog>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("list");
    QTest::addColumn<QRect>("search");
    QTest::addColumn<QRect>("cancel");
    QTest::addColumn<QStringList>("tabOrder");
    const QRect namesList(0, 8, 193, 147), filesList(8, 8, 329, 147);
    QTest::newRow("frmdownnames") << Dialog::DownNames << "Download Names"
                                  << "lstnames" << QSize(310, 164) << namesList << QRect(216, 32, 81, 33)
                                  << QRect(216, 104, 81, 33) << QStringList{"Command2", "Command1", "lstnames"};
    QTest::newRow("frmupnames") << Dialog::UpNames << "Upload Names"
                                << "lstnames" << QSize(310, 164) << namesList << QRect(216, 32, 81, 33)
                                << QRect(216, 104, 81, 33) << QStringList{"Command2", "Command1", "lstnames"};
    QTest::newRow("frmdownfiles") << Dialog::DownFiles << "Downloaded Files"
                                  << "lstfiles" << QSize(442, 163) << filesList << QRect(352, 24, 81, 33)
                                  << QRect(352, 96, 81, 33) << QStringList{"lstfiles", "Command1", "Command2"};
    QTest::newRow("frmupfiles") << Dialog::UpFiles << "Uploaded Files"
                                << "lstfiles" << QSize(442, 163) << filesList << QRect(352, 24, 81, 33)
                                << QRect(352, 96, 81, 33) << QStringList{"lstfiles", "Command1", "Command2"};
    QTest::newRow("Form4") << Dialog::Accounts << "Search Accounts"
                           << "lstusers" << QSize(329, 159) << QRect(8, 16, 225, 134) << QRect(240, 32, 81, 33)
                           << QRect(240, 104, 81, 33) << QStringList{"lstusers", "Command2", "Command1"};
}

void DialogsTest::design()
{
    QFETCH(Dialog, which);
    QFETCH(QString, caption);
    QFETCH(QString, listName);
    QFETCH(QSize, client);
    QFETCH(QRect, list);
    QFETCH(QRect, search);
    QFETCH(QRect, cancel);
    QFETCH(QStringList, tabOrder);
    GuiWorld world;
    world.form->showDialog(which);
    ListDialog* dialog = world.form->existingDialog(which);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(dialog->windowTitle(), caption);
    QVERIFY(dialog->windowIcon().isNull());
    QCOMPARE(dialog->size(), client);
    QCOMPARE(dialog->list()->objectName(), listName);
    QCOMPARE(dialog->list()->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(dialog->list()->geometry(), list);
    QCOMPARE(dialog->command1()->text(), QString("Search"));
    QCOMPARE(dialog->command1()->geometry(), search);
    QCOMPARE(dialog->command2()->text(), QString("Cancel"));
    QCOMPARE(dialog->command2()->geometry(), cancel);
    auto* first = dialog->findChild<QWidget*>(tabOrder[0]);
    auto* second = dialog->findChild<QWidget*>(tabOrder[1]);
    QCOMPARE(nextTabStop(first)->objectName(), tabOrder[1]);
    QCOMPARE(nextTabStop(second)->objectName(), tabOrder[2]);
    dialog->resize(600, 400);
    QCOMPARE(dialog->list()->geometry(), list);
}

// Rows: every way the engine touches a dialog; each must create it once and hidden, except
// showing it, which shows it.
void DialogsTest::firstTouchCreatesTheDialogHidden_data()
{
    QTest::addColumn<Dialog>("which");
    QTest::addColumn<int>("touch");
    QTest::addColumn<bool>("shown");
    const QList<QPair<const char*, Dialog>> dialogs{{"frmdownnames", Dialog::DownNames},
                                                    {"frmdownfiles", Dialog::DownFiles},
                                                    {"frmupnames", Dialog::UpNames},
                                                    {"frmupfiles", Dialog::UpFiles},
                                                    {"Form4", Dialog::Accounts}};
    const QStringList touches{"clearList", "addToList", "selectedEntry", "showDialog"};
    for (const auto& [name, which] : dialogs)
        for (int t = 0; t < touches.size(); ++t)
            QTest::addRow("%s %s", name, qPrintable(touches[t])) << which << t << (touches[t] == "showDialog");
}

void DialogsTest::firstTouchCreatesTheDialogHidden()
{
    QFETCH(Dialog, which);
    QFETCH(int, touch);
    QFETCH(bool, shown);
    GuiWorld world(GuiWorld::Start::WithoutServer);
    QVERIFY(!world.form->existingDialog(which));
    const std::function<void()> touches[] = {
        [&] { world.form->clearList(which); },
        [&] { world.fill(which, {"x"}); },
        [&] { world.form->selectedEntry(which); },
        [&] { world.form->showDialog(which); },
    };
    touches[touch]();
    ListDialog* dialog = world.form->existingDialog(which);
    QVERIFY(dialog);
    QCOMPARE(dialog->isVisible(), shown);
    touches[touch]();
    QCOMPARE(world.form->existingDialog(which), dialog);
    QCOMPARE(windowsNamed(dialog->objectName()), 1);
}

void DialogsTest::showIsModelessAndCentredOnTheMainWindow()
{
    GuiWorld world;
    world.form->show();
    world.form->showDialog(Dialog::DownFiles);
    ListDialog* dialog = world.form->existingDialog(Dialog::DownFiles);
    QVERIFY(!dialog->isModal());
    // The frame a window system adds is not known before the first show.
    QVERIFY((dialog->frameGeometry().center() - world.form->frameGeometry().center()).manhattanLength() <= 6);
    world.form->showDialog(Dialog::DownFiles);
    QVERIFY(dialog->isVisible());
}

void DialogsTest::titleBarCloseHidesAndKeepsListAndSelection()
{
    GuiWorld world;
    ListDialog& dialog = filledDialog(world, Dialog::UpNames);
    world.form->showDialog(Dialog::UpNames);
    QVERIFY(dialog.close());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.form->existingDialog(Dialog::UpNames), &dialog);
    QCOMPARE(world.listCount(Dialog::UpNames), 3);
    QCOMPARE(world.form->selectedEntry(Dialog::UpNames), std::string("beta"));
    world.form->showDialog(Dialog::UpNames);
    QVERIFY(dialog.isVisible());
    QCOMPARE(world.form->selectedEntry(Dialog::UpNames), std::string("beta"));
}

// 8-bit names are shown as Windows-1252 but handed back with their own bytes, not re-encoded;
// the list is in name order whatever order the entries come in.
void DialogsTest::entriesKeepTheirExactBytes()
{
    GuiWorld world;
    world.fill(Dialog::DownNames, {"\x8eiga", "Ren\xc3\xa9", "Jos\xe9", ""});
    ListDialog& dialog = *world.form->existingDialog(Dialog::DownNames);
    QCOMPARE(quorvel::test::entries(dialog.list()), QStringList({"", "José", "René", "Žiga"}));
    QCOMPARE(world.form->selectedEntry(Dialog::DownNames), std::string());
    const std::string bytes[] = {"", "Jos\xe9", "Ren\xc3\xa9", "\x8eiga"};
    for (int row = 0; row < 4; ++row) {
        quorvel::test::selectRow(dialog.list(), row);
        QCOMPARE(world.form->selectedEntry(Dialog::DownNames), bytes[row]);
    }
    world.form->clearList(Dialog::DownNames);
    QCOMPARE(world.listCount(Dialog::DownNames), 0);
    QCOMPARE(world.form->selectedEntry(Dialog::DownNames), std::string());
}

// Rows: entries as a log gives them, in order of first occurrence. They are shown with ASCII
// letters compared without case, names equal that way in byte order, other bytes as numbers;
// entries added to a filled list go to their places.
void DialogsTest::entriesAreShownInNameOrder_data()
{
    QTest::addColumn<QByteArrayList>("added");
    QTest::addColumn<QByteArrayList>("more");
    QTest::addColumn<QByteArrayList>("shown");
    QTest::newRow("case folded, then bytes") << QByteArrayList{"bob", "Ann", "Bob", "alf", "BOB"} << QByteArrayList{}
                                             << QByteArrayList{"alf", "Ann", "BOB", "Bob", "bob"};
    QTest::newRow("letters fold to lower case, so '_' sorts before them; 8-bit last")
        << QByteArrayList{"\xe9t\xe9", "zed", "_x", "10", "9", "Zed"} << QByteArrayList{}
        << QByteArrayList{"10", "9", "_x", "Zed", "zed", "\xe9t\xe9"};
    QTest::newRow("a prefix first") << QByteArrayList{"abc", "ab", "ABC"} << QByteArrayList{}
                                    << QByteArrayList{"ab", "ABC", "abc"};
    QTest::newRow("added later, merged") << QByteArrayList{"carl", "ann"} << QByteArrayList{"dora", "Bob", "ann"}
                                         << QByteArrayList{"ann", "ann", "Bob", "carl", "dora"};
}

void DialogsTest::entriesAreShownInNameOrder()
{
    QFETCH(QByteArrayList, added);
    QFETCH(QByteArrayList, more);
    QFETCH(QByteArrayList, shown);
    GuiWorld world;
    for (const QByteArrayList& entries : {added, more}) {
        std::vector<std::string_view> views;
        for (const QByteArray& entry : entries)
            views.emplace_back(entry.constData(), static_cast<std::size_t>(entry.size()));
        world.fill(Dialog::UpFiles, views);
    }
    ListDialog& dialog = *world.form->existingDialog(Dialog::UpFiles);
    QByteArrayList listed;
    for (int row = 0; row < dialog.list()->model()->rowCount(); ++row) {
        quorvel::test::selectRow(dialog.list(), row);
        listed << QByteArray::fromStdString(world.form->selectedEntry(Dialog::UpFiles));
    }
    QCOMPARE(listed, shown);
}

// Rows: each dialog shown with nothing selected selects its first entry, so the entry the
// user sees highlighted is the one used; a selection made before stays, and an empty list
// selects nothing. Entries arriving while it is shown are treated the same.
void DialogsTest::shownWithNothingSelectedSelectsTheFirstEntry_data()
{
    QTest::addColumn<Dialog>("which");
    QTest::newRow("frmdownnames") << Dialog::DownNames;
    QTest::newRow("frmupfiles") << Dialog::UpFiles;
    QTest::newRow("Form4") << Dialog::Accounts;
}

void DialogsTest::shownWithNothingSelectedSelectsTheFirstEntry()
{
    QFETCH(Dialog, which);
    GuiWorld world;
    world.form->showDialog(which);
    ListDialog& dialog = *world.form->existingDialog(which);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(world.form->selectedEntry(which), std::string());
    world.fill(which, {"gamma", "beta"});
    QCOMPARE(world.form->selectedEntry(which), std::string("beta"));
    QCOMPARE(QApplication::focusWidget(), dialog.list());
    quorvel::test::selectRow(dialog.list(), 1);
    world.form->hideDialog(which);
    world.form->showDialog(which);
    QCOMPARE(world.form->selectedEntry(which), std::string("gamma"));
    world.form->hideDialog(which);
    world.form->clearList(which);
    world.fill(which, {"delta", "alpha"});
    QCOMPARE(world.form->selectedEntry(which), std::string());
    world.form->showDialog(which);
    QCOMPARE(world.form->selectedEntry(which), std::string("alpha"));
}

// Enter on the list runs "Search" with the selected entry; on a focused "Cancel" it cancels;
// Esc hides the dialog. The dialog is hidden in every case and its list kept.
void DialogsTest::pickDialogKeyboard_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("searches");
    QTest::newRow("Enter on the list") << "list" << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter on the list") << "list" << int(Qt::Key_Enter) << true;
    QTest::newRow("Enter on Search") << "Command1" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on Cancel") << "Command2" << int(Qt::Key_Return) << false;
    QTest::newRow("Esc") << "list" << int(Qt::Key_Escape) << false;
}

void DialogsTest::pickDialogKeyboard()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, searches);
    GuiWorld world;
    ListDialog& dialog = filledDialog(world, Dialog::DownNames);
    QSignalSpy search(qobject_cast<quorvel::gui::PickDialog*>(&dialog), &quorvel::gui::PickDialog::searchChosen);
    world.form->showDialog(Dialog::DownNames);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* target = focus == "list" ? static_cast<QWidget*>(dialog.list()) : dialog.findChild<QWidget*>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(search.count(), searches ? 1 : 0);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.listCount(Dialog::DownNames), 3);
    QCOMPARE(world.form->selectedEntry(Dialog::DownNames), std::string("beta"));
}

// Rows: the three ways out of a pick dialog; each hides it and keeps its list.
void DialogsTest::pickDialogSearchAndCancelHide_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Search button") << "Command1";
    QTest::newRow("Cancel button") << "Command2";
    QTest::newRow("double click") << "double click";
}

void DialogsTest::pickDialogSearchAndCancelHide()
{
    QFETCH(QString, way);
    GuiWorld world;
    ListDialog& dialog = filledDialog(world, Dialog::DownFiles);
    world.form->showDialog(Dialog::DownFiles);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (way == "double click")
        doubleClickRow(dialog.list(), 1);
    else
        QTest::mouseClick(dialog.findChild<QPushButton*>(way), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.listCount(Dialog::DownFiles), 3);
    QVERIFY(!world.form->analyzer().busy);
}

void DialogsTest::pickDialogIgnoresButtonsAndDoubleClickWhileACommandRuns()
{
    GuiWorld world;
    ListDialog& dialog = filledDialog(world, Dialog::UpFiles);
    world.form->showDialog(Dialog::UpFiles);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    world.form->setCommandsEnabled(false);
    QVERIFY(!dialog.command1()->isEnabled());
    QVERIFY(!dialog.command2()->isEnabled());
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    doubleClickRow(dialog.list(), 1);
    QVERIFY(dialog.isVisible());
    world.form->setCommandsEnabled(true);
    QVERIFY(dialog.command1()->isEnabled());
}

void DialogsTest::accountsPopupOpensOnlyOnLeftRelease()
{
    GuiWorld world;
    world.form->showDialog(Dialog::Accounts);
    auto* dialog = qobject_cast<quorvel::gui::Form4*>(world.form->existingDialog(Dialog::Accounts));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QMenu* popup = dialog->popupMenu();
    QPushButton* search = dialog->command1();
    QTest::mouseClick(search, Qt::RightButton);
    QTest::mouseClick(search, Qt::MiddleButton);
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Space);
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY(!popup->isVisible());
    world.form->setCommandsEnabled(false);
    QTest::mouseRelease(search, Qt::LeftButton);
    QVERIFY(!popup->isVisible());
    world.form->setCommandsEnabled(true);
    QTest::mouseClick(search, Qt::LeftButton, {}, QPoint(10, 12));
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->pos(), search->mapToGlobal(QPoint(10, 12)));
    popup->hide();
    QVERIFY(dialog->isVisible());
}

void DialogsTest::accountsPopupItems()
{
    GuiWorld world;
    auto* dialog = qobject_cast<quorvel::gui::Form4*>(&filledDialog(world, Dialog::Accounts));
    QMenu* popup = dialog->popupMenu();
    QCOMPARE(popup->objectName(), QString("mnublha"));
    QCOMPARE(popup->title(), QString("mnublah"));
    QStringList names, captions;
    for (QAction* item : popup->actions()) {
        names << item->objectName();
        captions << (item->isSeparator() ? QString("-") : item->text());
    }
    QCOMPARE(names, QStringList({"mnusearchdownload", "mnusearchuploads", "mnusep1", "mnusearchboth"}));
    QCOMPARE(captions, QStringList({"Search Download", "Search Uploads", "-", "Search Both"}));
}

void DialogsTest::accountsPopupItemHidesTheDialog_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("download") << "mnusearchdownload";
    QTest::newRow("uploads") << "mnusearchuploads";
    QTest::newRow("both") << "mnusearchboth";
}

void DialogsTest::accountsPopupItemHidesTheDialog()
{
    QFETCH(QString, item);
    GuiWorld world;
    ListDialog& dialog = filledDialog(world, Dialog::Accounts);
    world.form->showDialog(Dialog::Accounts);
    dialog.findChild<QAction*>(item)->trigger();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.form->selectedEntry(Dialog::Accounts), std::string("beta"));
    QVERIFY(!world.form->analyzer().busy);
}

void DialogsTest::accountsCancelHides()
{
    GuiWorld world;
    ListDialog& dialog = filledDialog(world, Dialog::Accounts);
    world.form->showDialog(Dialog::Accounts);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.command2(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.listCount(Dialog::Accounts), 3);
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
