// SPDX-License-Identifier: MIT
#pragma once

#include "gui/textcodec.h"

#include <QPlainTextEdit>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace quorvel::gui {

// A tooltip that shows text as it is, on one line: a tooltip takes any text that looks like
// markup as markup.
QString plainTip(const QString& text);

// Text1, the output box. It keeps the bytes the engine last set: while the user has not
// edited the box, outputText() gives exactly those bytes back; after an edit, the box's text
// converted back to bytes (see encodeEditedText).
//
// While it holds the engine's bytes unedited, a cell of the text can be drilled: the box asks
// the drill hint what the cell holding a byte drills to. Double-clicking such a cell, or
// Ctrl+Return with the caret in it or just after it, chooses it (drillChosen); the pointer
// over it is a hand and its tooltip says what a double-click does, as plain text. Ctrl+Return
// elsewhere does nothing. After an edit the box is an editor like any other.
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

    // What the cell holding the byte at an offset of the bytes drills to, in words ("who
    // downloaded 'Glider.sit'"); nothing when it drills nothing.
    using DrillHint = std::function<std::optional<std::string>(std::size_t offset)>;
    void setDrillHint(DrillHint hint) { hint_ = std::move(hint); }
    // The byte offset of the character under a point of the viewport that a drill can start
    // from; nothing off the text, or after an edit.
    std::optional<std::size_t> drillableAt(QPoint point) const;

signals:
    void drillChosen(std::size_t offset);

protected:
    // Dropped folders and files open a server folder (the main window takes them); the box
    // does not paste their names.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void setTabStop(const QString& shown);
    // The byte of the character at a position of the document, while the box is unedited.
    std::optional<std::size_t> byteAt(int position) const;
    std::optional<std::string> hintAt(std::optional<std::size_t> offset) const;

    std::string bytes_;
    bool allUtf8_ = true;
    DrillHint hint_;
    mutable std::optional<TextOffsets> offsets_; // made when first needed
};

} // namespace quorvel::gui
