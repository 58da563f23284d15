// SPDX-License-Identifier: MIT
// What quorvel-report writes on a terminal: messages and progress captions carry no control
// character and no bidirectional control from a name or a path, while a file or a pipe gets
// every message's own bytes. Whether stderr is a terminal is a parameter of runReport; one test
// runs the executable on a real pseudo-terminal, where it decides that by itself.
#include "reportrun.h"

#include "cli/cliwindow.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

// Each range of bidirectional controls between its neighbours, which are kept.
TEST(TerminalLine, ShowsBidirectionalControlsAsQuestionMarks)
{
    EXPECT_EQ(terminalLine("\xd8\x9b\xd8\x9c"), "\xd8\x9b?"); // U+061B U+061C
    EXPECT_EQ(terminalLine("\xe2\x80\x8d\xe2\x80\x8e\xe2\x80\x8f\xe2\x80\x90"),
              "\xe2\x80\x8d??\xe2\x80\x90"); // U+200D-U+2010
    EXPECT_EQ(terminalLine("\xe2\x80\xa9\xe2\x80\xaa\xe2\x80\xae\xe2\x80\xaf"),
              "\xe2\x80\xa9??\xe2\x80\xaf"); // U+2029-U+202F
    EXPECT_EQ(terminalLine("\xe2\x81\xa5\xe2\x81\xa6\xe2\x81\xa9\xe2\x81\xaa"),
              "\xe2\x81\xa5??\xe2\x81\xaa"); // U+2065-U+206A
    // Bytes that start no UTF-8 sequence stay bytes: 8-bit text is kept, a raw C1 byte is not.
    EXPECT_EQ(terminalLine("\xe2\x80 \xff \xe9 \x9b \xd8"), "\xe2? \xff \xe9 ? \xd8");
}

struct MessageCase {
    std::string what;
    std::vector<std::string> args; // "<root>" stands for the temporary folder
    std::string folderFile;        // the folder file's bytes; empty: none
    std::string folder;            // a folder made under the temporary folder; empty: none
    int code;
    std::string onTerminal; // stderr when it is a terminal
    std::string elsewhere;  // stderr when it is a file or a pipe
};

void PrintTo(const MessageCase& c, std::ostream* os)
{
    *os << c.what;
}

std::string withRoot(std::string text, const TempServer& server)
{
    for (std::size_t at = text.find("<root>"); at != std::string::npos; at = text.find("<root>"))
        text.replace(at, 6, server.root().string());
    return text;
}

class TerminalMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(TerminalMessages, AreMadeSafeOnATerminalAndKeepTheirBytesElsewhere)
{
    const MessageCase& c = GetParam();
    TempServer server;
    if (!c.folder.empty())
        fs::create_directory(server.root() / c.folder);
    if (!c.folderFile.empty()) {
        fs::create_directories(server.programFolder());
        std::ofstream(server.programFolder() / "log.dat", std::ios::binary) << withRoot(c.folderFile, server);
    }
    std::vector<std::string> args;
    for (const std::string& arg : c.args)
        args.push_back(withRoot(arg, server));
    const FolderFile folderFile(server.programFolder(), server.configFolder());
    std::ostringstream out, terminal, progress, pipe;
    EXPECT_EQ(runReport(args, out, terminal, folderFile, &progress), c.code);
    EXPECT_EQ(terminal.str(), withRoot(c.onTerminal, server));
    EXPECT_EQ(runReport(args, out, pipe, folderFile), c.code);
    EXPECT_EQ(pipe.str(), withRoot(c.elsewhere, server));
}

const std::string usage = "usage: quorvel-report [--server DIR] [--from YYYY-MM-DD] [--to YYYY-MM-DD] "
                          "[--format text|csv|json] VERB [VALUE]\n";

