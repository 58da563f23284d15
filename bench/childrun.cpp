// SPDX-License-Identifier: MIT
#include "childrun.h"

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace quorvel::bench {

namespace {

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

} // namespace

ChildRun runChild(const std::vector<std::string>& argv, const std::string& out, const std::string& err)
{
    std::vector<std::string> args = argv;
    std::vector<char*> pointers;
    for (std::string& arg : args)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildRun run;
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    if (!args.empty() && posix_spawnp(&child, pointers[0], &actions, nullptr, pointers.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) == child) {
            run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
            run.peakKiB = usage.ru_maxrss;
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

} // namespace quorvel::bench
