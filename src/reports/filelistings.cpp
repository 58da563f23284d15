// SPDX-License-Identifier: MIT
#include "reports/filelistings.h"

#include "ingest/loadlog.h"
#include "reports/filetally.h"
#include "reports/reporttext.h"

#include <algorithm>
#include <utility>

namespace quorvel {

namespace {

std::string listingText(std::string_view heading, const std::vector<filecount>& files, bool highestFirst)
{
    std::string text = headingText(heading);
    const auto line = [](const filecount& file) { return std::pair{file.count, std::string_view(file.filename)}; };
    if (highestFirst)
        appendCountLines(text, files.rbegin(), files.rend(), line);
    else
        appendCountLines(text, files.begin(), files.end(), line);
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
