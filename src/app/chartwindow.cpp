// SPDX-License-Identifier: MIT
#include "app/chartwindow.h"

#include "app/resources.h"
#include "commands/commandtable.h"
#include "core/filereplace.h"
#include "gui/textcodec.h"
#include "present/statustext.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

namespace quorvel::gui {

namespace {

constexpr std::size_t shownEntries = 20;
// The longest span of days whose days without transfers are drawn as zeros.
constexpr std::int64_t filledSpan = 20'000;
// Labels on an axis: at most this many steps between them, so they never crowd.
constexpr std::int64_t countSteps = 8;
constexpr std::int64_t daySteps = 5;

QString escaped(std::string_view bytes)
{
    return decodeLine(bytes).toHtmlEscaped();
}

// An axis whose labels stand at the values given, each once, from the first value on.
QCategoryAxis* labelledAxis(double from, double to)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(from);
    axis->setRange(from, to);
    return axis;
}

// A count axis from zero to a whole step at or above most: 1, 2 or 5 times a power of ten,
// the smallest that takes at most countSteps steps. Its labels are whole numbers, each once.
QCategoryAxis* countAxis(std::int64_t most)
{
    constexpr std::array<std::int64_t, 3> leads{1, 2, 5};
    std::int64_t power = 1;
    std::size_t lead = 0;
    const auto steps = [&](std::int64_t step) { return (most + step - 1) / step; };
    while (steps(leads[lead] * power) > countSteps) {
        if (++lead == leads.size()) {
            lead = 0;
            power *= 10;
        }
    }
    const std::int64_t step = leads[lead] * power;
    const std::int64_t top = std::max<std::int64_t>(steps(step), 1) * step;
    QCategoryAxis* axis = labelledAxis(0, static_cast<double>(top));
    for (std::int64_t value = 0; value <= top; value += step)
        axis->append(QString::number(value), static_cast<double>(value));
    return axis;
}

// A date axis over the days first to last (day numbers), labelled with at most daySteps + 1
// whole days. A tenth of the span, at least a day, is left free at either end: Qt Charts drops
// a label that would reach past the end of its axis.
QCategoryAxis* dayAxis(DayNumber first, DayNumber last)
{
    const std::int64_t span = std::int64_t{last} - first;
    const double margin = static_cast<double>(std::max<std::int64_t>(span / 10, 1));
    QCategoryAxis* axis = labelledAxis(first - margin, last + margin);
    const std::int64_t step = std::max<std::int64_t>((span + daySteps - 1) / daySteps, 1);
    for (std::int64_t day = first; day <= last; day += step)
        axis->append(decodeLine(dayText(static_cast<DayNumber>(day))), static_cast<double>(day));
    return axis;
}

// What a chart makes of an answer, by its columns: a day and a count, a line over a date axis;
// a month or an hour and a count, bars in their order; names and their count(s), horizontal
// bars. Anything else (hits, lists, a winner, days without a count) has no chart.
enum class ChartKind { None, Days, Bars, Listing };

// The column a listing's line names its row by: the last one its text shows.
std::size_t keyColumn(const Answer& answer)
{
    return answer.shown.back();
}

// The count columns of an answer, in their order.
std::vector<std::size_t> countColumns(const Answer& answer)
{
    std::vector<std::size_t> counts;
    for (std::size_t column = 0; column < answer.columns.size(); ++column)
        if (answer.columns[column].kind == ColumnKind::Count)
            counts.push_back(column);
    return counts;
}

ChartKind chartKind(const Answer& answer)
{
    if (answer.shape != TextShape::Listing || answer.shown.empty() || countColumns(answer).empty())
        return ChartKind::None;
    switch (answer.columns[keyColumn(answer)].kind) {
    case ColumnKind::Day:
        return ChartKind::Days;
    case ColumnKind::Month:
    case ColumnKind::Hour:
        return ChartKind::Bars;
    case ColumnKind::File:
    case ColumnKind::Account:
    case ColumnKind::User:
    case ColumnKind::Address:
        return ChartKind::Listing;
    default:
        return ChartKind::None;
    }
}

// Whether a time listing's row counts the records without a readable date.
bool isUndatedRow(const Answer& answer, std::size_t row)
{
    return answer.cell(row, keyColumn(answer)).text == "undated";
}

// The day numbers of the first rows of a listing by day.
std::vector<DayNumber> dayNumbers(const Answer& answer, std::size_t rows)
{
    std::vector<DayNumber> days;
    for (std::size_t row = 0; row < rows; ++row)
        days.push_back(readDay(answer.cell(row, keyColumn(answer)).text).value_or(0));
    return days;
}

// The dated rows at their day numbers; the days between them at zero while the listing spans
// at most filledSpan days, else only the rows, each marked with a point.
void drawDays(QChart& chart, const Answer& answer, const std::vector<DayNumber>& days)
{
    const bool filled = std::int64_t{days.back()} - days.front() <= filledSpan;
    QList<QPointF> points;
    std::int64_t most = 0;
    std::int64_t next = days.front();
    for (std::size_t row = 0; row < days.size(); ++row) {
        for (; filled && next < days[row]; ++next)
            points.append(QPointF(static_cast<double>(next), 0));
        const std::int64_t count = answer.cell(row, countColumns(answer).front()).count;
        points.append(QPointF(days[row], static_cast<double>(count)));
        most = std::max(most, count);
        next = std::int64_t{days[row]} + 1;
    }
    auto* series = new QLineSeries;
    series->setName(QStringLiteral("Transfers"));
    series->append(points);
    series->setPointsVisible(!filled || points.size() == 1);
    chart.addSeries(series);
    QCategoryAxis* dates = dayAxis(days.front(), days.back());
    chart.addAxis(dates, Qt::AlignBottom);
    series->attachAxis(dates);
    QCategoryAxis* counts = countAxis(most);
    chart.addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
}

// Bars in the order of the rows drawn, a set of them for each count column; for a listing of
// names the first 20 and, when it has more entries, "others" for the rest (also when they count
// zero), laid horizontally with the first at the top.
void drawBars(QChart& chart, const Answer& answer, std::size_t rows, bool listing)
{
    QStringList categories;
    std::vector<QBarSet*> sets;
    const std::vector<std::size_t> counts = countColumns(answer);
    for (const std::size_t column : counts)
        sets.push_back(new QBarSet(counts.size() == 1 ? QStringLiteral("Transfers")
                                                      : QString::fromLatin1(answer.columns[column].name)));
    std::vector<std::int64_t> others(sets.size(), 0);
    std::int64_t most = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        const bool shown = !listing || row < shownEntries;
        if (shown)
            categories << escaped(answer.cell(row, keyColumn(answer)).text);
        for (std::size_t k = 0; k < sets.size(); ++k) {
            const std::int64_t count = answer.cell(row, counts[k]).count;
            if (shown) {
                *sets[k] << static_cast<double>(count);
                most = std::max(most, count);
            } else {
                others[k] += count;
            }
        }
    }
    if (listing && rows > shownEntries) {
        categories << QStringLiteral("others");
        for (std::size_t k = 0; k < sets.size(); ++k) {
            *sets[k] << static_cast<double>(others[k]);
            most = std::max(most, others[k]);
        }
    }
    QAbstractBarSeries* series = listing ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                         : static_cast<QAbstractBarSeries*>(new QBarSeries);
    // Horizontal bars run from the bottom up: reversed, the listing reads from the top.
    if (listing)
        std::reverse(categories.begin(), categories.end());
    for (QBarSet* set : sets) {
        if (listing) {
            QList<qreal> values;
            for (qsizetype i = set->count() - 1; i >= 0; --i)
                values << set->at(i);
            set->remove(0, set->count());
            set->append(values);
        }
        series->append(set);
    }
    chart.addSeries(series);
    if (sets.size() > 1)
        chart.legend()->show();
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setTruncateLabels(false);
    // Months and hours side by side: turned, their labels keep all their digits.
    if (!listing && categories.size() > 8)
        axis->setLabelsAngle(-90);
    QCategoryAxis* countsAxis = countAxis(most);
    chart.addAxis(axis, listing ? Qt::AlignLeft : Qt::AlignBottom);
    chart.addAxis(countsAxis, listing ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(axis);
    series->attachAxis(countsAxis);
}

// The caption of the command that answers a table; one that two menus share ("Sort By Date")
// is named with its menu.
QString captionOf(std::string_view name)
{
    const CommandRow* row = findVerb(name);
    if (!row || row->caption.empty())
        return decodeLine(name);
    const auto rows = commandTable();
    const bool shared = std::count_if(rows.begin(), rows.end(),
                                      [&](const CommandRow& other) { return other.caption == row->caption; }) > 1;
    const QString caption = decodeLine(row->caption);
    return shared ? decodeLine(topMenuDesign(row->menu).caption) + QStringLiteral(" > ") + caption : caption;
}

// The command's caption, the server folder's name and the period, and the undated records a
// time listing leaves out of its bars.
QString chartTitle(const Answer& answer, const std::string& serverFolder, const Period& period)
{
    QString title = captionOf(answer.verb) + QStringLiteral(" \u2014 ") +
                    decodeLine(std::filesystem::path(serverFolder).filename().string()) + QStringLiteral(" \u2014 ") +
                    (period.isAllTime() ? QStringLiteral("All time") : decodeLine(periodText(period)));
    if (chartKind(answer) != ChartKind::Listing && answer.rows > 0 && isUndatedRow(answer, answer.rows - 1))
        title += QStringLiteral(" (%1 undated)").arg(answer.cell(answer.rows - 1, countColumns(answer).front()).count);
    return title;
}

// A chart whose background fills its whole view, square, so that a picture of the view has the
// chart's background in every pixel.
QChart* newChart()
{
    auto* chart = new QChart;
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->hide();
    return chart;
}

} // namespace

