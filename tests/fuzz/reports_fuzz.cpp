// SPDX-License-Identifier: MIT
// Every report and search on the records of fuzzed logs. The input, cut at the byte 0x1E, is
// the download log, the upload log, the account folder names (one a line) and a search value.
// Every menu command but the save and folder ones runs without fault, then each report, pick
// list and search is compared with a plain reference answer computed from the records. Last,
// every verb of quorvel-report, in a format and under a period drawn from the input, is compared
// with the reference model, which reads the logs' bytes itself.
#include "fakeplatform.h"
#include "fakewindow.h"
#include "fuzzcheck.h"
#include "referencemodel.h"
#include "reportreference.h"
#include "reportrun.h"
#include "sidetexts.h"
#include "tempserver.h"

#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/reports.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quorvel::Analyzer;
using quorvel::Dialog;
using quorvel::Field;
using quorvel::Side;
using quorvel::fuzz::require;
using quorvel::test::SideTexts;
using quorvel::test::sideTexts;
namespace fz = quorvel::fuzz;

constexpr char marker = '\x1e';
constexpr std::size_t maxAccounts = 12;
constexpr std::size_t maxNameLength = 40;

// A window whose dialogs all have `chosen` selected while it is set.
class ChoosingWindow : public quorvel::test::FakeWindow {
public:
    std::string selectedEntry(Dialog dialog) const override
    {
        return chosen ? *chosen : FakeWindow::selectedEntry(dialog);
    }
    std::optional<std::string> chosen;
};

struct Input {
    std::string_view download, upload, users, value;
};

Input split(std::string_view bytes)
{
    std::string_view parts[4];
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t end = k < 3 ? std::min(bytes.find(marker), bytes.size()) : bytes.size();
        parts[k] = bytes.substr(0, end);
        bytes = bytes.substr(std::min(end + 1, bytes.size()));
    }
    return {parts[0], parts[1], parts[2], parts[3]};
}

// One folder per line under "users": '/' and NUL become '_', names are cut short, "", "." and
// ".." are skipped. Returns the distinct names made that are accounts: hidden folders (a
// leading '.') are made but are none.
std::set<std::string> writeAccounts(const quorvel::test::TempServer& server, std::string_view lines)
{
    std::filesystem::remove_all(std::filesystem::path(server.folder()) / "users");
    std::filesystem::create_directories(std::filesystem::path(server.folder()) / "users");
    std::set<std::string> names;
    while (!lines.empty() && names.size() < maxAccounts) {
        const std::size_t end = std::min(lines.find('\n'), lines.size());
        std::string name(lines.substr(0, std::min(end, maxNameLength)));
        lines = lines.substr(std::min(end + 1, lines.size()));
        std::replace(name.begin(), name.end(), '/', '_');
        std::replace(name.begin(), name.end(), '\0', '_');
        if (name.empty() || name == "." || name == "..")
            continue;
        server.addAccount(name);
        if (name.front() != '.')
            names.insert(name);
    }
    return names;
}

struct Session {
    ChoosingWindow& window;
    Analyzer& a;

    template <class Command> const std::string& run(Command&& command)
    {
        require(quorvel::runCommand(a, command).isDone(), "a command runs to its end");
        return window.output;
    }
    const quorvel::LogRecords& records(Side side) const { return a.state.log(side).records; }
    std::vector<std::string> accountNames() const
    {
        std::vector<std::string> names;
        for (const quorvel::accountinfo& account : a.state.accounts)
            names.push_back(account.name);
        return names;
    }
    std::vector<std::int64_t> storedCounts(Side side) const
    {
        std::vector<std::int64_t> counts;
        for (const quorvel::accountinfo& account : a.state.accounts)
            counts.push_back(side == Side::Download ? account.downcount : account.upcount);
        return counts;
    }
    std::vector<std::int64_t> accountCounts(Side side) const
    {
        std::vector<std::int64_t> counts;
        for (const quorvel::accountinfo& account : a.state.accounts)
            counts.push_back(fz::countEqual(records(side), Field::account, account.name));
        return counts;
    }
};

