// SPDX-License-Identifier: MIT
// Too little memory, as quorvel-report meets it: an address-space limit (ulimit -v), and the
// memory limit of its control group in version 1 and in version 2 form, emulated in a private
// mount namespace while ulimit -v stays the limit that is enforced. Every row ends with a
// message and exit 1, or with the answer where the limit leaves room for it.
#include "badinput.h"

#include <string>

namespace quorvel::test {
namespace {

constexpr std::uint64_t mib = std::uint64_t{1} << 20;
// The address space the control-group rows run in: room enough for every answer they ask for,
// so that only the limit the tool reads from its group can refuse them.
constexpr std::uint64_t roomyKiB = 400'000;

const std::string cannotLoad = "Not enough memory to load 'Download Log.txt'\nMust load log first...\n";
const std::string cannotAnswer = "Not enough memory for this command\n";

using Form = ControlGroupLimit::Form;

BadInput memoryRow(std::string what, std::function<void(const TempServer&)> arrange, std::vector<std::string> args,
                   std::uint64_t addressSpaceKiB, int code, std::string out, std::string err)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = std::move(arrange);
    row.verb = std::move(args);
    row.addressSpaceKiB = addressSpaceKiB;
    row.code = code;
    row.out = std::move(out);
    row.err = std::move(err);
    return row;
}

BadInput limitedRow(std::string what, std::function<void(const TempServer&)> arrange, std::vector<std::string> args,
                    ControlGroupLimit limit, int code, std::string out, std::string err)
{
    BadInput row =
        memoryRow(std::move(what), std::move(arrange), std::move(args), roomyKiB, code, std::move(out), std::move(err));
    row.controlGroup = limit;
    return row;
}

// Records of a stamp and a file only, about 26 bytes each once loaded: a million of them
// take 7 MB on disk.
std::function<void(const TempServer&)> shortLines(int n)
{
    return [n](const TempServer& s) {
        std::string log;
        log.reserve(7 * static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            log += "d\t\t\t\tf\n";
        s.writeDownloadLog(log);
    };
}

// What user-downloads '' answers on shortLines(n).
std::string emptyNameHits(int n)
{
    std::string text = " had downloaded these files...\r\n\r\n";
    for (int i = 0; i < n; ++i)
        text += "d: f\r\n";
    return text;
}

// A hundred thousand records from as many addresses: a small load, a large answer by address.
void distinctAddresses(const TempServer& s)
{
    std::string log;
    for (int i = 0; i < 100'000; ++i)
        log += "d\t10." + std::to_string(i >> 16) + "." + std::to_string(i >> 8 & 255) + "." + std::to_string(i & 255) +
               "\ta\tu\tf\n";
    s.writeDownloadLog(log);
}

// Thirty thousand distinct 300-byte file names: 9 MB that the load, the text and the table
// each hold once more, and CSV and JSON again.
void longNames(const TempServer& s)
{
    std::string log;
    for (int i = 0; i < 30'000; ++i) {
        std::string number = std::to_string(i);
        log += "d\t\ta\tu\t" + std::string(6 - number.size(), '0') + number + std::string(294, 'n') + "\n";
    }
    s.writeDownloadLog(log);
}

// One line of 6 MiB without a line end: its block grows from 4 to 8 MiB, 12 MiB at once.
void unendedLine(const TempServer& s)
{
    s.writeDownloadLog(std::string(6 * mib, 'x'));
}

// A group's limit of which little is left: 24 MiB, holding 12 MiB of which 8 MiB are cache.
ControlGroupLimit tight(Form form)
{
    return {form, 24 * mib, 12 * mib, 8 * mib};
}

// A group that looks full but for the cache it may drop: 60 MiB, holding 59 of which 50 cache.
ControlGroupLimit fullOfCache(Form form)
{
    return {form, 60 * mib, 59 * mib, 50 * mib};
}

ControlGroupLimit emptyGroup(Form form, std::uint64_t limit)
{
    return {form, limit, 0, 0};
}

INSTANTIATE_TEST_SUITE_P(
    Memory, BadInputSuite,
    ::testing::Values(limitedRow("Version1GroupLimitRefusesALoad", shortLines(1'000'000), {"user-downloads", ""},
                                 tight(Form::Version1), 1, "", cannotLoad),
                      limitedRow("Version2GroupLimitRefusesALoad", shortLines(1'000'000), {"user-downloads", ""},
                                 tight(Form::Version2), 1, "", cannotLoad),
                      limitedRow("Version1GroupCacheIsNotCountedAsHeld", shortLines(100'000), {"user-downloads", ""},
                                 fullOfCache(Form::Version1), 0, emptyNameHits(100'000), ""),
                      limitedRow("Version2GroupCacheIsNotCountedAsHeld", shortLines(100'000), {"user-downloads", ""},
                                 fullOfCache(Form::Version2), 0, emptyNameHits(100'000), ""),
                      limitedRow("Version1GroupLimitRefusesAnAnswer", distinctAddresses, {"downloads-by-address"},
                                 emptyGroup(Form::Version1, 20 * mib), 1, "", cannotAnswer),
                      limitedRow("Version2GroupLimitRefusesAnAnswer", distinctAddresses, {"downloads-by-address"},
                                 emptyGroup(Form::Version2, 20 * mib), 1, "", cannotAnswer),
                      limitedRow("GroupLimitRefusesAnUnendedLineBeforeItsBlockGrows", unendedLine, {"top-downloader"},
                                 emptyGroup(Form::Version1, 10 * mib), 1, "", cannotLoad),
                      memoryRow("UnendedLineBeyondTheAddressSpaceIsRefused", unendedLine, {"top-downloader"}, 16'000, 1,
                                "", cannotLoad),
                      memoryRow("CsvBeyondTheAddressSpaceEndsWithAMessage", longNames,
                                {"--format", "csv", "downloads-by-number"}, 50'000, 1, "", cannotAnswer),
                      memoryRow("JsonBeyondTheAddressSpaceEndsWithAMessage", longNames,
                                {"--format", "json", "download-files"}, 50'000, 1, "", cannotAnswer)),
    rowName);

} // namespace
} // namespace quorvel::test
