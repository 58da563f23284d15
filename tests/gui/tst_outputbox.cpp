// SPDX-License-Identifier: MIT
#include "app/outputbox.h"
#include "gui/textcodec.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <string>

using quorvel::gui::OutputBox;

class OutputBoxTest : public QObject {
    Q_OBJECT

private slots:
    void unedited_data();
    void unedited();
    void everyCharacterShownComesFromItsOwnBytes_data();
    void everyCharacterShownComesFromItsOwnBytes();
    void edited_data();
    void edited();
    void undoingAllEditsGivesTheEngineBytesBack();
    void lineEditedInTheMiddleLeavesTheLinesAroundItTheirBytes();
    void countsAndNamesLineUpInAFixedPitchFont();
    void tabStopLeavesRoomForTheWidestFirstField_data();
    void tabStopLeavesRoomForTheWidestFirstField();
};

// Rows: engine texts with what the box must show; outputText() must give the bytes back
// unchanged, whatever they are.
void OutputBoxTest::unedited_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8 report") << QByteArray("Caf\xc3\xa9\r\n\r\n2\tna\xc3\xafve\r\n")
                                  << QString::fromUtf8("Café\n\n2\tnaïve\n");
    QTest::newRow("8-bit report") << QByteArray("Caf\xe9\r\n\r\n2\tna\xefve\r\n")
                                  << QString::fromUtf8("Café\n\n2\tnaïve\n");
    QTest::newRow("Windows-1252 letters")
        << QByteArray("\x8eupan\x9a\xe9 \x80\x85\r\n") << QString::fromUtf8("Županšé €…\n");
    QTest::newRow("bytes Windows-1252 leaves undefined stay Latin-1")
        << QByteArray("\x81\x8d\x8f\x90\x9d") << QString::fromLatin1("\x81\x8d\x8f\x90\x9d");
    QTest::newRow("mixed lines") << QByteArray("Caf\xc3\xa9\r\nna\xefve\r\n") << QString::fromUtf8("Café\nnaïve\n");
    QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc") << QString("a\nb\nc");
    QTest::newRow("byte order mark kept") << QByteArray("\xef\xbb\xbfx\r\n") << QChar(0xFEFF) + QString("x\n");
    QTest::newRow("overlong encoding is 8-bit") << QByteArray("\xc0\xaf") << QString::fromLatin1("\xc0\xaf");
    QTest::newRow("surrogate is 8-bit") << QByteArray("\xed\xb0\x80") << QString::fromUtf8("í°€");
    QTest::newRow("cut sequence is 8-bit") << QByteArray("ok\r\n\xe2\x82") << QString::fromUtf8("ok\nâ‚");
    QTest::newRow("empty") << QByteArray() << QString();
}

void OutputBoxTest::unedited()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    OutputBox box(nullptr);
    box.setBytes(bytes.toStdString());
    QCOMPARE(box.toPlainText(), shown);
    QCOMPARE(QByteArray::fromStdString(box.bytes()), bytes);
}

void OutputBoxTest::everyCharacterShownComesFromItsOwnBytes_data()
{
    unedited_data();
    QTest::newRow("characters beyond 16 bits among 8-bit lines")
        << QByteArray("\xf0\x9f\x98\x80x: Glider.sit\r\n\xe9ric: b\xf0\x9f\x98\x80.txt\rend\n\xf0\x9f\x98\x80")
        << QString();
}

// The byte a position maps to, up to the next character's, decodes to the character shown
// there: a drill-down reads the cell the user points at.
void OutputBoxTest::everyCharacterShownComesFromItsOwnBytes()
{
    QFETCH(QByteArray, bytes);
    const std::string engine = bytes.toStdString();
    const QString shown = quorvel::gui::decodeText(engine).text;
    const quorvel::gui::TextOffsets offsets(engine);
    for (qsizetype at = 0; at < shown.size(); ++at) {
        if (shown[at] == QLatin1Char('\n') || shown[at].isLowSurrogate())
            continue;
        const qsizetype next = at + (shown[at].isHighSurrogate() ? 2 : 1);
        const std::size_t from = offsets.byteAt(at);
        const std::size_t to = offsets.byteAt(next);
        QVERIFY2(from < to && to <= engine.size(), qPrintable(QString::number(at)));
        QCOMPARE(quorvel::gui::decodeLine(std::string_view(engine).substr(from, to - from)), shown.mid(at, next - at));
    }
    QCOMPARE(offsets.byteAt(shown.size()), engine.size());
}

