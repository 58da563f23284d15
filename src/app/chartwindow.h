// SPDX-License-Identifier: MIT
#pragma once

#include "model/stamp.h"
#include "platform/platform.h"
#include "present/resulttable.h"

#include <QWidget>

#include <string>

class QChart;
class QChartView;
class QPushButton;

namespace quorvel::gui {

// The "Chart" window: the last result drawn with Qt Charts. A listing by day is a line over a
// date axis on which days without transfers count zero; by month and by hour, bars in their
// order; a count listing, horizontal bars of its first 20 entries in its own order and one more,
// "others", for the rest when there are more. Undated records get no bar; the title gives
// their number. Every text from a log, a folder or a path is escaped: Qt Charts reads titles
// and labels as rich text.
// "Save as PNG..." asks the platform for a file and writes the chart there.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(Platform& platform);

    // Whether a table has anything to draw: a count or time listing.
    static bool canDraw(const ResultTable& table);

    // Draws table. The title is the command's menu caption, the server folder's name and the
    // period, or "All time".
    void draw(const ResultTable& table, const std::string& serverFolder, const Period& period);

    QChart* chart() const;

private:
    void savePng();

    Platform& platform_;
    QChartView* view_ = nullptr;
    QPushButton* savePng_ = nullptr;
    std::string name_;   // the drawn table's verb, for the proposed file name
    std::string folder_; // where the proposed file goes
};

} // namespace quorvel::gui