ChartWindow::ChartWindow(Platform& platform) : platform_(platform)
{
    setObjectName(QStringLiteral("frmchart"));
    setWindowTitle(QStringLiteral("Chart"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new QChartView(newChart());
    view_->setObjectName(QStringLiteral("chartview"));
    view_->setRenderHint(QPainter::Antialiasing);
    empty_ = new QLabel(decodeLine(emptyChartMessage));
    empty_->setObjectName(QStringLiteral("lblemptychart"));
    empty_->setAlignment(Qt::AlignCenter);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(view_);
    pages_->addWidget(empty_);
    savePng_ = new QPushButton(QStringLiteral("Save as PNG..."), this);
    savePng_->setObjectName(QStringLiteral("cmdsavepng"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(savePng_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    resize(760, 520);
    connect(savePng_, &QPushButton::clicked, this, &ChartWindow::savePng);
}

bool ChartWindow::canDraw(const Answer& answer)
{
    return chartKind(answer) != ChartKind::None;
}

std::size_t ChartWindow::drawnRows(const Answer& answer)
{
    std::size_t rows = answer.rows;
    if (chartKind(answer) != ChartKind::Listing)
        while (rows > 0 && isUndatedRow(answer, rows - 1))
            --rows;
    return rows;
}

QChart* ChartWindow::chart() const
{
    return view_->chart();
}

bool ChartWindow::showsChart() const
{
    return pages_->currentWidget() == view_;
}

void ChartWindow::draw(const Answer& answer, const std::string& serverFolder, const Period& period)
{
    const std::size_t rows = drawnRows(answer);
    const bool empty = rows == 0;
    pages_->setCurrentWidget(empty ? static_cast<QWidget*>(empty_) : view_);
    savePng_->setEnabled(!empty);
    if (empty)
        return;
    name_ = answer.verb;
    if (folder_.empty())
        folder_ = serverFolder;
    QChart* chart = newChart();
    chart->setTitle(chartTitle(answer, serverFolder, period).toHtmlEscaped());
    const ChartKind kind = chartKind(answer);
    const std::vector<DayNumber> days = kind == ChartKind::Days ? dayNumbers(answer, rows) : std::vector<DayNumber>{};
    if (kind == ChartKind::Days)
        drawDays(*chart, answer, days);
    else
        drawBars(*chart, answer, rows, kind == ChartKind::Listing);
    entries_.clear();
    const std::size_t drawn = kind == ChartKind::Listing ? std::min(rows, shownEntries) : rows;
    for (std::size_t row = 0; row < drawn; ++row)
        entries_.push_back(drillTarget(answer, row, keyColumn(answer)));
    connectEntries(*chart, days);
    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
}

void ChartWindow::forgetEntries()
{
    entries_.clear();
    pointTo(false);
}

const DrillTarget* ChartWindow::entryAt(std::size_t row) const
{
    return row < entries_.size() && entries_[row] ? &*entries_[row] : nullptr;
}

void ChartWindow::pointTo(bool entry)
{
    view_->setCursor(entry ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

// A bar stands for its row, counted from the top for horizontal bars ("others" for none); a
// point of the line for the row of its day, the nearest whole day to where it was clicked.
void ChartWindow::connectEntries(QChart& chart, const std::vector<DayNumber>& days)
{
    for (QAbstractSeries* series : chart.series()) {
        if (auto* line = qobject_cast<QLineSeries*>(series)) {
            const auto rowOf = [days](const QPointF& point) {
                const auto day = static_cast<DayNumber>(std::llround(point.x()));
                const auto it = std::lower_bound(days.begin(), days.end(), day);
                return it != days.end() && *it == day ? static_cast<std::size_t>(it - days.begin()) : days.size();
            };
            connect(line, &QLineSeries::clicked, this, [this, rowOf](const QPointF& point) {
                if (const DrillTarget* target = entryAt(rowOf(point)))
                    emit drillChosen(*target);
            });
            connect(line, &QLineSeries::hovered, this,
                    [this, rowOf](const QPointF& point, bool on) { pointTo(on && entryAt(rowOf(point))); });
        } else if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
            const bool fromTop = qobject_cast<QHorizontalBarSeries*>(bars) != nullptr;
            const auto rowOf = [bars, fromTop](int index) {
                const int count = bars->barSets().isEmpty() ? 0 : static_cast<int>(bars->barSets().front()->count());
                return static_cast<std::size_t>(fromTop ? count - 1 - index : index);
            };
            connect(bars, &QAbstractBarSeries::clicked, this, [this, rowOf](int index, QBarSet*) {
                if (const DrillTarget* target = entryAt(rowOf(index)))
                    emit drillChosen(*target);
            });
            connect(bars, &QAbstractBarSeries::hovered, this,
                    [this, rowOf](bool on, int index, QBarSet*) { pointTo(on && entryAt(rowOf(index))); });
        }
    }
}

void ChartWindow::savePng()
{
    constexpr std::string_view title = "Save Chart";
    const auto chosen = platform_.askSaveFileName(SaveDialogRequest{
        .title = std::string(title),
        .proposedName = name_ + ".png",
        .initialFolder = folder_,
        .filters = {{"PNG Images", "*.png"}, {"All Files", "*.*"}},
        .defaultSuffix = "png",
    });
    if (!chosen || chosen->empty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    view_->grab().save(&buffer, "PNG");
    if (const auto failure =
            replaceFile(*chosen, {std::string_view(png.constData(), static_cast<std::size_t>(png.size()))}))
        platform_.showError(title, "Cannot save '" + *chosen + "': " + *failure);
    else
        folder_ = std::filesystem::path(*chosen).parent_path().string();
}

} // namespace quorvel::gui
