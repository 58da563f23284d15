// SPDX-License-Identifier: MIT
// "Save" and "Save as..." through the main window: what the save dialog is asked, and the
// bytes that reach the file for reports and for text typed into the output box.
#include "guitest.h"
#include "logtext.h"
#include "reportrun.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <filesystem>

using quorvel::test::GuiWorld;
using quorvel::test::logOf;
using quorvel::test::readFile;

namespace fs = std::filesystem;

namespace {

// Names as an 8-bit server writes them, as a UTF-8 server writes them, and a log holding
// both, where "José" appears in either form.
const std::string latin1Log =
    logOf({{"jos\xe9", "Jos\xe9", "caf\xe9.txt"}, {"ann", "M\xfcller", "caf\xe9.txt"}, {"ann", "Ann", "na\xefve.txt"}});
const std::string utf8Log = logOf({{"jos\xc3\xa9", "Jos\xc3\xa9", "caf\xc3\xa9.txt"},
                                   {"ann", "M\xc3\xbcller", "caf\xc3\xa9.txt"},
                                   {"ann", "Ann", "\xe2\x82\xac.txt"}});
const std::string mixedLog = logOf({{"jos\xe9", "Jos\xe9", "a.txt"},
                                    {"jos\xc3\xa9", "Jos\xc3\xa9", "a.txt"},
                                    {"ann", "Ann", "caf\xe9.txt"},
                                    {"ann", "Ann", "caf\xc3\xa9.txt"}});

// Answers the next save dialog with path and chooses the menu item.
void saveWith(GuiWorld& world, const char* item, const fs::path& path)
{
    world.platform.saveAnswers.push_back(path.string());
    world.action(item)->trigger();
}

// Types text at the end of the output box, key by key, as a keyboard delivers it.
void typeAtEnd(QWidget* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(box, Qt::Key_Return);
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
}

} // namespace

class SaveFlowTest : public QObject {
    Q_OBJECT

private slots:
    void saveAtStartAsksForAFile_data();
    void saveAtStartAsksForAFile();
    void saveAfterSaveAsWritesWithoutAsking();
    void uneditedReportIsSavedAsTheReportToolPrintsIt_data();
    void uneditedReportIsSavedAsTheReportToolPrintsIt();
    void typedTextIsSaved_data();
    void typedTextIsSaved();
    void failedSaveShowsTheReasonAndKeepsTheEarlierFile();
};

// Rows: with and without a server folder; the dialog opens in the server folder when known.
void SaveFlowTest::saveAtStartAsksForAFile_data()
{
    QTest::addColumn<bool>("withServer");
    QTest::newRow("server folder known") << true;
    QTest::newRow("no server folder") << false;
}

void SaveFlowTest::saveAtStartAsksForAFile()
{
    QFETCH(bool, withServer);
    GuiWorld world(withServer ? GuiWorld::Start::WithServer : GuiWorld::Start::WithoutServer);
    world.action("mnusave")->trigger();
    QCOMPARE(world.platform.saveRequests.size(), std::size_t{1});
    const quorvel::SaveDialogRequest& request = world.platform.saveRequests[0];
    QCOMPARE(request.title, std::string("Save Log Information"));
    QCOMPARE(request.proposedName, std::string("log results.txt"));
    QCOMPARE(request.initialFolder, withServer ? world.server.folder() : std::string());
    QCOMPARE(request.filters.size(), std::size_t{2});
    QCOMPARE(request.filters[0].description + " " + request.filters[0].pattern, std::string("Text Files *.txt"));
    QCOMPARE(request.filters[1].description + " " + request.filters[1].pattern, std::string("All Files *.*"));
    QCOMPARE(request.defaultSuffix, std::string("txt"));
    QCOMPARE(world.state().savefilename, std::string());
    QVERIFY(world.platform.errors.empty());
    QVERIFY(!world.form->analyzer().busy);
}

// The second save goes to the file chosen by "Save as..." without a dialog and replaces it.
void SaveFlowTest::saveAfterSaveAsWritesWithoutAsking()
{
    GuiWorld world;
    world.server.writeDownloadLog(latin1Log);
    const fs::path file = world.server.root() / "results.txt";
    world.action("mnunumberdown")->trigger();
    const std::string first = world.form->outputText();
    saveWith(world, "mnusaveas", file);
    QCOMPARE(readFile(file), first + "\r\n");
    QCOMPARE(world.state().savefilename, file.string());

    world.action("mnusortbydate")->trigger();
    const std::string second = world.form->outputText();
    QVERIFY(second != first);
    world.action("mnusave")->trigger();
    QCOMPARE(world.platform.saveRequests.size(), std::size_t{1});
    QCOMPARE(readFile(file), second + "\r\n");
    world.action("mnusave")->trigger();
    QCOMPARE(readFile(file), second + "\r\n");
}

