// SPDX-License-Identifier: MIT
#include "ingest/mobiuslog.h"

#include "core/nameorder.h"
#include "ingest/filepieces.h"
#include "ingest/linestream.h"
#include "ingest/recordkeeper.h"
#include "ingest/slogline.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <tuple>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
// How far into a file a modern log line must begin for the file to be a modern log.
constexpr std::size_t sniffBytes = 64u << 10;
// What the read holds besides the records at most: the part of the file mapped or its block
// read, the columns decoded from a block, and the values the line reader keeps of a line that
// spans blocks.
constexpr std::uint64_t heldBytes = FilePieces::partBytes + 2 * lineBlockBytes + 10 * slogValueLimit;

// The time a rotated backup's name holds ("<name>-YYYY-MM-DDTHH-MM-SS.mmm.log"), which sorts as
// time runs; nothing for another name.
std::optional<std::string_view> backupTime(std::string_view name)
{
    constexpr std::string_view form = "-0000-00-00T00-00-00.000.log"; // 0: a digit
    if (name.size() < form.size())
        return std::nullopt;
    const std::string_view tail = name.substr(name.size() - form.size());
    for (std::size_t k = 0; k < form.size(); ++k) {
        const bool digit = tail[k] >= '0' && tail[k] <= '9';
        if (form[k] == '0' ? !digit : tail[k] != form[k])
            return std::nullopt;
    }
    return tail.substr(1, form.size() - 5);
}

// The text of a piece read at offset `at` of its file, without the byte order mark that may
// open the file.
std::string_view withoutMark(std::string_view piece, std::uint64_t at)
{
    if (at == 0 && piece.starts_with(byteOrderMark))
        piece.remove_prefix(byteOrderMark.size());
    return piece;
}

enum class Sniffed { Log, Other, Unreadable };

// Whether an open file holds a modern log line within its first sniffBytes.
Sniffed sniff(const LogFile& file)
{
    std::vector<char> head(static_cast<std::size_t>(std::min<std::uint64_t>(sniffBytes, file.size())));
    std::size_t got = 0;
    while (got < head.size()) {
        const ssize_t n = file.readAt(got, head.data() + got, head.size() - got);
        if (n < 0)
            return Sniffed::Unreadable;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    SlogReader reader;
    reader.read(withoutMark(std::string_view(head.data(), got), 0), [](const SlogLine&) {});
    return reader.sawSlogLine() ? Sniffed::Log : Sniffed::Other;
}

// The columns a read looks at: those the plan keeps (the stamp and the address together), its
// search's, and the stamp when it reads days, a period or stamps.
std::array<bool, 5> columnsRead(const LoadPlan& plan)
{
    std::array<bool, 5> read{};
    for (std::size_t k = 0; k < read.size(); ++k)
        read[k] = plan.columns.has(static_cast<Field>(k)) || plan.match == static_cast<Field>(k);
    const bool stamp = read[0] || read[1] || plan.days || plan.period || plan.stamps;
    read[0] = read[1] = stamp;
    return read;
}

// Appends a transfer's five columns to text, a TAB between two, and returns where they stand:
// the TABs are placed, not searched, so a TAB inside a value stays the value's. A column the
// read does not look at is left empty.
LineCut appendColumns(std::string& text, const std::array<std::string_view, 5>& columns,
                      const std::array<bool, 5>& read)
{
    LineCut cut;
    cut.offset = text.size();
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (k > 0) {
            cut.tab[k - 1] = static_cast<std::uint32_t>(text.size() - cut.offset);
            text += '\t';
        }
        if (read[k])
            text.append(columns[k]);
    }
    cut.length = static_cast<std::uint32_t>(text.size() - cut.offset);
    return cut;
}

} // namespace

std::uint64_t MobiusLog::size() const
{
    std::uint64_t bytes = 0;
    for (const auto& file : files)
        bytes += file->size();
    return bytes;
}

