// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Logs, account folders and reports are bytes; where they are shown or exported as text, one
// rule turns them into Unicode: bytes that are valid UTF-8 are taken as they are, any others
// as Windows-1252 (the 8-bit character set the servers' Windows clients wrote), one character
// per byte. The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stay
// Latin-1 control characters, so that no byte is ever lost or replaced and the way back gives
// the same bytes.

// Whether bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut off at the end.
bool isValidUtf8(std::string_view bytes);

// The length of the well-formed UTF-8 sequence that starts at bytes[at] (1 for ASCII), or 0
// when none starts there.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t at);

// The UTF-8 text of bytes under the rule above: the bytes themselves when they are valid
// UTF-8, else each byte as its Windows-1252 character.
std::string utf8Text(std::string_view bytes);

// The way back for 8-bit text: the Windows-1252 bytes of UTF-8 text when every character has
// one (the five undefined bytes included), nothing when one has none or the text is not valid
// UTF-8.
std::optional<std::string> windows1252Bytes(std::string_view utf8);

} // namespace quorvel
