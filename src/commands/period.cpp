// SPDX-License-Identifier: MIT
#include "commands/period.h"

#include "commands/program.h"
#include "commands/searches.h"
#include "commands/windowprogress.h"
#include "present/statustext.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace quorvel {

namespace {

DayNumber today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return dayNumber({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

CalendarDay calendarDay(DayNumber day)
{
    const CivilDate date = civilDate(day);
    return {date.year, date.month, date.day};
}

DayNumber dayOf(const CalendarDay& day)
{
    return dayNumber({day.year, day.month, day.day});
}

// The first and last readable days of the loaded logs, as their loads noted them; nothing when
// there is none.
std::optional<DaySpan> loadedDays(const State& state)
{
    std::optional<DaySpan> days;
    for (const Side side : {Side::Download, Side::Upload}) {
        const LogState& log = state.log(side);
        if (!log.loaded || !log.days)
            continue;
        days = widened(widened(days, log.days->first), log.days->last);
    }
    return days;
}

} // namespace

const RecordStamps& stampsOf(Analyzer& a, Side side)
{
    LogState& log = a.state.log(side);
    const auto caption = [side](std::int64_t i, std::int64_t n) { return numberCaption(side, i, n); };
    if (log.stamps) {
        replayProgress(a.window, log.records.count(), caption);
    } else {
        WindowProgress progress(a.window, caption);
        log.stamps = readRecordStamps(log.records, progress);
    }
    return *log.stamps;
}

Selection selectionOf(Analyzer& a, Side side)
{
    const Period& period = a.state.period;
    const LogState& log = a.state.log(side);
    if (period.isAllTime())
        return Selection{};
    if (log.loadedPeriod == period)
        return Selection{true, {}, log.undatedLeftOut, period};
    return recordsIn(stampsOf(a, side), period);
}

Outcome mnuperiod_Click(Analyzer& a)
{
    const Period& current = a.state.period;
    const std::optional<DaySpan> loaded = loadedDays(a.state);
    const DayNumber first = current.from ? *current.from : loaded ? loaded->first : today();
    const DayNumber last = current.to ? *current.to : loaded ? loaded->last : std::max(first, today());
    // Without a period the dialog offers the span of the loaded logs (or today), switched on.
    const bool allTime = current.isAllTime();
    const PeriodDialogDates shown{calendarDay(first), calendarDay(last), allTime || current.from.has_value(),
                                  allTime || current.to.has_value()};
    const std::optional<PeriodDialogDates> chosen = a.platform.askPeriod(shown);
    if (!chosen)
        return Outcome::cancelled();
    Period period;
    if (chosen->fromOn)
        period.from = dayOf(chosen->from);
    if (chosen->toOn)
        period.to = dayOf(chosen->to);
    a.state.period = period;
    forgetAnswers(a);
    for (const Side side : {Side::Download, Side::Upload}) {
        LogState& log = a.state.log(side);
        log.nameslisted = false;
        log.fileslisted = false;
        a.window.clearList(pickDialog(side, Pick::Names));
        a.window.clearList(pickDialog(side, Pick::Files));
    }
    a.window.setStatus(periodCaption(period));
    return Outcome::done();
}

} // namespace quorvel
