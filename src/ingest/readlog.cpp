// SPDX-License-Identifier: MIT
#include "ingest/readlog.h"

#include "ingest/linecutter.h"
#include "ingest/linestream.h"
#include "ingest/recordkeeper.h"
#include "ingest/recordparser.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace quorvel {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// A log gives each thread at least this much: below it, starting a thread costs more than it saves.
constexpr std::uint64_t minPartBytes = 2u << 20;

// What a thread takes besides its part's records: the address space of its stack. Threads are
// only started while the memory budget holds them several times over.
constexpr std::uint64_t threadBytes = 8u << 20;

// How often the reading threads' progress is reported while they work.
constexpr std::chrono::milliseconds progressInterval{50};

// Thrown in a part's read when another part, or the progress, stopped the read.
struct Stopped {};

// One part of a log, [begin, end), as read by one thread.
struct PartRead {
    LogRead read;
    bool stopped = false;     // stopped by another part: its status says nothing
    std::exception_ptr error; // an unexpected exception, passed on by the read
};

// Reads the lines of file that start in [from, to) as the plan keeps them (the first such line
// starts at from when from is 0, else just after the first line end at or after from - 1; the
// last runs on past `to` to its line end); the records make room for a log of reserveBytes.
// After each block, onBlock(bytes read of the part, the bytes the part will hold once read
// whole, projected as for a log of its size) may stop the read by throwing OverBudget or
// Stopped; so may onScanned() while the part looks for its first line.
template <class OnBlock>
PartRead readPart(const LogFile& file, std::uint64_t from, std::uint64_t to, std::uint64_t reserveBytes,
                  const LoadPlan& plan, OnBlock&& onBlock, const std::function<void()>& onScanned)
{
    PartRead part;
    RecordKeeper keeper(plan, part.read);
    std::uint64_t begin = from;
    std::uint64_t parsed = 0;
    bool ended = false; // at the part's last line
    const auto parse = [&](std::string_view lines) {
        const std::uint64_t at = begin + parsed;
        parsed += lines.size();
        // A text starts just after a line end: from `to` on, its lines are the next part's.
        if (at >= to) {
            ended = true;
            return false;
        }
        if (at + lines.size() > to) {
            const std::size_t lastEnd = lines.find_first_of("\r\n", std::max(at, to - 1) - at);
            if (lastEnd != std::string_view::npos) {
                lines = lines.substr(0, lastEnd + 1);
                ended = true;
            }
        }
        if (at == 0 && lines.starts_with(byteOrderMark))
            lines.remove_prefix(byteOrderMark.size());
        fixstr(lines, [&](const ScannedLine& line) { keeper.add(lines, sortstr4(line)); });
        keeper.take(lines, parsed, reserveBytes);
        return !ended;
    };
    const auto blockRead = [&](std::uint64_t bytes, std::uint64_t block) {
        onBlock(bytes, projectedBytes(keeper.footprint(), parsed, to - begin, block));
    };
    LogRead::Status status = LogRead::Status::Read;
    try {
        const std::optional<std::uint64_t> start = lineStartFrom(file, from, onScanned);
        begin = start.value_or(file.size());
        // A part whose first line starts past its end has no lines.
        const std::uint64_t expected = begin < to ? file.size() - begin : 0;
        const std::optional<std::uint64_t> bytes =
            expected > 0 ? streamLines(file, begin, file.size(), parse, blockRead) : std::optional<std::uint64_t>(0);
        if (!start || !bytes)
            status = LogRead::Status::Unreadable;
        else if (!ended && *bytes < expected)
            status = LogRead::Status::Shrunk;
    } catch (const OverBudget&) {
        status = LogRead::Status::NotEnoughMemory;
    } catch (const std::bad_alloc&) {
        status = LogRead::Status::NotEnoughMemory;
    } catch (const Stopped&) {
        status = LogRead::Status::NotEnoughMemory;
        part.stopped = true;
    }
    keeper.finish(status);
    return part;
}

// What the threads reading the parts of one log share: how far each has read, what each
// projects to hold, and whether the read goes on. The memory budget is checked against all
// parts together; the records of every part but the first are copied once more when the parts
// are joined, so their share counts twice.
class PartsInFlight {
public:
    PartsInFlight(std::size_t parts, std::uint64_t size, std::uint64_t budget)
        : read_(parts), projected_(parts), size_(size), budget_(budget)
    {
    }

    // After a block of part k: throws Stopped when the read was stopped, OverBudget (and stops
    // the others) when the parts together pass the budget.
    void reached(std::size_t k, std::uint64_t bytes, std::uint64_t projected)
    {
        read_[k].store(bytes, std::memory_order_relaxed);
        projected_[k].store(k == 0 ? projected : 2 * projected, std::memory_order_relaxed);
        check();
        std::uint64_t total = 0;
        for (const std::atomic<std::uint64_t>& p : projected_)
            total += p.load(std::memory_order_relaxed);
        if (total > budget_) {
            stop();
            throw OverBudget{};
        }
    }
    // Throws Stopped when the read was stopped.
    void check() const
    {
        if (stopped_.load(std::memory_order_relaxed))
            throw Stopped{};
    }
    void stop() { stopped_.store(true, std::memory_order_relaxed); }
    std::uint64_t bytesRead() const
    {
        std::uint64_t total = 0;
        for (const std::atomic<std::uint64_t>& r : read_)
            total += r.load(std::memory_order_relaxed);
        return std::min(total, size_);
    }
    void partDone()
    {
        const std::lock_guard lock(mutex_);
        ++done_;
        allDone_.notify_one();
    }
    // Waits until every part is done or the time passes; true when every part is done.
    bool waitForAll(std::chrono::milliseconds time)
    {
        std::unique_lock lock(mutex_);
        return allDone_.wait_for(lock, time, [&] { return done_ == read_.size(); });
    }

private:
    std::vector<std::atomic<std::uint64_t>> read_;
    std::vector<std::atomic<std::uint64_t>> projected_;
    const std::uint64_t size_; // of the log: the parts read a little past their ends
    const std::uint64_t budget_;
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable allDone_;
    std::size_t done_ = 0;
};

