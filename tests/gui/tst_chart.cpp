// SPDX-License-Identifier: MIT
// The chart window, offscreen: the series a listing and a time listing make, the first 20 bars
// and "others", the labels of count and date axes, days at any distance, titles that show
// markup as text, results with nothing to draw, the window's place, icon and saved picture, and
// the window following the results.
#include "guitest.h"

#include "app/chartwindow.h"
#include "query/activity.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>

#include <filesystem>

using quorvel::CountRows;
using quorvel::DayNumber;
using quorvel::Period;
using quorvel::gui::ChartWindow;
using quorvel::test::GuiWorld;

namespace {

// The answers of "Sort By Download Number" and "Downloads By Day" with these rows.
quorvel::Answer fileListing(CountRows rows)
{
    quorvel::Answer answer = quorvel::countListing(quorvel::Side::Download, "", {"file", quorvel::ColumnKind::File},
                                                   std::move(rows), {});
    answer.verb = "downloads-by-number";
    return answer;
}

quorvel::Answer dayListing(const quorvel::TimeCounts& counts)
{
    quorvel::Answer answer = quorvel::timeAnswer(quorvel::Side::Download, quorvel::TimeUnit::Day, counts, {});
    answer.verb = "downloads-by-day";
    return answer;
}

QStringList labelsOf(QChart* chart, Qt::Orientation orientation)
{
    auto* axis = qobject_cast<QCategoryAxis*>(chart->axes(orientation).first());
    return axis ? axis->categoriesLabels() : QStringList{QStringLiteral("not a category axis")};
}

// The chart of a count listing of one entry per count.
void drawListing(ChartWindow& window, const std::vector<std::int64_t>& counts)
{
    CountRows rows;
    for (const std::int64_t count : counts)
        rows.emplace_back("entry" + std::to_string(rows.size()), count);
    window.draw(fileListing(rows), "/srv/hotline", Period{});
}

// The chart of a listing by day with these days and counts.
void drawDays(ChartWindow& window, const std::vector<std::pair<DayNumber, std::int64_t>>& days)
{
    quorvel::TimeCounts counts;
    for (const auto& [day, count] : days)
        counts.keys.emplace_back(day, count);
    window.draw(dayListing(counts), "/srv/hotline", Period{});
}

const QLineSeries* lineOf(const ChartWindow& window)
{
    return qobject_cast<const QLineSeries*>(window.chart()->series().first());
}

// A log of one record on each of the given days ("M/D/YYYY"), or with the stamp as given.
std::string logOn(const std::vector<std::string>& stamps)
{
    std::string log;
    for (const std::string& stamp : stamps)
        log += stamp + " 1:00\tip\tbob\tBob\tfile" + std::to_string(log.size()) + ".txt\r";
    return log;
}

void choosePeriod(GuiWorld& world, quorvel::CalendarDay from, quorvel::CalendarDay to)
{
    world.platform.periodAnswers.push_back(quorvel::PeriodDialogDates{from, to, true, true});
    world.action("mnuperiod")->trigger();
}

} // namespace

class ChartTest : public QObject {
    Q_OBJECT

private slots:
    void listingShowsTwentyBarsAndTheOthers();
    void othersFollowsEveryListingOfMoreThanTwentyEntries();
    void countAxesHaveWholeNumberLabelsEachOnce_data();
    void countAxesHaveWholeNumberLabelsEachOnce();
    void dayListingCountsEveryDayBetween();
    void daysFarApartArePointsAtTheRowsOnly();
    void chartCommandFollowsTheResults();
    void resultsWithoutARowToDrawHaveNoChart();
    void windowOpensCentredOnTheMainWindowWithTheProgramsIcon();
    void savedPictureHasTheChartsBackgroundInItsCorners();
};

