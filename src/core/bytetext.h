// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Logs, account folders and reports are bytes; where they are shown or exported as text, one
// rule turns them into Unicode: bytes that are valid UTF-8 are taken as they are, any others
// as an 8-bit character set (Latin-1), one character per byte, so that no byte is ever lost
// or replaced.

// Whether bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut off at the end.
bool isValidUtf8(std::string_view bytes);

// The length of the well-formed UTF-8 sequence that starts at bytes[at] (1 for ASCII), or 0
// when none starts there.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t at);

// The UTF-8 text of bytes under the rule above: the bytes themselves when they are valid
// UTF-8, else each byte as the 8-bit character set's character.
std::string utf8Text(std::string_view bytes);

} // namespace quorvel
