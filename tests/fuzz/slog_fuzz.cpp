// SPDX-License-Identifier: MIT
// Bytes in as a modern server's log: every line is exactly one of a transfer record, a skipped
// line or a damaged line, as a plain reference reader of the rules judges it, with the same
// columns; the reader never reads past a piece it is given, and the same bytes in pieces of any
// size give the same lines; loaded from a modern folder, both logs hold exactly the reference's
// records of their side and count its damaged lines.
#include "fakeplatform.h"
#include "fakewindow.h"
#include "fuzzcheck.h"
#include "tempserver.h"

#include "commands/loading.h"
#include "commands/serverfolder.h"
#include "ingest/slogline.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quorvel::fuzz::require;

constexpr std::size_t valueLimit = 64 * 1024;

struct Line {
    quorvel::SlogKind kind = quorvel::SlogKind::Skipped;
    quorvel::Side side = quorvel::Side::Download;
    std::array<std::string, 5> columns;
    bool operator==(const Line&) const = default;
};

struct Pair {
    std::string key;
    std::string value;
    bool readable = true;
};

// One line split into pairs by the rules, written the plain way: where it breaks, and whether
// its first three keys are time, level and msg.
struct Split {
    std::vector<Pair> pairs;
    bool broken = false;
    bool slog = false;
};

int hexValue(char c)
{
    const std::string_view digits = "0123456789abcdef";
    const std::size_t lower = digits.find(c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c);
    return lower == std::string_view::npos ? -1 : static_cast<int>(lower);
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

Split split(const std::string& line)
{
    Split s;
    std::size_t i = 0;
    while (true) {
        const std::size_t eq = line.find('=', i);
        const std::size_t stop = line.find_first_of(" \"", i);
        if (eq == std::string::npos || eq == i || (stop != std::string::npos && stop < eq)) {
            s.broken = true;
            return s;
        }
        Pair p{line.substr(i, eq - i), "", true};
        const std::size_t k = s.pairs.size();
        if (k == 2 && s.pairs[0].key == "time" && s.pairs[1].key == "level" && p.key == "msg")
            s.slog = true;
        i = eq + 1;
        if (i < line.size() && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size() && !closed) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                } else if (c != '\\') {
                    p.value += c;
                } else if (i < line.size()) {
                    const char e = line[i++];
                    const std::string_view letters = "\"\\abfnrtv";
                    const std::string_view bytes = "\"\\\a\b\f\n\r\t\v";
                    if (letters.find(e) != std::string_view::npos) {
                        p.value += bytes[letters.find(e)];
                    } else if (e == 'x' || e == 'u' || e == 'U') {
                        const std::size_t n = e == 'x' ? 2 : e == 'u' ? 4 : 8;
                        std::uint32_t code = 0;
                        std::size_t d = 0;
                        for (; d < n && i < line.size() && hexValue(line[i]) >= 0; ++d, ++i)
                            code = code * 16 + static_cast<std::uint32_t>(hexValue(line[i]));
                        if (d < n || (e != 'x' && (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))))
                            p.readable = false;
                        else if (e == 'x')
                            p.value += static_cast<char>(code);
                        else
                            appendUtf8(p.value, code);
                    } else {
                        p.readable = false;
                    }
                }
            }
            if (!closed) {
                s.broken = true;
                return s;
            }
            // The pair is whole at its closing quote; what follows may still break the line.
            if (i < line.size() && line[i] != ' ') {
                s.pairs.push_back(p);
                s.broken = true;
                return s;
            }
        } else {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            p.value = line.substr(i, end - i);
            if (p.value.find_first_of("\"=") != std::string::npos) {
                s.broken = true;
                return s;
            }
            i = end;
        }
        s.pairs.push_back(p);
        if (i == line.size())
            return s;
        ++i; // the space
    }
}

const Pair* first(const Split& s, std::string_view key)
{
    for (const Pair& p : s.pairs)
        if (p.key == key)
            return &p;
    return nullptr;
}

// The transfer messages: side and path key.
std::optional<std::pair<quorvel::Side, std::string_view>> transferOf(const Pair* msg)
{
    if (!msg || !msg->readable)
        return std::nullopt;
    if (msg->value == "Download file")
        return std::pair{quorvel::Side::Download, "filePath"};
    if (msg->value == "Start folder download")
        return std::pair{quorvel::Side::Download, "path"};
    if (msg->value == "File upload complete")
        return std::pair{quorvel::Side::Upload, "dstFile"};
    if (msg->value == "Folder upload started")
        return std::pair{quorvel::Side::Upload, "dstPath"};
    return std::nullopt;
}

std::string hostOf(const std::string& address)
{
    if (!address.empty() && address[0] == '[') {
        const std::size_t close = address.find(']');
        return close == std::string::npos ? address : address.substr(1, close - 1);
    }
    if (std::count(address.begin(), address.end(), ':') == 1)
        return address.substr(0, address.find(':'));
    return address;
}

