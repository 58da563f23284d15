// SPDX-License-Identifier: MIT
#pragma once

#include "random.h"
#include "serverwriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace loggen {

// Who may appear in a log: each nickname logs in under one account and usually from one
// address. For a modern server (the twin and Mobius formats) some addresses are IPv6 and some
// names hold quotes, a backslash, a DEL or characters that show as nothing (which a modern log
// writes as escapes); these are made from the same draws, so the records stay the same.
struct Population {
    std::vector<std::string> logins; // the first `accounts` appear in the logs, the rest never
    std::vector<std::string> nicknames;
    std::vector<std::string> files;
    std::vector<std::size_t> accountOf; // per nickname
    std::vector<std::string> addressOf; // per nickname
    std::vector<std::string> addresses; // when not empty, the only addresses drawn
    bool modern = false;
};

Population populate(const Options& options, Random& random);

// A random address of the population's kind, or one of its addresses when it has them.
std::string address(const Population& p, Random& random);

// One transfer as a log records it.
struct Record {
    std::uint64_t seconds = 0; // since 1 January of the first year, 00:00:00, on the server's clock
    double form = 0;           // which way its stamp is written, in [0, 1)
    std::size_t user = 0;      // its nickname
    std::string address;
    std::size_t file = 0;
};

// The transfers of one log, oldest first: they arrive at random moments, as often as the server
// is busy, so that `lines` of them span about `days` days. The same random numbers give the same
// records.
class RecordStream {
public:
    RecordStream(std::uint64_t lines, std::uint64_t days, const Population& p, Random& random);
    // The next record; false after the last.
    bool next(Record& record);

private:
    std::uint64_t left_;
    const Population& p_;
    Random& random_;
    Zipf userSkew_;
    Zipf fileSkew_;
    double perSecond_;
    double seconds_ = 0;
};

// A record's stamp as a classic server writes it: mostly as its Windows build does
// ("01/31/2001 10:41:18 PM"), some as its Mac build does ("1/31/2001 10:41:18 PM"), some as a
// 24-hour system does ("1/31/2001 22:41:18"), and a few that no reader can make a date of.
void appendClassicStamp(std::string& out, const Record& record, int firstYear);
// As a modern server writes it: "2001-01-31T22:41:18-05:00" (or -04:00 in summer), some in
// UTC ("...Z") or another zone ("+01:00"), and a few with milliseconds, which no reader takes.
void appendModernStamp(std::string& out, const Record& record, int firstYear);

} // namespace loggen
