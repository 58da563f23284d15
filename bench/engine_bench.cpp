// SPDX-License-Identifier: MIT
// Times the engine alone on a server folder's download log, without process start-up: the
// load (against `wc -l` on the same file), then every download report, list build and search
// through the same entry points the menus and dialogs call, each as a fraction of the load.
// Every figure is the fastest of several runs; a step's first run, which meets cold caches
// and fresh memory, is shown beside it.
#include "benchwindow.h"
#include "childrun.h"

#include "commands/commandtable.h"
#include "commands/loading.h"
#include "commands/program.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace quorvel;
using Clock = std::chrono::steady_clock;

// Wall-clock and CPU (user + system) seconds of some work. The machine may be shared: CPU time
// is the steadier measure of the work itself.
struct Took {
    double wall = 0;
    double cpu = 0;
};

double cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Took measure(const std::function<void()>& work)
{
    const auto start = Clock::now();
    const double cpuStart = cpuNow();
    work();
    return {std::chrono::duration<double>(Clock::now() - start).count(), cpuNow() - cpuStart};
}

// The fastest wall time and the smallest CPU time of some runs.
Took fastest(int runs, const std::function<Took()>& work)
{
    Took best{1e300, 1e300};
    for (int i = 0; i < runs; ++i) {
        const Took t = work();
        best = {std::min(best.wall, t.wall), std::min(best.cpu, t.cpu)};
    }
    return best;
}

// Runs `wc -l file` with its output discarded, as an operator would, and waits for it; the CPU
// time is the child's own.
Took runWc(const std::string& file)
{
    const bench::ChildRun run = bench::runChild({"wc", "-l", file}, "/dev/null", "/dev/null");
    return {run.wall, run.cpu};
}

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Step {
    std::string label;
    std::function<Outcome(Analyzer&)> run;
};

Step menu(const std::string& label, std::string_view item)
{
    const CommandRow* command = findMenuItem(item);
    return {label + " (" + std::string(item) + ")", [command](Analyzer& a) { return runRow(a, *command); }};
}

std::vector<Step> steps()
{
    return {
        menu("report: by date", "mnusortbydate"),
        menu("report: by number", "mnudownloadnumber"),
        menu("report: by account", "mnusortbyaccount"),
        menu("report: top downloader", "mnunumberdown"),
        menu("report: top account", "mnunumberaccountdown"),
        menu("report: not downloading", "mnuwhonotdownloading"),
        menu("list: download names", "mnuUserDownloads"),
        menu("list: downloaded files", "mnuFileDownloads"),
        {"search: name (Command1 DownNames)", [](Analyzer& a) { return Command1_Click(a, Dialog::DownNames); }},
        {"search: file (Command1 DownFiles)", [](Analyzer& a) { return Command1_Click(a, Dialog::DownFiles); }},
        {"search: account (mnusearchdownload)", mnusearchdownload_Click},
    };
}

// One line of the table, without its end: CPU and wall seconds of the fastest run and their
// fractions of the load, then the CPU seconds of the first run and its fraction.
void report(const std::string& label, Took t, Took first, Took load)
{
    std::printf("%-46s %7.4f %6.3f %7.4f %6.3f %7.4f %6.3f", label.c_str(), t.cpu, t.cpu / load.cpu, t.wall,
                t.wall / load.wall, first.cpu, first.cpu / load.cpu);
}

// Runs a step as a user would choose it again: a pick list is built anew each time.
Took runStep(Analyzer& a, const Step& step)
{
    a.state.download.nameslisted = false;
    a.state.download.fileslisted = false;
    return measure([&] { runCommand(a, step.run); });
}

// Picks the values the searches look for from the record in the middle of the log.
void pickSearchValues(Analyzer& a, bench::BenchWindow& window)
{
    const LogRecords& records = a.state.download.records;
    if (records.count() == 0)
        return;
    const std::int64_t middle = records.count() / 2;
    window.select(Dialog::DownNames, std::string(records.username(middle)));
    window.select(Dialog::DownFiles, std::string(records.filename(middle)));
    window.select(Dialog::Accounts, std::string(records.account(middle)));
}

int run(const std::filesystem::path& server, bool loadOnly, int runs)
{
    const auto logPath = server / "Download Log.txt";
    std::error_code error;
    const auto size = std::filesystem::file_size(logPath, error);
    if (error) {
        std::cerr << "engine_bench: cannot read " << logPath << '\n';
        return 1;
    }
    bench::BenchWindow window;
    bench::BenchPlatform platform;
    const auto scratch = std::filesystem::temp_directory_path();
    Analyzer a(window, platform, FolderFile(scratch, scratch));
    setServerFolder(a, server.string());
    const Took loadTime = fastest(runs, [&] { return measure([&] { runCommand(a, mnuLoaddownloadlog_Click); }); });
    if (window.status() != "(Download Log) Done...") {
        std::cerr << "engine_bench: the load ended with \"" << window.status() << "\"\n";
        return 1;
    }
    std::printf("log: %s, %llu bytes, %lld records\n", logPath.c_str(), static_cast<unsigned long long>(size),
                static_cast<long long>(a.state.download.records.count()));
    std::printf("seconds are the fastest of %d runs (of 9 for wc; 1st = a step's first run); cpu = user + system\n", runs);
    std::printf("load: cpu %.4f s, wall %.4f s\n", loadTime.cpu, loadTime.wall);
    if (!loadOnly) {
        const Took wc = fastest(9, [&] { return runWc(logPath.string()); });
        std::printf("wc -l: cpu %.4f s, wall %.4f s\n", wc.cpu, wc.wall);
        std::printf("load / wc -l: cpu %.2f, wall %.2f\n", loadTime.cpu / wc.cpu, loadTime.wall / wc.wall);
        std::printf("%-46s %7s %6s %7s %6s %7s %6s\n", "", "cpu s", "/load", "wall s", "/load", "1st cpu", "/load");
        pickSearchValues(a, window);
        for (const Step& step : steps()) {
            window.resetWrites();
            const Took first = runStep(a, step);
            const Took best = fastest(runs - 1, [&] { return runStep(a, step); });
            report(step.label, Took{std::min(first.wall, best.wall), std::min(first.cpu, best.cpu)}, first, loadTime);
            std::printf("%s\n", window.writes() == 0 ? "  not available: produced nothing" : "");
        }
    }
    const double peak = static_cast<double>(peakKiB()) * 1024.0;
    std::printf("peak memory: %.1f MB = %.3f x the log size (%.1f MB)\n", peak / 1e6, peak / static_cast<double>(size),
                static_cast<double>(size) / 1e6);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool loadOnly = std::erase(args, std::string("--load-only")) > 0;
    if (args.size() != 1) {
        std::cerr << "usage: engine_bench SERVER_DIR [--load-only]\n"
                     "Times the download log's load (fastest of 9 runs; one with --load-only), then each\n"
                     "download report, list build and search on it (fastest of 9 runs, and the first).\n";
        return 2;
    }
    return run(args[0], loadOnly, loadOnly ? 1 : 9);
}
