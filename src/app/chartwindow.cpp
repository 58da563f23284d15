// SPDX-License-Identifier: MIT
#include "app/chartwindow.h"

#include "commands/commandtable.h"
#include "core/filereplace.h"
#include "gui/textcodec.h"
#include "present/reporttext.h"

#include <QBarCategoryAxis>
#include <QBuffer>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <map>

namespace quorvel::gui {

namespace {

constexpr std::size_t shownEntries = 20;
constexpr std::string_view undatedKey = "undated";

QString escaped(std::string_view bytes)
{
    return decodeLine(bytes).toHtmlEscaped();
}

// A value axis from zero that counts in whole transfers.
QValueAxis* countAxis(std::int64_t most)
{
    auto* axis = new QValueAxis;
    axis->setRange(0, static_cast<double>(std::max<std::int64_t>(most, 1)));
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->applyNiceNumbers();
    return axis;
}

// Every day from the first to the last of the listing, those without transfers at zero.
void drawDays(QChart& chart, const ResultTable& table)
{
    std::map<QDate, std::int64_t> days;
    for (std::size_t row = 0; row < table.rows; ++row) {
        const std::string_view key = table.cell(row, 0).text;
        if (key != undatedKey)
            days[QDate::fromString(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())), Qt::ISODate)] =
                table.cell(row, 1).count;
    }
    auto* series = new QLineSeries;
    series->setName(QStringLiteral("Transfers"));
    std::int64_t most = 0;
    if (!days.empty())
        for (QDate day = days.begin()->first; day <= days.rbegin()->first; day = day.addDays(1)) {
            const auto found = days.find(day);
            const std::int64_t count = found == days.end() ? 0 : found->second;
            series->append(static_cast<double>(day.startOfDay().toMSecsSinceEpoch()), static_cast<double>(count));
            most = std::max(most, count);
        }
    chart.addSeries(series);
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy-MM-dd"));
    chart.addAxis(dates, Qt::AlignBottom);
    series->attachAxis(dates);
    QValueAxis* counts = countAxis(most);
    chart.addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
}

// Bars in the order of the rows; for a count listing the first 20 and "others", laid
// horizontally with the first at the top.
void drawBars(QChart& chart, const ResultTable& table, bool listing)
{
    QStringList categories;
    auto* set = new QBarSet(QStringLiteral("Transfers"));
    std::int64_t most = 0;
    std::int64_t others = 0;
    for (std::size_t row = 0; row < table.rows; ++row) {
        const ResultTable::Cell key = table.cell(row, 0);
        const std::int64_t count = table.cell(row, 1).count;
        if (!listing && key.text == undatedKey)
            continue;
        if (listing && row >= shownEntries) {
            others += count;
            continue;
        }
        categories << escaped(key.text);
        *set << static_cast<double>(count);
        most = std::max(most, count);
    }
    if (others > 0) {
        categories << QStringLiteral("others");
        *set << static_cast<double>(others);
        most = std::max(most, others);
    }
    QAbstractBarSeries* series = listing ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                         : static_cast<QAbstractBarSeries*>(new QBarSeries);
    if (listing) {
        // Horizontal bars run from the bottom up: reversed, the listing reads from the top.
        std::reverse(categories.begin(), categories.end());
        auto* reversed = new QBarSet(set->label());
        for (qsizetype i = set->count() - 1; i >= 0; --i)
            *reversed << set->at(i);
        delete set;
        set = reversed;
    }
    series->append(set);
    chart.addSeries(series);
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setTruncateLabels(false);
    // Months and hours side by side: turned, their labels keep all their digits.
    if (!listing && categories.size() > 8)
        axis->setLabelsAngle(-90);
    QValueAxis* counts = countAxis(most);
    chart.addAxis(axis, listing ? Qt::AlignLeft : Qt::AlignBottom);
    chart.addAxis(counts, listing ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(axis);
    series->attachAxis(counts);
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
QString chartTitle(const ResultTable& table, const std::string& serverFolder, const Period& period)
{
    QString title = captionOf(table.name) + QStringLiteral(" \u2014 ") +
                    decodeLine(std::filesystem::path(serverFolder).filename().string()) + QStringLiteral(" \u2014 ") +
                    (period.isAllTime() ? QStringLiteral("All time") : decodeLine(periodText(period)));
    if (table.shape != ResultTable::Shape::Listing && table.rows > 0 &&
        table.cell(table.rows - 1, 0).text == undatedKey)
        title += QStringLiteral(" (%1 undated)").arg(table.cell(table.rows - 1, 1).count);
    return title;
}

} // namespace

ChartWindow::ChartWindow(Platform& platform) : platform_(platform)
{
    setObjectName(QStringLiteral("frmchart"));
    setWindowTitle(QStringLiteral("Chart"));
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new QChartView(new QChart, this);
    view_->setObjectName(QStringLiteral("chartview"));
    view_->setRenderHint(QPainter::Antialiasing);
    savePng_ = new QPushButton(QStringLiteral("Save as PNG..."), this);
    savePng_->setObjectName(QStringLiteral("cmdsavepng"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(savePng_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(buttons);
    resize(760, 520);
    connect(savePng_, &QPushButton::clicked, this, &ChartWindow::savePng);
}

bool ChartWindow::canDraw(const ResultTable& table)
{
    return table.shape != ResultTable::Shape::Rows;
}

QChart* ChartWindow::chart() const
{
    return view_->chart();
}

void ChartWindow::draw(const ResultTable& table, const std::string& serverFolder, const Period& period)
{
    name_ = table.name;
    if (folder_.empty())
        folder_ = serverFolder;
    auto* chart = new QChart;
    chart->setTitle(chartTitle(table, serverFolder, period).toHtmlEscaped());
    chart->legend()->hide();
    if (table.shape == ResultTable::Shape::ByDay)
        drawDays(*chart, table);
    else
        drawBars(*chart, table, table.shape == ResultTable::Shape::Listing);
    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old;
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
    if (const auto failure = replaceFile(*chosen, {std::string_view(png.constData(), static_cast<std::size_t>(png.size()))}))
        platform_.showError(title, "Cannot save '" + *chosen + "': " + *failure);
    else
        folder_ = std::filesystem::path(*chosen).parent_path().string();
}

} // namespace quorvel::gui
