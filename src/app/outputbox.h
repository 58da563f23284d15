// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>

#include <string>

namespace quorvel::gui {

// Text1, the output box. It keeps the bytes the engine last set: while the user has not
// edited the box, outputText() gives exactly those bytes back; after an edit, the box's text
// converted back to bytes (see encodeEditedText).
class OutputBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit OutputBox(QWidget* parent);

    void setBytes(std::string bytes);
    std::string bytes() const;

private:
    std::string bytes_;
    bool allUtf8_ = true;
};

} // namespace quorvel::gui
