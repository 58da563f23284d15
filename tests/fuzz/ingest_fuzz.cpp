// SPDX-License-Identifier: MIT
// Bytes in, records out: any bytes written as the download log load, and every record is
// exactly the line a plain reference cutter and parser find, its fields views into the text.
#include "fakeplatform.h"
#include "fakewindow.h"
#include "fuzzcheck.h"
#include "tempserver.h"

#include "ingest/loadlog.h"
#include "server/serverfolder.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

void checkRecords(const quorvel::LogRecords& records, std::string_view input)
{
    const std::string_view text = records.text();
    require(text == input, "the loaded text is the file's bytes");
    const std::vector<Fields> expected = referenceRecords(input);
    require(records.count() == static_cast<std::int64_t>(expected.size()), "one record per non-empty, non-header line");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (std::size_t k = 0; k < 5; ++k) {
            const std::string_view got = records.field(static_cast<std::int64_t>(i), static_cast<quorvel::Field>(k));
            require(got.data() >= text.data() && got.data() + got.size() <= text.data() + text.size(),
                    "every field is a view inside the text");
            require(got.data() - text.data() == expected[i][k].data() - input.data(), "a field starts where its column does");
            require(got.size() == expected[i][k].size(), "a field ends where its column does");
        }
    }
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
    quorvel::loaddownloadlog(a);
    require(a.state.download.loaded, "any file loads");
    require(window.lastStatus() == "(Download Log) Done...", "a load ends with its Done caption");
    checkRecords(a.state.download.records, input);
    return 0;
}
