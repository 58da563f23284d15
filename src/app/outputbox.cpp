// SPDX-License-Identifier: MIT
#include "app/outputbox.h"

#include "gui/textcodec.h"

#include <QTextDocument>

#include <utility>

namespace quorvel::gui {

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab stops every eight characters, as in a plain text box, so report columns line up.
    setTabStopDistance(8 * fontMetrics().averageCharWidth());
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
