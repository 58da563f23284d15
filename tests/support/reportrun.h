// SPDX-License-Identifier: MIT
#pragma once

#include "cli/report.h"
#include "tempserver.h"

#include <sstream>
#include <string>
#include <vector>

namespace quorvel::test {

// What one in-process call of quorvel-report gave.
struct ReportRun {
    int code;
    std::string out;
    std::string err;
};

// Runs quorvel-report with the given arguments; the folder file is the temporary server's.
inline ReportRun report(const TempServer& server, const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = runReport(args, out, err, FolderFile(server.programFolder(), server.configFolder()));
    return {code, out.str(), err.str()};
}

// The same with --server pointing at the temporary server folder.
inline ReportRun reportOn(const TempServer& server, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--server", server.folder()});
    return report(server, args);
}

} // namespace quorvel::test