// A line without its line end; `unended` when the file ended it.
Line judge(std::string line, bool unended)
{
    const Split s = split(line);
    const Pair* level = first(s, "level");
    const auto transfer = transferOf(first(s, "msg"));
    const bool levelInfo = level && level->readable && level->value == "INFO";
    Line judged;
    if (s.broken) {
        const bool time = !s.pairs.empty() && s.pairs[0].key == "time";
        if (time && transfer && (!level || levelInfo))
            judged = {quorvel::SlogKind::Damaged, transfer->first, {}};
        return judged;
    }
    if (!levelInfo || !transfer || !first(s, transfer->second) || !first(s, "remoteAddr"))
        return judged;
    judged.side = transfer->first;
    judged.kind = quorvel::SlogKind::Damaged;
    const Pair* time = first(s, "time");
    const Pair* login = first(s, "login");
    const Pair* name = first(s, "Name");
    const bool allReadable = std::all_of(s.pairs.begin(), s.pairs.end(), [](const Pair& p) { return p.readable; });
    if (unended || !time || !login || !name || !allReadable)
        return judged;
    const std::string& path = first(s, transfer->second)->value;
    const std::size_t separator = path.find_last_of("/\\");
    judged.columns = {time->value, hostOf(first(s, "remoteAddr")->value), login->value, name->value,
                      separator == std::string::npos ? path : path.substr(separator + 1)};
    for (const std::string& column :
         {time->value, first(s, "remoteAddr")->value, login->value, name->value, judged.columns[4]})
        if (column.size() > valueLimit)
            return judged;
    judged.kind = quorvel::SlogKind::Transfer;
    return judged;
}

struct Reference {
    std::vector<Line> lines;
    bool slog = false;
};

// Lines end at LF, a CR before it dropped; the text after the last LF is an unended line.
Reference reference(std::string_view text)
{
    Reference r;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = text.find('\n', at);
        const bool unended = lf == std::string_view::npos;
        std::string line(text.substr(at, unended ? std::string_view::npos : lf - at));
        if (!unended && !line.empty() && line.back() == '\r')
            line.pop_back();
        r.slog = r.slog || split(line).slog;
        r.lines.push_back(judge(line, unended));
        at = unended ? text.size() : lf + 1;
    }
    return r;
}

// The program's reader over the text in pieces of `piece` bytes, each copied into a buffer of
// its own exact size, so that a read past it is caught.
std::vector<Line> read(std::string_view text, std::size_t piece)
{
    std::vector<Line> lines;
    const auto onLine = [&](const quorvel::SlogLine& line) {
        Line l{line.kind, line.kind == quorvel::SlogKind::Skipped ? quorvel::Side::Download : line.side, {}};
        for (std::size_t k = 0; k < 5; ++k)
            l.columns[k] = line.columns[k];
        lines.push_back(l);
    };
    quorvel::SlogReader reader;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        const std::size_t n = std::min(piece, text.size() - at);
        const auto copy = std::make_unique<char[]>(n);
        std::memcpy(copy.get(), text.data() + at, n);
        reader.read(std::string_view(copy.get(), n), onLine);
    }
    reader.finish(onLine);
    return lines;
}

void checkLoaded(const quorvel::LogRecords& records, const std::vector<Line>& lines, quorvel::Side side)
{
    std::int64_t i = 0;
    for (const Line& line : lines) {
        if (line.kind != quorvel::SlogKind::Transfer || line.side != side)
            continue;
        require(i < records.count(), "every transfer of the side is loaded");
        for (std::size_t k = 0; k < 5; ++k)
            require(records.field(i, static_cast<quorvel::Field>(k)) == line.columns[k], "every column is loaded");
        ++i;
    }
    require(i == records.count(), "only the transfers of the side are loaded");
}

std::string doneCaption(const std::vector<Line>& lines, quorvel::Side side)
{
    const auto damaged = std::count_if(lines.begin(), lines.end(), [&](const Line& l) {
        return l.kind == quorvel::SlogKind::Damaged && l.side == side;
    });
    return quorvel::loadedCaption(side, damaged);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const quorvel::test::TempServer server;
    static const bool made = std::filesystem::create_directories(std::filesystem::path(server.folder()) / "Users");
    (void)made;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const Reference expected = reference(input);
    const std::vector<Line> whole = read(input, std::max<std::size_t>(size, 1));
    require(whole == expected.lines, "every line is judged by the rules, with the same columns");
    require(read(input, 1 + size % 61) == whole, "pieces of any size give the same lines");

    server.write("mobius.log", input);
    quorvel::test::FakeWindow window;
    quorvel::test::FakePlatform platform;
    quorvel::Analyzer a(window, platform, quorvel::FolderFile(server.programFolder(), server.configFolder()));
    quorvel::setServerFolder(a, server.folder());
    quorvel::mnuloadall_Click(a);
    // The file's first 64 KiB tell whether it is a log; a byte order mark at its start is skipped.
    const std::string_view bom = "\xEF\xBB\xBF";
    const auto withoutMark = [&](std::string_view text) {
        return text.starts_with(bom) ? text.substr(bom.size()) : text;
    };
    const Reference loaded = reference(withoutMark(input));
    if (!reference(withoutMark(input.substr(0, 64 * 1024))).slog) {
        require(!a.state.download.loaded && !a.state.upload.loaded, "a file without a modern line is no log");
        require(window.statuses.front() == "Cannot find a Mobius log in '" + server.folder() + "'",
                "a folder without a log says so");
        return 0;
    }
    require(a.state.download.loaded && a.state.upload.loaded, "a modern log loads both sides");
    checkLoaded(a.state.download.records, loaded.lines, quorvel::Side::Download);
    checkLoaded(a.state.upload.records, loaded.lines, quorvel::Side::Upload);
    const auto shown = [&](const std::string& caption) {
        return std::find(window.statuses.begin(), window.statuses.end(), caption) != window.statuses.end();
    };
    require(shown(doneCaption(loaded.lines, quorvel::Side::Download)), "the download load counts its damaged lines");
    require(shown(doneCaption(loaded.lines, quorvel::Side::Upload)), "the upload load counts its damaged lines");
    return 0;
}
