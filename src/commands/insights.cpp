// SPDX-License-Identifier: MIT
#include "commands/insights.h"

#include "commands/answersize.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/windowprogress.h"
#include "present/reporttext.h"
#include "present/resulttables.h"
#include "present/statustext.h"
#include "query/activity.h"
#include "core/nameorder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

std::string_view headingOf(Side side, TimeUnit unit)
{
    const SideInfo& info = sideInfo(side);
    return unit == TimeUnit::Day ? info.byDayHeading : unit == TimeUnit::Month ? info.byMonthHeading : info.byHourHeading;
}

// Sets the answer and ends with "Done...".
Outcome answer(Analyzer& a, std::string text, ResultTable table, std::int64_t undated)
{
    showResult(a, std::move(text), std::move(table), undated);
    a.window.setStatus(doneMessage);
    return Outcome::done();
}

std::string_view timeVerb(Side side, TimeUnit unit)
{
    if (unit == TimeUnit::Day)
        return twin(side, "downloads-by-day", "uploads-by-day");
    if (unit == TimeUnit::Month)
        return twin(side, "downloads-by-month", "uploads-by-month");
    return twin(side, "downloads-by-hour", "uploads-by-hour");
}

} // namespace

Outcome byTime(Analyzer& a, Side side, TimeUnit unit)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, true) + timeListingSize(unit, records.count()));
        !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    const RecordStamps& stamps = stampsOf(a, side);
    const TimeCounts counts = unit == TimeUnit::Day     ? countByDay(stamps, records, selection)
                              : unit == TimeUnit::Month ? countByMonth(stamps, records, selection)
                                                        : countByHour(stamps, records, selection);
    return answer(a, timeListingText(headingOf(side, unit), counts, unit), timeTable(timeVerb(side, unit), counts, unit),
                  selection.undated);
}

Outcome byAddress(Analyzer& a, Side side)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, false) + addressListingSize(records)); !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    replayProgress(a.window, records.count(),
                   [side](std::int64_t i, std::int64_t n) { return numberCaption(side, i, n); });
    const auto rows = countByAddress(records, selection);
    const auto line = [](const std::pair<std::string_view, std::int64_t>& row) { return std::pair{row.second, row.first}; };
    return answer(a, countListingText(sideInfo(side).byAddressHeading, rows.begin(), rows.end(), line),
                  countListingTable(twin(side, "downloads-by-address", "uploads-by-address"), "address",
                                    {rows.begin(), rows.end()}),
                  selection.undated);
}

Outcome lastTransfer(Analyzer& a, Side side)
{
    if (Outcome guard = accountReportGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    std::uint64_t nameBytes = 0;
    for (const accountinfo& account : a.state.accounts)
        nameBytes += account.name.size();
    const AnswerSize size = lastTransferSize(a.state.accounts.size(), nameBytes, records.tally(Field::account).size());
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, true) + size); !fits.isDone())
        return fits;
    std::vector<std::string_view> names;
    for (const accountinfo& account : a.state.accounts)
        names.push_back(account.name);
    std::sort(names.begin(), names.end(), nameOrder);
    const Selection selection = selectionOf(a, side);
    const std::vector<LastTransfer> last = lastTransfers(stampsOf(a, side), records, selection, names);
    const std::vector<std::size_t> order = lastTransferOrder(last);
    return answer(a, lastTransfersText(sideInfo(side).lastTransferHeading, names, last, order),
                  lastTransferTable(twin(side, "last-downloads", "last-uploads"), names, last, order),
                  selection.undated);
}

} // namespace quorvel
