// SPDX-License-Identifier: MIT
#include "app/statusline.h"

#include <QTest>

using quorvel::gui::elideMiddle;

class StatusLineTest : public QObject {
    Q_OBJECT

private slots:
    void elisionKeepsAsMuchAsFitsEvenlySplit();
    void elisionCutsNoCharacterInTwo();
};

namespace {

const QChar ellipsis(0x2026);

// A rule of fitting apart from any font: at most `room` UTF-16 units.
auto atMost(qsizetype room)
{
    return [room](const QString& text) { return text.size() <= room; };
}

} // namespace

void StatusLineTest::elisionKeepsAsMuchAsFitsEvenlySplit()
{
    const QString text = "abcdefghijklmnopqrstuvwxyz";
    QCOMPARE(elideMiddle(text, atMost(1)), QString(ellipsis));
    QCOMPARE(elideMiddle(text, atMost(2)), ellipsis + QString("z"));
    QCOMPARE(elideMiddle(text, atMost(3)), QString("a") + ellipsis + QString("z"));
    QCOMPARE(elideMiddle(text, atMost(6)), QString("ab") + ellipsis + QString("xyz"));
    QCOMPARE(elideMiddle(text, atMost(26)), QString("abcdefghijkl") + ellipsis + QString("nopqrstuvwxyz"));
    // Nothing fits, not even the ellipsis alone: it is shown anyway.
    QCOMPARE(elideMiddle(text, atMost(0)), QString(ellipsis));
}

// Rows of text whose characters beyond 16 bits stand at even and at odd places, elided to every
// room: no half character on either side, and at most one unit short of the room at each side.
void StatusLineTest::elisionCutsNoCharacterInTwo()
{
    const QString folder = QString::fromUtf8("\xf0\x9f\x93\x81").repeated(9);
    for (const QString& text : {folder, "a" + folder, folder + "z", "a" + folder + "z"}) {
        for (qsizetype room = 1; room < text.size(); ++room) {
            const QString shown = elideMiddle(text, atMost(room));
            const qsizetype at = shown.indexOf(ellipsis);
            const QString head = shown.left(at);
            const QString tail = shown.mid(at + 1);
            QVERIFY(text.startsWith(head) && text.endsWith(tail));
            QVERIFY(head.isEmpty() || !head.back().isHighSurrogate());
            QVERIFY(tail.isEmpty() || !tail.front().isLowSurrogate());
            QVERIFY(shown.size() <= room);
            QVERIFY2(shown.size() >= room - 2, qPrintable(QString("room %1: %2").arg(room).arg(shown)));
        }
    }
}

QTEST_MAIN(StatusLineTest)
#include "tst_statusline.moc"
