// SPDX-License-Identifier: MIT
#include "serverwriter.h"

#include "random.h"
#include "vocabulary.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace loggen {

namespace {

// Who may appear in a log: each nickname logs in under one account and usually from one
// address.
struct Population {
    std::vector<std::string> logins; // the first `accounts` appear in the logs, the rest never
    std::vector<std::string> nicknames;
    std::vector<std::string> files;
    std::vector<std::size_t> accountOf; // per nickname
    std::vector<std::string> addressOf; // per nickname
};

std::string address(Random& random)
{
    return std::to_string(12 + random.below(200)) + "." + std::to_string(random.below(256)) + "." +
           std::to_string(random.below(256)) + "." + std::to_string(1 + random.below(254));
}

Population populate(const Options& options, Random& random)
{
    Population p;
    p.logins = makeLogins(options.accounts + options.accounts / 10, random);
    p.nicknames = makeNicknames(options.users, random);
    p.files = makeFileNames(options.files, random);
    const Zipf accountSkew(options.accounts, 1.0);
    for (std::size_t u = 0; u < options.users; ++u) {
        p.accountOf.push_back(u < options.accounts ? u : accountSkew.draw(random));
        p.addressOf.push_back(address(random));
    }
    return p;
}

void appendTwoDigits(std::string& out, unsigned value)
{
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

// A stamp as the server writes it, for a count of seconds since 01/01/2001 00:00:00: mostly
// as its Windows build does ("01/31/2001 10:41:18 PM"), some as its Mac build does
// ("1/31/2001 10:41:18 PM"), some as a 24-hour system does ("1/31/2001 22:41:18"), and a few
// that no reader can make a date of.
void appendStamp(std::string& out, std::uint64_t seconds, Random& random)
{
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::year{2001} / 1 / 1} +
                                           std::chrono::days{seconds / 86400}};
    const auto day = static_cast<unsigned>(date.day());
    const auto month = static_cast<unsigned>(date.month());
    const int year = static_cast<int>(date.year());
    const auto inDay = static_cast<unsigned>(seconds % 86400);
    const unsigned hour = inDay / 3600;
    const double form = random.unit();
    if (form < 0.002) {
        out += std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day) + " ??:??";
        return;
    }
    const bool windows = form < 0.85;
    const bool twelveHours = form < 0.93;
    const auto part = [&](unsigned value) {
        if (windows)
            appendTwoDigits(out, value);
        else
            out += std::to_string(value);
    };
    part(month);
    out += '/';
    part(day);
    out += '/' + std::to_string(year) + ' ';
    part(twelveHours ? (hour % 12 == 0 ? 12 : hour % 12) : hour);
    out += ':';
    appendTwoDigits(out, inDay / 60 % 60);
    out += ':';
    appendTwoDigits(out, inDay % 60);
    if (twelveHours)
        out += hour < 12 ? " AM" : " PM";
}

// How busy the server is at a moment, as a multiple of its average: quiet at night, busiest in
// the evening, livelier at weekends.
constexpr double hourly[24] = {0.7, 0.5, 0.35, 0.25, 0.2, 0.2, 0.3, 0.5, 0.7, 0.8, 0.9, 1.0,
                               1.1, 1.1, 1.0, 1.0, 1.1, 1.3, 1.6, 1.9, 2.1, 2.0, 1.6, 1.1};
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

// The records arrive at random moments, as often as the server is busy, so that `lines` of them
// span about `days` days: moments are drawn as often as at the busiest hour and each is kept
// as often as the server is busy then.
bool writeLog(const std::filesystem::path& path, std::uint64_t lines, std::uint64_t days, const Population& p,
              Random& random)
{
    std::ofstream file(path, std::ios::binary);
    std::string buffer = "Date/time\tAddress\tAccount\tName\tFile Name";
    const Zipf userSkew(p.nicknames.size(), 1.0);
    const Zipf fileSkew(p.files.size(), 0.9);
    const double perSecond = static_cast<double>(lines) / (static_cast<double>(days) * 86400.0);
    double seconds = 0;
    for (std::uint64_t i = 0; i < lines && file; ++i) {
        do
            seconds += -std::log(1.0 - random.unit()) / (perSecond * busiest);
        while (random.unit() * busiest > busyness(static_cast<std::uint64_t>(seconds)));
        const std::size_t user = userSkew.draw(random);
        buffer += '\r';
        appendStamp(buffer, static_cast<std::uint64_t>(seconds), random);
        buffer += '\t';
        buffer += random.chance(0.1) ? address(random) : p.addressOf[user];
        buffer += '\t';
        buffer += p.logins[p.accountOf[user]];
        buffer += '\t';
        buffer += p.nicknames[user];
        buffer += '\t';
        buffer += p.files[fileSkew.draw(random)];
        if (buffer.size() >= (1u << 20)) {
            file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    file.close();
    if (!file)
        std::cerr << "loggen: cannot write " << path << '\n';
    return static_cast<bool>(file);
}

// One folder per account, each holding an empty "UserData" file as the server keeps one
// there (and so that the folder survives in version control). Most logins of the logs get a
// folder (some accounts were deleted since); the logins after `accounts` never log in.
bool writeUsers(const std::filesystem::path& users, const Options& options, const Population& p, Random& random)
{
    std::error_code error;
    for (std::size_t a = 0; a < p.logins.size(); ++a) {
        if (a != 0 && a < options.accounts && random.chance(0.05))
            continue;
        const auto folder = users / p.logins[a];
        std::filesystem::create_directories(folder, error);
        if (error || !std::ofstream(folder / "UserData", std::ios::binary)) {
            std::cerr << "loggen: cannot write " << folder << '\n';
            return false;
        }
    }
    return true;
}

} // namespace

bool writeServer(const Options& options)
{
    std::error_code error;
    std::filesystem::create_directories(options.out, error);
    if (error) {
        std::cerr << "loggen: cannot create " << options.out << ": " << error.message() << '\n';
        return false;
    }
    Random random(options.seed);
    const Population p = populate(options, random);
    Random downloads(random.next());
    Random uploads(random.next());
    const std::uint64_t days = options.days > 0 ? options.days : std::max<std::uint64_t>(30, options.downloadLines / 1370);
    return writeUsers(options.out / "users", options, p, random) &&
           writeLog(options.out / "Download Log.txt", options.downloadLines, days, p, downloads) &&
           writeLog(options.out / "Upload Log.txt", options.uploadLines, days, p, uploads);
}

} // namespace loggen