MobiusLog findMobiusLog(const fs::path& folder)
{
    struct Candidate {
        std::string name;
        std::optional<std::string> time; // of a backup
        std::unique_ptr<LogFile> file;
    };
    std::vector<Candidate> logs;
    std::vector<std::string> unreadable;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.ends_with(".log") || !it->is_regular_file(typeError))
            continue;
        auto file = std::make_unique<LogFile>(it->path());
        if (file->status() == LogFile::Status::NotFound)
            continue; // gone since it was listed
        const Sniffed sniffed = file->status() == LogFile::Status::Open ? sniff(*file) : Sniffed::Unreadable;
        if (sniffed == Sniffed::Unreadable) {
            unreadable.push_back(std::move(name));
        } else if (sniffed == Sniffed::Log) {
            const std::optional<std::string_view> time = backupTime(name);
            logs.push_back({name, time ? std::optional<std::string>(*time) : std::nullopt, std::move(file)});
        }
    }
    MobiusLog log;
    if (!unreadable.empty()) {
        log.status = MobiusLog::Status::Unreadable;
        log.names = {*std::min_element(unreadable.begin(), unreadable.end(), nameOrder)};
        return log;
    }
    for (const Candidate& c : logs)
        if (!c.time)
            log.names.push_back(c.name);
    if (log.names.size() > 1) {
        log.status = MobiusLog::Status::Several;
        std::sort(log.names.begin(), log.names.end(), nameOrder);
        return log;
    }
    log.names.clear();
    if (logs.empty())
        return log;
    // Backups oldest first, the live log last.
    std::sort(logs.begin(), logs.end(), [](const Candidate& x, const Candidate& y) {
        if (x.time.has_value() != y.time.has_value())
            return x.time.has_value();
        return std::tie(x.time, x.name) < std::tie(y.time, y.name);
    });
    log.status = MobiusLog::Status::Found;
    for (Candidate& c : logs) {
        log.names.push_back(std::move(c.name));
        log.files.push_back(std::move(c.file));
    }
    return log;
}

MobiusRead readMobiusLog(const MobiusLog& log, const LoadPlan& plan, std::array<bool, 2> sides, Progress& progress,
                         std::uint64_t memoryBudget)
{
    MobiusRead read;
    std::array<std::optional<RecordKeeper>, 2> keepers;
    for (std::size_t s = 0; s < keepers.size(); ++s)
        if (sides[s])
            keepers[s].emplace(plan, read.sides[s]);
    const std::uint64_t size = log.size();
    std::uint64_t done = 0;
    std::string columns; // the decoded columns of a block's transfer records
    const std::array<bool, 5> wanted = columnsRead(plan);
    const auto onLine = [&](const SlogLine& line) {
        std::optional<RecordKeeper>& keeper = keepers[static_cast<std::size_t>(line.side)];
        if (line.kind == SlogKind::Skipped || !keeper)
            return;
        if (line.kind == SlogKind::Damaged)
            ++read.sides[static_cast<std::size_t>(line.side)].damaged;
        else
            keeper->add(columns, appendColumns(columns, line.columns, wanted));
    };
    const auto take = [&] {
        for (std::optional<RecordKeeper>& keeper : keepers)
            if (keeper)
                keeper->take(columns, done, size);
        columns.clear();
    };
    try {
        SlogReader reader(sides);
        for (std::size_t f = 0; f < log.files.size() && read.status == LogRead::Status::Read; ++f) {
            read.file = f;
            FilePieces pieces(*log.files[f], lineBlockBytes);
            std::string_view piece;
            for (FilePieces::Status got; (got = pieces.next(piece)) != FilePieces::Status::End;) {
                if (got != FilePieces::Status::Piece) {
                    read.status =
                        got == FilePieces::Status::Shrunk ? LogRead::Status::Shrunk : LogRead::Status::Unreadable;
                    break;
                }
                reader.read(withoutMark(piece, pieces.offset()), onLine);
                done += piece.size();
                take();
                LogRecords::Footprint used;
                for (const std::optional<RecordKeeper>& keeper : keepers) {
                    if (keeper) {
                        used.perRecord += keeper->footprint().perRecord;
                        used.distinct += keeper->footprint().distinct;
                    }
                }
                if (projectedBytes(used, done, size, heldBytes) > memoryBudget)
                    throw OverBudget{};
                progress.reached(static_cast<std::int64_t>(done), static_cast<std::int64_t>(size));
            }
            if (read.status == LogRead::Status::Read) {
                reader.finish(onLine);
                take();
            }
        }
    } catch (const OverBudget&) {
        read.status = LogRead::Status::NotEnoughMemory;
    } catch (const std::bad_alloc&) {
        read.status = LogRead::Status::NotEnoughMemory;
    }
    for (std::optional<RecordKeeper>& keeper : keepers)
        if (keeper)
            keeper->finish(read.status);
    return read;
}

} // namespace quorvel
