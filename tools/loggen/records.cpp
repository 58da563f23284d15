// SPDX-License-Identifier: MIT
#include "records.h"

#include "vocabulary.h"

#include <chrono>
#include <cmath>
#include <unordered_set>

namespace loggen {

namespace {

std::string ipv4(Random& random)
{
    return std::to_string(12 + random.below(200)) + "." + std::to_string(random.below(256)) + "." +
           std::to_string(random.below(256)) + "." + std::to_string(1 + random.below(254));
}

std::string hex(unsigned value)
{
    constexpr char digits[] = "0123456789abcdef";
    std::string text;
    do
        text.insert(text.begin(), digits[value % 16]);
    while ((value /= 16) != 0);
    return text;
}

// A modern server's clients come over IPv6 too: the IPv4 addresses whose first number is a
// multiple of 4 become documentation IPv6 addresses made of their numbers.
std::string modernAddress(const std::string& v4)
{
    unsigned n[4] = {};
    std::size_t at = 0;
    for (unsigned& part : n) {
        part = static_cast<unsigned>(std::stoul(v4.substr(at)));
        at = v4.find('.', at) + 1;
    }
    if (n[0] % 4 != 0)
        return v4;
    return "2001:db8:" + hex(n[0]) + ":" + hex(n[1] << 8 | n[2]) + "::" + hex(n[3]);
}

// A modern server's names: every so many a name with quotes, an invisible space or joiner, a
// backslash or a DEL, which its log writes quoted or escaped.
std::string modernNickname(const std::string& name, std::size_t index)
{
    if (index % 23 == 11)
        return "\"" + name + "\"";
    if (index % 29 == 13)
        return name + "\xC2\xA0"
                      "2"; // U+00A0 NO-BREAK SPACE
    if (index % 31 == 17)
        return name + "\\o/";
    if (index % 37 == 19)
        return name.substr(0, 2) + "\xE2\x80\x8B" + name.substr(2); // U+200B ZERO WIDTH SPACE
    if (index % 41 == 23)
        return name + "\x7F";
    return name;
}

std::string modernFileName(const std::string& name, std::size_t index)
{
    if (index % 43 == 21)
        return "\"Best of\" " + name;
    if (index % 47 == 5)
        return name + "\xE2\x80\xA8"; // U+2028 LINE SEPARATOR
    return name;
}

// A random address: IPv4, or for a modern server sometimes IPv6.
std::string newAddress(Random& random, bool modern)
{
    const std::string v4 = ipv4(random);
    return modern ? modernAddress(v4) : v4;
}

void appendTwoDigits(std::string& out, unsigned value)
{
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

struct Moment {
    unsigned year, month, day, hour, minute, second;
};

Moment momentOf(std::uint64_t seconds, int firstYear)
{
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::year{firstYear} / 1 / 1} +
                                           std::chrono::days{seconds / 86400}};
    const auto inDay = static_cast<unsigned>(seconds % 86400);
    return {static_cast<unsigned>(static_cast<int>(date.year())),
            static_cast<unsigned>(date.month()),
            static_cast<unsigned>(date.day()),
            inDay / 3600,
            inDay / 60 % 60,
            inDay % 60};
}

// How busy the server is at a moment, as a multiple of its average: quiet at night, busiest in
// the evening, livelier at weekends.
constexpr double hourly[24] = {0.7, 0.5, 0.35, 0.25, 0.2, 0.2, 0.3, 0.5, 0.7, 0.8, 0.9, 1.0,
                               1.1, 1.1, 1.0,  1.0,  1.1, 1.3, 1.6, 1.9, 2.1, 2.0, 1.6, 1.1};
constexpr double weekly[7] = {1.0, 0.9, 0.9, 0.95, 1.0, 1.15, 1.2}; // from Monday, 1 January 2001

template <std::size_t n> constexpr double mean(const double (&values)[n])
{
    double sum = 0;
    for (const double v : values)
        sum += v;
    return sum / static_cast<double>(n);
}

template <std::size_t n> constexpr double greatest(const double (&values)[n])
{
    double most = 0;
    for (const double v : values)
        most = v > most ? v : most;
    return most;
}

double busyness(std::uint64_t seconds)
{
    return hourly[seconds % 86400 / 3600] / mean(hourly) * weekly[seconds / 86400 % 7] / mean(weekly);
}

constexpr double busiest = greatest(hourly) / mean(hourly) * greatest(weekly) / mean(weekly);

} // namespace

