// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/recordparser.h"
#include "model/field.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// What a load keeps of a log. The window keeps every column of every record. quorvel-report
// answers one question per run and keeps only the columns its verb reads, and for a search
// only the records the search can hit (those whose `match` column equals `value`): its
// answer is the same, its load lighter.
struct LoadPlan {
    FieldSet columns = FieldSet::all();
    std::optional<Field> match;
    std::string value;

    bool keeps(std::string_view text, const LineCut& line) const { return !match || line.field(text, *match) == value; }
};

} // namespace quorvel