bool endsEveryLineInCrLf(std::string_view text)
{
    const auto count = [&](std::string_view what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    const std::size_t pairs = count("\r\n");
    return count("\r") == pairs && count("\n") == pairs && (text.empty() || text.ends_with("\r\n"));
}

// The lines after the heading and its empty line, sorted.
std::vector<std::string_view> sortedBody(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(2, lines.size()));
    std::sort(lines.begin(), lines.end());
    return lines;
}

void checkFileListings(Session& s, Side side)
{
    const quorvel::LogRecords& records = s.records(side);
    const fz::Tally files = fz::referenceTally(records, Field::filename, true);
    std::int64_t sum = 0;
    for (const std::int64_t n : files.counts)
        sum += n;
    require(sum == records.count() - fz::countEqual(records, Field::filename, ""),
            "the per-file counts sum to the records with a file name");
    std::vector<std::size_t> firstSeen(files.keys.size());
    for (std::size_t k = 0; k < firstSeen.size(); ++k)
        firstSeen[k] = k;
    const std::string byDate = s.run([side](Analyzer& a) { return quorvel::ask(a, quorvel::sortByDate, side); });
    require(byDate == fz::listing(sideTexts(side).byDateHeading, files.keys, files.counts, firstSeen),
            "by date lists every file once with its count, in order of first occurrence");
    const std::string& byNumber = s.run([side](Analyzer& a) { return quorvel::ask(a, quorvel::sortByNumber, side); });
    require(byNumber ==
                fz::listing(sideTexts(side).byNumberHeading, files.keys, files.counts, fz::highestFirst(files.counts)),
            "by number lists the files most transferred first, the later seen first among equals");
    require(sortedBody(byNumber) == sortedBody(byDate), "by number lists the same lines as by date");
}

void checkTopUser(Session& s, Side side)
{
    const fz::Tally users = fz::referenceTally(s.records(side), Field::username, false);
    const std::string& text = s.run([side](Analyzer& a) { return quorvel::ask(a, quorvel::topUser, side); });
    require(text == fz::numberOne(sideTexts(side).topUserHeading, users.keys, users.counts, side),
            "the top user is the last of the names with the highest count, with that count");
}

// Runs the search of `dialog` with `value` selected and compares its output.
void checkSearch(Session& s, Side side, Dialog dialog, const std::string& value)
{
    const bool names = dialog == quorvel::pickDialog(side, quorvel::Pick::Names);
    const SideTexts& info = sideTexts(side);
    s.window.chosen = value;
    const std::string& text = s.run([dialog](Analyzer& a) { return quorvel::Command1_Click(a, dialog); });
    s.window.chosen.reset();
    require(!s.window.shown[ChoosingWindow::index(dialog)], "a search hides its dialog");
    const std::string expected = names ? value + std::string(info.nameSearchHeading) + "\r\n\r\n" +
                                             fz::hitLines(s.records(side), Field::username, Field::filename, value)
                                       : std::string(info.fileSearchHeading) + value + "...\r\n\r\n" +
                                             fz::hitLines(s.records(side), Field::filename, Field::username, value);
    require(text == expected, "a search lists exactly the records whose field equals the value");
    if (value.find_first_of("\r\n") == std::string::npos)
        require(endsEveryLineInCrLf(text), "every line of a search ends in CR LF");
}

void checkPickList(Session& s, Side side, quorvel::Pick pick, const std::string& fuzzed)
{
    const Dialog dialog = quorvel::pickDialog(side, pick);
    s.run([side, pick](Analyzer& a) { return show(a, showPickList(a, side, pick), {}); });
    const std::vector<std::string>& list = s.window.list(dialog);
    const Field field = pick == quorvel::Pick::Names ? Field::username : Field::filename;
    const fz::Tally distinct = fz::referenceTally(s.records(side), field, false);
    require(std::equal(list.begin(), list.end(), distinct.keys.begin(), distinct.keys.end()),
            "a pick list holds every value of its field once, in order of first occurrence");
    std::vector<std::string> sorted = list;
    std::sort(sorted.begin(), sorted.end());
    require(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end(), "a pick list holds distinct values");
    if (!list.empty()) {
        const std::string first = list.front(), last = list.back();
        checkSearch(s, side, dialog, first);
        checkSearch(s, side, dialog, last);
    }
    checkSearch(s, side, dialog, fuzzed);
}