Population populate(const Options& options, Random& random)
{
    Population p;
    p.modern = options.format != Format::Classic;
    p.logins = makeLogins(options.accounts + options.accounts / 10, random);
    p.nicknames = makeNicknames(options.users, random);
    p.files = options.paths ? makePathNames(options.files, random) : makeFileNames(options.files, random);
    for (std::unordered_set<std::string> seen; p.addresses.size() < options.addresses;)
        if (std::string drawn = newAddress(random, p.modern); seen.insert(drawn).second)
            p.addresses.push_back(std::move(drawn));
    const Zipf accountSkew(options.accounts, 1.0);
    for (std::size_t u = 0; u < options.users; ++u) {
        p.accountOf.push_back(u < options.accounts ? u : accountSkew.draw(random));
        p.addressOf.push_back(address(p, random));
    }
    if (p.modern) {
        for (std::size_t k = 0; k < p.nicknames.size(); ++k)
            p.nicknames[k] = modernNickname(p.nicknames[k], k);
        for (std::size_t k = 0; k < p.files.size(); ++k)
            p.files[k] = modernFileName(p.files[k], k);
    }
    return p;
}

std::string address(const Population& p, Random& random)
{
    if (!p.addresses.empty())
        return p.addresses[random.below(p.addresses.size())];
    return newAddress(random, p.modern);
}

RecordStream::RecordStream(std::uint64_t lines, std::uint64_t days, const Population& p, Random& random)
    : left_(lines), p_(p), random_(random), userSkew_(p.nicknames.size(), 1.0), fileSkew_(p.files.size(), 0.9),
      perSecond_(static_cast<double>(lines) / (static_cast<double>(days) * 86400.0))
{
}

// Moments are drawn as often as at the busiest hour and each is kept as often as the server
// is busy then.
bool RecordStream::next(Record& record)
{
    if (left_ == 0)
        return false;
    --left_;
    do
        seconds_ += -std::log(1.0 - random_.unit()) / (perSecond_ * busiest);
    while (random_.unit() * busiest > busyness(static_cast<std::uint64_t>(seconds_)));
    record.seconds = static_cast<std::uint64_t>(seconds_);
    record.user = userSkew_.draw(random_);
    record.form = random_.unit();
    record.address = random_.chance(0.1) ? address(p_, random_) : p_.addressOf[record.user];
    record.file = fileSkew_.draw(random_);
    return true;
}

void appendClassicStamp(std::string& out, const Record& record, int firstYear)
{
    const Moment m = momentOf(record.seconds, firstYear);
    if (record.form < 0.002) {
        out += std::to_string(m.year) + "-" + std::to_string(m.month) + "-" + std::to_string(m.day) + " ??:??";
        return;
    }
    const bool windows = record.form < 0.85;
    const bool twelveHours = record.form < 0.93;
    const auto part = [&](unsigned value) {
        if (windows)
            appendTwoDigits(out, value);
        else
            out += std::to_string(value);
    };
    part(m.month);
    out += '/';
    part(m.day);
    out += '/' + std::to_string(m.year) + ' ';
    part(twelveHours ? (m.hour % 12 == 0 ? 12 : m.hour % 12) : m.hour);
    out += ':';
    appendTwoDigits(out, m.minute);
    out += ':';
    appendTwoDigits(out, m.second);
    if (twelveHours)
        out += m.hour < 12 ? " AM" : " PM";
}

void appendModernStamp(std::string& out, const Record& record, int firstYear)
{
    const Moment m = momentOf(record.seconds, firstYear);
    out += std::to_string(m.year);
    for (const auto& [separator, value] : {std::pair{'-', m.month}, std::pair{'-', m.day}, std::pair{'T', m.hour},
                                           std::pair{':', m.minute}, std::pair{':', m.second}}) {
        out += separator;
        appendTwoDigits(out, value);
    }
    if (record.form < 0.002)
        out += ".000";
    if (record.form < 0.8)
        out += m.month >= 4 && m.month <= 10 ? "-04:00" : "-05:00";
    else
        out += record.form < 0.95 ? "Z" : "+01:00";
}

} // namespace loggen
