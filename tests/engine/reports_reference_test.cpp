// SPDX-License-Identifier: MIT
// Checks the fast reports against the straightforward algorithms they replace: linear scans
// for counting and a bubble sort that swaps only on a strictly greater count. Small alphabets
// make ties the rule rather than the exception.
#include "enginefixture.h"

#include "commands/loading.h"
#include "commands/commandtable.h"
#include "commands/reports.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::test {
namespace {

struct Row {
    std::string account, user, file;
};
using Counted = std::vector<std::pair<std::string, std::int64_t>>;

void bubbleSortAscending(Counted& table)
{
    for (std::size_t n = table.size(), swapped = 1; swapped && n > 1; --n) {
        swapped = 0;
        for (std::size_t o = 0; o + 1 < n; ++o)
            if (table[o].second > table[o + 1].second) {
                std::swap(table[o], table[o + 1]);
                swapped = 1;
            }
    }
}

// Distinct values in order of first occurrence, counted by a linear scan per record.
Counted scanTally(const std::vector<Row>& rows, std::string Row::*field)
{
    Counted table;
    for (const Row& row : rows) {
        auto it = table.begin();
        while (it != table.end() && it->first != row.*field)
            ++it;
        if (it == table.end())
            table.emplace_back(row.*field, 1);
        else
            ++it->second;
    }
    return table;
}

std::string listing(std::string heading, const Counted& ascending)
{
    heading += "\r\n\r\n";
    for (auto it = ascending.rbegin(); it != ascending.rend(); ++it)
        heading += std::to_string(it->second) + "\t" + it->first + "\r\n";
    return heading;
}

std::string byNumber(const std::vector<Row>& rows)
{
    Counted files;
    for (auto& file : scanTally(rows, &Row::file))
        if (!file.first.empty())
            files.push_back(file);
    bubbleSortAscending(files);
    return listing("Downloads By Number...", files);
}

std::string numberOne(const std::string& heading, Counted table)
{
    bubbleSortAscending(table);
    const auto& [name, count] = table.empty() ? std::pair<std::string, std::int64_t>{"null", 0} : table.back();
    return heading + "\r\n\r\n" + name + " with " + std::to_string(count) + " downloads";
}

Counted perAccount(const std::vector<std::string>& accounts, const std::vector<Row>& rows)
{
    Counted table;
    for (const std::string& account : accounts) {
        std::int64_t count = 0;
        for (const Row& row : rows)
            count += row.account == account;
        table.emplace_back(account, count);
    }
    return table;
}

class ReportsMatchReference : public EngineTest {
protected:
    std::vector<Row> randomLog(std::mt19937& random)
    {
        static const char* const values[] = {"a", "b", "c", "null", "", "A", "a "};
        std::vector<Row> rows(random() % 25);
        std::string text;
        for (Row& row : rows) {
            row = {values[random() % 7], values[random() % 7], values[random() % 7]};
            text += "stamp\tip\t" + row.account + "\t" + row.user + "\t" + row.file + "\r\n";
        }
        server.writeDownloadLog(text);
        loadlog(a, Side::Download);
        return rows;
    }
};

TEST_F(ReportsMatchReference, OnRandomLogsFullOfTies)
{
    a.state.accountsloaded = true; // the accounts below stand for the listed folders
    std::mt19937 random(2003);
    for (int run = 0; run < 150; ++run) {
        const std::vector<Row> rows = randomLog(random);
        std::vector<std::string> accounts = {"a", "b", "c", "null", "A"};
        std::shuffle(accounts.begin(), accounts.end(), random);
        a.state.accounts.clear();
        for (const std::string& name : accounts)
            a.state.accounts.push_back(accountinfo{name, 0, 0});

        runMenuItem(a, "mnudownloadnumber");
        ASSERT_EQ(window.output, byNumber(rows)) << "run " << run;
        runMenuItem(a, "mnunumberdown");
        ASSERT_EQ(window.output, numberOne("The number one downloader is...", scanTally(rows, &Row::user)))
            << "run " << run;
        runMenuItem(a, "mnunumberaccountdown");
        ASSERT_EQ(window.output, numberOne("The mumber one account downloader is...", perAccount(accounts, rows)))
            << "run " << run;
        Counted sorted = perAccount(accounts, rows);
        bubbleSortAscending(sorted);
        runMenuItem(a, "mnusortbyaccount");
        ASSERT_EQ(window.output, listing("Downloads By Account...", sorted)) << "run " << run;
    }
}

} // namespace
} // namespace quorvel::test
