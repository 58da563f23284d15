// SPDX-License-Identifier: MIT
#include "guitest.h"

#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using quorvel::Dialog;
using quorvel::test::GuiWorld;
using quorvel::test::logLines;

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void statusClickShowsWhetherTheUploadLogIsLoaded();
    void commandItemsAreDisabledWhileACommandRuns();
    void menuItemTriggeredDuringACommandDoesNothing();
    void closingDuringACommandStopsIt();
    void quitClosesEveryWindow();
};

void CommandsTest::statusClickShowsWhetherTheUploadLogIsLoaded()
{
    GuiWorld world;
    world.server.writeDownloadLog(logLines(5));
    world.server.writeUploadLog(logLines(5));
    QTest::mouseClick(world.lblinfo(), Qt::LeftButton);
    QCOMPARE(world.form->windowTitle(), QString("False"));
    world.action("mnuLoaddownloadlog")->trigger();
    QTest::mouseClick(world.lblinfo(), Qt::LeftButton);
    QCOMPARE(world.form->windowTitle(), QString("False"));
    world.action("mnuLoaduploadlog")->trigger();
    QCOMPARE(world.lblinfo()->text(), QString("(Upload Log) Done..."));
    QTest::mouseClick(world.lblinfo(), Qt::LeftButton);
    QCOMPARE(world.form->windowTitle(), QString("True"));
}

// Inside a running command (its yield runs the timer), every command item and the dialogs'
// buttons are disabled; "Quit" and "About" stay usable. All are enabled again afterwards.
void CommandsTest::commandItemsAreDisabledWhileACommandRuns()
{
    GuiWorld world;
    world.server.writeUploadLog(logLines(10));
    world.form->showDialog(Dialog::UpNames);
    auto* dialog = world.form->existingDialog(Dialog::UpNames);
    QStringList enabledInside;
    bool ranInside = false;
    QTimer::singleShot(0, world.form.get(), [&] {
        ranInside = true;
        for (QAction* top : world.form->menuBar()->actions())
            for (QAction* item : top->menu()->actions())
                if (item->isEnabled() && !item->isSeparator())
                    enabledInside << item->objectName();
        QVERIFY(!dialog->command1()->isEnabled());
    });
    world.action("mnuLoaduploadlog")->trigger();
    QVERIFY(ranInside);
    enabledInside.sort();
    QCOMPARE(enabledInside, QStringList({"mnuAbout", "mnuQuit"}));
    QVERIFY(world.action("mnuLoaddownloadlog")->isEnabled());
    QVERIFY(dialog->command1()->isEnabled());
}

void CommandsTest::menuItemTriggeredDuringACommandDoesNothing()
{
    GuiWorld world;
    world.server.writeDownloadLog(logLines(10));
    world.server.writeUploadLog(logLines(10));
    QTimer::singleShot(0, world.form.get(), [&] {
        world.action("mnuLoaddownloadlog")->trigger();
        world.action("mnuLoaddownloadlog")->activate(QAction::Trigger);
    });
    world.action("mnuLoaduploadlog")->trigger();
    QVERIFY(world.state().upload.loaded);
    QVERIFY(!world.state().download.loaded);
    QCOMPARE(world.lblinfo()->text(), QString("(Upload Log) Done..."));
}

void CommandsTest::closingDuringACommandStopsIt()
{
    GuiWorld world;
    world.server.writeUploadLog(logLines(20000));
    world.form->show();
    world.form->showDialog(Dialog::UpFiles);
    world.action("mnuAbout")->trigger();
    QTimer::singleShot(0, world.form.get(), [&] { world.form->close(); });
    world.action("mnuLoaduploadlog")->trigger();
    QVERIFY(world.form->closing());
    QVERIFY(!world.state().upload.loaded);
    QVERIFY(!world.form->analyzer().busy);
    QVERIFY(world.lblinfo()->text() != "(Upload Log) Done...");
    QVERIFY(!world.form->isVisible());
    QVERIFY(!world.form->existingDialog(Dialog::UpFiles)->isVisible());
    QTRY_VERIFY(!world.form->aboutBox());
    QVERIFY(!world.form->yield());
}

void CommandsTest::quitClosesEveryWindow()
{
    GuiWorld world;
    world.form->show();
    world.form->showDialog(Dialog::DownNames);
    world.form->showDialog(Dialog::Accounts);
    world.action("mnuAbout")->trigger();
    world.action("mnuQuit")->trigger();
    QVERIFY(world.form->closing());
    QVERIFY(!world.form->isVisible());
    QVERIFY(!world.form->existingDialog(Dialog::DownNames)->isVisible());
    QVERIFY(!world.form->existingDialog(Dialog::Accounts)->isVisible());
    QTRY_VERIFY(!world.form->aboutBox());
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
