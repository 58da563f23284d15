// SPDX-License-Identifier: MIT
#include "referencemodel.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>
#include <tuple>

namespace quorvel::reference {

namespace {

struct Record {
    std::string stamp, address, account, user, file;
};

struct Stamp {
    Date date;
    int hour = 0, minute = 0, second = 0;
};

// Lines end at CR LF, CR or LF; the text after the last line end is a line too. A byte order
// mark before the first line, empty lines and "Date/time" header lines are no records. The
// columns are cut at the first four TABs; a missing one leaves its columns empty.
std::vector<Record> recordsOf(std::string text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::vector<Record> records;
    std::string line;
    const auto endLine = [&] {
        std::string column[5];
        int k = 0;
        for (const char c : line) {
            if (c == '\t' && k < 4)
                ++k;
            else
                column[k] += c;
        }
        if (!line.empty() && column[0] != "Date/time")
            records.push_back({column[0], column[1], column[2], column[3], column[4]});
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            endLine();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += text[i];
        }
    }
    endLine();
    return records;
}

bool leap(int year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

int monthLength(int year, int month)
{
    static const int length[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : length[month - 1];
}

bool isDigits(const std::string& text, std::size_t from, std::size_t count)
{
    if (from + count > text.size())
        return false;
    for (std::size_t k = from; k < from + count; ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    return true;
}

// The modern form, 2026-03-14T21:07:52 then Z, +HH:MM or -HH:MM, checked against a pattern: the
// day and hour are the ones written, the zone is only checked.
std::optional<Stamp> modernStampOf(const std::string& text)
{
    const std::string pattern = text.size() == 20 ? "dddd-dd-ddTdd:dd:ddZ" : "dddd-dd-ddTdd:dd:dd+dd:dd";
    if (text.size() != pattern.size())
        return std::nullopt;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const bool sign = pattern[k] == '+' && (text[k] == '+' || text[k] == '-');
        if (pattern[k] == 'd' ? !isDigits(text, k, 1) : !sign && text[k] != pattern[k])
            return std::nullopt;
    }
    const auto at = [&](std::size_t from, std::size_t count) { return std::stoi(text.substr(from, count)); };
    Stamp s{{at(0, 4), at(5, 2), at(8, 2)}, at(11, 2), at(14, 2), at(17, 2)};
    const bool zone = text.size() == 20 || (at(20, 2) <= 23 && at(23, 2) <= 59);
    if (s.date.year < 1 || s.date.month < 1 || s.date.month > 12 || s.date.day < 1 ||
        s.date.day > monthLength(s.date.year, s.date.month) || s.hour > 23 || s.minute > 59 || s.second > 59 || !zone)
        return std::nullopt;
    return s;
}

// month/day/year hour:minutes[:seconds][ AM|PM]: 1 or 2 digits for month, day and hour, 4 for
// the year (0001 to 9999), 2 for minutes and seconds (00 to 59); the hour 0-23, or 1-12 with AM or
// PM in any case. Or the modern form.
std::optional<Stamp> stampOf(const std::string& text)
{
    if (text.find('T') != std::string::npos)
        return modernStampOf(text);
    std::size_t at = 0;
    const auto number = [&](int least, int most) {
        int value = 0, n = 0;
        while (n < most && at < text.size() && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + (text[at++] - '0');
            ++n;
        }
        return n >= least ? value : -1;
    };
    const auto take = [&](char c) {
        if (at >= text.size() || text[at] != c)
            return false;
        ++at;
        return true;
    };
    Stamp s;
    s.date.month = number(1, 2);
    if (s.date.month < 0 || !take('/'))
        return std::nullopt;
    s.date.day = number(1, 2);
    if (s.date.day < 0 || !take('/'))
        return std::nullopt;
    s.date.year = number(4, 4);
    if (s.date.year < 1 || !take(' ') || s.date.month < 1 || s.date.month > 12 || s.date.day < 1 ||
        s.date.day > monthLength(s.date.year, s.date.month))
        return std::nullopt;
    s.hour = number(1, 2);
    if (s.hour < 0 || !take(':'))
        return std::nullopt;
    s.minute = number(2, 2);
    if (s.minute < 0 || s.minute > 59)
        return std::nullopt;
    if (take(':')) {
        s.second = number(2, 2);
        if (s.second < 0 || s.second > 59)
            return std::nullopt;
    }
    const std::string rest = text.substr(at);
    if (rest.empty())
        return s.hour <= 23 ? std::optional(s) : std::nullopt;
    if (rest.size() != 3 || rest[0] != ' ' || (rest[2] != 'm' && rest[2] != 'M') || s.hour < 1 || s.hour > 12)
        return std::nullopt;
    if (rest[1] == 'a' || rest[1] == 'A')
        s.hour = s.hour == 12 ? 0 : s.hour;
    else if (rest[1] == 'p' || rest[1] == 'P')
        s.hour = s.hour == 12 ? 12 : s.hour + 12;
    else
        return std::nullopt;
    return s;
}

std::string twoDigits(int n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// Account folders are listed with ASCII letters compared without case, then by their bytes.
bool nameBefore(const std::string& x, const std::string& y)
{
    const auto fold = [](const std::string& s) {
        std::string folded = s;
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return folded;
    };
    const std::string fx = fold(x), fy = fold(y);
    const auto bytes = [](const std::string& s) { return std::vector<unsigned char>(s.begin(), s.end()); };
    if (fx != fy)
        return bytes(fx) < bytes(fy);
    return bytes(x) < bytes(y);
}

// The answer before it is printed: its text, and the same rows as a table.
struct Answer {
    std::string text;
    std::vector<std::string> columns;
    std::vector<bool> counts; // which columns hold counts
    std::vector<std::vector<std::string>> rows;
    bool list = false; // printed as its rows, one entry a line, without a heading or period line
};

const char* side(bool down, const char* download, const char* upload)
{
    return down ? download : upload;
}

struct Tally {
    std::vector<std::string> keys; // in order of first occurrence
    std::map<std::string, long> count;
    void add(const std::string& key)
    {
        if (count[key]++ == 0)
            keys.push_back(key);
    }
};

// Positions most counted first; among equal counts the later position first.
std::vector<std::size_t> mostFirst(const std::vector<long>& counts)
{
    std::vector<std::size_t> order;
    for (std::size_t k = counts.size(); k-- > 0;)
        order.push_back(k);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return counts[x] > counts[y]; });
    return order;
}

Answer listing(const std::string& heading, const std::string& key, const std::vector<std::string>& names,
               const std::vector<long>& counts, const std::vector<std::size_t>& order)
{
    Answer a{heading + "\r\n\r\n", {key, "count"}, {false, true}, {}, false};
    for (const std::size_t k : order) {
        a.text += std::to_string(counts[k]) + "\t" + names[k] + "\r\n";
        a.rows.push_back({names[k], std::to_string(counts[k])});
    }
    return a;
}

Answer countedListing(const std::string& heading, const std::string& key, const Tally& tally, bool byCount)
{
    std::vector<long> counts;
    for (const std::string& k : tally.keys)
        counts.push_back(tally.count.at(k));
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < counts.size(); ++k)
        order.push_back(k);
    return listing(heading, key, tally.keys, counts, byCount ? mostFirst(counts) : order);
}

Answer winner(const std::string& heading, const std::string& key, const std::vector<std::string>& names,
              const std::vector<long>& counts, bool down)
{
    Answer a{heading + "\r\n\r\n", {key, "count"}, {false, true}, {}, false};
    std::optional<std::size_t> best;
    for (std::size_t k = 0; k < names.size(); ++k)
        if (!best || counts[k] >= counts[*best])
            best = k;
    a.text += (best ? names[*best] : "null") + " with " + std::to_string(best ? counts[*best] : 0) +
              side(down, " downloads", " uploads");
    if (best)
        a.rows.push_back({names[*best], std::to_string(counts[*best])});
    return a;
}

Answer hits(const std::string& heading, const std::vector<const Record*>& records, std::string Record::*match,
            const std::string& value, std::string Record::*shown, const std::string& shownName)
{
    Answer a{heading + "\r\n\r\n", {"time", shownName}, {false, false}, {}, false};
    for (const Record* r : records)
        if (r->*match == value) {
            a.text += r->stamp + ": " + r->*shown + "\r\n";
            a.rows.push_back({r->stamp, r->*shown});
        }
    return a;
}

struct Log {
    std::vector<const Record*> selected;
    long undated = 0; // under a period: the records of the whole log without a readable stamp
};

// The log points into `all`, so a temporary is refused.
Log select(std::vector<Record>&&, const Call&) = delete;
Log select(const std::vector<Record>& all, const Call& call)
{
    Log log;
    for (const Record& r : all) {
        if (!call.from && !call.to) {
            log.selected.push_back(&r);
            continue;
        }
        const std::optional<Stamp> s = stampOf(r.stamp);
        if (!s)
            ++log.undated;
        else if ((!call.from || s->date >= *call.from) && (!call.to || s->date <= *call.to))
            log.selected.push_back(&r);
    }
    return log;
}

std::vector<long> countsOf(const std::vector<std::string>& names, const Log& log)
{
    std::vector<long> counts;
    for (const std::string& name : names)
        counts.push_back(std::count_if(log.selected.begin(), log.selected.end(),
                                       [&](const Record* r) { return r->account == name; }));
    return counts;
}

Answer byTime(const std::string& heading, const std::string& unit, const Log& log)
{
    std::map<std::string, long> keys;
    if (unit == "hour")
        for (int h = 0; h < 24; ++h)
            keys[twoDigits(h)] = 0;
    long undated = 0;
    for (const Record* r : log.selected) {
        const std::optional<Stamp> s = stampOf(r->stamp);
        if (!s)
            ++undated;
        else if (unit == "day")
            ++keys[dateText(s->date)];
        else if (unit == "month")
            ++keys[dateText(s->date).substr(0, 7)];
        else
            ++keys[twoDigits(s->hour)];
    }
    Answer a{heading + "\r\n\r\n", {unit, "count"}, {false, true}, {}, false};
    const auto row = [&](const std::string& key, long n) {
        a.text += std::to_string(n) + "\t" + key + "\r\n";
        a.rows.push_back({key, std::to_string(n)});
    };
    for (const auto& [key, n] : keys) // dates as YYYY-MM-DD sort as text
        row(key, n);
    if (undated > 0)
        row("undated", undated);
    return a;
}

Answer lastTransfers(const std::string& heading, const std::vector<std::string>& names, const Log& log)
{
    struct Last {
        int kind = 0; // 0 never, 1 undated, 2 dated
        Date day;
        std::string name;
    };
    std::vector<Last> last;
    for (const std::string& name : names) {
        Last l{0, {}, name};
        std::optional<Stamp> latest;
        for (const Record* r : log.selected) {
            if (r->account != name)
                continue;
            l.kind = std::max(l.kind, 1);
            const std::optional<Stamp> s = stampOf(r->stamp);
            if (s && (!latest || std::tie(s->date, s->hour, s->minute, s->second) >
                                     std::tie(latest->date, latest->hour, latest->minute, latest->second)))
                latest = s;
        }
        if (latest)
            l = {2, latest->date, name};
        last.push_back(l);
    }
    std::stable_sort(last.begin(), last.end(),
                     [](const Last& x, const Last& y) { return x.kind != y.kind ? x.kind < y.kind : x.day < y.day; });
    Answer a{heading + "\r\n\r\n", {"account", "last"}, {false, false}, {}, false};
    for (const Last& l : last) {
        const std::string key = l.kind == 0 ? "never" : l.kind == 1 ? "undated" : dateText(l.day);
        a.text += key + "\t" + l.name + "\r\n";
        a.rows.push_back({l.name, key});
    }
    return a;
}

Answer names(const std::string& column, const std::vector<std::string>& entries)
{
    Answer a{"", {column}, {false}, {}, true};
    for (const std::string& e : entries) {
        a.text += e + "\r\n";
        a.rows.push_back({e});
    }
    return a;
}

Answer answerOf(const Server& server, const Call& call, long& undated)
{
    const std::string& v = call.verb;
    const bool down = v.find("download") != std::string::npos || v == "account-both" || v == "transfers-by-account";
    const std::vector<Record> all = recordsOf(down ? server.download : server.upload);
    const Log log = select(all, call);
    undated = v == "accounts" ? 0 : log.undated;
    std::vector<std::string> accounts = server.accounts;
    std::sort(accounts.begin(), accounts.end(), nameBefore);
    const std::string Side = side(down, "Download", "Upload"), lower = side(down, "download", "upload");

    if (v == "accounts")
        return names("account", accounts);
    if (v.ends_with("-names") || v.ends_with("-files")) {
        Tally t;
        for (const Record* r : log.selected)
            t.add(v.ends_with("-names") ? r->user : r->file);
        return names(v.ends_with("-names") ? "user" : "file", t.keys);
    }
    if (v.ends_with("-by-date") || v.ends_with("-by-number") || v.ends_with("-by-address")) {
        const bool address = v.ends_with("-by-address");
        Tally t;
        for (const Record* r : log.selected)
            if (!(address ? r->address : r->file).empty())
                t.add(address ? r->address : r->file);
        const std::string heading = Side + "s By " +
                                    (address                   ? "Address"
                                     : v.ends_with("-by-date") ? "Date"
                                                               : "Number") +
                                    "...";
        return countedListing(heading, address ? "address" : "file", t, !v.ends_with("-by-date"));
    }
    if (v == "transfers-by-account") {
        const std::vector<Record> upRecords = recordsOf(server.upload);
        const Log upLog = select(upRecords, call);
        undated += upLog.undated;
        const std::vector<long> downs = countsOf(accounts, log), ups = countsOf(accounts, upLog);
        std::vector<std::size_t> order;
        for (std::size_t k = 0; k < accounts.size(); ++k)
            order.push_back(k);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t x, std::size_t y) { return downs[x] - ups[x] > downs[y] - ups[y]; });
        Answer a{
            "Transfers By Account...\r\n\r\n", {"downloads", "uploads", "account"}, {true, true, false}, {}, false};
        for (const std::size_t k : order) {
            a.text += std::to_string(downs[k]) + "\t" + std::to_string(ups[k]) + "\t" + accounts[k] + "\r\n";
            a.rows.push_back({std::to_string(downs[k]), std::to_string(ups[k]), accounts[k]});
        }
        return a;
    }
    if (v.ends_with("-by-account")) {
        const std::vector<long> counts = countsOf(accounts, log);
        return listing(down ? "Downloads By Account..." : "Uploads by Acount...", "account", accounts, counts,
                       mostFirst(counts));
    }
    if (v == "top-downloader" || v == "top-uploader") {
        Tally t;
        for (const Record* r : log.selected)
            t.add(r->user);
        std::vector<long> counts;
        for (const std::string& k : t.keys)
            counts.push_back(t.count[k]);
        return winner("The number one " + lower + "er is...", "user", t.keys, counts, down);
    }
    if (v.starts_with("top-account-"))
        return winner("The mumber one account " + lower + "er is...", "account", accounts, countsOf(accounts, log),
                      down);
    if (v.starts_with("inactive-")) {
        const std::vector<long> counts = countsOf(accounts, log);
        Answer a = names("account", {});
        a.list = false;
        a.text = "Accounts that have not " + lower + "ed in the current log...\r\n\r\n";
        for (std::size_t k = 0; k < accounts.size(); ++k)
            if (counts[k] == 0) {
                a.text += accounts[k] + "\r\n";
                a.rows.push_back({accounts[k]});
            }
        return a;
    }
    if (v.starts_with("user-"))
        return hits(call.value + " had " + lower + "ed these files...", log.selected, &Record::user, call.value,
                    &Record::file, "file");
    if (v.starts_with("file-"))
        return hits("Users who have " + lower + "ed " + call.value + "...", log.selected, &Record::file, call.value,
                    &Record::user, "user");
    if (v == "account-downloads" || v == "account-uploads")
        return hits("Files that " + call.value + " has " + lower + "ed...", log.selected, &Record::account, call.value,
                    &Record::file, "file");
    if (v == "account-both") {
        const std::vector<Record> ups = recordsOf(server.upload);
        const Log upLog = select(ups, call);
        undated += upLog.undated;
        const Answer d = hits("Files that " + call.value + " has downloaded...", log.selected, &Record::account,
                              call.value, &Record::file, "file");
        const Answer u = hits("Files that " + call.value + " has uploaded...", upLog.selected, &Record::account,
                              call.value, &Record::file, "file");
        Answer a{d.text + "\r\n\r\n" + u.text, {"side", "time", "file"}, {false, false, false}, {}, false};
        for (const auto& row : d.rows)
            a.rows.push_back({"download", row[0], row[1]});
        for (const auto& row : u.rows)
            a.rows.push_back({"upload", row[0], row[1]});
        return a;
    }
    if (v.ends_with("-from-address") || v.ends_with("-on-day")) {
        const bool from = v.ends_with("-from-address");
        Answer a{Side + "s " + (from ? "from " : "on ") + call.value + "...\r\n\r\n",
                 {"time", "address", "account", "user", "file"},
                 {false, false, false, false, false},
                 {},
                 false};
        for (const Record* r : log.selected) {
            const std::optional<Stamp> s = stampOf(r->stamp);
            if (from ? r->address != call.value : !s || dateText(s->date) != call.value)
                continue;
            a.text += r->stamp + ": " + r->user + ": " + r->file + "\r\n";
            a.rows.push_back({r->stamp, r->address, r->account, r->user, r->file});
        }
        return a;
    }
    for (const char* unit : {"day", "month", "hour"})
        if (v.ends_with(std::string("-by-") + unit)) {
            std::string title = unit;
            title[0] = static_cast<char>(title[0] - 'a' + 'A');
            return byTime(Side + "s By " + title + "...", unit, log);
        }
    return lastTransfers("Last " + Side + " By Account...", accounts, log);
}