void ChartTest::listingShowsTwentyBarsAndTheOthers()
{
    CountRows rows;
    for (int i = 0; i < 25; ++i)
        rows.emplace_back(i == 0 ? "<b>first</b>" : "file" + std::to_string(i), 100 - i);
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    window.draw(fileListing(rows), "/srv/<b>hot&line", Period{});
    QCOMPARE(window.chart()->title(),
             QString("Sort By Download Number \u2014 &lt;b&gt;hot&amp;line \u2014 All time"));
    const auto series = window.chart()->series();
    QCOMPARE(series.size(), 1);
    auto* bars = qobject_cast<QHorizontalBarSeries*>(series.first());
    QVERIFY(bars);
    const QBarSet* set = bars->barSets().first();
    QCOMPARE(set->count(), 21);
    // Read from the top: the listing's first entry, then the rest, "others" last.
    QCOMPARE(set->at(20), 100.0);
    QCOMPARE(set->at(1), 81.0);
    QCOMPARE(set->at(0), 80.0 + 79 + 78 + 77 + 76);
    auto* names = qobject_cast<QBarCategoryAxis*>(window.chart()->axes(Qt::Vertical).first());
    QCOMPARE(names->categories().first(), QString("others"));
    QCOMPARE(names->categories().last(), QString("&lt;b&gt;first&lt;/b&gt;"));
}

// Twenty entries are all shown; a twenty-first makes "others", also when the rest count 0.
void ChartTest::othersFollowsEveryListingOfMoreThanTwentyEntries()
{
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    std::vector<std::int64_t> counts(20, 3);
    drawListing(window, counts);
    auto* names = qobject_cast<QBarCategoryAxis*>(window.chart()->axes(Qt::Vertical).first());
    QCOMPARE(names->count(), 20);
    QCOMPARE(names->categories().first(), QString("entry19"));

    counts.back() = 0;
    counts.push_back(0);
    drawListing(window, counts);
    names = qobject_cast<QBarCategoryAxis*>(window.chart()->axes(Qt::Vertical).first());
    QCOMPARE(names->count(), 21);
    QCOMPARE(names->categories().first(), QString("others"));
    QCOMPARE(names->categories().at(1), QString("entry19"));
    const QBarSet* set = qobject_cast<QHorizontalBarSeries*>(window.chart()->series().first())->barSets().first();
    QCOMPARE(set->count(), 21);
    QCOMPARE(set->at(0), 0.0);
    QCOMPARE(set->at(1), 0.0);
    QCOMPARE(set->at(2), 3.0);
}

