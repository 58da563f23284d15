// SPDX-License-Identifier: MIT
#include "privatecgroup.h"

#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::test {

namespace {

// The path of the process's group of that form in /proc/self/cgroup; nothing when none.
std::optional<std::string> groupPath(ControlGroupLimit::Form form)
{
    std::ifstream in("/proc/self/cgroup");
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        const bool wanted = form == ControlGroupLimit::Form::Version2
                                ? line.starts_with("0::")
                                : controllers.find(",memory,") != std::string::npos;
        if (wanted)
            return line.substr(second + 1);
    }
    return std::nullopt;
}

// unshare's words for a private mount namespace; as another user than root, also a user
// namespace in which it is root.
std::vector<std::string> privateNamespace()
{
    std::vector<std::string> words{"unshare", "--mount"};
    if (::geteuid() != 0)
        words.push_back("--map-root-user");
    return words;
}

// A word quoted for the shell.
std::string quoted(const std::string& word)
{
    std::string text = "'";
    for (const char c : word)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

// Runs the words with no input and no output; their exit status, -1 when they did not run.
int runSilently(const std::vector<std::string>& words)
{
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&files, fd, "/dev/null", O_RDWR, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

std::optional<std::string> controlGroupRefused(ControlGroupLimit::Form form)
{
    if (!groupPath(form))
        return std::string("/proc/self/cgroup names no ") +
               (form == ControlGroupLimit::Form::Version1 ? "version 1 memory group" : "version 2 group");
    std::vector<std::string> probe = privateNamespace();
    probe.insert(probe.end(), {"/bin/sh", "-c", "mount -t tmpfs quorvel /sys/fs/cgroup"});
    if (runSilently(probe) != 0)
        return std::string("a tmpfs over /sys/fs/cgroup in a private mount namespace (unshare) is refused here");
    return std::nullopt;
}

std::vector<std::string> inControlGroup(const ControlGroupLimit& limit, std::uint64_t addressSpaceKiB)
{
    const bool version1 = limit.form == ControlGroupLimit::Form::Version1;
    const std::string group =
        std::string(version1 ? "/sys/fs/cgroup/memory" : "/sys/fs/cgroup") + groupPath(limit.form).value_or("/");
    const std::string at = quoted(group) + "/";
    const std::string script =
        "set -e; mount -t tmpfs quorvel /sys/fs/cgroup; mkdir -p " + quoted(group) + "; echo " +
        std::to_string(limit.limit) + " >" + at + (version1 ? "memory.limit_in_bytes" : "memory.max") + "; echo " +
        std::to_string(limit.usage) + " >" + at + (version1 ? "memory.usage_in_bytes" : "memory.current") + "; echo '" +
        (version1 ? "total_inactive_file " : "inactive_file ") + std::to_string(limit.inactive) + "' >" + at +
        "memory.stat; ulimit -v " + std::to_string(addressSpaceKiB) + "; exec \"$0\" \"$@\"";
    std::vector<std::string> words = privateNamespace();
    words.insert(words.end(), {"/bin/sh", "-c", script});
    return words;
}

} // namespace quorvel::test
