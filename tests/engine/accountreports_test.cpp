// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "logtext.h"

#include "commands/reports.h"
#include "commands/reports.h"
#include "commands/reports.h"

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using Names = std::vector<std::string>;
using Counts = std::vector<std::int64_t>;

class AccountReports : public EngineTest {
protected:
    void addAccounts(const Names& names)
    {
        for (const std::string& name : names)
            server.addAccount(name);
    }
    // A log whose records are made under these accounts, in this order.
    static std::string logUnder(const Names& accounts)
    {
        std::string text;
        for (const std::string& account : accounts)
            text += "stamp\tip\t" + account + "\tuser\tfile\r\n";
        return text;
    }
    Names order() const
    {
        Names names;
        for (const accountinfo& account : a.state.accounts)
            names.push_back(account.name);
        return names;
    }
    Counts downcounts() const { return counts(&accountinfo::downcount); }
    Counts upcounts() const { return counts(&accountinfo::upcount); }
    // The status shown just before the final "Done...".
    std::string lastCountingCaption() const
    {
        return window.statuses.size() < 2 ? std::string() : window.statuses[window.statuses.size() - 2];
    }

private:
    Counts counts(std::int64_t accountinfo::*counter) const
    {
        Counts values;
        for (const accountinfo& account : a.state.accounts)
            values.push_back(account.*counter);
        return values;
    }
};

// Sort By Account

TEST_F(AccountReports, ByAccountListsMostActiveFirstAndEqualCountsInReverseOfTheirOrder)
{
    addAccounts({"acct1", "acct2", "acct3"});
    server.writeDownloadLog(logUnder({"acct2", "acct2", "acct2"}));
    runMenuItem(a, "mnusortbyaccount");
    EXPECT_EQ(window.output, "Downloads By Account...\r\n\r\n3\tacct2\r\n0\tacct3\r\n0\tacct1\r\n");
    EXPECT_EQ(order(), (Names{"acct1", "acct3", "acct2"}));
    EXPECT_EQ(downcounts(), (Counts{0, 0, 3}));
    EXPECT_EQ(lastCountingCaption(), "acct3's Downloads\r\nLooking at Download Number 3/3\r\n");
    EXPECT_EQ(window.lastStatus(), "Done...");
    EXPECT_EQ(window.outputWrites, 1);
}

TEST_F(AccountReports, ByAccountForUploadsStartsFromTheOrderTheDownloadSortLeft)
{
    addAccounts({"a", "b", "c", "d"});
    server.writeDownloadLog(logUnder({"b", "c", "b"}));
    server.writeUploadLog(logUnder({"a"}));
    runMenuItem(a, "mnusortbyaccount");
    EXPECT_EQ(window.output, "Downloads By Account...\r\n\r\n2\tb\r\n1\tc\r\n0\td\r\n0\ta\r\n");
    runMenuItem(a, "mnuupaccount");
    EXPECT_EQ(window.output, "Uploads by Acount...\r\n\r\n1\ta\r\n0\tb\r\n0\tc\r\n0\td\r\n");
    EXPECT_EQ(order(), (Names{"d", "c", "b", "a"}));
    EXPECT_EQ(lastCountingCaption(), "b's Uploads\r\nLooking at Upload Number 4/4\r\n");
}

TEST_F(AccountReports, ByAccountMovesEachAccountWithItsOtherCounter)
{
    addAccounts({"a", "b", "c"});
    server.writeDownloadLog(logUnder({"a", "a", "b"}));
    server.writeUploadLog(logUnder({"c", "c", "a"}));
    runMenuItem(a, "mnuupaccount");
    runMenuItem(a, "mnusortbyaccount");
    EXPECT_EQ(order(), (Names{"c", "b", "a"}));
    EXPECT_EQ(downcounts(), (Counts{0, 1, 2}));
    EXPECT_EQ(upcounts(), (Counts{2, 0, 1}));
}

