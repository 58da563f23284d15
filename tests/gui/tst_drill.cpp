// SPDX-License-Identifier: MIT
// Drilling down in the window with real mouse and key events: a cell of every kind, the lines
// and cells that do nothing, 8-bit and UTF-8 names, an edited box, Ctrl+Return, Back through
// three steps and what clears it, the hand and the tooltip, and the chart's bars and points.
#include "guitest.h"

#include "app/chartwindow.h"

#include <QAbstractBarSeries>
#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHelpEvent>
#include <QLineSeries>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

#include <string>

using quorvel::test::GuiWorld;

namespace {

// One download a line; an emoji user name (two UTF-16 units) before a file on a UTF-8 line, an
// 8-bit one on a Windows-1252 line, a name that reads as markup and one the box wraps.
const std::string downloads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                              "03/14/2001 10:00:00 AM\t10.0.0.1\tbob\tBob\tGlider.sit\r"
                              "03/14/2001 11:00:00 AM\t10.0.0.2\tann\t\xf0\x9f\x98\x80x\tGlider.sit\r"
                              "03/15/2001 09:00:00 AM\t10.0.0.1\tbob\t\xe9ric\tb.txt\r"
                              "03/15/2001 09:30:00 AM\t10.0.0.1\tbob\tBob\t<b>bold</b>.sit\r"
                              "yesterday\t10.0.0.3\tann\tAnn\t\xe9t\xe9.sit\r"
                              "03/13/2001 09:00:00 AM\t10.0.0.9\tcy\tDee\tSome long name that the box "
                              "has to wrap over two lines or more, whichever it takes.sit\r";
const std::string uploads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                            "03/14/2001 12:00:00 PM\t10.0.0.2\tann\tAnn\tnew.sit\r";

// The point of the view where a value of the series stands.
QPoint onView(QChartView* view, QAbstractSeries* series, QPointF value)
{
    const QPointF inChart = view->chart()->mapToPosition(value, series);
    return view->mapFromScene(view->chart()->mapToScene(inChart));
}

} // namespace

class DrillTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void doubleClickRunsTheQuestionBehindEachKindOfCell_data();
    void doubleClickRunsTheQuestionBehindEachKindOfCell();
    void headingsCountsUndatedAndEmptyLinesDoNothing();
    void namesOfEitherEncodingDrillTheirOwnBytes();
    void anEditedBoxEditsAsUsual();
    void ctrlReturnDrillsTheCellAtTheCaretAndReturnBreaksTheLine();
    void backWalksThreeStepsAndANewCommandClearsIt();
    void reloadingOrAPeriodClearsTheTrail();
    void aDrillableCellShowsAHandAndAPlainTooltipAndLeavesTheStatusLine();
    void chartBarsAndPointsDrillTheirEntryButNotOthers();

private:
    std::unique_ptr<GuiWorld> world;
    QPlainTextEdit* box() const { return world->text1(); }
    std::string output() const { return world->form->outputText(); }
    void choose(const char* item) { world->action(item)->trigger(); }
    // The middle of the nth appearance of text in the box, on the viewport.
    QPoint pointOf(const QString& text, int nth = 0) const;
    void doubleClick(QPoint at) const;
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const { QTest::keyClick(box(), key, modifiers); }
};

void DrillTest::init()
{
    world = std::make_unique<GuiWorld>();
    for (const char* account : {"ann", "bob", "cy"})
        world->server.addAccount(account);
    world->server.writeDownloadLog(downloads);
    world->server.writeUploadLog(uploads);
    world->restart();
    world->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world->form.get()));
    choose("mnuloadall");
}

void DrillTest::cleanup()
{
    world.reset();
}

QPoint DrillTest::pointOf(const QString& text, int nth) const
{
    const QString shown = box()->toPlainText();
    qsizetype at = shown.indexOf(text);
    for (int k = 0; k < nth && at >= 0; ++k)
        at = shown.indexOf(text, at + 1);
    if (at < 0) {
        QTest::qFail(qPrintable(QStringLiteral("not shown: ") + text), __FILE__, __LINE__);
        return {-1, -1};
    }
    QTextCursor cursor(box()->document());
    cursor.setPosition(static_cast<int>(at + text.size() / 2));
    box()->setTextCursor(cursor);
    box()->ensureCursorVisible();
    const QRect left = box()->cursorRect(cursor);
    cursor.setPosition(static_cast<int>(at + text.size() / 2 + 1));
    const QRect right = box()->cursorRect(cursor);
    return {(left.x() + right.x()) / 2, left.center().y()};
}

