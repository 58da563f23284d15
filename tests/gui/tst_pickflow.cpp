// SPDX-License-Identifier: MIT
// The four "Search" pick dialogs driven from the menu to the output box, as a user does it.
#include "guitest.h"
#include "reportrun.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using quorvel::Dialog;
using quorvel::gui::ListDialog;
using quorvel::test::clickRow;
using quorvel::test::doubleClickRow;
using quorvel::test::entries;
using quorvel::test::GuiWorld;

namespace {

// Stamps tell the hit lines apart; "bob" and "Bob" differ in case only; "null" is a value
// like any other.
constexpr char downloadLog[] = "d1\tip\tbob\tBob\ta.txt\r\n"
                               "d2\tip\tann\tAnn\tb.txt\r\n"
                               "d3\tip\tbob\tBob\tb.txt\r\n"
                               "d4\tip\tx\tbob\tnull\r\n"
                               "d5\tip\tx\tnull\ta.txt\r\n";
constexpr char uploadLog[] = "u1\tip\tbob\tCarl\tc.sit\r\n"
                             "u2\tip\tann\tDora\td.sit\r\n"
                             "u3\tip\tann\tCarl\td.sit\r\n";

void writeLogs(GuiWorld& world)
{
    world.server.writeDownloadLog(downloadLog);
    world.server.writeUploadLog(uploadLog);
}

// Opens a pick dialog from its menu item; the load question is answered with OK.
ListDialog& openFromMenu(GuiWorld& world, const char* item, Dialog which)
{
    world.action(item)->trigger();
    ListDialog& dialog = world.dialog(which);
    [&] { QVERIFY(QTest::qWaitForWindowExposed(&dialog)); }();
    return dialog;
}

// Counts what is done to a list's entries from its making on: a list rebuilt is emptied and
// filled again.
class ListChanges {
public:
    explicit ListChanges(const ListDialog& dialog)
        : model_(dialog.list()->model()), emptied_(model_, &QAbstractItemModel::modelReset),
          filled_(model_, &QAbstractItemModel::rowsInserted), removed_(model_, &QAbstractItemModel::rowsRemoved)
    {
    }
    qsizetype count() const { return emptied_.count() + filled_.count() + removed_.count(); }
    const QAbstractItemModel* model() const { return model_; }

private:
    const QAbstractItemModel* model_;
    QSignalSpy emptied_;
    QSignalSpy filled_;
    QSignalSpy removed_;
};

} // namespace

class PickFlowTest : public QObject {
    Q_OBJECT

private slots:
    void pickAndSearch_data();
    void pickAndSearch();
    void cancelHidesAndKeepsText1();
    void reopeningShowsTheSameListAndSelectionWithoutRebuilding();
    void reloadEmptiesOnlyTheReloadedLogsLists();
};

// Rows: each menu item with the list it must offer (in name order), the entry picked (-1:
// none, the first entry is selected when the dialog shows) and the exact output of the search,
// by "Search", by double click and by Enter. The report tool's verb must print the same bytes.
void PickFlowTest::pickAndSearch_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<Dialog>("which");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QByteArray>("output");
    const QStringList downNames{"Ann", "Bob", "bob", "null"}, downFiles{"a.txt", "b.txt", "null"};
    struct Row {
        const char* tag;
        const char* item;
        Dialog which;
        QStringList offered;
        int row;
        const char* verb;
        QByteArray output;
    };
    const Row rows[] = {
        {"user downloads", "mnuUserDownloads", Dialog::DownNames, downNames, 1, "user-downloads",
         "Bob had downloaded these files...\r\n\r\nd1: a.txt\r\nd3: b.txt\r\n"},
        {"user downloads, other case", "mnuUserDownloads", Dialog::DownNames, downNames, 2, "user-downloads",
         "bob had downloaded these files...\r\n\r\nd4: null\r\n"},
        {"user downloads, null", "mnuUserDownloads", Dialog::DownNames, downNames, 3, "user-downloads",
         "null had downloaded these files...\r\n\r\nd5: a.txt\r\n"},
        {"user downloads, first entry as shown", "mnuUserDownloads", Dialog::DownNames, downNames, -1, "user-downloads",
         "Ann had downloaded these files...\r\n\r\nd2: b.txt\r\n"},
        {"file downloads", "mnuFileDownloads", Dialog::DownFiles, downFiles, 1, "file-downloads",
         "Users who have downloaded b.txt...\r\n\r\nd2: Ann\r\nd3: Bob\r\n"},
        {"user uploads",
         "mnuUserUploads",
         Dialog::UpNames,
         {"Carl", "Dora"},
         0,
         "user-uploads",
         "Carl had uploaded these files...\r\n\r\nu1: c.sit\r\nu3: d.sit\r\n"},
        {"file uploads",
         "mnuFileUploads",
         Dialog::UpFiles,
         {"c.sit", "d.sit"},
         1,
         "file-uploads",
         "Users who have uploaded d.sit...\r\n\r\nu2: Dora\r\nu3: Carl\r\n"},
    };
    for (const Row& r : rows)
        for (const char* way : {"Search", "double click", "Enter"})
            if (r.row >= 0 || QByteArray(way) != "double click")
                QTest::addRow("%s, %s", r.tag, way)
                    << QString(r.item) << r.which << r.offered << r.row << QString(r.verb) << r.output;
}

