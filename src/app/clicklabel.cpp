// SPDX-License-Identifier: MIT
#include "app/clicklabel.h"

#include <QMouseEvent>

namespace quorvel::gui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace quorvel::gui
