// SPDX-License-Identifier: MIT
#include "guitest.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

using quorvel::test::GuiWorld;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menuBarHasTheSevenMenusInOrder();
    void menuItem_data();
    void menuItem();
    void everyCommandItemRunsOneCommand_data();
    void everyCommandItemRunsOneCommand();
    void windowLook();
    void controlsKeepTheirPlaceWhenResized();
    void windowIsCentredOnScreen();
    void captionsShowMarkupAsText();
    void statusTooLongHasItsMiddleElided_data();
    void statusTooLongHasItsMiddleElided();
};

// The seven menus of the program, and "Insights" added before "Help".
void MainWindowTest::menuBarHasTheSevenMenusInOrder()
{
    GuiWorld world;
    QStringList names, captions;
    for (QAction* top : world.form->menuBar()->actions()) {
        names << top->objectName();
        captions << top->text();
    }
    QCOMPARE(names,
             QStringList({"mnufile", "blah3", "mnublah", "mnublah5", "mnublah2", "blah4", "mnuinsights", "mnuHelp"}));
    QCOMPARE(captions,
             QStringList({"File", "Load", "Download Info", "Upload Info", "Search", "Find", "Insights", "Help"}));
}

// Rows: each item's menu, position, caption; "-" is a separator. A wrong name, caption, order
// or a separator built as an ordinary item fails its row.
void MainWindowTest::menuItem_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    const QList<QPair<QString, QList<QPair<const char*, const char*>>>> tree{
        {"mnufile",
         {{"mnuselectserverdirectory", "Select Server Directory"},
          {"mnufilesep1", "-"},
          {"mnusave", "Save"},
          {"mnusaveas", "Save as..."},
          {"mnufilesep2", "-"},
          {"mnuQuit", "Quit"}}},
        {"blah3",
         {{"mnuloadall", "Load All"},
          {"mnuloadsep", "-"},
          {"mnuLoaddownloadlog", "Load Download Log"},
          {"mnuLoaduploadlog", "Load Upload Log"},
          {"mnuLoadUserAccounts", "Load User Accounts"}}},
        {"mnublah",
         {{"mnusortbydate", "Sort By Date"},
          {"mnudownloadnumber", "Sort By Download Number"},
          {"mnusortbyaccount", "Sort By Account"}}},
        {"mnublah5",
         {{"mnuupdate", "Sort By Date"}, {"mnuupnum", "Sort By Upload Number"}, {"mnuupaccount", "Sort By Account"}}},
        {"mnublah2",
         {{"mnuUserDownloads", "User Downloads"},
          {"mnuFileDownloads", "File Downloads"},
          {"mnuUserUploads", "User Uploads"},
          {"mnuFileUploads", "File Upoads"},
          {"mnusearchsep1", "-"},
          {"mnusearchaccounts", "Accounts"}}},
        {"blah4",
         {{"mnunumberdown", "User Number 1 Downloader"},
          {"mnunumup", "User Number 1 Uploader"},
          {"mnublahsep1", "-"},
          {"mnunumberaccountdown", "Account Number 1 Downloader"},
          {"mnunumberaccountup", "Account Number 1 Uploader"},
          {"mnublahsep2", "-"},
          {"mnuwhonotdownloading", "Account that aren't downloading"},
          {"mnuwhosnotuploading", "Account that aren't uploading"}}},
        {"mnuinsights",
         {{"mnuback", "Back"},
          {"mnubacksep", "-"},
          {"mnuperiod", "Period..."},
          {"mnudownloadinsightssep", "-"},
          {"mnudownloadsbyday", "Downloads By Day"},
          {"mnudownloadsbymonth", "Downloads By Month"},
          {"mnudownloadsbyhour", "Downloads By Hour"},
          {"mnudownloadsbyaddress", "Downloads By Address"},
          {"mnulastdownloads", "Last Download By Account"},
          {"mnuuploadinsightssep", "-"},
          {"mnuuploadsbyday", "Uploads By Day"},
          {"mnuuploadsbymonth", "Uploads By Month"},
          {"mnuuploadsbyhour", "Uploads By Hour"},
          {"mnuuploadsbyaddress", "Uploads By Address"},
          {"mnulastuploads", "Last Upload By Account"},
          {"mnutransferssep", "-"},
          {"mnutransfersbyaccount", "Transfers By Account"},
          {"mnuinsightssep", "-"},
          {"mnuexportcsv", "Export as CSV..."},
          {"mnuchart", "Chart"}}},
        {"mnuHelp", {{"mnuAbout", "About"}}},
    };
    for (const auto& [menu, items] : tree)
        for (int i = 0; i < items.size(); ++i)
            QTest::newRow(items[i].first) << menu << i << QString::fromLatin1(items[i].second);
}

