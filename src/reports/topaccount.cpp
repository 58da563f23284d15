// SPDX-License-Identifier: MIT
#include "reports/topaccount.h"

#include "reports/counting.h"
#include "reports/reporttext.h"

namespace quorvel {

void numoneaccount(Analyzer& a, Side side)
{
    const std::vector<std::string_view> names = accountNames(a.state);
    const std::vector<std::int64_t> counts = countAccounts(a, side, names);
    a.window.setStatus(doneMessage);
    const std::string_view heading = sideInfo(side).topAccountHeading;
    const std::optional<std::size_t> winner = lastMaximum(counts);
    a.window.setOutputText(winner ? numberOneText(heading, names[*winner], counts[*winner], side)
                                  : numberOneText(heading, "null", 0, side));
}

void topAccount(Analyzer& a, Side side)
{
    if (accountReportGuard(a, side))
        numoneaccount(a, side);
}

} // namespace quorvel