// Bytes that are valid UTF-8 stay as they are; any others are read as Windows-1252, whose five
// undefined bytes stay Latin-1.
bool validUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
        const unsigned c = b(i);
        std::size_t n = c < 0x80                 ? 1
                        : c >= 0xC2 && c <= 0xDF ? 2
                        : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4
                                                 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((b(i + k) & 0xC0) != 0x80)
                return false;
        if ((c == 0xE0 && b(i + 1) < 0xA0) || (c == 0xED && b(i + 1) > 0x9F) || (c == 0xF0 && b(i + 1) < 0x90) ||
            (c == 0xF4 && b(i + 1) > 0x8F))
            return false;
        i += n;
    }
    return true;
}

std::string unicodeText(const std::string& s)
{
    if (validUtf8(s))
        return s;
    static const unsigned high[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                      0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
    std::string out;
    for (const char ch : s) {
        const unsigned c = static_cast<unsigned char>(ch);
        const unsigned u = c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c;
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | u >> 6);
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | u >> 12);
            out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

std::string csvCell(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csv(const Answer& a)
{
    std::string out;
    for (std::size_t c = 0; c < a.columns.size(); ++c)
        out += (c ? "," : "") + a.columns[c];
    out += "\r\n";
    for (const auto& row : a.rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += (c ? "," : "") + (a.counts[c] ? row[c] : csvCell(unicodeText(row[c])));
        // A line of nothing but commas, or no line at all, would be lost by CSV readers.
        if (std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); }))
            line = "\"\"" + line;
        out += line + "\r\n";
    }
    return out;
}

