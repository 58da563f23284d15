// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "model/logrecords.h"
#include "model/stamp.h"

#include <cstdint>
#include <vector>

namespace quorvel {

// Reads the stamp of every record, reporting progress.reached(i, count) as it goes.
RecordStamps readRecordStamps(const LogRecords& records, Progress& progress);

// The records a question reads: every record of the log, or those of a period, in log order.
// undated counts the records left out for want of a readable date.
struct Selection {
    bool all = true;
    std::vector<std::uint32_t> records;
    std::int64_t undated = 0;
    Period period; // the period they were selected by; all time for every record

    // Calls visit(i) for every record i read, in order.
    template <class Visit> void forEach(const LogRecords& log, Visit&& visit) const
    {
        if (all) {
            for (std::int64_t i = 0; i < log.count(); ++i)
                visit(i);
        } else {
            for (const std::uint32_t i : records)
                visit(static_cast<std::int64_t>(i));
        }
    }
};

// The records whose stamp is readable and whose day lies in the period.
Selection recordsIn(const RecordStamps& stamps, const Period& period);

} // namespace quorvel