// Views of names, for the reference answers.
std::vector<std::string_view> views(const std::vector<std::string>& names)
{
    return {names.begin(), names.end()};
}

void checkByAccount(Session& s, Side side)
{
    const std::vector<std::string> names = s.accountNames();
    const std::vector<std::int64_t> counts = s.accountCounts(side);
    require(s.run([side](Analyzer& a) { return quorvel::ask(a, quorvel::sortByAccount, side); }) ==
                fz::listing(sideTexts(side).byAccountHeading, views(names), counts, fz::highestFirst(counts)),
            "by account lists every account most active first, the later among equals first");
    const std::vector<std::int64_t> after = s.accountCounts(side);
    require(std::is_sorted(after.begin(), after.end()), "by account leaves the accounts in ascending order");
    require(after == s.storedCounts(side), "by account keeps every account's count");
}

void checkTopAccount(Session& s, Side side)
{
    const std::vector<std::string> names = s.accountNames();
    const std::vector<std::int64_t> counts = s.accountCounts(side);
    require(s.run([side](Analyzer& a) { return quorvel::ask(a, quorvel::topAccount, side); }) ==
                fz::numberOne(sideTexts(side).topAccountHeading, views(names), counts, side),
            "the top account is the last of the accounts with the highest count, with that count");
    require(s.accountNames() == names, "the top account keeps the order of accounts");
}

void checkIdleAccounts(Session& s, Side side)
{
    const std::vector<std::string> names = s.accountNames();
    const std::vector<std::int64_t> counts = s.accountCounts(side);
    std::string expected = std::string(sideTexts(side).inactiveHeading) + "\r\n\r\n";
    for (std::size_t k = 0; k < names.size(); ++k)
        if (counts[k] == 0)
            expected.append(names[k]).append("\r\n");
    require(s.run([side](Analyzer& a) { return quorvel::ask(a, quorvel::inactiveAccounts, side); }) == expected,
            "the idle accounts are exactly those without a record, in the order of accounts");
    require(s.accountNames() == names, "listing idle accounts keeps the order of accounts");
    require(s.storedCounts(side) == counts, "listing idle accounts keeps every account's count");
}

std::string accountHits(Session& s, Side side, std::string_view account)
{
    return "Files that " + std::string(account) + std::string(sideTexts(side).userSearchVerb) + "...\r\n\r\n" +
           fz::hitLines(s.records(side), Field::account, Field::filename, account);
}

void checkAccountSearches(Session& s, const std::string& value)
{
    s.window.chosen = value;
    const std::string down = accountHits(s, Side::Download, value), up = accountHits(s, Side::Upload, value);
    require(s.run(quorvel::mnusearchdownload_Click) == down, "an account's downloads are its records");
    require(s.run(quorvel::mnusearchuploads_Click) == up, "an account's uploads are its records");
    require(s.run(quorvel::mnusearchboth_Click) == down + "\r\n\r\n" + up, "both searches are the two joined");
    require(!s.window.shown[ChoosingWindow::index(Dialog::Accounts)], "an account search hides its dialog");
    s.window.chosen.reset();
}

void checkForm4(Session& s, const std::set<std::string>& made, const std::string& fuzzed)
{
    s.run(quorvel::mnusearchaccounts_Click);
    std::vector<std::string> listed = s.window.list(Dialog::Accounts);
    std::sort(listed.begin(), listed.end());
    require(std::equal(listed.begin(), listed.end(), made.begin(), made.end()),
            "Form4 lists every account folder once");
    if (!made.empty()) {
        checkAccountSearches(s, *made.begin());
        checkAccountSearches(s, *made.rbegin());
    }
    checkAccountSearches(s, fuzzed);
}