void DrillTest::doubleClick(QPoint at) const
{
    QWidget* viewport = box()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

void DrillTest::doubleClickRunsTheQuestionBehindEachKindOfCell_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("file") << "mnudownloadnumber"
                          << "Glider.sit" << QByteArray("Users who have downloaded Glider.sit...\r\n\r\n");
    QTest::newRow("account") << "mnuupaccount"
                             << "ann" << QByteArray("Files that ann has uploaded...\r\n");
    QTest::newRow("user name") << "mnunumberdown"
                               << "Bob" << QByteArray("Bob had downloaded these files...\r\n");
    QTest::newRow("address") << "mnudownloadsbyaddress"
                             << "10.0.0.2" << QByteArray("Downloads from 10.0.0.2...\r\n\r\n");
    QTest::newRow("day") << "mnuuploadsbyday"
                         << "2001-03-14" << QByteArray("Uploads on 2001-03-14...\r\n\r\n");
    QTest::newRow("last transfer's day") << "mnulastdownloads"
                                         << "2001-03-15" << QByteArray("Downloads on 2001-03-15...\r\n\r\n");
    QTest::newRow("transfers by account") << "mnutransfersbyaccount"
                                          << "ann" << QByteArray("Files that ann has downloaded...\r\n");
}

void DrillTest::doubleClickRunsTheQuestionBehindEachKindOfCell()
{
    QFETCH(QString, item);
    QFETCH(QString, cell);
    QFETCH(QByteArray, shown);
    choose(item.toLatin1().constData());
    const std::string before = output();
    const QPoint at = pointOf(cell);
    QVERIFY(at.x() >= 0);
    doubleClick(at);
    QVERIFY2(output().starts_with(shown.toStdString()), output().c_str());
    QCOMPARE(world->form->analyzer().trail.size(), std::size_t{1});
    QCOMPARE(answerText(world->form->analyzer().trail.front()), before);
}

// The output box's text is unchanged and unedited after each of these.
void DrillTest::headingsCountsUndatedAndEmptyLinesDoNothing()
{
    choose("mnudownloadsbyday");
    const std::string before = output();
    for (const QPoint at : {pointOf("Downloads By Day"), pointOf("undated"), pointOf("\n2\t"),
                            pointOf("Downloads By Day") + QPoint(0, box()->fontMetrics().height()),
                            QPoint(box()->viewport()->width() - 4, pointOf("undated").y())}) {
        doubleClick(at);
        QCOMPARE(output(), before);
    }
    QVERIFY(world->form->analyzer().trail.empty());
}

void DrillTest::namesOfEitherEncodingDrillTheirOwnBytes()
{
    choose("mnudownloadsbyday");
    doubleClick(pointOf("2001-03-14"));
    QVERIFY(output().starts_with("Downloads on 2001-03-14..."));
    // After the emoji, on a UTF-8 line.
    doubleClick(pointOf("Glider.sit", 1));
    QVERIFY2(output().starts_with("Users who have downloaded Glider.sit..."), output().c_str());
    doubleClick(pointOf(QString::fromUtf8("\xf0\x9f\x98\x80x")));
    QVERIFY2(output().starts_with("\xf0\x9f\x98\x80x had downloaded these files..."), output().c_str());
    choose("mnusortbydate");
    doubleClick(pointOf(QString::fromUtf8("\xc3\xa9t\xc3\xa9.sit")));
    QVERIFY2(output().starts_with("Users who have downloaded \xe9t\xe9.sit..."), output().c_str());
    choose("mnudownloadsbyaddress");
    doubleClick(pointOf("10.0.0.1"));
    doubleClick(pointOf(QString::fromUtf8("\xc3\xa9ric")));
    QVERIFY2(output().starts_with("\xe9ric had downloaded these files..."), output().c_str());
}

