// SPDX-License-Identifier: MIT
#include "commands/reports.h"

#include "commands/answersize.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/windowprogress.h"
#include "present/statustext.h"
#include "query/counts.h"

#include <functional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

// The counter an account report of this side keeps: downcount or upcount.
std::int64_t& transfers(accountinfo& account, Side side)
{
    return side == Side::Download ? account.downcount : account.upcount;
}

std::int64_t transfers(const accountinfo& account, Side side)
{
    return side == Side::Download ? account.downcount : account.upcount;
}

std::vector<std::string_view> accountNames(const State& s)
{
    std::vector<std::string_view> names;
    names.reserve(s.accounts.size());
    for (const accountinfo& account : s.accounts)
        names.push_back(account.name);
    return names;
}

// Shows the counting caption of every candidate in turn, as a count of each one's transfers
// would; nothing when there is no candidate.
void showCountingCaptions(Analyzer& a, Side side, std::span<const std::string_view> names)
{
    replayProgress(a.window, static_cast<std::int64_t>(names.size()), [&](std::int64_t j, std::int64_t n) {
        return countingCaption(side, names[static_cast<std::size_t>(j - 1)], j, n);
    });
}

// The number of selected records of the side's log whose account equals each name, with the
// names' counting captions.
std::vector<std::int64_t> countAccounts(Analyzer& a, Side side, std::span<const std::string_view> names,
                                        const Selection& selection)
{
    std::vector<std::int64_t> counts = countEach(a.state.log(side).records, Field::account, names, selection);
    showCountingCaptions(a, side, names);
    return counts;
}

// Refuses a listing of the side's files that would not fit in memory.
Outcome affordFiles(Analyzer& a, Side side)
{
    const LogRecords& records = a.state.log(side).records;
    const KeyTally& files = records.tally(Field::filename);
    return affordAnswer(a, selectionSize(a, side, false) +
                               countListingSize(files.size(), files.keyBytes(), records.count()));
}

// Refuses a report on the accounts that would not fit in memory: a listing of the accounts,
// and under a period a count for each account of the log.
Outcome affordAccounts(Analyzer& a, Side side)
{
    const LogRecords& records = a.state.log(side).records;
    std::uint64_t names = 0;
    for (const accountinfo& account : a.state.accounts)
        names += account.name.size();
    const AnswerSize perLogAccount{records.tally(Field::account).size() * sizeof(std::int64_t), 0};
    return affordAnswer(a, selectionSize(a, side, false) +
                               countListingSize(a.state.accounts.size(), names, records.count()) + perLogAccount);
}

// Keeps the side's per-file tally in the state.
std::function<void()> keepFiles(Analyzer& a, Side side, std::vector<filecount> files)
{
    return [&log = a.state.log(side), tally = std::move(files)]() mutable { log.files = std::move(tally); };
}

} // namespace

std::vector<filecount> listfiles(Analyzer& a, Side side, const Selection& selection)
{
    const LogRecords& records = a.state.log(side).records;
    replayProgress(a.window, records.count(),
                   [side](std::int64_t i, std::int64_t n) { return numberCaption(side, i, n); });
    return fileTally(records, selection);
}

Answered sortByDate(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    if (Outcome fits = affordFiles(a, side); !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    std::vector<filecount> files = listfiles(a, side, selection);
    Answer answer = filesAnswer(side, files, false, selection);
    a.window.setStatus(doneMessage);
    return {std::move(answer), keepFiles(a, side, std::move(files))};
}

Answered sortByNumber(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    if (Outcome fits = affordFiles(a, side); !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    std::vector<filecount> files = listfiles(a, side, selection);
    sortAscendingByCount(files, [](const filecount& file) { return file.count; });
    Answer answer = filesAnswer(side, files, true, selection);
    return {std::move(answer), keepFiles(a, side, std::move(files))};
}

Answered sortByAccount(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = accountReportGuard(a, side); !guard.isDone())
        return guard;
    if (Outcome fits = affordAccounts(a, side); !fits.isDone())
        return fits;
    const Selection selection = selectionOf(a, side);
    const std::vector<std::int64_t> counts = countAccounts(a, side, accountNames(a.state), selection);
    std::vector<accountinfo> accounts = a.state.accounts;
    for (std::size_t i = 0; i < accounts.size(); ++i)
        transfers(accounts[i], side) = counts[i];
    // Whole entries move, so each account keeps its other side's counter.
    sortAscendingByCount(accounts, [side](const accountinfo& account) { return transfers(account, side); });
    Answer answer = accountsAnswer(side, accounts, selection);
    a.window.setStatus(doneMessage);
    return {std::move(answer), [&a, sorted = std::move(accounts)]() mutable { a.state.accounts = std::move(sorted); }};
}

Answered topUser(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    const std::uint64_t names = a.state.log(side).records.tally(Field::username).size();
    if (Outcome fits = affordAnswer(a, selectionSize(a, side, false) + numberOneSize(names)); !fits.isDone())
        return fits;
    const LogRecords& records = a.state.log(side).records;
    const Selection selection = selectionOf(a, side);
    replayProgress(a.window, records.count(),
                   [](std::int64_t i, std::int64_t n) { return selectingUsersCaption(i, n); });
    const ValueCounts users = countValues(records, Field::username, selection);
    showCountingCaptions(a, side, users.values);
    a.window.setStatus(doneMessage);
    return numberOneAnswer(side, {"user", ColumnKind::User}, lastMaximum(users.values, users.counts), selection);
}

Answered topAccount(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = accountReportGuard(a, side); !guard.isDone())
        return guard;
    if (Outcome fits = affordAccounts(a, side); !fits.isDone())
        return fits;
    const std::vector<std::string_view> names = accountNames(a.state);
    const Selection selection = selectionOf(a, side);
    const std::vector<std::int64_t> counts = countAccounts(a, side, names, selection);
    a.window.setStatus(doneMessage);
    return numberOneAnswer(side, {"account", ColumnKind::Account}, lastMaximum(names, counts), selection);
}

Answered inactiveAccounts(Analyzer& a, Side side, const std::string&)
{
    if (Outcome guard = accountReportGuard(a, side); !guard.isDone())
        return guard;
    if (Outcome fits = affordAccounts(a, side); !fits.isDone())
        return fits;
    const std::vector<std::string_view> names = accountNames(a.state);
    const Selection selection = selectionOf(a, side);
    const std::vector<std::int64_t> counts = countAccounts(a, side, names, selection);
    a.window.setStatus(doneMessage);
    return {idleAccountsAnswer(side, uncounted(names, counts), selection), [&a, side, counts] {
                for (std::size_t i = 0; i < counts.size(); ++i)
                    transfers(a.state.accounts[i], side) = counts[i];
            }};
}

} // namespace quorvel
