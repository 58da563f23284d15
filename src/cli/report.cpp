// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include "cli/cliwindow.h"
#include "cli/help.h"
#include "cli/options.h"
#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/serverfolder.h"
#include "present/exports.h"
#include "present/reporttext.h"
#include "server/serverfolder.h"

#include <cerrno>
#include <optional>
#include <system_error>

namespace quorvel {

namespace {

constexpr std::string_view name = "quorvel-report: ";

enum class Format { Text, Csv, Json };

struct Invocation {
    std::optional<std::string> server;
    Period period;
    Format format = Format::Text;
    const CommandRow* verb = nullptr;
    std::string value;
    bool help = false;
    bool version = false;
};

void printUsage(std::ostream& stream)
{
    stream << "usage: quorvel-report [--server DIR] VERB [VALUE]\n";
}

// A date given as YYYY-MM-DD; nothing when it is not one or names no real day.
std::optional<DayNumber> parseDate(std::string_view text)
{
    const auto digitsAt = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (std::size_t k = at; k < at + n; ++k) {
            if (text[k] < '0' || text[k] > '9')
                return -1;
            value = value * 10 + (text[k] - '0');
        }
        return value;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = digitsAt(0, 4), month = digitsAt(5, 2), day = digitsAt(8, 2);
    if (year < 0 || month < 0 || day < 0 || !isRealDay(year, month, day))
        return std::nullopt;
    return dayNumber({year, month, day});
}

// Takes the value of --server, --from, --to or --format into call; false after saying why on
// err.
bool takeOption(std::string_view option, const std::string& value, Invocation& call, std::ostream& err)
{
    if (option == "--format") {
        if (value != "text" && value != "csv" && value != "json") {
            err << name << "--format must be text, csv or json\n";
            return false;
        }
        call.format = value == "csv" ? Format::Csv : value == "json" ? Format::Json : Format::Text;
        return true;
    }
    if (option == "--server") {
        if (value.empty()) {
            err << name << "--server needs a folder\n";
            return false;
        }
        call.server = value;
        return true;
    }
    const std::optional<DayNumber> day = parseDate(value);
    if (!day) {
        err << name << option << ": '" << value << "' is not a date (YYYY-MM-DD)\n";
        return false;
    }
    (option == "--from" ? call.period.from : call.period.to) = *day;
    return true;
}

// Options may stand before or after the verb: --server DIR, --from DAY, --to DAY, --format
// FORMAT (each also as --option=VALUE; the last one given counts), --help, --version; "--"
// ends them, so a VALUE may start with "-". Returns nothing and explains on err when the
// arguments are not a valid call.
std::optional<Invocation> parse(const std::vector<std::string>& args, std::ostream& err)
{
    Invocation call;
    std::vector<std::string> words;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string_view option = std::string_view(arg).substr(0, arg.find('='));
        if (!options || arg == "-" || !arg.starts_with("-")) {
            words.push_back(arg);
        } else if (arg == "--") {
            options = false;
        } else if (const OptionRow* row = findOption(option); row && !row->value.empty()) {
            const bool joined = option.size() < arg.size();
            if (!joined && i + 1 == args.size()) {
                err << name << row->name
                    << (row->name == "--server"   ? " needs a folder\n"
                        : row->name == "--format" ? " needs a format\n"
                                                  : " needs a date\n");
                return std::nullopt;
            }
            if (!takeOption(row->name, joined ? arg.substr(option.size() + 1) : args[++i], call, err))
                return std::nullopt;
        } else if (row && option.size() == arg.size()) {
            (row->name == "--help" ? call.help : call.version) = true;
        } else {
            err << name << "unknown option '" << arg << "' (a VALUE that starts with '-' goes after --)\n";
            return std::nullopt;
        }
    }
    if (call.period.from && call.period.to && *call.period.from > *call.period.to) {
        err << name << "--from " << dayText(*call.period.from) << " is after --to " << dayText(*call.period.to) << '\n';
        return std::nullopt;
    }
    if (call.help || call.version)
        return call;
    if (words.empty()) {
        err << name << "no verb given (--help lists them)\n";
        return std::nullopt;
    }
    call.verb = findVerb(words[0]);
    if (!call.verb) {
        err << name << "unknown verb '" << words[0] << "' (--help lists them)\n";
        return std::nullopt;
    }
    const std::size_t wanted = call.verb->value == ValueKind::None ? 0 : 1;
    if (words.size() - 1 != wanted) {
        err << name << call.verb->verb << (wanted ? " takes one value: " : " takes no value")
            << valueName(call.verb->value) << '\n';
        return std::nullopt;
    }
    if (wanted)
        call.value = words[1];
    return call;
}

// Flushes out; 0 when everything written reached it, else 1 after saying why on err.
int finishOutput(std::ostream& out, std::ostream& err)
{
    out.flush();
    if (out)
        return 0;
    const int error = errno;
    err << name << "cannot write the output" << (error ? ": " + std::generic_category().message(error) : "") << '\n';
    return 1;
}

// The server folder the verb works on: the one given, else the one remembered. Nothing, after
// saying why on err, when there is none or it is not a folder that can be read.
std::optional<std::string> serverFolder(const Invocation& call, const FolderFile& folderFile, std::ostream& err)
{
    const std::optional<std::string> folder = call.server ? call.server : folderFile.read();
    if (!folder) {
        err << name << "no server folder: give --server DIR\n";
        return std::nullopt;
    }
    if (const std::error_code error = openFolderError(*folder)) {
        err << name << "no server folder at '" << *folder << "': " << error.message() << '\n';
        return std::nullopt;
    }
    return folder;
}

// Runs the verb on the folder and prints its answer.
int answer(const Invocation& call, const std::string& folder, std::ostream& out, std::ostream& err,
           const FolderFile& folderFile, std::ostream* progress)
{
    CliWindow window(progress);
    CliPlatform platform(err);
    Analyzer a(window, platform, folderFile);
    a.style = MessageStyle::Tool;
    // The start's own refusals (a "users" folder it could not list) explain a refused verb too.
    Outcome start = Outcome::done();
    if (call.server)
        setServerFolder(a, folder);
    else
        start = Form_Load(a);
    const CommandRow& verb = *call.verb;
    a.state.period = call.period;
    // The tool has no "Period..." dialog: its load notes no days.
    a.loadplan = {verb.reads,
                  verb.match,
                  verb.match ? call.value : std::string(),
                  call.period.isAllTime() ? std::nullopt : std::optional(call.period),
                  verb.readsStamps,
                  false};
    const Outcome outcome = runCommand(a, [&](Analyzer& analyzer) { return verb.run(analyzer, call.value); });
    if (!outcome.isDone()) {
        for (const std::string& reason : start.also(outcome).reasons())
            err << reason << '\n';
        return 1;
    }
    errno = 0; // a failed write leaves its reason here
    if (call.format != Format::Text) {
        // CSV and JSON hold the rows only: the records a period left out are counted on err.
        const ResultTable& table = *a.lastResult;
        if (table.undated > 0)
            err << name << table.undated << (table.undated == 1 ? " record" : " records")
                << " without a readable date left out\n";
        out << (call.format == Format::Csv ? csvText(table) : jsonText(table));
    } else if (verb.prints) {
        for (const std::string& entry : window.entries(*verb.prints))
            out << entry << crlf;
    } else {
        out << window.output();
    }
    return finishOutput(out, err);
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
    errno = 0;
    if (call->help) {
        printHelp(out);
        return finishOutput(out, err);
    }
    if (call->version) {
        out << "quorvel-report " << QUORVEL_VERSION << '\n';
        return finishOutput(out, err);
    }
    const std::optional<std::string> folder = serverFolder(*call, folderFile, err);
    if (!folder)
        return 1;
    return answer(*call, *folder, out, err, folderFile, progress);
}

} // namespace quorvel