void PickFlowTest::pickAndSearch()
{
    QFETCH(QString, item);
    QFETCH(Dialog, which);
    QFETCH(QStringList, offered);
    QFETCH(int, row);
    QFETCH(QString, verb);
    QFETCH(QByteArray, output);
    GuiWorld world;
    writeLogs(world);
    ListDialog& dialog = openFromMenu(world, qPrintable(item), which);
    QVERIFY(dialog.isVisible());
    QCOMPARE(entries(dialog.list()), offered);
    QCOMPARE(world.form->outputText(), std::string());
    QCOMPARE(world.lblinfo()->text(), QString("Done..."));
    const QByteArray way = QTest::currentDataTag();
    if (way.endsWith("double click")) {
        doubleClickRow(dialog.list(), row);
    } else {
        if (row >= 0)
            clickRow(dialog.list(), row);
        if (way.endsWith("Enter"))
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        else
            QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QByteArray::fromStdString(world.form->outputText()), output);
    QCOMPARE(world.lblinfo()->text(), QString("Done..."));
    const std::string value = offered[std::max(row, 0)].toStdString();
    QCOMPARE(QByteArray::fromStdString(quorvel::test::reportOn(world.server, {verb.toStdString(), value}).out), output);
    QCOMPARE(world.listCount(which), static_cast<int>(offered.size()));
    QVERIFY(!world.form->analyzer().busy);
}

void PickFlowTest::cancelHidesAndKeepsText1()
{
    GuiWorld world;
    writeLogs(world);
    ListDialog& dialog = openFromMenu(world, "mnuFileUploads", Dialog::UpFiles);
    clickRow(dialog.list(), 0);
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    const std::string output = world.form->outputText();
    QCOMPARE(output, std::string("Users who have uploaded c.sit...\r\n\r\nu1: Carl\r\n"));
    openFromMenu(world, "mnuFileUploads", Dialog::UpFiles);
    clickRow(dialog.list(), 1);
    QTest::mouseClick(dialog.command2(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(world.form->outputText(), output);
    QCOMPARE(world.form->selectedEntry(Dialog::UpFiles), std::string("d.sit"));
}

// The second use of a menu item only shows the dialog: same entries (the same list, neither
// emptied nor filled again), same selection, and the output of the last search stays in Text1. The list is
// not rebuilt even when the log file changed on disk without a reload.
void PickFlowTest::reopeningShowsTheSameListAndSelectionWithoutRebuilding()
{
    GuiWorld world;
    writeLogs(world);
    ListDialog& dialog = openFromMenu(world, "mnuUserDownloads", Dialog::DownNames);
    clickRow(dialog.list(), 0);
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    const std::string annOutput = "Ann had downloaded these files...\r\n\r\nd2: b.txt\r\n";
    QCOMPARE(world.form->outputText(), annOutput);
    const ListChanges changes(dialog);
    world.server.writeDownloadLog("d9\tip\tzed\tZed\tz.txt\r\n");
    world.lblinfo()->setText("unchanged");

    QCOMPARE(&openFromMenu(world, "mnuUserDownloads", Dialog::DownNames), &dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.list()->model(), changes.model());
    QCOMPARE(changes.count(), 0);
    QCOMPARE(entries(dialog.list()), QStringList({"Ann", "Bob", "bob", "null"}));
    QCOMPARE(world.form->selectedEntry(Dialog::DownNames), std::string("Ann"));
    QCOMPARE(world.form->outputText(), annOutput);
    QCOMPARE(world.lblinfo()->text(), QString("unchanged"));
    QTest::mouseClick(dialog.command1(), Qt::LeftButton);
    QCOMPARE(world.form->outputText(), annOutput);
}

// After all four lists were built, a reload of the download log empties the two download
// lists and their next use builds them from the new records; the upload lists stay as they
// were.
void PickFlowTest::reloadEmptiesOnlyTheReloadedLogsLists()
{
    GuiWorld world;
    writeLogs(world);
    const std::pair<const char*, Dialog> items[] = {{"mnuUserDownloads", Dialog::DownNames},
                                                    {"mnuFileDownloads", Dialog::DownFiles},
                                                    {"mnuUserUploads", Dialog::UpNames},
                                                    {"mnuFileUploads", Dialog::UpFiles}};
    for (const auto& [item, which] : items)
        QTest::mouseClick(openFromMenu(world, item, which).command2(), Qt::LeftButton);
    const ListChanges uploadNames(world.dialog(Dialog::UpNames));
    world.server.writeDownloadLog("d9\tip\tzed\tZed\tz.txt\r\nd10\tip\tzed\tYves\tz.txt\r\n");

    world.action("mnuLoaddownloadlog")->trigger();
    QCOMPARE(world.listCount(Dialog::DownNames), 0);
    QCOMPARE(world.listCount(Dialog::DownFiles), 0);
    QCOMPARE(entries(world.dialog(Dialog::UpNames).list()), QStringList({"Carl", "Dora"}));
    QCOMPARE(entries(world.dialog(Dialog::UpFiles).list()), QStringList({"c.sit", "d.sit"}));
    QVERIFY(!world.dialog(Dialog::DownNames).isVisible());

    QCOMPARE(entries(openFromMenu(world, "mnuUserDownloads", Dialog::DownNames).list()), QStringList({"Yves", "Zed"}));
    QCOMPARE(entries(openFromMenu(world, "mnuFileDownloads", Dialog::DownFiles).list()), QStringList({"z.txt"}));
    QCOMPARE(openFromMenu(world, "mnuUserUploads", Dialog::UpNames).list()->model(), uploadNames.model());
    QCOMPARE(uploadNames.count(), 0);
    QCOMPARE(world.listCount(Dialog::UpNames), 2);
}

QTEST_MAIN(PickFlowTest)
#include "tst_pickflow.moc"
