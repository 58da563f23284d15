// SPDX-License-Identifier: MIT
#include "reports/counting.h"

#include "ingest/loadlog.h"
#include "reports/fieldtally.h"
#include "reports/reporttext.h"
#include "server/accounts.h"

namespace quorvel {

void showCountingCaptions(Analyzer& a, Side side, std::span<const std::string_view> names)
{
    const auto n = static_cast<std::int64_t>(names.size());
    Progress progress(a.window, n);
    for (std::int64_t j = 1; j <= n; ++j)
        progress.step(
            j, [&](std::int64_t i) { return countingCaption(side, names[static_cast<std::size_t>(i - 1)], i, n); });
}

std::vector<std::int64_t> countAccounts(Analyzer& a, Side side, std::span<const std::string_view> names)
{
    std::vector<std::int64_t> counts(names.size(), 0);
    if (names.empty())
        return counts;
    const KeyTally& tally = tallyField(a.window, a.state.log(side).records, Field::account);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t at = tally.find(names[i]);
        if (at != KeyTally::npos)
            counts[i] = tally.counts()[at];
    }
    showCountingCaptions(a, side, names);
    return counts;
}

std::vector<std::string_view> accountNames(const State& s)
{
    std::vector<std::string_view> names;
    names.reserve(s.accounts.size());
    for (const accountinfo& account : s.accounts)
        names.push_back(account.name);
    return names;
}

std::int64_t& transfers(accountinfo& account, Side side)
{
    return side == Side::Download ? account.downcount : account.upcount;
}

std::int64_t transfers(const accountinfo& account, Side side)
{
    return side == Side::Download ? account.downcount : account.upcount;
}

bool accountReportGuard(Analyzer& a, Side side)
{
    offerLoad(a, side);
    ensureAccountsListed(a);
    if (!a.state.log(side).loaded) {
        a.window.setStatus(mustLoadMessage);
        return false;
    }
    // Accounts that could not be listed ("Cannot read 'users'" is shown) would pass for a
    // server without accounts.
    return a.state.accountsloaded;
}

} // namespace quorvel