// Rows: a report, then text typed at its end. Unchanged lines keep their bytes; typed text
// follows the report's encoding where it can.
void OutputBoxTest::edited_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("UTF-8 report stays UTF-8")
        << QByteArray("Caf\xc3\xa9\r\n") << QString::fromUtf8("Ré") << QByteArray("Caf\xc3\xa9\r\nR\xc3\xa9");
    QTest::newRow("8-bit report stays 8-bit")
        << QByteArray("Caf\xe9\r\n") << QString::fromUtf8("Ré 5 € Ž") << QByteArray("Caf\xe9\r\nR\xe9 5 \x80 \x8e");
    QTest::newRow("an undefined byte's character is that byte")
        << QByteArray("Caf\xe9\r\n") << QString(QChar(0x81)) << QByteArray("Caf\xe9\r\n\x81");
    QTest::newRow("beyond Windows-1252 is UTF-8 in an 8-bit report")
        << QByteArray("Caf\xe9\r\n") << QString::fromUtf8("é Ω") << QByteArray("Caf\xe9\r\n\xc3\xa9 \xce\xa9");
    QTest::newRow("a control character Windows-1252 gives another byte is UTF-8")
        << QByteArray("Caf\xe9\r\n") << QString(QChar(0x80)) << QByteArray("Caf\xe9\r\n\xc2\x80");
    QTest::newRow("mixed report keeps each line's bytes")
        << QByteArray("Caf\xc3\xa9\r\nna\xefve\r\n") << QString("x") << QByteArray("Caf\xc3\xa9\r\nna\xefve\r\nx");
    QTest::newRow("lines that read alike keep each its own bytes")
        << QByteArray("caf\xe9\r\ncaf\xc3\xa9\r\n") << QString("x") << QByteArray("caf\xe9\r\ncaf\xc3\xa9\r\nx");
    QTest::newRow("typed into an empty box is UTF-8")
        << QByteArray() << QString::fromUtf8("é") << QByteArray("\xc3\xa9");
    QTest::newRow("lines typed are joined by CR LF")
        << QByteArray("a\r\n") << QString("b\nc") << QByteArray("a\r\nb\r\nc");
    QTest::newRow("non-breaking space survives")
        << QByteArray("a\r\n") << QString::fromUtf8("\xc2\xa0") << QByteArray("a\r\n\xc2\xa0");
}

void OutputBoxTest::edited()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);
    OutputBox box(nullptr);
    box.setBytes(bytes.toStdString());
    QTextCursor cursor(box.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(typed);
    QCOMPARE(QByteArray::fromStdString(box.bytes()), saved);
}

void OutputBoxTest::undoingAllEditsGivesTheEngineBytesBack()
{
    OutputBox box(nullptr);
    const std::string report = "Caf\xe9\r\nline\n";
    box.setBytes(report);
    QTextCursor cursor(box.document());
    cursor.insertText("x");
    QVERIFY(box.bytes() != report);
    box.undo();
    QCOMPARE(box.bytes(), report);
}

// Lines that read alike but were written in Latin-1 and in UTF-8, before and after the line
// the user replaced, each keep their own bytes.
void OutputBoxTest::lineEditedInTheMiddleLeavesTheLinesAroundItTheirBytes()
{
    OutputBox box(nullptr);
    box.setBytes("caf\xe9\r\ncaf\xc3\xa9\r\nold\r\ncaf\xc3\xa9\r\ncaf\xe9\r\n");
    QTextCursor cursor(box.document()->findBlockByNumber(2));
    cursor.select(QTextCursor::LineUnderCursor);
    cursor.insertText(QString::fromUtf8("new é"));
    QCOMPARE(QByteArray::fromStdString(box.bytes()),
             QByteArray("caf\xe9\r\ncaf\xc3\xa9\r\nnew \xe9\r\ncaf\xc3\xa9\r\ncaf\xe9\r\n"));
}