void MainWindowTest::menuItem()
{
    QFETCH(QString, menu);
    QFETCH(int, position);
    QFETCH(QString, caption);
    GuiWorld world;
    auto* owner = world.form->findChild<QMenu*>(menu);
    QVERIFY(owner);
    QAction* item = owner->actions().value(position);
    QVERIFY(item);
    QCOMPARE(item->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(item->isSeparator(), caption == "-");
    if (!item->isSeparator())
        QCOMPARE(item->text(), caption);
    // Back, with the platform's Back key, is disabled until a drill-down gives it a step.
    const bool back = item->objectName() == QStringLiteral("mnuback");
    QCOMPARE(item->shortcut(), back ? QKeySequence(QKeySequence::Back) : QKeySequence());
    QCOMPARE(item->isCheckable(), false);
    QCOMPARE(item->isEnabled(), !back);
}

void MainWindowTest::everyCommandItemRunsOneCommand_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"mnuselectserverdirectory",
                             "mnusave",
                             "mnusaveas",
                             "mnuloadall",
                             "mnuLoaddownloadlog",
                             "mnuLoaduploadlog",
                             "mnuLoadUserAccounts",
                             "mnusortbydate",
                             "mnudownloadnumber",
                             "mnusortbyaccount",
                             "mnuupdate",
                             "mnuupnum",
                             "mnuupaccount",
                             "mnuUserDownloads",
                             "mnuFileDownloads",
                             "mnuUserUploads",
                             "mnuFileUploads",
                             "mnusearchaccounts",
                             "mnunumberdown",
                             "mnunumup",
                             "mnunumberaccountdown",
                             "mnunumberaccountup",
                             "mnuwhonotdownloading",
                             "mnuwhosnotuploading",
                             "mnuperiod",
                             "mnudownloadsbyday",
                             "mnudownloadsbymonth",
                             "mnudownloadsbyhour",
                             "mnudownloadsbyaddress",
                             "mnulastdownloads",
                             "mnuuploadsbyday",
                             "mnuuploadsbymonth",
                             "mnuuploadsbyhour",
                             "mnuuploadsbyaddress",
                             "mnulastuploads",
                             "mnuexportcsv"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A command runs through the dispatch, which disables and re-enables the command items: an
// item that is not wired, or wired around the dispatch, leaves no such trace.
void MainWindowTest::everyCommandItemRunsOneCommand()
{
    QFETCH(QString, name);
    GuiWorld world;
    world.server.writeDownloadLog(quorvel::test::logLines(3));
    world.server.writeUploadLog(quorvel::test::logLines(3));
    QAction* item = world.action(name.toLatin1().constData());
    QVERIFY(item);
    QSignalSpy changes(item, &QAction::changed);
    item->trigger();
    QCOMPARE(changes.count(), 2);
    QVERIFY(item->isEnabled());
    QVERIFY(!world.form->analyzer().busy);
}

void MainWindowTest::windowLook()
{
    GuiWorld world;
    QCOMPARE(world.form->windowTitle(), QString("Quorvel"));
    QVERIFY(!world.form->windowIcon().isNull());
    QCOMPARE(world.lblinfo()->text(), QString::fromStdString("Server folder: " + world.server.folder()));
    QCOMPARE(world.text1()->toPlainText(), QString());
    QCOMPARE(world.text1()->isReadOnly(), false);
    QCOMPARE(world.text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void MainWindowTest::controlsKeepTheirPlaceWhenResized()
{
    GuiWorld world;
    world.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world.form.get()));
    QCOMPARE(world.form->centralWidget()->size(), QSize(521, 329));
    const QRect label(5, 8, 513, 33);
    const QRect text(0, 48, 521, 281);
    QCOMPARE(world.lblinfo()->geometry(), label);
    QCOMPARE(world.text1()->geometry(), text);
    world.form->resize(900, 700);
    QTRY_COMPARE(world.form->centralWidget()->width(), 900);
    QCOMPARE(world.lblinfo()->geometry(), label);
    QCOMPARE(world.text1()->geometry(), text);
}

void MainWindowTest::windowIsCentredOnScreen()
{
    GuiWorld world;
    const QPoint screenCentre = world.form->screen()->availableGeometry().center();
    const QPoint offset = world.form->geometry().center() - screenCentre;
    QVERIFY2(offset.manhattanLength() <= 2, "the main window is not centred");
}

// User and account names come from the logs and are chosen by whoever connects: a caption
// that holds one is shown as it is, never read as markup.
void MainWindowTest::captionsShowMarkupAsText()
{
    GuiWorld world;
    const std::string caption = "<img src=\"/dev/zero\"><b>bob</b>'s Downloads\r\nLooking at Download Number 1/1\r\n";
    world.form->setStatus(caption);
    QCOMPARE(world.lblinfo()->textFormat(), Qt::PlainText);
    QCOMPARE(world.lblinfo()->text(),
             QStringLiteral("<img src=\"/dev/zero\"><b>bob</b>'s Downloads\nLooking at Download Number 1/1\n"));
}

// Rows: a status text; whether the status line shows it whole. A text that does not fit shows
// as much of its start and of its end as fits around an ellipsis, and the whole text, never
// read as markup, in the tooltip.
void MainWindowTest::statusTooLongHasItsMiddleElided_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("whole");
    const QString deep = "/srv/hotline/" + QString("operators_archive/").repeated(12) + "the_servers_own_folder";
    QTest::newRow("a folder path too long for two lines") << "Server folder: " + deep << false;
    QTest::newRow("a folder path without a place to wrap")
        << "Server folder: " + QString("x").repeated(200) + "_the_servers_own_folder" << false;
    // The ellipsis is a place to wrap: with it, all but one character fit on two lines.
    QTest::newRow("a folder path that wraps at the ellipsis")
        << "Server folder: " + QString("x").repeated(100) + "_the_servers_own_folder" << false;
    QTest::newRow("a path that wraps on two lines")
        << "Server folder: /srv/" + QString("operators-archive/").repeated(5) + "server" << true;
    QTest::newRow("markup in the path") << "Server folder: " + deep + "/<b>bold</b>&amp;<img src=x>" << false;
    QTest::newRow("a missing path") << "Cannot find '" + deep + "'" << false;
    QTest::newRow("a path with spaces wraps on two lines")
        << "Server folder: /srv/My Hotline Server/The Folder With Spaces/And One More Folder/Server" << true;
    QTest::newRow("a short path") << "Server folder: /srv/hotline" << true;
}

