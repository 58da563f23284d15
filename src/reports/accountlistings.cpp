// SPDX-License-Identifier: MIT
#include "reports/accountlistings.h"

#include "reports/counting.h"
#include "reports/reporttext.h"

#include <algorithm>
#include <utility>

namespace quorvel {

void accountlisting(Analyzer& a, Side side)
{
    std::vector<accountinfo>& accounts = a.state.accounts;
    const std::vector<std::int64_t> counts = countAccounts(a, side, accountNames(a.state));
    for (std::size_t i = 0; i < accounts.size(); ++i)
        transfers(accounts[i], side) = counts[i];
    a.window.setStatus(doneMessage);
    // Whole entries move, so each account keeps its other side's counter.
    std::stable_sort(accounts.begin(), accounts.end(), [side](const accountinfo& x, const accountinfo& y) {
        return transfers(x, side) < transfers(y, side);
    });
    std::string text = headingText(sideInfo(side).byAccountHeading);
    appendCountLines(text, accounts.rbegin(), accounts.rend(), [side](const accountinfo& account) {
        return std::pair{transfers(account, side), std::string_view(account.name)};
    });
    a.window.setOutputText(std::move(text));
}

void sortByAccount(Analyzer& a, Side side)
{
    if (accountReportGuard(a, side))
        accountlisting(a, side);
}

} // namespace quorvel