TEST_F(AccountReports, ByAccountOfAServerLogDoesNotCountTheColumnHeader)
{
    addAccounts({"Account", "ann", "bob"});
    server.writeDownloadLog(serverLogOf({{"bob", "Bob", "f"}, {"ann", "Ann", "f"}, {"bob", "Bob", "g"}}));
    runMenuItem(a, "mnusortbyaccount");
    EXPECT_EQ(window.output, "Downloads By Account...\r\n\r\n2\tbob\r\n1\tann\r\n0\tAccount\r\n");
}

TEST_F(AccountReports, ListTheAccountFoldersWhenTheyAreNotListedYet)
{
    addAccounts({"guest"});
    ASSERT_FALSE(a.state.accountsloaded);
    server.writeUploadLog(logUnder({"guest"}));
    runMenuItem(a, "mnuupaccount");
    EXPECT_TRUE(a.state.accountsloaded);
    EXPECT_EQ(window.list(Dialog::Accounts), (Names{"guest"}));
    EXPECT_EQ(window.output, "Uploads by Acount...\r\n\r\n1\tguest\r\n");
}

TEST_F(AccountReports, WithoutAccountFoldersPrintOnlyTheirHeadingOrTheNullAnswer)
{
    server.writeDownloadLog(logUnder({"ghost"}));
    runMenuItem(a, "mnusortbyaccount");
    EXPECT_EQ(window.output, "Downloads By Account...\r\n\r\n");
    EXPECT_EQ(window.lastStatus(), "Done...");
    runMenuItem(a, "mnuwhonotdownloading");
    EXPECT_EQ(window.output, "Accounts that have not downloaded in the current log...\r\n\r\n");
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\nnull with 0 downloads");
    EXPECT_EQ(window.lastStatus(), "Done...");
}

// How a log's account column is matched with a folder name, the same in every account report.
struct MatchCase {
    const char* catches;
    const char* logAccount;
    std::int64_t count; // records counted for the folder "acct"
};

void PrintTo(const MatchCase& row, std::ostream* os)
{
    *os << row.catches;
}

class AccountMatching : public AccountReports, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(AccountMatching, IsWholeTextCaseSensitiveEquality)
{
    SCOPED_TRACE(GetParam().catches);
    addAccounts({"acct", "other"});
    server.writeDownloadLog(logUnder({GetParam().logAccount, "other", "other", "other"}));
    const std::string n = std::to_string(GetParam().count);
    runMenuItem(a, "mnusortbyaccount");
    EXPECT_EQ(window.output, "Downloads By Account...\r\n\r\n3\tother\r\n" + n + "\tacct\r\n");
    runMenuItem(a, "mnuwhonotdownloading");
    EXPECT_EQ(window.output, std::string("Accounts that have not downloaded in the current log...\r\n\r\n") +
                                 (GetParam().count == 0 ? "acct\r\n" : ""));
    a.state.accounts = {accountinfo{"acct", 0, 0}};
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\nacct with " + n + " downloads");
}

INSTANTIATE_TEST_SUITE_P(Accounts, AccountMatching,
                         ::testing::Values(MatchCase{"the same bytes count", "acct", 1},
                                           MatchCase{"letter case differs", "Acct", 0},
                                           MatchCase{"a trailing blank", "acct ", 0},
                                           MatchCase{"a leading blank", " acct", 0},
                                           MatchCase{"a prefix of the name", "acc", 0},
                                           MatchCase{"the name inside a longer one", "acct2", 0}));

// Account Number 1

TEST_F(AccountReports, TopAccountTieGoesToTheLastInTheCurrentOrderOfAccounts)
{
    addAccounts({"a", "b", "c"});
    server.writeDownloadLog(logUnder({"a", "c"}));
    server.writeUploadLog(logUnder({"a", "c", "a"}));
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\nc with 1 downloads");
    runMenuItem(a, "mnuupaccount");
    ASSERT_EQ(order(), (Names{"b", "c", "a"}));
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\na with 1 downloads");
    EXPECT_EQ(lastCountingCaption(), "a's Downloads\r\nLooking at Download Number 3/3\r\n");
}

