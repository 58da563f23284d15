// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include "cli/cliwindow.h"
#include "cli/help.h"
#include "cli/options.h"
#include "commands/answersize.h"
#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/serverfolder.h"
#include "present/answertext.h"
#include "present/exports.h"
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

constexpr std::string_view usage =
    "usage: quorvel-report [--server DIR] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|csv|json] VERB [VALUE]";

// Takes the value of --server, --from, --to or --format into call; false after saying why.
bool takeOption(std::string_view option, const std::string& value, Invocation& call, const Messages& messages)
{
    if (option == "--format") {
        if (value != "text" && value != "csv" && value != "json") {
            messages.say(name, "--format must be text, csv or json");
            return false;
        }
        call.format = value == "csv" ? Format::Csv : value == "json" ? Format::Json : Format::Text;
        return true;
    }
    if (option == "--server") {
        if (value.empty()) {
            messages.say(name, "--server needs a folder");
            return false;
        }
        call.server = value;
        return true;
    }
    const std::optional<DayNumber> day = readDay(value);
    if (!day) {
        messages.say(name, option, ": '", value, "' is not a date (YYYY-MM-DD)");
        return false;
    }
    (option == "--from" ? call.period.from : call.period.to) = *day;
    return true;
}

// Options may stand before or after the verb: --server DIR, --from DAY, --to DAY, --format
// FORMAT (each also as --option=VALUE; the last one given counts), --help, --version; "--"
// ends them, so a VALUE may start with "-". Returns nothing after explaining when the arguments
// are not a valid call.
std::optional<Invocation> parse(const std::vector<std::string>& args, const Messages& messages)
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
                messages.say(name, row->name,
                             row->name == "--server"   ? " needs a folder"
                             : row->name == "--format" ? " needs a format"
                                                       : " needs a date");
                return std::nullopt;
            }
            if (!takeOption(row->name, joined ? arg.substr(option.size() + 1) : args[++i], call, messages))
                return std::nullopt;
        } else if (row && option.size() == arg.size()) {
            (row->name == "--help" ? call.help : call.version) = true;
        } else {
            messages.say(name, "unknown option '", arg, "' (a VALUE that starts with '-' goes after --)");
            return std::nullopt;
        }
    }
    if (call.period.from && call.period.to && *call.period.from > *call.period.to) {
        messages.say(name, "--from ", dayText(*call.period.from), " is after --to ", dayText(*call.period.to));
        return std::nullopt;
    }
    if (call.help || call.version)
        return call;
    if (words.empty()) {
        messages.say(name, "no verb given (--help lists them)");
        return std::nullopt;
    }
    call.verb = findVerb(words[0]);
    if (!call.verb) {
        messages.say(name, "unknown verb '", words[0], "' (--help lists them)");
        return std::nullopt;
    }
    const std::size_t wanted = call.verb->value == ValueKind::None ? 0 : 1;
    if (words.size() - 1 != wanted) {
        messages.say(name, call.verb->verb, wanted ? " takes one value: " : " takes no value",
                     valueName(call.verb->value));
        return std::nullopt;
    }
    if (wanted)
        call.value = words[1];
    if (call.verb->value == ValueKind::Day && !readDay(call.value)) {
        messages.say(name, call.verb->verb, ": '", call.value, "' is not a date (YYYY-MM-DD)");
        return std::nullopt;
    }
    return call;
}

// Flushes out; 0 when everything written reached it, else 1 after saying why.
int finishOutput(std::ostream& out, const Messages& messages)
{
    out.flush();
    if (out)
        return 0;
    const int error = errno;
    messages.say(name, "cannot write the output", error ? ": " + std::generic_category().message(error) : "");
    return 1;
}

// The server folder the verb works on: the one given, else the one remembered. Nothing, after
// saying why, when there is none or it is not a folder that can be read.
std::optional<std::string> serverFolder(const Invocation& call, const FolderFile& folderFile, const Messages& messages)
{
    const std::optional<std::string> folder = call.server ? call.server : folderFile.read();
    if (!folder) {
        messages.say(name, "no server folder: give --server DIR");
        return std::nullopt;
    }
    if (const std::error_code error = openFolderError(*folder)) {
        messages.say(name, "no server folder at '", *folder, "': ", error.message());
        return std::nullopt;
    }
    return folder;
}

// What is printed of the answer besides the output box: its CSV or JSON, or a list's entries,
// when the memory it takes can be had. The output box is not printed then, so it is let go
// first.
Outcome writeAnswer(Analyzer& a, CliWindow& window, Format format, std::optional<std::string>& text)
{
    const Answer& answer = *a.lastAnswer;
    if (format == Format::Text) {
        if (answer.shape == TextShape::Entries)
            text = answerText(answer);
        return Outcome::done();
    }
    window.setOutputText({});
    if (Outcome fits = affordAnswer(a, format == Format::Csv ? csvSize(answer) : jsonSize(answer)); !fits.isDone())
        return fits;
    text = format == Format::Csv ? csvText(answer, CsvCells::Verbatim) : jsonText(answer);
    return Outcome::done();
}

// Runs the verb on the folder and prints its answer. Everything the answer allocates is
// allocated inside runCommand, which turns running out of memory into a message.
int answer(const Invocation& call, const std::string& folder, std::ostream& out, const Messages& messages,
           const FolderFile& folderFile, std::ostream* progress)
{
    CliWindow window(progress);
    CliPlatform platform(messages);
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
    // A search of one day for all time can only hit the records of that day: the load keeps
    // those alone. (Under a period the answer counts the records without a readable date, so
    // the load keeps the period's.)
    if (verb.value == ValueKind::Day && call.period.isAllTime())
        if (const std::optional<DayNumber> day = readDay(call.value))
            a.loadplan.period = Period{*day, *day};
    std::optional<std::string> printed; // the answer as CSV or JSON, or a list's entries
    const Outcome outcome = runCommand(a, [&](Analyzer& analyzer) {
        Outcome ran = runRow(analyzer, verb, call.value);
        if (!ran.isDone())
            return ran;
        return writeAnswer(analyzer, window, call.format, printed);
    });
    window.endProgress();
    for (const std::string& notice : a.notices)
        messages.say(notice);
    if (!outcome.isDone()) {
        for (const std::string& reason : start.also(outcome).reasons())
            messages.say(reason);
        return 1;
    }
    errno = 0; // a failed write leaves its reason here
    if (call.format != Format::Text) {
        // CSV and JSON hold the rows only: the records a period left out are counted on err.
        const std::int64_t undated = a.lastAnswer->undated;
        if (undated > 0)
            messages.say(name, undated, undated == 1 ? " record" : " records", " without a readable date left out");
    }
    out << (printed ? *printed : window.output());
    return finishOutput(out, messages);
}

} // namespace

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const FolderFile& folderFile,
              std::ostream* progress)
{
    const Messages messages(err, progress != nullptr);
    const std::optional<Invocation> call = parse(args, messages);
    if (!call) {
        messages.say(usage);
        return 2;
    }
    errno = 0;
    if (call->help) {
        printHelp(out);
        return finishOutput(out, messages);
    }
    if (call->version) {
        out << "quorvel-report " << QUORVEL_VERSION << '\n';
        return finishOutput(out, messages);
    }
    const std::optional<std::string> folder = serverFolder(*call, folderFile, messages);
    if (!folder)
        return 1;
    return answer(*call, *folder, out, messages, folderFile, progress);
}

} // namespace quorvel
