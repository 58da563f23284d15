// SPDX-License-Identifier: MIT
// Bytes in, records out: any bytes written as the download log load, and every record is
// exactly the line a plain reference cutter and parser find; the first and last readable days
// the load notes are those of the records' stamps read one by one. The same file read in
// blocks of any size comes in whole lines, and its blocks hold the same records.
#include "fakeplatform.h"
#include "fakewindow.h"
#include "fuzzcheck.h"
#include "tempserver.h"

#include "commands/loading.h"
#include "commands/serverfolder.h"
#include "ingest/linestream.h"
#include "model/stamp.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quorvel::fuzz::require;
using Fields = std::array<std::string_view, 5>;

// Lines end at CR LF, CR or LF; the tail after the last end is a line; empty lines and lines
// whose first column is "Date/time" are no records; the first four TABs cut the columns.
std::vector<Fields> referenceRecords(std::string_view text)
{
    std::vector<Fields> records;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        std::string_view line = text.substr(at, end - at);
        const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
        at = end + (crlf ? 2 : 1);
        if (line.empty() || line.substr(0, line.find('\t')) == "Date/time")
            continue;
        Fields fields;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t tab = line.find('\t');
            fields[k] = line.substr(0, tab);
            line = tab == std::string_view::npos ? line.substr(line.size()) : line.substr(tab + 1);
        }
        fields[4] = line;
        records.push_back(fields);
    }
    return records;
}

void checkDays(const std::optional<quorvel::DaySpan>& days, const std::vector<Fields>& expected)
{
    std::optional<quorvel::DaySpan> span;
    for (const Fields& fields : expected) {
        const std::optional<quorvel::Stamp> stamp = quorvel::readStamp(fields[0]);
        if (!stamp)
            continue;
        if (!span)
            span = quorvel::DaySpan{stamp->day, stamp->day};
        span->first = std::min(span->first, stamp->day);
        span->last = std::max(span->last, stamp->day);
    }
    require(days == span, "the noted days are the first and last readable ones");
}

void checkRecords(const quorvel::LogRecords& records, const std::vector<Fields>& expected)
{
    require(records.count() == static_cast<std::int64_t>(expected.size()), "one record per non-empty, non-header line");
    for (std::size_t i = 0; i < expected.size(); ++i)
        for (std::size_t k = 0; k < 5; ++k)
            require(records.field(static_cast<std::int64_t>(i), static_cast<quorvel::Field>(k)) == expected[i][k],
                    "every field holds its column");
}

// Reads the file in blocks of blockBytes: the texts handed out are the file's bytes in order,
// every one but the last ends at a line end, and together they hold the expected records.
void checkBlocks(const std::filesystem::path& path, std::string_view input, const std::vector<Fields>& expected,
                 std::size_t blockBytes)
{
    const quorvel::LogFile file(path);
    std::string joined;
    bool endedLine = true;
    std::size_t records = 0;
    const auto onLines = [&](std::string_view lines) {
        require(endedLine, "only the last text may end inside a line");
        endedLine = !lines.empty() && (lines.back() == '\r' || lines.back() == '\n');
        joined.append(lines);
        for (const Fields& f : referenceRecords(lines))
            require(records < expected.size() && f == expected[records++],
                    "a block's records are the file's, in order");
    };
    const auto read = quorvel::streamLines(
        file, 0, file.size(), onLines, [](std::uint64_t, std::uint64_t) {}, blockBytes);
    require(read && *read == input.size(), "every byte is read");
    require(joined == input, "the texts are the file's bytes in order");
    require(records == expected.size(), "the blocks hold every record");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const quorvel::test::TempServer server;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    server.writeDownloadLog(input);
    quorvel::test::FakeWindow window;
    quorvel::test::FakePlatform platform;
    quorvel::Analyzer a(window, platform, quorvel::FolderFile(server.programFolder(), server.configFolder()));
    quorvel::setServerFolder(a, server.folder());
    quorvel::loadlog(a, quorvel::Side::Download);
    require(a.state.download.loaded, "any file loads");
    require(window.lastStatus() == "(Download Log) Done...", "a load ends with its Done caption");
    // The load skips a byte order mark at the very start; reading in blocks hands it on.
    const std::string_view bom = "\xEF\xBB\xBF";
    const std::vector<Fields> records = referenceRecords(input.starts_with(bom) ? input.substr(bom.size()) : input);
    checkRecords(a.state.download.records, records);
    checkDays(a.state.download.days, records);
    checkBlocks(std::filesystem::path(server.folder()) / "Download Log.txt", input, referenceRecords(input),
                1 + size % 61);
    return 0;
}
