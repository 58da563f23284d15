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

    // Characters from the left edge to the first tab stop: eight digits and two blanks.
    static constexpr int tabStopColumns = 10;

    void setBytes(std::string bytes);
    std::string bytes() const;

protected:
    // Dropped folders and files open a server folder (the main window takes them); the box
    // does not paste their names.
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    std::string bytes_;
    bool allUtf8_ = true;
};

} // namespace quorvel::gui
