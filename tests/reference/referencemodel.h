// SPDX-License-Identifier: MIT
#pragma once
// A deliberately plain model of what quorvel-report prints for every verb, written from the
// rules of the logs and the answers alone: it shares no code with the program, keeps every
// record as five strings and answers each question by walking them. Tests and the reports fuzz
// target compare the program's bytes with it.

#include <optional>
#include <string>
#include <vector>

namespace quorvel::reference {

struct Date {
    int year = 0, month = 0, day = 0;
    auto operator<=>(const Date&) const = default;
};

// YYYY-MM-DD.
std::string dateText(const Date& d);

// A period as --from and --to give it: either end may be open.
struct Period {
    std::optional<Date> from, to;
};

// A server folder as the model sees it: the two logs' bytes and the account folder names.
struct Server {
    std::string download;
    std::string upload;
    std::vector<std::string> accounts; // visible folders under "users", in any order
};

struct Call {
    std::string verb;
    std::string value;            // for the verbs that take one
    std::optional<Date> from, to; // --from / --to
    std::string format = "text";  // "text", "csv" or "json"
};

// What a successful run prints: its standard output and its standard error.
struct Printed {
    std::string out;
    std::string err;
};

// Every verb quorvel-report knows, and the value it takes: none, a text (a name, a file, an
// account, an address) or a day as YYYY-MM-DD.
struct Verb {
    enum class Value { None, Text, Day };
    std::string name;
    Value value = Value::None;
};
const std::vector<Verb>& verbs();

// The answer to one call on a server whose logs and "users" folder are all there.
Printed answer(const Server& server, const Call& call);

// The arguments of quorvel-report for a call on a verb (the server folder left to the caller).
std::vector<std::string> argumentsOf(const Verb& verb, const Call& call);

} // namespace quorvel::reference
