// SPDX-License-Identifier: MIT
#include "app/outputbox.h"

#include "gui/textcodec.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace quorvel::gui {

namespace {

// The characters before the first TAB of each line of text that has one, the most of them, or
// `most` when some line has that many: a listing of millions of lines is read once, and no
// further than it must be.
int widestFirstField(const QString& text, int most)
{
    int widest = 0;
    int column = 0;
    bool inField = true;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            column = 0;
            inField = true;
        } else if (!inField || c.isLowSurrogate()) {
            continue;
        } else if (c == QLatin1Char('\t')) {
            widest = std::max(widest, column);
            if (widest >= most)
                return most;
            inField = false;
        } else {
            ++column;
        }
    }
    return widest;
}

} // namespace

QString plainTip(const QString& text)
{
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTabStop(QString());
    viewport()->setMouseTracking(true);
}

void OutputBox::setTabStop(const QString& shown)
{
    const int field = std::clamp(widestFirstField(shown, widestField), narrowestField, widestField);
    setTabStopDistance((field + fieldGap) * fontMetrics().horizontalAdvance(QLatin1Char('0')));
}

bool OutputBox::canInsertFromMimeData(const QMimeData* source) const
{
    return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

void OutputBox::setBytes(std::string bytes)
{
    DecodedText decoded = decodeText(bytes);
    offsets_.reset();
    bytes_ = std::move(bytes);
    allUtf8_ = decoded.allUtf8;
    setTabStop(decoded.text);
    setPlainText(decoded.text);
    document()->setModified(false);
}

std::string OutputBox::bytes() const
{
    if (!document()->isModified())
        return bytes_;
    // The raw text keeps non-breaking spaces; its paragraph separators are the line breaks.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return encodeEditedText(text, bytes_, allUtf8_);
}

std::optional<std::size_t> OutputBox::byteAt(int position) const
{
    if (document()->isModified() || position < 0)
        return std::nullopt;
    if (!offsets_)
        offsets_.emplace(bytes_);
    return offsets_->byteAt(position);
}

std::optional<std::string> OutputBox::hintAt(std::optional<std::size_t> offset) const
{
    return offset && hint_ ? hint_(*offset) : std::nullopt;
}

// The character the point is on, not the nearest caret place: nothing right of a line's text.
std::optional<std::size_t> OutputBox::drillableAt(QPoint point) const
{
    const QTextBlock block = cursorForPosition(point).block();
    const QTextLayout* layout = block.layout();
    if (!layout)
        return std::nullopt;
    const QPointF inBlock =
        QPointF(point) - blockBoundingGeometry(block).translated(contentOffset()).topLeft() - layout->position();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (inBlock.y() < line.y() || inBlock.y() >= line.y() + line.height())
            continue;
        if (inBlock.x() < line.x() || inBlock.x() >= line.x() + line.naturalTextWidth())
            return std::nullopt;
        const std::optional<std::size_t> offset =
            byteAt(block.position() + line.xToCursor(inBlock.x(), QTextLine::CursorOnCharacter));
        return hintAt(offset) ? offset : std::nullopt;
    }
    return std::nullopt;
}

void OutputBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        if (const std::optional<std::size_t> offset = drillableAt(event->position().toPoint())) {
            event->accept();
            emit drillChosen(*offset);
            return;
        }
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

void OutputBox::mouseMoveEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton)
        viewport()->setCursor(drillableAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

// Ctrl+Return takes the cell the caret is in, or the one it ends.
void OutputBox::keyPressEvent(QKeyEvent* event)
{
    const bool ctrlReturn = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                            (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (!ctrlReturn || document()->isModified()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const int caret = textCursor().position();
    for (const int position : {caret, caret - 1}) {
        const std::optional<std::size_t> offset = byteAt(position);
        if (hintAt(offset)) {
            emit drillChosen(*offset);
            return;
        }
    }
}

bool OutputBox::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QPlainTextEdit::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<std::size_t> offset = drillableAt(help->pos());
    if (const std::optional<std::string> hint = hintAt(offset))
        QToolTip::showText(help->globalPos(), plainTip(QStringLiteral("Double-click: ") + decodeLine(*hint)),
                           viewport());
    else
        QToolTip::hideText();
    return true;
}

} // namespace quorvel::gui