TEST_F(AccountReports, TopAccountChangesNeitherTheOrderNorTheCountersOfAccounts)
{
    addAccounts({"a", "b", "c"});
    server.writeDownloadLog(logUnder({"b", "b", "c"}));
    server.writeUploadLog(logUnder({"a", "a", "b"}));
    runMenuItem(a, "mnuupaccount");
    const std::string listing = window.output;
    runMenuItem(a, "mnunumberaccountup");
    EXPECT_EQ(window.output, "The mumber one account uploader is...\r\n\r\na with 2 uploads");
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\nb with 2 downloads");
    EXPECT_EQ(order(), (Names{"c", "b", "a"}));
    EXPECT_EQ(upcounts(), (Counts{0, 1, 2}));
    EXPECT_EQ(downcounts(), (Counts{0, 0, 0}));
    runMenuItem(a, "mnuupaccount");
    EXPECT_EQ(window.output, listing);
}

TEST_F(AccountReports, TopAccountWithNoRecordsAnywhereNamesTheLastAccountWithZero)
{
    addAccounts({"a", "b"});
    server.writeDownloadLog(logUnder({"x", "y"}));
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\nb with 0 downloads");
}

TEST_F(AccountReports, TopAccountNamedNullIsAnOrdinaryAccount)
{
    addAccounts({"null", "z"});
    server.writeDownloadLog(logUnder({"null", "z", "null"}));
    runMenuItem(a, "mnunumberaccountdown");
    EXPECT_EQ(window.output, "The mumber one account downloader is...\r\n\r\nnull with 2 downloads");
}

// Accounts that aren't downloading / uploading

TEST_F(AccountReports, InactiveListsAccountsWithoutRecordsAndKeepsTheirOrder)
{
    addAccounts({"acct1", "acct2", "acct3"});
    server.writeDownloadLog(logUnder({"acct2"}));
    runMenuItem(a, "mnuwhonotdownloading");
    EXPECT_EQ(window.output, "Accounts that have not downloaded in the current log...\r\n\r\nacct1\r\nacct3\r\n");
    EXPECT_EQ(order(), (Names{"acct1", "acct2", "acct3"}));
    EXPECT_EQ(downcounts(), (Counts{0, 1, 0}));
    EXPECT_EQ(lastCountingCaption(), "acct3's Downloads\r\nLooking at Download Number 3/3\r\n");
    EXPECT_EQ(window.lastStatus(), "Done...");
    const std::string first = window.output;
    runMenuItem(a, "mnuwhonotdownloading");
    EXPECT_EQ(window.output, first);
}

TEST_F(AccountReports, InactiveFollowsTheOrderASortByAccountLeft)
{
    addAccounts({"a", "b", "c", "d"});
    server.writeDownloadLog(logUnder({"b"}));
    server.writeUploadLog(logUnder({"x"}));
    runMenuItem(a, "mnusortbyaccount");
    runMenuItem(a, "mnuwhosnotuploading");
    EXPECT_EQ(window.output, "Accounts that have not uploaded in the current log...\r\n\r\na\r\nc\r\nd\r\nb\r\n");
    EXPECT_EQ(upcounts(), (Counts{0, 0, 0, 0}));
}

TEST_F(AccountReports, InactiveWithEveryAccountActiveListsNoName)
{
    addAccounts({"a", "b"});
    server.writeUploadLog(serverLogOf({{"b", "B", "f"}, {"a", "A", "f"}}));
    runMenuItem(a, "mnuwhosnotuploading");
    EXPECT_EQ(window.output, "Accounts that have not uploaded in the current log...\r\n\r\n");
    EXPECT_EQ(upcounts(), (Counts{1, 1}));
}

} // namespace
} // namespace quorvel::test
