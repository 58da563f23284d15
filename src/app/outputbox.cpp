// SPDX-License-Identifier: MIT
#include "app/outputbox.h"

#include "gui/textcodec.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QTextDocument>

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

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTabStop(QString());
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

} // namespace quorvel::gui
