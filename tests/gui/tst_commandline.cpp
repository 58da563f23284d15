// SPDX-License-Identifier: MIT
// The quorvel executable's command line, run as a user runs it. The executable is copied into
// a temporary folder with the build's marker, so that the folder file it writes beside itself
// is the test's; without the marker it is an installed copy.
#include "server/folderfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void aFolderGivenIsUsedAndRemembered_data();
    void aFolderGivenIsUsedAndRemembered();
    void anInstalledCopyRemembersInTheConfigurationFolder();
    void usage_data();
    void usage();
    void printingToAFullDiskIsAnError_data();
    void printingToAFullDiskIsAnError();

private:
    // Starts the copy in the temporary folder's "server" parent, with these arguments and its
    // configuration folder in the temporary folder; display false: on a system without one
    // (no display named, and Qt left to choose its platform).
    void start(QProcess& program, const QStringList& arguments, bool display = true);
    // Waits until the folder file holds a path, then checks it is the server folder's.
    void expectRemembered(const QString& path);
    QString folderFile() const { return programFolder_.filePath("log.dat"); }
    QString configFolder() const { return root_.filePath("config"); }

    QTemporaryDir root_;
    QDir programFolder_;
};

void CommandLineTest::init()
{
    QVERIFY(root_.isValid());
    QDir(root_.path()).mkpath("program");
    QDir(root_.path()).mkpath("server/users/guest");
    programFolder_ = QDir(root_.filePath("program"));
    const QString copy = programFolder_.filePath("quorvel");
    const QString marker = programFolder_.filePath(quorvel::FolderFile::buildMarker);
    QFile::remove(copy);
    QFile::remove(marker);
    QFile::remove(folderFile());
    QDir(configFolder()).removeRecursively();
    QVERIFY(QFile::copy(QStringLiteral(QUORVEL_PATH), copy));
    QVERIFY(
        QFile::copy(QFileInfo(QStringLiteral(QUORVEL_PATH)).dir().filePath(quorvel::FolderFile::buildMarker), marker));
    QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile log(root_.filePath("server/Download Log.txt"));
    QVERIFY(log.open(QIODevice::WriteOnly));
}

void CommandLineTest::start(QProcess& program, const QStringList& arguments, bool display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", configFolder());
    if (!display) {
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
    }
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(root_.path());
    program.start(programFolder_.filePath("quorvel"), arguments);
    QVERIFY(program.waitForStarted());
}

// Rows: ways of naming the server folder; the folder file holds its absolute path. (How paths
// are resolved is tested on folderNamedBy.)
void CommandLineTest::aFolderGivenIsUsedAndRemembered_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a file in it, relative") << QStringList{"server/Download Log.txt"};
    QTest::newRow("after a default") << QStringList{"--default-folder=$ROOT/program", "$ROOT/server/"};
    // Qt takes its own options; the value of one is no second folder.
    QTest::newRow("among Qt's options")
        << QStringList{"-platform", "offscreen", "--style=fusion", "-reverse", "server"};
}

void CommandLineTest::aFolderGivenIsUsedAndRemembered()
{
    QFETCH(QStringList, arguments);
    QProcess program;
    start(program, arguments.replaceInStrings("$ROOT", root_.path()));
    expectRemembered(folderFile());
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

void CommandLineTest::expectRemembered(const QString& path)
{
    QFile remembered(path);
    QTRY_VERIFY_WITH_TIMEOUT(remembered.exists() && remembered.size() > 0, 20000);
    QVERIFY(remembered.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(remembered.readAll()), QDir(root_.filePath("server")).absolutePath());
}

// Its own folder is writable, yet without the build's marker the copy keeps its folder file in
// the user's configuration folder.
void CommandLineTest::anInstalledCopyRemembersInTheConfigurationFolder()
{
    QVERIFY(QFile::remove(programFolder_.filePath(quorvel::FolderFile::buildMarker)));
    QProcess program;
    start(program, {"server"});
    expectRemembered(QDir(configFolder()).filePath("quorvel/log.dat"));
    QVERIFY(!QFile::exists(folderFile()));
    program.kill();
    program.waitForFinished();
}

// Rows: arguments that end the program at once, with its exit status, a text it prints and one
// it must not print. Every one is answered before a display is needed.
void CommandLineTest::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("notPrinted");
    QTest::addColumn<bool>("display");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "--help-all" << "--platform" << true;
    QTest::newRow("version") << QStringList{"--version"} << 0 << "quorvel " QUORVEL_VERSION "\n" << "" << true;
    QTest::newRow("help with Qt's options")
        << QStringList{"--help-all"} << 0 << "--platform <platformName[:options]>" << "" << true;
    // help2man reads help and version while the program is built, where there may be no display.
    QTest::newRow("help without a display") << QStringList{"--help"} << 0 << "--default-folder <DIR>" << "" << false;
    QTest::newRow("version without a display")
        << QStringList{"-v"} << 0 << "quorvel " QUORVEL_VERSION "\n" << "" << false;
    QTest::newRow("help with Qt's options without a display")
        << QStringList{"--help-all"} << 0 << "--style <style>" << "" << false;
    QTest::newRow("two folders") << QStringList{"server", "program"} << 2 << "give one server folder at most" << ""
                                 << true;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'" << "" << true;
    QTest::newRow("unknown option without a display")
        << QStringList{"server", "--bogus"} << 2 << "Unknown option 'bogus'" << "" << false;
    QTest::newRow("default without a folder") << QStringList{"--default-folder"} << 2 << "Missing value" << ""
                                              << true;
    QTest::newRow("Qt's option without its value without a display")
        << QStringList{"-platform"} << 2 << "Missing value after '-platform'" << "" << false;
}

void CommandLineTest::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, printed);
    QFETCH(QString, notPrinted);
    QFETCH(bool, display);
    QProcess program;
    start(program, arguments, display);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
    QVERIFY2(output.contains(printed), qPrintable(output));
    QVERIFY2(notPrinted.isEmpty() || !output.contains(notPrinted), qPrintable(output));
    QVERIFY(!QFile::exists(folderFile()));
}

// Rows: the options that print, with standard output on a full disk.
void CommandLineTest::printingToAFullDiskIsAnError_data()
{
    QTest::addColumn<QString>("option");
    for (const char* option : {"--help", "--help-all", "--version"})
        QTest::newRow(option) << QString::fromLatin1(option);
}

void CommandLineTest::printingToAFullDiskIsAnError()
{
    QFETCH(QString, option);
    QProcess program;
    program.setStandardOutputFile(QStringLiteral("/dev/full"));
    start(program, {option}, false);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(program.readAllStandardError(), QByteArray("quorvel: cannot write the output: No space left on device\n"));
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
