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

    // The tab stop leaves room for the widest first field of the lines shown (a line's text
    // before its first TAB), of at least eight digits and at most 40 characters, and two blanks
    // after it, so that "count TAB name" and "day TAB name" listings read as two columns.
    static constexpr int narrowestField = 8;
    static constexpr int widestField = 40;
    static constexpr int fieldGap = 2;

    void setBytes(std::string bytes);
    std::string bytes() const;

protected:
    // Dropped folders and files open a server folder (the main window takes them); the box
    // does not paste their names.
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    void setTabStop(const QString& shown);

    std::string bytes_;
    bool allUtf8_ = true;
};

} // namespace quorvel::gui
