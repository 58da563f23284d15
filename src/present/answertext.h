// SPDX-License-Identifier: MIT
#pragma once

#include "query/answer.h"

#include <string>

namespace quorvel {

// The text the output box receives for an answer, byte for byte as the program has always
// written it: under a period, "Period: ..." (and " (N records without a readable date left
// out)") and an empty line first; then each section's heading, an empty line and its rows in
// the answer's text shape, sections parted by an empty line; lines end in CR LF. A list box's
// entries (TextShape::Entries) are their cells alone, one a line.
std::string answerText(const Answer& answer);

} // namespace quorvel