void DrillTest::anEditedBoxEditsAsUsual()
{
    choose("mnudownloadnumber");
    const QPoint at = pointOf("b.txt");
    QTest::mouseClick(box()->viewport(), Qt::LeftButton, {}, at);
    press(Qt::Key_End);
    QTest::keyClicks(box(), "z");
    doubleClick(pointOf("Glider.sit"));
    QVERIFY(box()->textCursor().hasSelection()); // the word, as an editor selects it
    QCOMPARE(box()->textCursor().selectedText(), QStringLiteral("Glider"));
    press(Qt::Key_End);
    press(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(box()->toPlainText().contains(QStringLiteral("b.txtz")));
    QVERIFY(!output().starts_with("Users who"));
    QVERIFY(world->form->analyzer().trail.empty());
    QCOMPARE(world->form->analyzer().lastAnswer->verb, "downloads-by-number");
}

void DrillTest::ctrlReturnDrillsTheCellAtTheCaretAndReturnBreaksTheLine()
{
    choose("mnudownloadnumber");
    const std::string before = output();
    QTest::mouseClick(box()->viewport(), Qt::LeftButton, {}, pointOf("Glider.sit"));
    press(Qt::Key_Home);
    press(Qt::Key_Return, Qt::ControlModifier); // on the count
    QCOMPARE(output(), before);
    press(Qt::Key_End); // just after the name
    press(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY2(output().starts_with("Users who have downloaded Glider.sit..."), output().c_str());
    press(Qt::Key_Return);
    QVERIFY(box()->document()->isModified());
}

void DrillTest::backWalksThreeStepsAndANewCommandClearsIt()
{
    QAction* back = world->action("mnuback");
    QCOMPARE(back->shortcut(), QKeySequence(QKeySequence::Back));
    choose("mnudownloadnumber");
    QVERIFY(!back->isEnabled());
    std::vector<std::string> shown{output()};
    doubleClick(pointOf("Glider.sit"));
    shown.push_back(output());
    doubleClick(pointOf("Bob"));
    shown.push_back(output());
    doubleClick(pointOf("<b>bold</b>.sit"));
    QVERIFY(output().starts_with("Users who have downloaded <b>bold</b>.sit..."));
    QVERIFY(back->isEnabled());
    world->form->activateWindow();
    box()->setFocus();
    for (int step = 2; step >= 0; --step) {
        QTest::keyClick(box(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(output(), shown[static_cast<std::size_t>(step)]);
        QCOMPARE(answerText(*world->form->analyzer().lastAnswer), shown[static_cast<std::size_t>(step)]);
    }
    QVERIFY(!back->isEnabled());
    QCOMPARE(world->form->analyzer().lastAnswer->verb, "downloads-by-number");
    doubleClick(pointOf("Glider.sit"));
    QVERIFY(back->isEnabled());
    choose("mnusortbyaccount");
    QVERIFY(!back->isEnabled());
    back->trigger();
    QVERIFY(output().starts_with("Downloads By Account..."));
}

void DrillTest::reloadingOrAPeriodClearsTheTrail()
{
    QAction* back = world->action("mnuback");
    choose("mnudownloadnumber");
    doubleClick(pointOf("Glider.sit"));
    QVERIFY(back->isEnabled());
    choose("mnuLoaddownloadlog");
    QVERIFY(!back->isEnabled());
    const std::string stale = output();
    doubleClick(pointOf("Bob")); // the answer shown went with the log it read
    QCOMPARE(output(), stale);
    choose("mnudownloadnumber");
    doubleClick(pointOf("Glider.sit"));
    QVERIFY(back->isEnabled());
    world->platform.periodAnswers.push_back(quorvel::PeriodDialogDates{{2001, 3, 14}, {2001, 3, 14}, true, true});
    choose("mnuperiod");
    QVERIFY(!back->isEnabled());
    choose("mnudownloadnumber");
    const std::string listing = output();
    doubleClick(pointOf("2001-03-14")); // the period's line
    QCOMPARE(output(), listing);
    doubleClick(pointOf("Glider.sit"));
    QVERIFY2(output().starts_with("Period: 2001-03-14 to 2001-03-14"), output().c_str());
    QVERIFY(output().find("Users who have downloaded Glider.sit...") != std::string::npos);
}

void DrillTest::aDrillableCellShowsAHandAndAPlainTooltipAndLeavesTheStatusLine()
{
    choose("mnudownloadnumber");
    const QString status = world->lblinfo()->text();
    QWidget* viewport = box()->viewport();
    const QPoint name = pointOf("<b>bold</b>.sit");
    QTest::mouseMove(viewport, name);
    QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
    QHelpEvent help(QEvent::ToolTip, name, viewport->mapToGlobal(name));
    QApplication::sendEvent(viewport, &help);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(
        QToolTip::text(),
        QStringLiteral("<p style='white-space:pre'>Double-click: who downloaded '&lt;b&gt;bold&lt;/b&gt;.sit'</p>"));
    const QPoint count = pointOf("\n1\t");
    // Right of the first of the lines the long name is wrapped over.
    const QTextBlock wrapped =
        box()->document()->findBlock(static_cast<int>(box()->toPlainText().indexOf(QStringLiteral("Some long name"))));
    QVERIFY(wrapped.layout()->lineCount() > 1);
    QTextCursor start(wrapped);
    const QPoint pastWrap(viewport->width() - 4, box()->cursorRect(start).center().y());
    for (const QPoint elsewhere : {pointOf("By Number"), count, QPoint(viewport->width() - 4, name.y()), pastWrap}) {
        QTest::mouseMove(viewport, elsewhere);
        QCOMPARE(viewport->cursor().shape(), Qt::IBeamCursor);
        QHelpEvent none(QEvent::ToolTip, elsewhere, viewport->mapToGlobal(elsewhere));
        QApplication::sendEvent(viewport, &none);
        QTRY_VERIFY(!QToolTip::isVisible());
    }
    QCOMPARE(world->lblinfo()->text(), status);
}

void DrillTest::chartBarsAndPointsDrillTheirEntryButNotOthers()
{
    std::string many = "Date/time\tAddress\tAccount\tName\tFile Name\r";
    for (int k = 0; k < 22; ++k)
        for (int n = 0; n <= 22 - k; ++n)
            many += "03/" + std::to_string(10 + k % 3) + "/2001 10:00:00 AM\t10.0.0.1\tbob\tBob\tfile" +
                    std::to_string(k) + "\r";
    world->server.writeDownloadLog(many);
    choose("mnuLoaddownloadlog");
    choose("mnudownloadnumber");
    choose("mnuchart");
    quorvel::gui::ChartWindow* chart = world->form->chartWindow();
    QVERIFY(chart);
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    auto* view = chart->findChild<QChartView*>(QStringLiteral("chartview"));
    auto* bars = qobject_cast<QAbstractBarSeries*>(view->chart()->series().first());
    QVERIFY(bars);
    const std::string listing = output();
    // "others" is the lowest bar, file0 (23 downloads) the top one, file1 below it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onView(view, bars, {0.5, 0}));
    QCOMPARE(output(), listing);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onView(view, bars, {1, 19}));
    QVERIFY2(output().starts_with("Users who have downloaded file1..."), output().c_str());
    choose("mnudownloadsbyday");
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    auto* line = qobject_cast<QLineSeries*>(view->chart()->series().first());
    QVERIFY(line);
    const QPointF point = line->at(1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onView(view, line, point));
    QVERIFY2(output().starts_with("Downloads on 2001-03-11..."), output().c_str());
    // A period forgets the answer drawn: its points drill nothing any more.
    choose("mnudownloadsbyday");
    line = qobject_cast<QLineSeries*>(view->chart()->series().first());
    world->platform.periodAnswers.push_back(quorvel::PeriodDialogDates{{2001, 3, 11}, {2001, 3, 11}, true, true});
    choose("mnuperiod");
    const std::string kept = output();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onView(view, line, line->at(1)));
    QCOMPARE(output(), kept);
}

QTEST_MAIN(DrillTest)
#include "tst_drill.moc"
