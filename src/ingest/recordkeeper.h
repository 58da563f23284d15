// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/loadplan.h"
#include "ingest/readlog.h"
#include "ingest/recordparser.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// What a read keeps of one log's records, whatever the log's form: it is shown each record
// line cut in a text (a classic line as it stands, a modern one as its decoded columns), counts
// it, notes its day when the plan asks for days, judges it by the plan and keeps the records
// the plan keeps, with their stamps when the plan asks for them. A text's records are handed to
// LogRecords together (take), which copies them, so the text may go after that.
class RecordKeeper {
public:
    RecordKeeper(const LoadPlan& plan, LogRead& read);

    // One record line, cut in text.
    void add(std::string_view text, const LineCut& cut)
    {
        ++read_.lines;
        if (plan_.days)
            days_.note(cut.field(text, Field::stamp));
        if (everyLine_) {
            batch_.push_back(cut);
            return;
        }
        // Under a period every stamp is read; else only those of the records kept, if any.
        std::optional<Stamp> stamp;
        if (plan_.period)
            stamp = stampReader_.read(cut.field(text, Field::stamp));
        switch (plan_.judge(text, cut, stamp)) {
        case LoadPlan::Verdict::Kept:
            batch_.push_back(cut);
            if (read_.stamps)
                keepStamp(plan_.period ? stamp : stampReader_.read(cut.field(text, Field::stamp)));
            break;
        case LoadPlan::Verdict::Undated:
            ++read_.undated;
            break;
        case LoadPlan::Verdict::LeftOut:
            break;
        }
    }
    // Keeps the records added since the last take, all cut in text. The first take that follows
    // some record lines makes room for as many as the whole log is likely to hold, judged from
    // the records per byte of the `readBytes` read so far of its `size`.
    void take(std::string_view text, std::uint64_t readBytes, std::uint64_t size);
    // What the records hold so far (their stamps included), for the read's memory projection.
    LogRecords::Footprint footprint() const;
    // Ends the read as status says: the records and stamps stay only when the log was read;
    // then the days are noted.
    void finish(LogRead::Status status);

private:
    void keepStamp(const std::optional<Stamp>& stamp);

    const LoadPlan& plan_;
    LogRead& read_;
    // The window's load keeps every line as it is, with nothing to judge on the way.
    const bool everyLine_;
    bool reserved_ = false;
    std::vector<LineCut> batch_;
    DaySpanNotes days_;
    StampReader stampReader_;
    std::optional<DaySpan> keptDays_; // of the stamps read while loading
};

} // namespace quorvel
