// SPDX-License-Identifier: MIT
#include "commands/insights.h"

#include "commands/answersize.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/serverfolder.h"
#include "commands/windowprogress.h"
#include "core/nameorder.h"
#include "present/statustext.h"
#include "query/activity.h"
#include "query/counts.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

// The account folders in the order they are listed in, whatever order a report left them in.
std::vector<std::string_view> accountNamesInOrder(const State& s)
{
    std::vector<std::string_view> names;
    for (const accountinfo& account : s.accounts)
        names.push_back(account.name);
    std::sort(names.begin(), names.end(), nameOrder);
    return names;
}

Answered byTime(Analyzer& a, Side side, TimeUnit unit)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const LogRecords& records = a.state.log(side).records;
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, true) +
                                           timeListingSize(unit, records.count(), a.state.log(side).days));
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
    const std::vector<std::string_view> names = accountNamesInOrder(a.state);
    const Selection selection = selectionOf(a, side);
    const std::vector<LastTransfer> last = lastTransfers(stampsOf(a, side), records, selection, names);
    Answer answer = lastTransferAnswer(side, names, last, lastTransferOrder(last), selection);
    a.window.setStatus(doneMessage);
    return answer;
}

Answered transfersByAccount(Analyzer& a, Side, const std::string&)
{
    if (Outcome guard = bothLogsGuard(a); !guard.isDone())
        return guard;
    if (Outcome listed = ensureAccountsListed(a); !listed.isDone())
        return listed;
    const std::vector<std::string_view> names = accountNamesInOrder(a.state);
    std::uint64_t nameBytes = 0;
    for (const std::string_view name : names)
        nameBytes += name.size();
    const std::int64_t records = std::max(a.state.download.records.count(), a.state.upload.records.count());
    if (Outcome fits = affordAnswer(a, selectionSize(a, Side::Download, false) + selectionSize(a, Side::Upload, false) +
                                           countListingSize(names.size(), nameBytes, records) +
                                           countListingSize(names.size(), 0, records));
        !fits.isDone())
        return fits;
    const Selection down = selectionOf(a, Side::Download), up = selectionOf(a, Side::Upload);
    const std::vector<std::int64_t> downloads = countEach(a.state.download.records, Field::account, names, down);
    const std::vector<std::int64_t> uploads = countEach(a.state.upload.records, Field::account, names, up);
    a.window.setStatus(doneMessage);
    return takersAnswer(names, downloads, uploads, down, up);
}

} // namespace quorvel
