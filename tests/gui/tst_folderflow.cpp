// SPDX-License-Identifier: MIT
// Choosing the server folder: from the menu, on the command line, as a first-run default and
// by dropping a folder on the window; and what a switch to another server leaves behind.
#include "guitest.h"
#include "logtext.h"
#include "reportrun.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <optional>

using quorvel::Dialog;
using quorvel::test::entries;
using quorvel::test::GuiWorld;
using quorvel::test::logOf;
using quorvel::test::TempServer;

namespace {

// A server with the accounts ann and bob, where bob downloaded twice.
void fillOtherServer(const TempServer& other)
{
    other.addAccount("ann");
    other.addAccount("bob");
    other.writeDownloadLog(logOf({{"bob", "Bob", "x.txt"}, {"bob", "Bob", "y.txt"}}));
}

// Drags mime data onto target and drops it there, as the window system delivers a drop.
// Returns whether the drag was accepted.
bool dropOn(QWidget* target, QMimeData& data)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

class FolderFlowTest : public QObject {
    Q_OBJECT

private slots:
    void switchingServersUnloadsTheLogsAndTheSameFolderKeepsThem();
    void commandLineFolderIsOpenedAndRemembered();
    void defaultFolderServesOnlyWhenNoneIsRemembered_data();
    void defaultFolderServesOnlyWhenNoneIsRemembered();
    void droppedFolderOrFileOpensIt_data();
    void droppedFolderOrFileOpensIt();
    void dropOfSeveralItemsOrWhileBusyIsRefused();
};

// "Sort By Account" after a switch must not count the old server's log against the new
// server's accounts: it offers to load the new log and answers as the report tool does.
void FolderFlowTest::switchingServersUnloadsTheLogsAndTheSameFolderKeepsThem()
{
    GuiWorld world;
    world.server.addAccount("guest");
    world.server.writeDownloadLog(quorvel::test::logLines(5));
    world.restart();
    world.action("mnusortbyaccount")->trigger();
    QCOMPARE(world.platform.questions.size(), std::size_t{1});
    const std::string firstReport = world.form->outputText();
    TempServer other;
    fillOtherServer(other);

    world.platform.folderAnswers.push_back(other.folder());
    world.action("mnuselectserverdirectory")->trigger();
    QCOMPARE(world.lblinfo()->text(), QString::fromStdString("Server folder: " + other.folder()));
    QVERIFY(!world.state().download.loaded);
    QCOMPARE(world.form->outputText(), firstReport);

    world.action("mnusortbyaccount")->trigger();
    QCOMPARE(world.platform.questions.size(), std::size_t{2});
    const quorvel::test::ReportRun expected = quorvel::test::reportOn(other, {"downloads-by-account"});
    QCOMPARE(QByteArray::fromStdString(world.form->outputText()), QByteArray::fromStdString(expected.out));

    world.platform.folderAnswers.push_back(other.folder() + "/");
    world.action("mnuselectserverdirectory")->trigger();
    QCOMPARE(world.lblinfo()->text(), QString::fromStdString("Server folder: " + other.folder() + "/"));
    QVERIFY(world.state().download.loaded);
    world.action("mnusortbyaccount")->trigger();
    QCOMPARE(world.platform.questions.size(), std::size_t{2});
}

// `quorvel DIR`: a file given stands for its folder, which becomes the server folder and is
// written to the folder file; a path that names nothing changes nothing and says so.
void FolderFlowTest::commandLineFolderIsOpenedAndRemembered()
{
    GuiWorld world;
    TempServer other;
    fillOtherServer(other);
    world.form->openServerFolder(other.folder() + "/Download Log.txt");
    QCOMPARE(world.state().serverfolder, other.folder());
    QCOMPARE(world.folderFile().read(), std::optional<std::string>(other.folder()));
    QCOMPARE(world.lblinfo()->text(), QString::fromStdString("Server folder: " + other.folder()));
    world.action("mnusearchaccounts")->trigger();
    QCOMPARE(entries(world.dialog(Dialog::Accounts).list()), QStringList({"ann", "bob"}));

    const std::string missing = (world.server.root() / "missing").string();
    world.form->openServerFolder(missing);
    QCOMPARE(world.lblinfo()->text(), QString::fromStdString("Cannot find '" + missing + "'"));
    QCOMPARE(world.state().serverfolder, other.folder());
    QCOMPARE(world.folderFile().read(), std::optional<std::string>(other.folder()));
    QVERIFY(!world.form->analyzer().busy);
}

// Rows: with and without a remembered folder. The default is used, with its accounts, only
// without one, and is never written to the folder file.
void FolderFlowTest::defaultFolderServesOnlyWhenNoneIsRemembered_data()
{
    QTest::addColumn<bool>("remembered");
    QTest::newRow("a folder is remembered") << true;
    QTest::newRow("first run") << false;
}

void FolderFlowTest::defaultFolderServesOnlyWhenNoneIsRemembered()
{
    QFETCH(bool, remembered);
    GuiWorld world(remembered ? GuiWorld::Start::WithServer : GuiWorld::Start::WithoutServer);
    TempServer other;
    fillOtherServer(other);
    world.form->useDefaultFolder(other.folder());
    const std::string used = remembered ? world.server.folder() : other.folder();
    QCOMPARE(world.state().serverfolder, used);
    QCOMPARE(world.folderFile().read(), remembered ? std::optional<std::string>(used) : std::nullopt);
    QCOMPARE(world.lblinfo()->text(), QString::fromStdString("Server folder: " + used));
    QCOMPARE(world.listCount(Dialog::Accounts), remembered ? 0 : 2);
    QVERIFY(world.platform.browseTitles.empty());
}

// Rows: a folder or a file dropped on the output box or on the status line. The folder is
// opened as if picked; the output box does not take the path as text.
void FolderFlowTest::droppedFolderOrFileOpensIt_data()
{
    QTest::addColumn<QString>("leaf");
    QTest::addColumn<QString>("target");
    QTest::newRow("folder on the output box") << QString() << QString("Text1");
    QTest::newRow("file on the output box") << QString("Download Log.txt") << QString("Text1");
    QTest::newRow("folder on the status line") << QString() << QString("lblinfo");
}

void FolderFlowTest::droppedFolderOrFileOpensIt()
{
    QFETCH(QString, leaf);
    QFETCH(QString, target);
    GuiWorld world;
    world.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world.form.get()));
    world.form->setOutputText("kept\r\n");
    TempServer other;
    fillOtherServer(other);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QDir(QString::fromStdString(other.folder())).filePath(leaf))});
    QWidget* widget = target == "Text1" ? world.text1()->viewport() : static_cast<QWidget*>(world.lblinfo());
    QVERIFY(dropOn(widget, data));
    QCOMPARE(world.state().serverfolder, other.folder());
    QCOMPARE(world.folderFile().read(), std::optional<std::string>(other.folder()));
    QCOMPARE(world.form->outputText(), std::string("kept\r\n"));
}

void FolderFlowTest::dropOfSeveralItemsOrWhileBusyIsRefused()
{
    GuiWorld world;
    world.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world.form.get()));
    TempServer other, third;
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(QString::fromStdString(other.folder())),
                 QUrl::fromLocalFile(QString::fromStdString(third.folder()))});
    QVERIFY(!dropOn(world.text1()->viewport(), two));
    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(QString::fromStdString(other.folder()))});
    world.form->analyzer().busy = true;
    QVERIFY(!dropOn(world.text1()->viewport(), one));
    world.form->analyzer().busy = false;
    QCOMPARE(world.state().serverfolder, world.server.folder());
    QCOMPARE(world.form->outputText(), std::string());
}

QTEST_MAIN(FolderFlowTest)
#include "tst_folderflow.moc"
