// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include "cli/cliwindow.h"
#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/serverfolder.h"

#include <cerrno>
#include <optional>
#include <system_error>

namespace quorvel {

namespace {

struct Invocation {
    std::optional<std::string> server;
    const CommandRow* verb = nullptr;
    std::string value;
    bool help = false;
};

void printUsage(std::ostream& stream)
{
    stream << "usage: quorvel-report [--server DIR] VERB [VALUE]\n";
}

void printHelp(std::ostream& out)
{
    printUsage(out);
    out << "Answers one question about a Hotline server's transfer logs and prints the answer.\n"
           "DIR defaults to the server folder the program remembers.\n\nVERBs:\n";
    for (const CommandRow& row : commandTable())
        if (!row.verb.empty())
            out << "  " << row.verb << (row.value == ValueKind::None ? "" : " ") << valueName(row.value) << '\n';
}

// Returns nothing and explains on err when the arguments are not a valid call.
std::optional<Invocation> parse(const std::vector<std::string>& args, std::ostream& err)
{
    Invocation call;
    std::size_t i = 0;
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        call.help = true;
        return call;
    }
    if (i < args.size() && args[i] == "--server") {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            err << "quorvel-report: --server needs a folder\n";
            return std::nullopt;
        }
        call.server = args[i + 1];
        i += 2;
    }
    if (i >= args.size()) {
        err << "quorvel-report: no verb given (--help lists them)\n";
        return std::nullopt;
    }
    call.verb = findVerb(args[i]);
    if (!call.verb) {
        err << "quorvel-report: unknown verb '" << args[i] << "' (--help lists them)\n";
        return std::nullopt;
    }
    const std::size_t wanted = call.verb->value == ValueKind::None ? 0 : 1;
    if (args.size() - i - 1 != wanted) {
        err << "quorvel-report: " << call.verb->verb << (wanted ? " takes one value: " : " takes no value")
            << valueName(call.verb->value) << '\n';
        return std::nullopt;
    }
    if (wanted)
        call.value = args[i + 1];
    return call;
}

} // namespace

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const FolderFile& folderFile, std::ostream* progress)
{
    const std::optional<Invocation> call = parse(args, err);
    if (!call) {
        printUsage(err);
        return 2;
    }
    if (call->help) {
        printHelp(out);
        return 0;
    }
    CliWindow window(progress);
    CliPlatform platform(err);
    Analyzer a(window, platform, folderFile);
    // The start's own refusals (a "users" folder it could not list) explain a refused verb too.
    Outcome start = Outcome::done();
    if (call->server)
        setServerFolder(a, *call->server);
    else
        start = Form_Load(a);
    const CommandRow& verb = *call->verb;
    a.loadplan = {verb.reads, verb.match, verb.match ? call->value : std::string()};
    const Outcome answer = runCommand(a, [&](Analyzer& analyzer) { return verb.run(analyzer, call->value); });
    if (!answer.isDone()) {
        for (const std::string& reason : start.also(answer).reasons())
            err << reason << '\n';
        return 1;
    }
    errno = 0; // a failed write below leaves its reason here
    if (verb.prints) {
        for (const std::string& entry : window.entries(*verb.prints))
            out << entry << "\r\n";
    } else {
        out << window.output();
    }
    out.flush();
    if (out)
        return 0;
    const int error = errno;
    err << "quorvel-report: cannot write the output" << (error ? ": " + std::generic_category().message(error) : "")
        << '\n';
    return 1;
}

} // namespace quorvel