// Rows: each log encoding with several reports. The saved file must hold exactly what the
// report tool prints for the same verb, the log's own bytes inside it, then CR LF.
void SaveFlowTest::uneditedReportIsSavedAsTheReportToolPrintsIt_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("verb");
    const std::pair<const char*, std::string> logs[] = {
        {"Latin-1", latin1Log}, {"UTF-8", utf8Log}, {"mixed", mixedLog}};
    const std::pair<const char*, const char*> reports[] = {{"mnusortbydate", "downloads-by-date"},
                                                           {"mnudownloadnumber", "downloads-by-number"},
                                                           {"mnusortbyaccount", "downloads-by-account"},
                                                           {"mnunumberdown", "top-downloader"},
                                                           {"mnunumberaccountdown", "top-account-downloader"}};
    for (const auto& [encoding, log] : logs)
        for (const auto& [item, verb] : reports)
            QTest::addRow("%s, %s", encoding, verb) << QByteArray::fromStdString(log) << item << verb;
}

void SaveFlowTest::uneditedReportIsSavedAsTheReportToolPrintsIt()
{
    QFETCH(QByteArray, log);
    QFETCH(QString, item);
    QFETCH(QString, verb);
    GuiWorld world;
    for (const char* account : {"ann", "jos\xe9", "jos\xc3\xa9"})
        world.server.addAccount(account);
    world.server.writeDownloadLog(log.toStdString());
    world.restart();
    world.action(qPrintable(item))->trigger();
    const quorvel::test::ReportRun run = quorvel::test::reportOn(world.server, {verb.toStdString()});
    QCOMPARE(run.code, 0);
    const fs::path file = world.server.root() / "saved.txt";
    saveWith(world, "mnusaveas", file);
    QCOMPARE(QByteArray::fromStdString(readFile(file)), QByteArray::fromStdString(run.out + "\r\n"));
}

// Rows: a report and what the user types at its end. Characters that Windows-1252 can hold
// stay 8-bit after an 8-bit report; others are UTF-8; the report's own lines keep their bytes.
void SaveFlowTest::typedTextIsSaved_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("typedBytes");
    QTest::newRow("8-bit report") << QByteArray::fromStdString(latin1Log) << QString::fromUtf8("é\n€ ok\nΩ")
                                  << QByteArray("\xe9\r\n\x80 ok\r\n\xce\xa9");
    QTest::newRow("UTF-8 report") << QByteArray::fromStdString(utf8Log) << QString::fromUtf8("é\n€ ok")
                                  << QByteArray("\xc3\xa9\r\n\xe2\x82\xac ok");
    QTest::newRow("mixed report") << QByteArray::fromStdString(mixedLog) << QString::fromUtf8("ü")
                                  << QByteArray("\xfc");
}

void SaveFlowTest::typedTextIsSaved()
{
    QFETCH(QByteArray, log);
    QFETCH(QString, typed);
    QFETCH(QByteArray, typedBytes);
    GuiWorld world;
    world.server.writeDownloadLog(log.toStdString());
    world.action("mnusortbydate")->trigger();
    const std::string report = world.form->outputText();
    typeAtEnd(world.text1(), typed);
    const fs::path file = world.server.root() / "typed.txt";
    saveWith(world, "mnusave", file);
    QCOMPARE(QByteArray::fromStdString(readFile(file)), QByteArray::fromStdString(report) + typedBytes + "\r\n");
}

// A save to a folder fails: the error box names the file and the reason, the earlier file
// keeps its bytes and stays the one "Save" writes to; the window shows what it showed.
void SaveFlowTest::failedSaveShowsTheReasonAndKeepsTheEarlierFile()
{
    GuiWorld world;
    world.server.writeDownloadLog(latin1Log);
    const fs::path good = world.server.root() / "good.txt";
    const fs::path folder = world.server.root() / "results";
    fs::create_directory(folder);
    world.action("mnunumberdown")->trigger();
    const std::string first = world.form->outputText();
    saveWith(world, "mnusaveas", good);
    world.action("mnusortbydate")->trigger();
    const QString status = world.lblinfo()->text();

    saveWith(world, "mnusaveas", folder);
    QCOMPARE(world.platform.errors.size(), std::size_t{1});
    QCOMPARE(world.platform.errors[0].title, std::string("Save Log Information"));
    QCOMPARE(world.platform.errors[0].text, "Cannot save '" + folder.string() + "': Is a directory");
    QCOMPARE(readFile(good), first + "\r\n");
    QVERIFY(fs::is_empty(folder));
    QCOMPARE(world.state().savefilename, good.string());
    QCOMPARE(world.lblinfo()->text(), status);

    world.action("mnusave")->trigger();
    QCOMPARE(world.platform.saveRequests.size(), std::size_t{2});
    QCOMPARE(readFile(good), world.form->outputText() + "\r\n");
}

QTEST_MAIN(SaveFlowTest)
#include "tst_saveflow.moc"
