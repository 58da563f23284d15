// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::gui {

// The engine works on bytes; widgets show text. Bytes are shown line by line by the program's
// one rule (core/bytetext.h): as UTF-8 where the line is valid UTF-8, as Windows-1252
// otherwise, so no byte is ever lost or replaced.

// One line or list entry.
QString decodeLine(std::string_view bytes);

// A whole text: CR LF, lone CR and lone LF all become '\n'. allUtf8 tells whether every line
// was valid UTF-8.
struct DecodedText {
    QString text;
    bool allUtf8 = true;
};
DecodedText decodeText(std::string_view bytes);

// Where the characters of a text shown by decodeText come from: the byte at which the
// character at a position of the shown text starts (a line break's first byte for the '\n'
// that stands for it). Made with one pass over the bytes, which must outlive it unchanged.
class TextOffsets {
public:
    explicit TextOffsets(std::string_view bytes);

    // The byte offset of the character at position; the text's size past its end.
    std::size_t byteAt(qsizetype position) const;

private:
    struct Line {
        std::size_t byte;    // its first byte
        qsizetype character; // its first character
        bool utf8;           // shown as UTF-8, else one character a byte
    };
    std::string_view bytes_;
    std::vector<Line> lines_;
};

// Converts text that the user edited back to bytes, lines joined by CR LF. The unchanged lines
// before and after the edited region keep the bytes of the original line in their place; a
// line inside it that reads exactly like a line of the original gets that line's bytes. Any
// other line is written as Windows-1252 when every character has a byte there and the
// original was not all UTF-8 (an edited 8-bit report stays 8-bit), and as UTF-8 otherwise.
std::string encodeEditedText(const QString& text, std::string_view original, bool originalAllUtf8);

} // namespace quorvel::gui
