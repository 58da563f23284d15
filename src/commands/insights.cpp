// SPDX-License-Identifier: MIT
#include "commands/insights.h"

#include "commands/answersize.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/windowprogress.h"
#include "core/nameorder.h"
#include "present/statustext.h"
#include "query/activity.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

Answered byTime(Analyzer& a, Side side, TimeUnit unit)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    if (Outcome fits =
            affordAnswer(a, selectionSize(a, side, true) + timeListingSize(unit, records.count(), a.state.log(side).days));
        !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    const RecordStamps& stamps = stampsOf(a, side);
    const TimeCounts counts = unit == TimeUnit::Day     ? countByDay(stamps, records, selection)
                              : unit == TimeUnit::Month ? countByMonth(stamps, records, selection)
                                                        : countByHour(stamps, records, selection);
    Answer answer = timeAnswer(side, unit, counts, selection);
    a.window.setStatus(doneMessage);
    return answer;
}

} // namespace

Answered byDay(Analyzer& a, Side side, const std::string&)
{
    return byTime(a, side, TimeUnit::Day);
}

Answered byMonth(Analyzer& a, Side side, const std::string&)
{
    return byTime(a, side, TimeUnit::Month);
}

Answered byHour(Analyzer& a, Side side, const std::string&)
{
    return byTime(a, side, TimeUnit::Hour);
}

Answered byAddress(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, false)); !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    replayProgress(a.window, records.count(),
                   [side](std::int64_t i, std::int64_t n) { return numberCaption(side, i, n); });
    Answer answer = addressAnswer(side, countByAddress(records, selection, affordableAddresses(a, side)), selection);
    a.window.setStatus(doneMessage);
    return answer;
}

Answered lastTransfer(Analyzer& a, Side side, const std::string&)
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
    Answer answer = lastTransferAnswer(side, names, last, lastTransferOrder(last), selection);
    a.window.setStatus(doneMessage);
    return answer;
}

} // namespace quorvel