std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char ch : unicodeText(text)) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\')
            out += std::string("\\") + ch;
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\r')
            out += "\\r";
        else if (ch == '\t')
            out += "\\t";
        else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else
            out += ch;
    }
    return out + "\"";
}

std::string json(const Answer& a)
{
    if (a.rows.empty())
        return "[]\n";
    std::string out = "[\n";
    for (std::size_t r = 0; r < a.rows.size(); ++r) {
        out += "{";
        for (std::size_t c = 0; c < a.columns.size(); ++c)
            out += (c ? "," : "") + jsonString(a.columns[c]) + ":" +
                   (a.counts[c] ? a.rows[r][c] : jsonString(a.rows[r][c]));
        out += r + 1 < a.rows.size() ? "},\n" : "}\n";
    }
    return out + "]\n";
}

std::string leftOut(long undated)
{
    return std::to_string(undated) + (undated == 1 ? " record" : " records") + " without a readable date left out";
}

} // namespace

const std::vector<Verb>& verbs()
{
    static const std::vector<Verb> all = [] {
        using enum Verb::Value;
        std::vector<Verb> v{{"accounts"}, {"account-both", Text}, {"transfers-by-account"}};
        for (const std::string s : {"download", "upload"}) {
            for (const char* tail : {"-names", "-files"})
                v.push_back({s + tail});
            for (const char* tail :
                 {"s-by-date", "s-by-number", "s-by-account", "s-by-day", "s-by-month", "s-by-hour", "s-by-address"})
                v.push_back({s + tail});
            v.push_back({"top-" + s + "er"});
            v.push_back({"top-account-" + s + "er"});
            v.push_back({"inactive-" + s + "ers"});
            v.push_back({"last-" + s + "s"});
            for (const char* head : {"user-", "file-", "account-"})
                v.push_back({head + s + "s", Text});
            v.push_back({s + "s-from-address", Text});
            v.push_back({s + "s-on-day", Day});
        }
        return v;
    }();
    return all;
}

