// SPDX-License-Identifier: MIT
#include "app/outputbox.h"

#include "gui/textcodec.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QTextDocument>

#include <utility>

namespace quorvel::gui {

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Fixed pitch and a tab stop past an eight-digit count, so that "count TAB name" listings
    // read as two columns.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTabStopDistance(tabStopColumns * fontMetrics().horizontalAdvance(QLatin1Char('0')));
}

bool OutputBox::canInsertFromMimeData(const QMimeData* source) const
{
    return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

void OutputBox::setBytes(std::string bytes)
{
    DecodedText decoded = decodeText(bytes);
    bytes_ = std::move(bytes);
    allUtf8_ = decoded.allUtf8;
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

} // namespace quorvel::gui
