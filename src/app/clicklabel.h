// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace quorvel::gui {

// A label that reports a click: the left button pressed and released over it.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace quorvel::gui