Printed answer(const Server& server, const Call& call)
{
    long undated = 0;
    const Answer a = answerOf(server, call, undated);
    const bool period = call.from || call.to;
    Printed printed;
    if (call.format != "text") {
        printed.out = call.format == "csv" ? csv(a) : json(a);
        if (period && undated > 0)
            printed.err = "quorvel-report: " + leftOut(undated) + "\n";
        return printed;
    }
    if (period && !a.list) {
        const std::string what = call.from && call.to ? dateText(*call.from) + " to " + dateText(*call.to)
                                 : call.from          ? "from " + dateText(*call.from)
                                                      : "until " + dateText(*call.to);
        printed.out = "Period: " + what + (undated > 0 ? " (" + leftOut(undated) + ")" : "") + "\r\n\r\n";
    }
    printed.out += a.text;
    return printed;
}

std::string dateText(const Date& d)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

std::vector<std::string> argumentsOf(const Verb& verb, const Call& call)
{
    std::vector<std::string> args{"--format", call.format};
    if (call.from)
        args.insert(args.end(), {"--from", dateText(*call.from)});
    if (call.to)
        args.insert(args.end(), {"--to", dateText(*call.to)});
    args.insert(args.end(), {"--", verb.name});
    if (verb.value != Verb::Value::None)
        args.push_back(call.value);
    return args;
}

} // namespace quorvel::reference