// A listing of counts from one to eight digits: every name starts at the same place.
void OutputBoxTest::countsAndNamesLineUpInAFixedPitchFont()
{
    OutputBox box(nullptr);
    QCOMPARE(box.font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics = box.fontMetrics();
    for (const char c : {'i', 'W', ' ', '.'})
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char(c)), metrics.horizontalAdvance(QLatin1Char('0')));
    box.resize(600, 300);
    box.setBytes("Downloads By Number...\r\n\r\n1\twide.txt\r\n12345678\tiii.txt\r\n4321\tWWW.txt\r\n");
    QList<int> nameStarts;
    for (int line = 2; line <= 4; ++line) {
        const QTextBlock block = box.document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + block.text().indexOf(QLatin1Char('\t')) + 1);
        nameStarts << box.cursorRect(cursor).left();
    }
    QCOMPARE(nameStarts[1], nameStarts[0]);
    QCOMPARE(nameStarts[2], nameStarts[0]);
    QVERIFY(nameStarts[0] > box.fontMetrics().horizontalAdvance(QStringLiteral("12345678 ")));
}

// Rows: a text set by the engine, and the characters from a line's start to where the text
// after its first TAB begins, on every line whose first field fits (at most 40 characters).
void OutputBoxTest::tabStopLeavesRoomForTheWidestFirstField_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("columns");
    QTest::newRow("last transfers: never, undated and days")
        << QByteArray("Last Download By Account...\r\n\r\nnever\tdora\r\nundated\teve\r\n2001-12-15\tann\r\n") << 12;
    QTest::newRow("counts of up to eight digits") << QByteArray("1\ta\r\n12345678\tb\r\n") << 10;
    QTest::newRow("a nine-digit count") << QByteArray("1\ta\r\n123456789\tb\r\n") << 11;
    QTest::newRow("lines without a TAB do not count")
        << QByteArray("Searching to see who's downloaded a-file-with-a-long-name.txt\r\nnever\ta\r\n") << 10;
    QTest::newRow("only the first TAB of a line counts")
        << QByteArray("3\ta-name-of-many-characters\tand-a-field-after-it\r\n1\tb\r\n") << 10;
    QTest::newRow("a field past 40 characters leaves room for 40")
        << QByteArray(std::string(45, 'x').c_str()).append("\ta\r\n1\tb\r\n2001-12-15\tc\r\n") << 42;
    QTest::newRow("a field of 40 characters") << QByteArray(std::string(40, 'x').c_str()).append("\ta\r\n1\tb") << 42;
    QTest::newRow("a character beyond 16 bits is one") << QByteArray("\xf0\x9d\x84\x9e\xf0\x9d\x84\x9e"
                                                                     "12345678\ta\r\n")
                                                       << 12;
    QTest::newRow("lone CR ends a line") << QByteArray("123456789012\rx\ta") << 10;
}

void OutputBoxTest::tabStopLeavesRoomForTheWidestFirstField()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, columns);
    OutputBox box(nullptr);
    box.resize(900, 300);
    // A wide answer, then this one: the stop follows the answer shown.
    box.setBytes(std::string(30, '9') + "\tz\r\n");
    box.setBytes(bytes.toStdString());
    const int digit = box.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    int checked = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const int tab = static_cast<int>(block.text().indexOf(QLatin1Char('\t')));
        if (tab < 0 || tab > 40)
            continue;
        QTextCursor cursor(block);
        const int lineStart = box.cursorRect(cursor).left();
        cursor.setPosition(block.position() + tab + 1);
        QCOMPARE(box.cursorRect(cursor).left() - lineStart, columns * digit);
        ++checked;
    }
    QVERIFY(checked >= 1);
}

QTEST_MAIN(OutputBoxTest)
#include "tst_outputbox.moc"
