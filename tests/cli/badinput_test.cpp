// SPDX-License-Identifier: MIT
#include "badinput.h"

#include "fakeplatform.h"
#include "fakewindow.h"
#include "foldersnapshot.h"
#include "logtext.h"
#include "permissionbits.h"
#include "reportrun.h"

#include "cli/report.h"
#include "commands/commandtable.h"
#include "commands/loading.h"
#include "commands/program.h"
#include "commands/serverfolder.h"
#include "present/statustext.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace quorvel::test {

void PrintTo(const BadInput& row, std::ostream* os)
{
    *os << row.what;
}

std::string rowName(const ::testing::TestParamInfo<BadInput>& row)
{
    return row.param.what;
}

namespace {

namespace fs = std::filesystem;

constexpr std::string_view loadingStarted = "Loading...   0/";

std::string expand(std::string text, const TempServer& server)
{
    const std::string root = server.root().string();
    for (std::size_t at = text.find("<root>"); at != std::string::npos; at = text.find("<root>", at + root.size()))
        text.replace(at, 6, root);
    return text;
}

// A fake window that runs a row's whileLoading action at the log's first loading caption.
class HookedWindow : public FakeWindow {
public:
    std::function<void()> onLoading;
    void setStatus(std::string_view text) override
    {
        FakeWindow::setStatus(text);
        if (onLoading && text.find(loadingStarted) != std::string_view::npos)
            std::exchange(onLoading, nullptr)();
    }
};

// quorvel-report's progress stream, doing the same.
class HookedProgress : public std::streambuf {
public:
    explicit HookedProgress(std::function<void()> hook) : hook_(std::move(hook)) {}

private:
    int overflow(int c) override
    {
        const char one = static_cast<char>(c);
        return c == traits_type::eof() ? c : (xsputn(&one, 1), c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        if (hook_) {
            seen_.append(s, static_cast<std::size_t>(n));
            if (seen_.find(loadingStarted) != std::string::npos)
                std::exchange(hook_, nullptr)();
        }
        return n;
    }
    std::function<void()> hook_;
    std::string seen_;
};

// What a command may never change: the folder, the saved file's name, the other log.
std::string lastingState(const Analyzer& a)
{
    const LogState& upload = a.state.upload;
    return a.state.serverfolder + "|" + a.state.savefilename + "|" + std::to_string(upload.loaded) + "|" +
           std::to_string(upload.records.count());
}

// Whether every reason was shown in the status line, in order.
bool shownInOrder(const std::vector<std::string>& reasons, const FakeWindow& window)
{
    auto shown = window.statuses.begin();
    for (const std::string& reason : reasons) {
        shown = std::find(shown, window.statuses.end(), reason);
        if (shown == window.statuses.end())
            return false;
        ++shown;
    }
    return true;
}

// Each line followed by "\n".
std::string lines(const std::vector<std::string>& texts)
{
    std::string text;
    for (const std::string& line : texts)
        text += line + "\n";
    return text;
}

// What a refused command explained: its reasons, then the error boxes.
std::string refusals(const Outcome& outcome, const FakePlatform& platform)
{
    std::string text = lines(outcome.reasons());
    for (const FakePlatform::Message& box : platform.errors)
        text += box.title + ": " + box.text + "\n";
    return text;
}

std::string listed(const FakeWindow& window, Dialog dialog)
{
    std::string text;
    for (const std::string& entry : window.lists[FakeWindow::index(dialog)])
        text += entry + "\r\n";
    return text;
}

// Holds permission bits to root too while a row that needs them runs its command.
std::unique_ptr<PermissionBitsApply> permissionsFor(const BadInput& row)
{
    return row.needsPermissionBits ? std::make_unique<PermissionBitsApply>() : nullptr;
}

void runInEngine(const BadInput& row)
{
    SCOPED_TRACE("engine");
    const TempServer server;
    HookedWindow window;
    FakePlatform platform;
    Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    row.arrange(server);
    if (row.viaFolderFile) {
        Form_Load(a);
    } else {
        if (!row.mobius)
            server.writeUploadLog(logOf({{"ann", "Ann", "up.txt"}}));
        setServerFolder(a, server.folder());
        if (!row.mobius)
            loadlog(a, Side::Upload);
    }
    a.state.savefilename = "earlier name.txt";
    window.output = earlierResult;
    window.statuses.clear();
    if (!row.saveTo.empty())
        platform.saveAnswers.push_back(expand(row.saveTo, server));
    if (row.whileLoading)
        window.onLoading = [&] { row.whileLoading(server); };
    const std::string before = snapshotOf(server.root());
    const std::string state = lastingState(a);
    const CommandRow* command = findMenuItem(row.command);
    ASSERT_NE(command, nullptr) << row.command;
    Outcome outcome = Outcome::done();
    {
        const auto permissions = permissionsFor(row);
        outcome = runCommand(a, [&](Analyzer& analyzer) { return runRow(analyzer, *command); });
    }
    EXPECT_EQ(refusals(outcome, platform), expand(row.messages, server));
    EXPECT_EQ(outcome.isDone(), row.messages.empty());
    EXPECT_TRUE(shownInOrder(outcome.reasons(), window));
    if (!row.status.empty()) {
        EXPECT_TRUE(shownInOrder({expand(row.status, server)}, window)) << row.status;
    }
    if (row.command == "mnuLoadUserAccounts") {
        EXPECT_EQ(listed(window, Dialog::Accounts), expand(row.out, server));
    } else {
        EXPECT_EQ(window.output, row.messages.empty() ? expand(row.out, server) : earlierResult);
    }
    EXPECT_EQ(lastingState(a), state);
    if (!row.whileLoading) {
        EXPECT_EQ(snapshotOf(server.root()), before);
    }
}

void runInTool(const BadInput& row)
{
    SCOPED_TRACE("quorvel-report");
    const TempServer server;
    row.arrange(server);
    std::vector<std::string> args;
    if (!row.viaFolderFile)
        args = {"--server", server.folder()};
    for (const std::string& arg : row.verb)
        args.push_back(expand(arg, server));
    std::ostringstream out, err;
    std::ofstream file;
    if (!row.saveTo.empty())
        file.open(expand(row.saveTo, server), std::ios::binary);
    HookedProgress hooked([&] { row.whileLoading(server); });
    std::ostream progress(&hooked);
    const std::string before = snapshotOf(server.root());
    auto permissions = permissionsFor(row);
    const int code =
        runReport(args, row.saveTo.empty() ? static_cast<std::ostream&>(out) : file, err,
                  FolderFile(server.programFolder(), server.configFolder()), row.whileLoading ? &progress : nullptr);
    permissions.reset();
    EXPECT_EQ(code, row.code);
    EXPECT_EQ(out.str(), row.code == 0 ? expand(row.out, server) : "");
    EXPECT_EQ(err.str(), expand(row.err == "=messages" ? row.messages : row.err, server));
    if (!row.whileLoading) {
        EXPECT_EQ(snapshotOf(server.root()), before);
    }
}

// The words that start the executable: a limited address space is set by a shell that then
// becomes the program, a control group's limit by one in a private mount namespace.
std::vector<std::string> startWords(const BadInput& row)
{
    if (row.controlGroup)
        return inControlGroup(*row.controlGroup, row.addressSpaceKiB);
    if (row.addressSpaceKiB > 0)
        return {"/bin/sh", "-c", "ulimit -v " + std::to_string(row.addressSpaceKiB) + " && exec \"$0\" \"$@\""};
    return {};
}

// Runs the executable with stdout and stderr going to files; gives up after a minute. The
// output is read back only from a regular file (never from a device such as /dev/full).
ReportRun runExecutable(std::vector<std::string> words, const std::string& stdoutPath, const fs::path& stderrPath)
{
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return {-1, "", "cannot start " QUORVEL_REPORT_PATH};
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
        if (waited == 6000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return {-1, "", "timed out"};
        }
        ::usleep(10'000);
    }
    const std::string out = fs::is_regular_file(stdoutPath) ? readFile(stdoutPath) : "";
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, readFile(stderrPath)};
}

void runInBinary(const BadInput& row)
{
    SCOPED_TRACE("quorvel-report executable");
    const TempServer server;
    row.arrange(server);
    std::vector<std::string> words = startWords(row);
    words.insert(words.end(), {QUORVEL_REPORT_PATH, "--server", server.folder()});
    for (const std::string& arg : row.verb)
        words.push_back(expand(arg, server));
    const fs::path outputs = server.root() / "outputs";
    fs::create_directory(outputs);
    const std::string stdoutPath = row.saveTo.empty() ? (outputs / "stdout").string() : expand(row.saveTo, server);
    const std::string before = snapshotOf(server.folder());
    const ReportRun run = runExecutable(std::move(words), stdoutPath, outputs / "stderr");
    EXPECT_EQ(run.code, row.code);
    if (row.saveTo.empty()) {
        EXPECT_EQ(run.out, row.code == 0 ? expand(row.out, server) : "");
    }
    EXPECT_EQ(run.err, expand(row.err == "=messages" ? row.messages : row.err, server));
    EXPECT_EQ(snapshotOf(server.folder()), before);
}

} // namespace

TEST_P(BadInputSuite, GivesTheExactMessageAndLosesNothing)
{
    const BadInput& row = GetParam();
    if (row.needsPermissionBits) {
        const TempServer scratch;
        const PermissionBitsApply permissions;
        if (!PermissionBitsApply::enforced(scratch.root()))
            GTEST_SKIP() << "permission bits are not enforced for this process";
    }
    if (row.addressSpaceKiB > 0) {
#ifdef __SANITIZE_ADDRESS__
        GTEST_SKIP() << "AddressSanitizer cannot run in a limited address space";
#endif
        if (row.controlGroup)
            if (const std::optional<std::string> refused = controlGroupRefused(row.controlGroup->form))
                GTEST_SKIP() << *refused;
        runInBinary(row);
        return;
    }
    if (!row.command.empty())
        runInEngine(row);
    if (!row.verb.empty())
        runInTool(row);
    if (row.alsoBinary)
        runInBinary(row);
}

} // namespace quorvel::test