// A read that failed as status says: no records.
LogRead failedRead(LogRead::Status status, const LoadPlan& plan)
{
    LogRead read;
    read.status = status;
    read.records = LogRecords(plan.columns);
    return read;
}

// A later part's records and counts after those of into, as one log's.
void append(LogRead& into, LogRead&& part)
{
    into.lines += part.lines;
    into.damaged += part.damaged;
    into.undated += part.undated;
    if (into.stamps && part.stamps)
        into.stamps->insert(into.stamps->end(), part.stamps->begin(), part.stamps->end());
    if (part.days)
        into.days = widened(widened(into.days, part.days->first), part.days->last);
    into.records.absorb(std::move(part.records));
}

// Reads the log in `count` parts of about equal size on as many threads, reporting their
// progress on this thread meanwhile, and joins them in order into one read. A part that failed
// (the first, in order) gives the read its status; an exception thrown by progress stops the
// threads and passes through. Nothing when a thread could not be started (an address space too
// short for its stack, say): the threads that were are stopped.
std::optional<LogRead> readInParts(const LogFile& file, unsigned count, const LoadPlan& plan, Progress& progress,
                                   std::uint64_t memoryBudget)
{
    const auto bound = [&](std::size_t k) { return file.size() * k / count; };
    PartsInFlight flight(count, file.size(), memoryBudget);
    std::vector<PartRead> parts(count);
    const auto readPartOnThread = [&](std::size_t k) {
        try {
            parts[k] = readPart(
                file, bound(k), bound(k + 1), k == 0 ? file.size() : bound(k + 1) - bound(k), plan,
                [&](std::uint64_t bytes, std::uint64_t projected) { flight.reached(k, bytes, projected); },
                [&] { flight.check(); });
        } catch (...) {
            parts[k].error = std::current_exception();
        }
        if (parts[k].error || (parts[k].read.status != LogRead::Status::Read && !parts[k].stopped))
            flight.stop();
        flight.partDone();
    };
    std::exception_ptr cancelled;
    {
        std::vector<std::jthread> threads;
        threads.reserve(count);
        try {
            for (std::size_t k = 0; k < count; ++k)
                threads.emplace_back(readPartOnThread, k);
        } catch (const std::system_error&) {
            flight.stop();
            return std::nullopt;
        }
        while (!flight.waitForAll(progressInterval)) {
            if (cancelled)
                continue;
            try {
                progress.reached(static_cast<std::int64_t>(flight.bytesRead()), static_cast<std::int64_t>(file.size()));
            } catch (...) {
                cancelled = std::current_exception();
                flight.stop();
            }
        }
    }
    if (cancelled)
        std::rethrow_exception(cancelled);
    for (PartRead& part : parts)
        if (part.error)
            std::rethrow_exception(part.error);
    for (PartRead& part : parts)
        if (part.read.status != LogRead::Status::Read && !part.stopped)
            return std::move(part.read);
    if (file.size() > 0)
        progress.reached(static_cast<std::int64_t>(file.size()), static_cast<std::int64_t>(file.size()));
    LogRead read = std::move(parts[0].read);
    try {
        for (std::size_t k = 1; k < count; ++k)
            append(read, std::move(parts[k].read));
    } catch (const std::bad_alloc&) {
        read = failedRead(LogRead::Status::NotEnoughMemory, plan);
    }
    return read;
}

} // namespace

std::uint64_t projectedBytes(const LogRecords::Footprint& used, std::uint64_t parsed, std::uint64_t size,
                             std::uint64_t block)
{
    if (parsed == 0)
        return std::max(size, block);
    const double perByte = static_cast<double>(used.perRecord) / static_cast<double>(parsed);
    return static_cast<std::uint64_t>(perByte * static_cast<double>(size)) + 2 * used.distinct + block;
}

LogRead readRecords(const LogFile& file, const LoadPlan& plan, Progress& progress, std::uint64_t memoryBudget,
                    ThreadCount threads)
{
    unsigned parts = threads.partsFor(file.size(), minPartBytes);
    while (parts > 1 && parts * threadBytes * 4 > memoryBudget)
        --parts;
    if (parts > 1)
        if (std::optional<LogRead> read = readInParts(file, parts, plan, progress, memoryBudget))
            return std::move(*read);
    const auto onBlock = [&](std::uint64_t bytes, std::uint64_t projected) {
        if (projected > memoryBudget)
            throw OverBudget{};
        progress.reached(static_cast<std::int64_t>(bytes), static_cast<std::int64_t>(file.size()));
    };
    return readPart(file, 0, file.size(), file.size(), plan, onBlock, [] {}).read;
}

} // namespace quorvel