void ChartTest::countAxesHaveWholeNumberLabelsEachOnce_data()
{
    QTest::addColumn<qint64>("most");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("nothing") << qint64(0) << QStringList{"0", "1"};
    QTest::newRow("one") << qint64(1) << QStringList{"0", "1"};
    QTest::newRow("two") << qint64(2) << QStringList{"0", "1", "2"};
    QTest::newRow("eight, one by one") << qint64(8) << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8"};
    QTest::newRow("nine, by twos") << qint64(9) << QStringList{"0", "2", "4", "6", "8", "10"};
    QTest::newRow("seventeen, by fives") << qint64(17) << QStringList{"0", "5", "10", "15", "20"};
    QTest::newRow("a hundred, by twenties") << qint64(100) << QStringList{"0", "20", "40", "60", "80", "100"};
    QTest::newRow("1234, by two hundreds")
        << qint64(1234) << QStringList{"0", "200", "400", "600", "800", "1000", "1200", "1400"};
    QTest::newRow("five billion, by a billion")
        << qint64(5'000'000'001)
        << QStringList{"0", "1000000000", "2000000000", "3000000000", "4000000000", "5000000000", "6000000000"};
}

// A listing whose largest count is most (three files with one download each among them): the
// count axis reads whole numbers, each once, at their own values.
void ChartTest::countAxesHaveWholeNumberLabelsEachOnce()
{
    QFETCH(qint64, most);
    QFETCH(QStringList, labels);
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    drawListing(window, {most, most / 2, 0});
    QCOMPARE(labelsOf(window.chart(), Qt::Horizontal), labels);
    auto* axis = qobject_cast<QCategoryAxis*>(window.chart()->axes(Qt::Horizontal).first());
    for (const QString& label : labels)
        QCOMPARE(axis->endValue(label), label.toDouble());
    QCOMPARE(axis->min(), 0.0);
    QCOMPARE(axis->max(), labels.last().toDouble());

    // A line by day counts on the same axis.
    drawDays(window, {{11000, most}, {11002, most / 2}});
    QCOMPARE(labelsOf(window.chart(), Qt::Vertical), labels);
}

void ChartTest::dayListingCountsEveryDayBetween()
{
    quorvel::TimeCounts counts;
    const DayNumber first = quorvel::dayNumber({2001, 1, 30});
    counts.keys = {{first, 3}, {first + 3, 1}};
    counts.undated = 2;
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    window.draw(dayListing(counts), "/srv/hotline",
                Period{first, first + 10});
    QCOMPARE(window.chart()->title(),
             QString("Downloads By Day \u2014 hotline \u2014 2001-01-30 to 2001-02-09 (2 undated)"));
    QCOMPARE(lineOf(window)->points(),
             QList<QPointF>({{first + 0.0, 3}, {first + 1.0, 0}, {first + 2.0, 0}, {first + 3.0, 1}}));
    // Every day of so short a span is labelled, each once, and the first and last day lie
    // inside the axis, so that their labels are drawn.
    QCOMPARE(labelsOf(window.chart(), Qt::Horizontal),
             QStringList({"2001-01-30", "2001-01-31", "2001-02-01", "2001-02-02"}));
    auto* dates = qobject_cast<QCategoryAxis*>(window.chart()->axes(Qt::Horizontal).first());
    QCOMPARE(dates->endValue("2001-02-01"), first + 2.0);
    QVERIFY(dates->min() < first && dates->max() > first + 3);

    // One day: one point, shown as a point, and one label; no undated records, none named.
    drawDays(window, {{first, 4}});
    QCOMPARE(window.chart()->title(), QString("Downloads By Day \u2014 hotline \u2014 All time"));
    QCOMPARE(lineOf(window)->points(), QList<QPointF>({{first + 0.0, 4}}));
    QVERIFY(lineOf(window)->pointsVisible());
    QCOMPARE(labelsOf(window.chart(), Qt::Horizontal), QStringList({"2001-01-30"}));
}

// Up to 20,000 days apart the days between count zero; farther apart (the years 1 and 9999
// included) the line joins the rows, each shown as a point, and the axis still reads dates.
void ChartTest::daysFarApartArePointsAtTheRowsOnly()
{
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    drawDays(window, {{-5000, 2}, {15000, 1}});
    QCOMPARE(lineOf(window)->count(), 20001);
    QCOMPARE(lineOf(window)->at(20000), QPointF(15000, 1));
    QVERIFY(!lineOf(window)->pointsVisible());

    drawDays(window, {{-5000, 2}, {15001, 1}});
    QCOMPARE(lineOf(window)->points(), QList<QPointF>({{-5000, 2}, {15001, 1}}));
    QVERIFY(lineOf(window)->pointsVisible());

    const DayNumber first = quorvel::dayNumber({1, 1, 1});
    const DayNumber last = quorvel::dayNumber({9999, 12, 31});
    drawDays(window, {{first, 1}, {first + 1, 2}, {last, 3}});
    QCOMPARE(lineOf(window)->count(), 3);
    const QStringList labels = labelsOf(window.chart(), Qt::Horizontal);
    QCOMPARE(labels.first(), QString("0001-01-01"));
    QVERIFY(labels.size() >= 5 && labels.size() <= 6);
    for (qsizetype i = 1; i < labels.size(); ++i)
        QVERIFY(labels[i - 1] < labels[i]);
    QVERIFY(labels.last() <= QString("9999-12-31"));
}

void ChartTest::chartCommandFollowsTheResults()
{
    GuiWorld world;
    world.server.writeDownloadLog("1/2/2001 1:00\tip\tbob\tBob\ta.txt\r2/3/2001 1:00\tip\tbob\tBob\tb.txt");
    world.action("mnuchart")->trigger();
    QCOMPARE(world.lblinfo()->text(), QString("Nothing to chart yet..."));
    QVERIFY(!world.form->chartWindow());
    world.action("mnudownloadsbymonth")->trigger();
    world.action("mnuchart")->trigger();
    ChartWindow* chart = world.form->chartWindow();
    QVERIFY(chart);
    QVERIFY(chart->isVisible());
    QVERIFY(chart->chart()->title().startsWith("Downloads By Month"));
    world.action("mnunumberdown")->trigger();
    world.action("mnuchart")->trigger();
    QCOMPARE(world.lblinfo()->text(), QString("This result has no chart..."));
    QVERIFY(chart->chart()->title().startsWith("Downloads By Month"));
    world.action("mnudownloadnumber")->trigger();
    QVERIFY(chart->chart()->title().startsWith("Sort By Download Number"));
}

// A period without records, by day, by month and by number; a log of undated records only;
// and an open chart window meeting such a result, then a result with rows again.
void ChartTest::resultsWithoutARowToDrawHaveNoChart()
{
    const QString empty = QStringLiteral("Nothing to chart: the result is empty...");
    GuiWorld world;
    world.server.writeDownloadLog(logOn({"1/2/2001", "2/3/2001"}));
    choosePeriod(world, {1999, 1, 1}, {1999, 12, 31});
    for (const char* item : {"mnudownloadsbyday", "mnudownloadsbymonth", "mnudownloadnumber"}) {
        world.action(item)->trigger();
        world.action("mnuchart")->trigger();
        QCOMPARE(world.lblinfo()->text(), empty);
        QVERIFY2(!world.form->chartWindow(), item);
    }

    choosePeriod(world, {2001, 1, 1}, {2001, 12, 31});
    world.action("mnudownloadsbyday")->trigger();
    world.action("mnuchart")->trigger();
    ChartWindow* chart = world.form->chartWindow();
    QVERIFY(chart && chart->showsChart());
    auto* note = chart->findChild<QLabel*>("lblemptychart");
    auto* save = chart->findChild<QPushButton*>("cmdsavepng");
    QVERIFY(!note->isVisible() && save->isEnabled());
    choosePeriod(world, {1999, 1, 1}, {1999, 12, 31});
    world.action("mnudownloadsbymonth")->trigger();
    QVERIFY(!chart->showsChart());
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), empty);
    QVERIFY(!save->isEnabled());
    world.action("mnuchart")->trigger();
    QCOMPARE(world.lblinfo()->text(), empty);
    choosePeriod(world, {2001, 2, 1}, {2001, 2, 28});
    world.action("mnudownloadsbymonth")->trigger();
    QVERIFY(chart->showsChart() && save->isEnabled());
    QCOMPARE(labelsOf(chart->chart(), Qt::Vertical), QStringList({"0", "1"}));

    GuiWorld undated;
    undated.server.writeDownloadLog(logOn({"1/1/0000", "yesterday"}));
    undated.action("mnudownloadsbyday")->trigger();
    undated.action("mnuchart")->trigger();
    QCOMPARE(undated.lblinfo()->text(), empty);
    QVERIFY(!undated.form->chartWindow());
}

