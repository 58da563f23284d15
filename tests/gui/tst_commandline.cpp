// SPDX-License-Identifier: MIT
// The quorvel executable's command line, run as a user runs it. The executable is copied into
// a temporary folder, so that the folder file it writes beside itself is the test's.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void aFolderGivenIsUsedAndRemembered_data();
    void aFolderGivenIsUsedAndRemembered();
    void usage_data();
    void usage();

private:
    // Starts the copy in the temporary folder's "server" parent, with these arguments.
    void start(QProcess& program, const QStringList& arguments);
    QString folderFile() const { return programFolder_.filePath("log.dat"); }

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
    QFile::remove(copy);
    QFile::remove(folderFile());
    QVERIFY(QFile::copy(QStringLiteral(QUORVEL_PATH), copy));
    QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile log(root_.filePath("server/Download Log.txt"));
    QVERIFY(log.open(QIODevice::WriteOnly));
}

void CommandLineTest::start(QProcess& program, const QStringList& arguments)
{
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
}

void CommandLineTest::aFolderGivenIsUsedAndRemembered()
{
    QFETCH(QStringList, arguments);
    QProcess program;
    start(program, arguments.replaceInStrings("$ROOT", root_.path()));
    QFile remembered(folderFile());
    QTRY_VERIFY_WITH_TIMEOUT(remembered.exists() && remembered.size() > 0, 20000);
    QVERIFY(remembered.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(remembered.readAll()), QDir(root_.filePath("server")).absolutePath());
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

// Rows: arguments that end the program at once, with its exit status and a text it prints.
void CommandLineTest::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("printed");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "--default-folder <DIR>";
    QTest::newRow("two folders") << QStringList{"server", "program"} << 2 << "give one server folder at most";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'";
    QTest::newRow("default without a folder") << QStringList{"--default-folder"} << 2 << "Missing value";
}

void CommandLineTest::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, printed);
    QProcess program;
    start(program, arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
    QVERIFY2(output.contains(printed), qPrintable(output));
    QVERIFY(!QFile::exists(folderFile()));
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