void MainWindowTest::statusTooLongHasItsMiddleElided()
{
    QFETCH(QString, status);
    QFETCH(bool, whole);
    GuiWorld world;
    // After a text that did not fit, whose tooltip goes with it.
    world.form->setStatus("Cannot find '/srv/" + std::string(300, 'x') + "'");
    world.form->setStatus(status.toStdString());
    const QLabel* label = world.lblinfo();
    const QString shown = label->text();
    const auto fits = [label](const QString& text) {
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000),
                                                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        return needed.width() <= label->width() && needed.height() <= label->height();
    };
    QVERIFY(fits(shown));
    if (whole) {
        QCOMPARE(shown, status);
        QCOMPARE(label->toolTip(), QString());
        return;
    }
    const qsizetype ellipsis = shown.indexOf(QChar(0x2026));
    QVERIFY(ellipsis > 0);
    const QString head = shown.left(ellipsis);
    const QString tail = shown.mid(ellipsis + 1);
    QVERIFY(status.startsWith(head) && status.endsWith(tail));
    QVERIFY(head.startsWith(status.left(15)));
    // Kept characters split evenly around the ellipsis, the later half the larger; one more
    // would not fit.
    const auto around = [&status](qsizetype kept) {
        return status.left(kept / 2) + QChar(0x2026) + status.right(kept - kept / 2);
    };
    const qsizetype kept = head.size() + tail.size();
    QCOMPARE(shown, around(kept));
    if (kept + 1 < status.size())
        QVERIFY(!fits(around(kept + 1)));
    QTextDocument tip;
    tip.setHtml(label->toolTip());
    QVERIFY(Qt::mightBeRichText(label->toolTip()));
    QCOMPARE(tip.toPlainText(), status);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
