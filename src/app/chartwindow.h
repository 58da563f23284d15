// SPDX-License-Identifier: MIT
#pragma once

#include "commands/drill.h"
#include "model/stamp.h"
#include "platform/platform.h"
#include "query/answer.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace quorvel::gui {

// The "Chart" window: the last answer drawn with Qt Charts. A listing by day is a line over a
// date axis made from the engine's day numbers, on which days without transfers count zero
// while the listing spans at most 20,000 days (beyond that the line joins its rows); by month
// and by hour, bars in their order; a listing of names, horizontal bars (a set for each count
// column) of its first 20 entries in its own order and, when there are more, one more,
// "others", for the rest. Count axes have
// whole-number ticks, each label once. Undated records get no bar; the title gives their
// number. A result with no row to draw shows a sentence in place of the chart. Every text from
// a log, a folder or a path is escaped: Qt Charts reads titles and labels as rich text.
// "Save as PNG..." asks the platform for a file and writes the chart there, the chart's own
// background in every pixel. Clicking a bar, or a point of the line by day, drills down to
// its entry (not "others") as double-clicking its cell in the output box does; the pointer
// over one that drills is a hand.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(Platform& platform);

    // Whether an answer is of a kind that has a chart, by its columns: a day, a month or an hour
    // with a count, or names with their count(s).
    static bool canDraw(const Answer& answer);
    // The rows a chart of the answer draws: every row of a listing of names, the dated rows of
    // a time listing.
    static std::size_t drawnRows(const Answer& answer);

    // Draws the answer, or shows that it is empty when it has no row to draw. The title is the
    // command's menu caption, the server folder's name and the period, or "All time".
    void draw(const Answer& answer, const std::string& serverFolder, const Period& period);

    QChart* chart() const;
    // Whether the chart shows, rather than the sentence that the result is empty.
    bool showsChart() const;

    // The bars and points drill nothing from now on: the answer drawn was forgotten.
    void forgetEntries();

signals:
    void drillChosen(const quorvel::DrillTarget& target);

private:
    void savePng();
    void connectEntries(QChart& chart, const std::vector<DayNumber>& days);
    const DrillTarget* entryAt(std::size_t row) const;
    void pointTo(bool entry);

    Platform& platform_;
    QStackedWidget* pages_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* savePng_ = nullptr;
    std::string name_;   // the drawn table's verb, for the proposed file name
    std::string folder_; // where the proposed file goes
    // What each drawn row drills to, in the rows' order.
    std::vector<std::optional<DrillTarget>> entries_;
};

} // namespace quorvel::gui
