// SPDX-License-Identifier: MIT
#include "app/statusline.h"

#include <QTextDocument>

namespace quorvel::gui {

namespace {

constexpr Qt::Alignment textAlignment = Qt::AlignLeft | Qt::AlignTop;

// `kept` characters of text split evenly around an ellipsis: the later half has the extra
// one, and a character beyond 16 bits is never cut in two.
QString keptAround(const QString& text, qsizetype kept)
{
    qsizetype tail = kept - kept / 2;
    qsizetype head = kept / 2;
    if (head > 0 && text[head - 1].isHighSurrogate())
        --head;
    if (tail > 0 && text[text.size() - tail].isLowSurrogate())
        --tail;
    return text.left(head) + QChar(0x2026) + text.right(tail);
}

} // namespace

StatusLine::StatusLine(QWidget* parent) : ClickLabel(parent)
{
    setAlignment(textAlignment);
    // Captions hold names from the logs, which whoever connects to the server chooses: they are
    // shown as they are, never read as markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void StatusLine::setStatus(const QString& text)
{
    if (text.contains(QLatin1Char('\n')) || fits(text)) {
        setText(text);
        setToolTip(QString());
        return;
    }
    setText(elideMiddle(text, [this](const QString& shown) { return fits(shown); }));
    // A tooltip is read as markup when it looks like markup: this one always is, with the text
    // escaped in it.
    setToolTip(Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
}

// Laid out as the label lays out its text: within its width and on no more lines than its
// height holds.
bool StatusLine::fits(const QString& text) const
{
    const QRect room = contentsRect();
    const QRect needed =
        fontMetrics().boundingRect(QRect(0, 0, room.width(), QWIDGETSIZE_MAX), textAlignment | Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QString elideMiddle(const QString& text, const std::function<bool(const QString&)>& fits)
{
    qsizetype fitting = 0;
    qsizetype tooMany = text.size();
    while (tooMany - fitting > 1) {
        const qsizetype kept = fitting + (tooMany - fitting) / 2;
        (fits(keptAround(text, kept)) ? fitting : tooMany) = kept;
    }
    return keptAround(text, fitting);
}

} // namespace quorvel::gui
