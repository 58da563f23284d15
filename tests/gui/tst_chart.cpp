// SPDX-License-Identifier: MIT
// The chart window, offscreen: the series a listing and a time listing make, the first 20 bars
// and "others", titles that show markup as text, and the window following the results.
#include "guitest.h"

#include "app/chartwindow.h"
#include "present/resulttables.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QHorizontalBarSeries>
#include <QLineSeries>

using quorvel::CountRows;
using quorvel::Period;
using quorvel::gui::ChartWindow;
using quorvel::test::GuiWorld;

class ChartTest : public QObject {
    Q_OBJECT

private slots:
    void listingShowsTwentyBarsAndTheOthers();
    void dayListingCountsEveryDayBetween();
    void chartCommandFollowsTheResults();
};

void ChartTest::listingShowsTwentyBarsAndTheOthers()
{
    CountRows rows;
    for (int i = 0; i < 25; ++i)
        rows.emplace_back(i == 0 ? "<b>first</b>" : "file" + std::to_string(i), 100 - i);
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    window.draw(quorvel::countListingTable("downloads-by-number", "file", rows), "/srv/<b>hot&line", Period{});
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

void ChartTest::dayListingCountsEveryDayBetween()
{
    quorvel::TimeCounts counts;
    const quorvel::DayNumber first = quorvel::dayNumber({2001, 1, 30});
    counts.keys = {{first, 3}, {first + 3, 1}};
    counts.undated = 2;
    quorvel::test::FakePlatform platform;
    ChartWindow window(platform);
    window.draw(quorvel::timeTable("downloads-by-day", counts, quorvel::TimeUnit::Day), "/srv/hotline",
                Period{first, first + 10});
    QCOMPARE(window.chart()->title(),
             QString("Downloads By Day \u2014 hotline \u2014 2001-01-30 to 2001-02-09 (2 undated)"));
    auto* line = qobject_cast<QLineSeries*>(window.chart()->series().first());
    QVERIFY(line);
    QList<double> values;
    for (const QPointF& point : line->points())
        values << point.y();
    QCOMPARE(values, QList<double>({3, 0, 0, 1}));
}

void ChartTest::chartCommandFollowsTheResults()
{
    GuiWorld world;
    world.server.writeDownloadLog("1/2/2001 1:00\tip\tbob\tBob\ta.txt\r2/3/2001 1:00\tip\tbob\tBob\tb.txt");
    world.action("mnuchart")->trigger();
    QCOMPARE(world.lblinfo()->text(), QString("This result has no chart..."));
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

QTEST_MAIN(ChartTest)
#include "tst_chart.moc"