void runEveryMenuCommand(Session& s)
{
    // Saving, exporting and choosing a folder answer dialogs; the period dialog is cancelled.
    for (const quorvel::CommandRow& command : quorvel::commandTable()) {
        if ((!command.run && !command.ask) || command.item.empty() || command.item.starts_with("mnusave") ||
            command.item == "mnuexportcsv" || command.item == "mnuselectserverdirectory")
            continue;
        const quorvel::Outcome outcome =
            quorvel::runCommand(s.a, [&](Analyzer& a) { return quorvel::runRow(a, command); });
        require(outcome.kind() != quorvel::Outcome::Kind::Closing, "a command runs to its end");
    }
    require(s.a.state.download.loaded && s.a.state.upload.loaded, "both logs load");
}

// Days the dictionary's stamps fall on and around, for the period of the model's comparison.
constexpr std::array<quorvel::reference::Date, 4> periodEnds = {
    quorvel::reference::Date{2001, 1, 1}, {2001, 3, 2}, {2001, 3, 3}, {2004, 2, 29}};

std::string dateArgument(const quorvel::reference::Date& d)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

// A third of quorvel-report's verbs, in the format and period the input's bytes pick, against the
// model (all of them would slow each run threefold). The period's ends may be in either order: a --from after --to is
// refused, and so skipped.
void checkEveryVerb(const quorvel::test::TempServer& server, const Input& input, const std::set<std::string>& accounts,
                    std::string_view bytes)
{
    const std::size_t pick = std::hash<std::string_view>{}(bytes);
    quorvel::reference::Call call;
    call.format = std::array{"text", "csv", "json"}[pick % 3];
    if (pick / 3 % 3 != 0)
        call.from = periodEnds[pick / 9 % periodEnds.size()];
    if (pick / 3 % 3 != 1)
        call.to = periodEnds[pick / 36 % periodEnds.size()];
    if (call.from && call.to && *call.from > *call.to)
        call.to = call.from;
    const quorvel::reference::Server model{
        std::string(input.download), std::string(input.upload), {accounts.begin(), accounts.end()}};
    const std::vector<quorvel::reference::Verb>& verbs = quorvel::reference::verbs();
    for (std::size_t k = pick % 3; k < verbs.size(); k += 3) {
        const quorvel::reference::Verb& verb = verbs[k];
        call.verb = verb.name;
        using enum quorvel::reference::Verb::Value;
        call.value = verb.value == Text  ? std::string(input.value)
                     : verb.value == Day ? dateArgument(periodEnds[pick / 144 % periodEnds.size()])
                                         : std::string();
        std::vector<std::string> args{"--format", call.format};
        if (call.from)
            args.insert(args.end(), {"--from", dateArgument(*call.from)});
        if (call.to)
            args.insert(args.end(), {"--to", dateArgument(*call.to)});
        args.insert(args.end(), {"--", call.verb});
        if (verb.value != None)
            args.push_back(call.value);
        const quorvel::test::ReportRun run = quorvel::test::reportOn(server, args);
        const quorvel::reference::Printed expected = quorvel::reference::answer(model, call);
        require(run.code == 0, "every verb answers");
        require(run.out == expected.out, "every verb prints the model's answer");
        require(run.err == expected.err, "every verb says on stderr what the model says");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const quorvel::test::TempServer server;
    const Input input = split(std::string_view(reinterpret_cast<const char*>(data), size));
    server.writeDownloadLog(input.download);
    server.writeUploadLog(input.upload);
    const std::set<std::string> accounts = writeAccounts(server, input.users);
    const std::string value(input.value);

    ChoosingWindow window;
    quorvel::test::FakePlatform platform;
    Analyzer a(window, platform, quorvel::FolderFile(server.programFolder(), server.configFolder()));
    quorvel::setServerFolder(a, server.folder());
    Session s{window, a};
    runEveryMenuCommand(s);
    for (const Side side : {Side::Download, Side::Upload}) {
        checkFileListings(s, side);
        checkTopUser(s, side);
        checkPickList(s, side, quorvel::Pick::Names, value);
        checkPickList(s, side, quorvel::Pick::Files, value);
        checkByAccount(s, side);
        checkTopAccount(s, side);
        checkIdleAccounts(s, side);
    }
    checkForm4(s, accounts, value);
    checkEveryVerb(server, input, accounts, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
