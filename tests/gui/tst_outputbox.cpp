// SPDX-License-Identifier: MIT
#include "app/outputbox.h"
#include "gui/textcodec.h"

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
    void edited_data();
    void edited();
    void undoingAllEditsGivesTheEngineBytesBack();
    void lineEditedInTheMiddleLeavesTheLinesAroundItTheirBytes();
};

// Rows: engine texts with what the box must show; outputText() must give the bytes back
// unchanged, whatever they are.
void OutputBoxTest::unedited_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8 report") << QByteArray("Caf\xc3\xa9\r\n\r\n2\tna\xc3\xafve\r\n")
                                  << QString::fromUtf8("Café\n\n2\tnaïve\n");
    QTest::newRow("Latin-1 report") << QByteArray("Caf\xe9\r\n\r\n2\tna\xefve\r\n")
                                    << QString::fromUtf8("Café\n\n2\tnaïve\n");
    QTest::newRow("mixed lines") << QByteArray("Caf\xc3\xa9\r\nna\xefve\r\n") << QString::fromUtf8("Café\nnaïve\n");
    QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc") << QString("a\nb\nc");
    QTest::newRow("byte order mark kept") << QByteArray("\xef\xbb\xbfx\r\n") << QChar(0xFEFF) + QString("x\n");
    QTest::newRow("overlong encoding is Latin-1") << QByteArray("\xc0\xaf") << QString::fromLatin1("\xc0\xaf");
    QTest::newRow("surrogate is Latin-1") << QByteArray("\xed\xb0\x80") << QString::fromLatin1("\xed\xb0\x80");
    QTest::newRow("cut sequence is Latin-1") << QByteArray("ok\r\n\xe2\x82") << QString::fromLatin1("ok\n\xe2\x82");
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

// Rows: a report, then text typed at its end. Unchanged lines keep their bytes; typed text
// follows the report's encoding where it can.
void OutputBoxTest::edited_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("UTF-8 report stays UTF-8")
        << QByteArray("Caf\xc3\xa9\r\n") << QString::fromUtf8("Ré") << QByteArray("Caf\xc3\xa9\r\nR\xc3\xa9");
    QTest::newRow("Latin-1 report stays Latin-1")
        << QByteArray("Caf\xe9\r\n") << QString::fromUtf8("Ré") << QByteArray("Caf\xe9\r\nR\xe9");
    QTest::newRow("beyond Latin-1 is UTF-8 in a Latin-1 report")
        << QByteArray("Caf\xe9\r\n") << QString::fromUtf8("5 €") << QByteArray("Caf\xe9\r\n5 \xe2\x82\xac");
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

QTEST_MAIN(OutputBoxTest)
#include "tst_outputbox.moc"