// Moved off the screen's centre, the main window still has the chart centred on it; pushed to
// a corner of the screen, the chart stays on the screen.
void ChartTest::windowOpensCentredOnTheMainWindowWithTheProgramsIcon()
{
    GuiWorld world;
    world.server.writeDownloadLog(logOn({"1/2/2001"}));
    world.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(world.form.get()));
    world.form->move(world.form->pos() + QPoint(12, 17));
    world.action("mnudownloadsbyday")->trigger();
    world.action("mnuchart")->trigger();
    ChartWindow* chart = world.form->chartWindow();
    QVERIFY(chart);
    const QPoint offset = chart->frameGeometry().center() - world.form->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 1, qPrintable(QString("off by %1, %2").arg(offset.x()).arg(offset.y())));
    QVERIFY(!chart->windowIcon().isNull());
    QCOMPARE(chart->windowIcon().pixmap(32).toImage(), world.form->windowIcon().pixmap(32).toImage());

    const QRect screen = world.form->screen()->availableGeometry();
    const QSize form = world.form->frameGeometry().size();
    for (const QPoint corner : {screen.topLeft(), screen.bottomRight() - QPoint(form.width() - 1, form.height() - 1)}) {
        chart->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!world.form->chartWindow());
        world.form->move(corner);
        world.action("mnuchart")->trigger();
        chart = world.form->chartWindow();
        QVERIFY(screen.contains(chart->frameGeometry()));
    }
}

void ChartTest::savedPictureHasTheChartsBackgroundInItsCorners()
{
    const quorvel::test::TempServer folder;
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    drawListing(window, {5, 2, 1});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const std::string file = (folder.root() / "chart.png").string();
    platform.saveAnswers.push_back(file);
    window.findChild<QPushButton*>("cmdsavepng")->click();
    const QImage saved(QString::fromStdString(file));
    QVERIFY(!saved.isNull());
    const QBrush brush = window.chart()->backgroundBrush();
    const QColor background = brush.gradient() ? brush.gradient()->stops().first().second : brush.color();
    QVERIFY(background != window.palette().color(QPalette::Window));
    const int right = saved.width() - 1, bottom = saved.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        QCOMPARE(saved.pixelColor(corner), background);
}

QTEST_MAIN(ChartTest)
#include "tst_chart.moc"