INSTANTIATE_TEST_SUITE_P(
    Messages, TerminalMessages,
    ::testing::Values(
        MessageCase{"a server folder that clears the screen, rings and turns the text around",
                    {"--server", "<root>/\x1b[2J\x07\xe2\x80\xaegnp.exe", "accounts"},
                    "",
                    "",
                    1,
                    "quorvel-report: no server folder at '<root>/?[2J??gnp.exe': No such file or directory\n",
                    "quorvel-report: no server folder at '<root>/\x1b[2J\x07\xe2\x80\xaegnp.exe': No such file or "
                    "directory\n"},
        MessageCase{"a folder file that sets the title, with a CR inside and an editor's line end",
                    {"accounts"},
                    "<root>/\x1b]0;pwned\x07\rx\n",
                    "",
                    1,
                    "quorvel-report: no server folder at '<root>/?]0;pwned? x': No such file or directory\n",
                    "quorvel-report: no server folder at '<root>/\x1b]0;pwned\x07\rx': No such file or directory\n"},
        MessageCase{"a refusal naming a folder with a C1 control in UTF-8",
                    {"--server", "<root>/srv\xc2\x9b[31m", "downloads-by-number"},
                    "",
                    "srv\xc2\x9b[31m",
                    1,
                    "Cannot find 'Download Log.txt' in '<root>/srv?[31m'\nMust load log first...\n",
                    "Cannot find 'Download Log.txt' in '<root>/srv\xc2\x9b[31m'\nMust load log first...\n"},
        MessageCase{"a usage error naming an option with a DEL and an isolate",
                    {"--x\x7f\xe2\x81\xa6"},
                    "",
                    "",
                    2,
                    "quorvel-report: unknown option '--x?"
                    "?' (a VALUE that starts with '-' goes after --)\n" +
                        usage,
                    "quorvel-report: unknown option '--x\x7f\xe2\x81\xa6' (a VALUE that starts with '-' goes after "
                    "--)\n" +
                        usage}));

// On a terminal, output and messages share the screen with the progress line: each starts on a
// cleared line, never after the last caption.
TEST(TerminalProgress, IsClearedBeforeTheAnswerAndBeforeTheMessages)
{
    TempServer server;
    server.writeDownloadLog("1/1/2001 1:00\t\ta\tu\tf\r");
    const FolderFile folderFile(server.programFolder(), server.configFolder());
    const std::string cleared = "\r\033[K";
    for (const std::string verb : {"top-downloader", "top-uploader"}) {
        std::ostringstream screen, pipe;
        const int code = runReport({"--server", server.folder(), verb}, screen, screen, folderFile, &screen);
        const int piped = runReport({"--server", server.folder(), verb}, pipe, pipe, folderFile);
        const std::string shown = screen.str();
        SCOPED_TRACE(verb);
        EXPECT_EQ(code, piped);
        EXPECT_EQ(shown.substr(shown.rfind(cleared) + cleared.size()), pipe.str());
    }
}

// The executable with stderr on a pseudo-terminal, which turns each LF into CR LF.
TEST(TerminalMessagesOfTheExecutable, ReachARealTerminalWithoutControlCharacters)
{
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        GTEST_SKIP() << "no pseudo-terminal: " << std::strerror(errno);
    TempServer server;
    const std::string folder = server.root().string() + "/\x1b]0;pwned\x07\xe2\x80\xae";
    std::vector<char*> argv{const_cast<char*>(QUORVEL_REPORT_PATH), const_cast<char*>("--server"),
                            const_cast<char*>(folder.c_str()), const_cast<char*>("accounts"), nullptr};
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, slave, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&files, master);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    ::close(slave);
    ASSERT_EQ(spawned, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    std::string shown;
    char buffer[4096];
    for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, static_cast<std::size_t>(got));
    ::close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_EQ(shown, "quorvel-report: no server folder at '" + server.root().string() +
                         "/?]0;pwned?"
                         "?': No such file or directory\r\n");
}

} // namespace
} // namespace quorvel::test
