// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/recordparser.h"
#include "model/field.h"
#include "model/stamp.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// What a load keeps of a log. The window keeps every column of every record. quorvel-report
// answers one question per run and keeps only the columns its verb reads, for a search only
// the records the search can hit (those whose `match` column equals `value`), and under a
// period only the records whose stamp is readable and whose day lies in it: its answer is the
// same, its load lighter. A verb that reads only when records were made keeps their stamps
// read (`stamps`) rather than their text. The window's load notes the earliest and latest
// readable day of the log (`days`), which its "Period..." dialog opens on.
struct LoadPlan {
    FieldSet columns = FieldSet::all();
    std::optional<Field> match;
    std::string value;
    std::optional<Period> period;
    bool stamps = false;
    bool days = true;

    enum class Verdict { Kept, LeftOut, Undated };
    // The verdict on a line; under a period, stamp is the line's stamp as read.
    Verdict judge(std::string_view text, const LineCut& line, const std::optional<Stamp>& stamp) const
    {
        if (period) {
            if (!stamp)
                return Verdict::Undated;
            if (!period->contains(stamp->day))
                return Verdict::LeftOut;
        }
        return !match || line.field(text, *match) == value ? Verdict::Kept : Verdict::LeftOut;
    }
};

} // namespace quorvel
