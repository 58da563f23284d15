// SPDX-License-Identifier: MIT
#include "reports/inactive.h"

#include "reports/counting.h"
#include "reports/reporttext.h"

namespace quorvel {

void inactiveAccounts(Analyzer& a, Side side)
{
    if (!accountReportGuard(a, side))
        return;
    std::vector<accountinfo>& accounts = a.state.accounts;
    const std::vector<std::int64_t> counts = countAccounts(a, side, accountNames(a.state));
    std::string text = headingText(sideInfo(side).inactiveHeading);
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        transfers(accounts[i], side) = counts[i];
        if (counts[i] == 0)
            text.append(accounts[i].name).append(crlf);
    }
    a.window.setStatus(doneMessage);
    a.window.setOutputText(std::move(text));
}

} // namespace quorvel
