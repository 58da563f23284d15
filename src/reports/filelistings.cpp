// SPDX-License-Identifier: MIT
#include "reports/filelistings.h"

#include "ingest/loadlog.h"
#include "reports/filetally.h"
#include "reports/reporttext.h"

#include <algorithm>

namespace quorvel {

namespace {

std::string listingText(std::string_view heading, const std::vector<filecount>& files, bool highestFirst)
{
    std::string text = headingText(heading);
    text.reserve(text.size() + files.size() * 32);
    const auto append = [&](const filecount& file) { appendCountLine(text, file.count, file.filename); };
    if (highestFirst)
        std::for_each(files.rbegin(), files.rend(), append);
    else
        std::for_each(files.begin(), files.end(), append);
    return text;
}

} // namespace

void sortByDate(Analyzer& a, Side side)
{
    if (!logGuard(a, side))
        return;
    listfiles(a, side);
    a.window.setOutputText(listingText(sideInfo(side).byDateHeading, a.state.log(side).files, false));
    a.window.setStatus(doneMessage);
}

void sortByNumber(Analyzer& a, Side side)
{
    if (!logGuard(a, side))
        return;
    listfiles(a, side);
    std::vector<filecount>& files = a.state.log(side).files;
    std::stable_sort(files.begin(), files.end(),
                     [](const filecount& x, const filecount& y) { return x.count < y.count; });
    a.window.setOutputText(listingText(sideInfo(side).byNumberHeading, files, true));
}

} // namespace quorvel
