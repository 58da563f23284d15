// SPDX-License-Identifier: MIT
// One command at a time through the real window: a long command (a load and a pick-list
// build over 200,000 records) yields many times; whatever the user does meanwhile starts
// nothing, and everything is usable again once it ends.
#include "guitest.h"

#include "dialogs/form4.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using quorvel::Dialog;
using quorvel::gui::Form4;
using quorvel::gui::ListDialog;
using quorvel::test::clickRow;
using quorvel::test::doubleClickRow;
using quorvel::test::entries;
using quorvel::test::GuiWorld;
using quorvel::test::logLines;

namespace {

constexpr int longLog = 200000;

// The command items of the menu bar that are enabled ("Quit" and "About" always are).
QStringList enabledItems(GuiWorld& world)
{
    QStringList names;
    for (QAction* top : world.form->menuBar()->actions())
        for (QAction* item : top->menu()->actions())
            if (item->isEnabled() && !item->isSeparator())
                names << item->objectName();
    names.sort();
    return names;
}

// Everything a user can reach while a command runs, tried once per yield.
struct Attempts {
    GuiWorld& world;
    ListDialog& pick;
    Form4& accounts;
    int rounds = 0;
    bool anythingEnabled = false;

    void tryAll()
    {
        ++rounds;
        anythingEnabled |= enabledItems(world) != QStringList({"mnuAbout", "mnuQuit"});
        anythingEnabled |= pick.command1()->isEnabled() || pick.command2()->isEnabled();
        anythingEnabled |= accounts.command1()->isEnabled();
        for (const char* item : {"mnuUserDownloads", "mnuLoaddownloadlog", "mnusortbydate", "mnusave"})
            world.action(item)->trigger();
        QTest::mouseClick(pick.command1(), Qt::LeftButton);
        QTest::mouseClick(pick.command2(), Qt::LeftButton);
        doubleClickRow(pick.list(), 0);
        emit qobject_cast<quorvel::gui::PickDialog*>(&pick)->searchChosen();
        QTest::mouseClick(accounts.command1(), Qt::LeftButton);
        for (QAction* item : accounts.popupMenu()->actions())
            item->trigger();
        // Longer than the window's pause between event rounds, so the command yields again.
        if (rounds == 1)
            QTest::qSleep(60);
    }
};

} // namespace

class BusyFlowTest : public QObject {
    Q_OBJECT

private slots:
    void nothingStartsInsideALongCommand();
    void searchRunsWithItsDialogHidden_data();
    void searchRunsWithItsDialogHidden();
};

void BusyFlowTest::nothingStartsInsideALongCommand()
{
    GuiWorld world;
    world.server.addAccount("guest");
    world.server.writeUploadLog(logLines(20));
    world.server.writeDownloadLog(logLines(longLog));
    world.restart();
    world.action("mnuUserUploads")->trigger();
    ListDialog& pick = world.dialog(Dialog::UpNames);
    QVERIFY(QTest::qWaitForWindowExposed(&pick));
    clickRow(pick.list(), 0);
    world.action("mnusearchaccounts")->trigger();
    auto& accounts = *qobject_cast<Form4*>(world.form->existingDialog(Dialog::Accounts));
    quorvel::test::selectRow(accounts.list(), 0);
    QCOMPARE(world.form->outputText(), std::string());
    const QStringList usable = enabledItems(world);
    const std::size_t questions = world.platform.questions.size();

    Attempts attempts{world, pick, accounts};
    QTimer everyYield;
    QObject::connect(&everyYield, &QTimer::timeout, [&] { attempts.tryAll(); });
    everyYield.start(0);
    QElapsedTimer clock;
    clock.start();
    world.action("mnuUserDownloads")->trigger();
    const qint64 elapsed = clock.elapsed();
    everyYield.stop();
    qInfo("%d records loaded and listed in %lld ms, %d yields tried every command", longLog, elapsed, attempts.rounds);

    QVERIFY(attempts.rounds >= 2);
    QVERIFY(!attempts.anythingEnabled);
    QCOMPARE(world.state().download.records.count(), std::int64_t{longLog});
    QCOMPARE(entries(world.dialog(Dialog::DownNames).list()),
             QStringList({"user0", "user1", "user2", "user3", "user4", "user5", "user6"}));
    QCOMPARE(world.form->outputText(), std::string());
    QCOMPARE(world.lblinfo()->text(), QString("Done..."));
    QVERIFY(pick.isVisible());
    QVERIFY(accounts.isVisible());
    QVERIFY(!accounts.popupMenu()->isVisible());
    QCOMPARE(world.platform.questions.size(), questions + 1);
    QVERIFY(world.platform.saveRequests.empty());

    QCOMPARE(enabledItems(world), usable);
    QVERIFY(usable.contains("mnuLoaddownloadlog"));
    QVERIFY(pick.command1()->isEnabled() && pick.command2()->isEnabled() && accounts.command1()->isEnabled());
    QTest::mouseClick(pick.command1(), Qt::LeftButton);
    QVERIFY(!pick.isVisible());
    QCOMPARE(world.form->outputText().substr(0, 32), std::string("user0 had uploaded these files.."));
}

// Rows: a pick dialog's "Search" and the account dialog's "Search Both". The dialog is out of
// the way before the search's first progress caption shows.
void BusyFlowTest::searchRunsWithItsDialogHidden_data()
{
    QTest::addColumn<bool>("accountDialog");
    QTest::addColumn<QString>("caption");
    QTest::newRow("frmdownnames Search") << false << "user0's Downloads\nLooking at Download Number ";
    QTest::newRow("Form4 Search Both") << true
                                       << "Searching to see what guest has downloaded\nLooking at Download Number ";
}

void BusyFlowTest::searchRunsWithItsDialogHidden()
{
    QFETCH(bool, accountDialog);
    QFETCH(QString, caption);
    GuiWorld world;
    world.server.addAccount("guest");
    world.server.writeUploadLog(logLines(20));
    world.server.writeDownloadLog(logLines(longLog));
    world.restart();
    world.action("mnuloadall")->trigger();
    world.action(accountDialog ? "mnusearchaccounts" : "mnuUserDownloads")->trigger();
    ListDialog& dialog = world.dialog(accountDialog ? Dialog::Accounts : Dialog::DownNames);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    clickRow(dialog.list(), 0);
    bool shownInside = true;
    QString statusInside;
    QTimer::singleShot(0, world.form.get(), [&] {
        shownInside = dialog.isVisible();
        statusInside = world.lblinfo()->text();
    });
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    if (accountDialog) {
        QMenu* popup = qobject_cast<Form4*>(&dialog)->popupMenu();
        QAction* both = popup->findChild<QAction*>("mnusearchboth");
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(both).center());
    }
    QVERIFY(!shownInside);
    QVERIFY2(statusInside.startsWith(caption), qPrintable(statusInside));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.lblinfo()->text(), QString("Done..."));
}

QTEST_MAIN(BusyFlowTest)
#include "tst_busyflow.moc"
