// SPDX-License-Identifier: MIT
#include "enginefixture.h"

#include "commands/serverfolder.h"
#include "server/serverfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class AccountListing : public EngineTest {
protected:
    fs::path users() const { return fs::path(server.folder()) / "users"; }
    Names accountNames() const
    {
        Names names;
        for (const accountinfo& account : a.state.accounts)
            names.push_back(account.name);
        return names;
    }
};

TEST_F(AccountListing, OnlyVisibleFoldersAndLinksToFoldersAreAccounts)
{
    server.addAccount("guest");
    server.addAccount(".hidden");
    server.write("users/notes.txt", "a plain file");
    fs::create_directories(server.root() / "elsewhere");
    fs::create_directory_symlink(server.root() / "elsewhere", users() / "linked");
    fs::create_directory_symlink(server.root() / "gone", users() / "dangling");
    fs::create_symlink(users() / "loop", users() / "loop");
    fs::create_symlink(users() / "notes.txt", users() / "filelink");
    loaduseraccounts(a);
    EXPECT_EQ(accountNames(), (Names{"guest", "linked"}));
    EXPECT_EQ(window.list(Dialog::Accounts), (Names{"guest", "linked"}));
    EXPECT_TRUE(a.state.accountsloaded);
    EXPECT_EQ(window.statuses, Names{});
}

TEST_F(AccountListing, NewAccountsStartWithZeroCounts)
{
    server.addAccount("guest");
    loaduseraccounts(a);
    ASSERT_EQ(a.state.accounts.size(), 1u);
    EXPECT_EQ(a.state.accounts[0].downcount, 0);
    EXPECT_EQ(a.state.accounts[0].upcount, 0);
}

TEST_F(AccountListing, ASecondCallChangesNothingEvenAfterTheFolderChanged)
{
    server.addAccount("guest");
    loaduseraccounts(a);
    server.addAccount("late");
    a.state.accounts[0].downcount = 7;
    loaduseraccounts(a);
    EXPECT_EQ(accountNames(), Names{"guest"});
    EXPECT_EQ(a.state.accounts[0].downcount, 7);
    EXPECT_EQ(window.list(Dialog::Accounts), Names{"guest"});
    EXPECT_EQ(window.statuses, Names{});
}

TEST_F(AccountListing, ANewServerFolderIsListedAfresh)
{
    server.addAccount("guest");
    loaduseraccounts(a);
    TempServer other;
    other.addAccount("admin");
    platform.folderAnswers.push_back(other.folder());
    mnuselectserverdirectory_Click(a);
    ensureAccountsListed(a);
    EXPECT_EQ(accountNames(), Names{"admin"});
    EXPECT_EQ(window.list(Dialog::Accounts), Names{"admin"});
}

struct EmptyCase {
    const char* what;
    void (*prepare)(const TempServer&);
};

void PrintTo(const EmptyCase& c, std::ostream* os) { *os << c.what; }

class NoAccounts : public AccountListing, public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(NoAccounts, GiveAnEmptyListThatCountsAsListed)
{
    GetParam().prepare(server);
    loaduseraccounts(a);
    EXPECT_EQ(accountNames(), Names{}) << GetParam().what;
    EXPECT_EQ(window.list(Dialog::Accounts), Names{});
    EXPECT_TRUE(a.state.accountsloaded);
    EXPECT_EQ(window.statuses, Names{});
}

INSTANTIATE_TEST_SUITE_P(
    UsersFolders, NoAccounts,
    ::testing::Values(EmptyCase{"no users folder", [](const TempServer&) {}},
                      EmptyCase{"an empty users folder", [](const TempServer& s) { fs::create_directories(fs::path(s.folder()) / "users"); }},
                      EmptyCase{"users is a plain file", [](const TempServer& s) { s.write("users", "x"); }}));

TEST_F(AccountListing, WithoutAFolderAndTheBrowserCancelledSaysSo)
{
    a.state = State{};
    a.state.accounts.push_back({"stale", 0, 0});
    loaduseraccounts(a);
    EXPECT_EQ(platform.browseTitles, Names{"Select your Hotline Server Folder"});
    EXPECT_EQ(window.statuses, Names{"You must select the server folder first..."});
    EXPECT_EQ(accountNames(), Names{});
    EXPECT_FALSE(a.state.accountsloaded);
}

TEST_F(AccountListing, WithoutAFolderTheChosenFolderIsListed)
{
    server.addAccount("guest");
    a.state = State{};
    platform.folderAnswers.push_back(server.folder());
    loaduseraccounts(a);
    EXPECT_EQ(accountNames(), Names{"guest"});
    EXPECT_EQ(a.folderFile.read(), std::optional<std::string>(server.folder()));
}

struct OrderCase {
    const char* what;
    Names created;
    Names listed;
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.what; }

class AccountOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(AccountOrder, IgnoresAsciiCaseAndBreaksTiesByBytes)
{
    TempServer server;
    for (const std::string& name : GetParam().created)
        server.addAccount(name);
    EXPECT_EQ(listAccountFolders(fs::path(server.folder()) / "users"), GetParam().listed) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Names, AccountOrder,
    ::testing::Values(
        OrderCase{"letter case does not order", {"bob", "Alice", "admin"}, {"admin", "Alice", "bob"}},
        OrderCase{"case-only twins in byte order", {"bob", "BOB", "Bob"}, {"BOB", "Bob", "bob"}},
        OrderCase{"letters fold to lower case, not upper", {"a", "["}, {"[", "a"}},
        OrderCase{"an underscore sorts before a folded letter", {"aB", "a_b"}, {"a_b", "aB"}},
        OrderCase{"a prefix comes first", {"guests", "Guest"}, {"Guest", "guests"}},
        OrderCase{"bytes above 127 sort after ASCII, unsigned", {"\xc3\xa9t\xc3\xa9", "Z", "z"}, {"Z", "z", "\xc3\xa9t\xc3\xa9"}},
        OrderCase{"digits and spaces in byte order", {"user 2", "user10", "User 1"}, {"User 1", "user 2", "user10"}}));

} // namespace
} // namespace quorvel::test
