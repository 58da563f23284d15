// SPDX-License-Identifier: MIT
#pragma once

#include "app/clicklabel.h"

#include <functional>

namespace quorvel::gui {

// lblinfo, the status line: plain text on the lines its height gives, word-wrapped, that
// reports a click. A text of one line that does not fit (a deep folder's path) is shown with
// its middle elided, so that its start and its end, the folder's own name, stay visible; the
// whole text is then the tooltip. A text of several lines (a search's caption) is shown as it
// is.
class StatusLine : public ClickLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    void setStatus(const QString& text);

private:
    bool fits(const QString& text) const;
};

// As many characters of text as fit around an ellipsis in its middle, split evenly (the later
// half the larger), a character beyond 16 bits kept whole or not at all. Found by halving: a
// count that fits while one more does not. (Where lines may break moves as characters are
// taken away, so a few more may fit elsewhere; finding those would cost a layout per count.)
QString elideMiddle(const QString& text, const std::function<bool(const QString&)>& fits);

} // namespace quorvel::gui
