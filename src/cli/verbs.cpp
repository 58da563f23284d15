// SPDX-License-Identifier: MIT
#include "cli/verbs.h"

#include "server/accounts.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

bool accountsListed(const Analyzer& a, const CliWindow&)
{
    return a.state.accountsloaded;
}

constexpr std::array table{
    Verb{"accounts", "", Dialog::Accounts, [](Analyzer& a, const std::string&) { loaduseraccounts(a); }, accountsListed},
};

} // namespace

std::span<const Verb> verbs()
{
    return table;
}

const Verb* findVerb(std::string_view name)
{
    const auto it = std::find_if(table.begin(), table.end(), [&](const Verb& v) { return v.name == name; });
    return it == table.end() ? nullptr : &*it;
}

} // namespace quorvel
