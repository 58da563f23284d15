// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include "cli/cliwindow.h"
#include "cli/verbs.h"
#include "commands/dispatch.h"
#include "server/serverfolder.h"

#include <cerrno>
#include <optional>
#include <system_error>

namespace quorvel {

namespace {

struct Invocation {
    std::optional<std::string> server;
    const Verb* verb = nullptr;
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
    for (const Verb& verb : verbs())
        out << "  " << verb.name << (verb.valueName.empty() ? "" : " ") << verb.valueName << '\n';
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
    const std::size_t wanted = call.verb->valueName.empty() ? 0 : 1;
    if (args.size() - i - 1 != wanted) {
        err << "quorvel-report: " << call.verb->name
            << (wanted ? " takes one value: " : " takes no value") << call.verb->valueName << '\n';
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
    if (call->server) {
        a.state = State{};
        setServerFolder(a, *call->server);
    } else {
        Form_Load(a);
    }
    const Verb& verb = *call->verb;
    a.state.loadplan = verb.plan(call->value);
    runCommand(a, [&](Analyzer& analyzer) { verb.run(analyzer, call->value); });
    if (!verb.succeeded(a, window)) {
        for (const std::string& line : window.refusals())
            err << line << '\n';
        return 1;
    }
    errno = 0; // a failed write below leaves its reason here
    if (verb.list) {
        for (const std::string& entry : window.entries(*verb.list))
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
