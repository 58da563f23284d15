// SPDX-License-Identifier: MIT
// A modern server's folder on disk: what makes a folder one, and its accounts read from YAML.
#include "permissionbits.h"
#include "slogtext.h"
#include "tempserver.h"

#include "server/mobiusfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::TempServer;
using test::billionLaughs;
using namespace std::literals;

struct YamlCase {
    const char* what;
    std::string yaml;
    std::optional<std::string> login;
};

void PrintTo(const YamlCase& c, std::ostream* os)
{
    *os << c.what;
}

class AccountFile : public ::testing::TestWithParam<YamlCase> {};

TEST_P(AccountFile, GivesItsTopLevelLoginScalar)
{
    EXPECT_EQ(loginOf(GetParam().yaml), GetParam().login);
}

INSTANTIATE_TEST_SUITE_P(
    Yaml, AccountFile,
    ::testing::Values(
        YamlCase{"Plain", "Login: guest\nName: Guest\nAccess:\n  DownloadFile: true\n", "guest"},
        YamlCase{"SingleQuoted", "Name: x\nLogin: 'it''s me'\n", "it's me"},
        YamlCase{"DoubleQuoted", "Login: \"caf\\xe9 \\\"dj\\\"\"\n", "caf\xc3\xa9 \"dj\""},
        YamlCase{"Binary", "Login: !!binary UmVujg==\n", "Ren\x8e"},
        YamlCase{"BinaryOverLines", "Login: !!binary |\n  UmVu\n  jg==\n", "Ren\x8e"},
        YamlCase{"BinaryThatIsNoBase64", "Login: !!binary Ren\xe9!\n", std::nullopt},
        YamlCase{"BinaryWithHighBytes", "Login: !!binary \"\x80\xff==\"\n", std::nullopt},
        YamlCase{"BinaryWithPaddingInside", "Login: !!binary UmU=UmU=\n", std::nullopt},
        YamlCase{"BinaryCutShort", "Login: !!binary UmVuj\n", std::nullopt},
        YamlCase{"BinaryOfTwoBytes", "Login: !!binary UmU=\n", "Re"},
        YamlCase{"BinaryOfThreeBytes", "Login: !!binary UmVu\n", "Ren"},
        YamlCase{"OtherTagKeepsItsText", "Login: !binary UmVujg==\n", "UmVujg=="},
        YamlCase{"Number", "Login: 1234\n", "1234"}, YamlCase{"Anchored", "Login: &me guest\nName: *me\n", "guest"},
        YamlCase{"FirstOfTwo", "Login: first\nLogin: second\n", "first"},
        YamlCase{"FlowMapping", "{Name: x, Login: kit}\n", "kit"},
        YamlCase{"AfterANestedLogin", "Access:\n  Login: inner\nLogin: outer\n", "outer"},
        YamlCase{"ComplexKeyBefore", "? [Login, x]\n: y\nLogin: kit\n", "kit"},
        YamlCase{"SecondDocumentNotRead", "Login: one\n---\nLogin: two\n", "one"},
        YamlCase{"OnlyInTheSecondDocument", "Name: x\n---\nLogin: two\n", std::nullopt},
        YamlCase{"NestedOnly", "Access:\n  Login: inner\n", std::nullopt},
        YamlCase{"TopIsASequence", "- Login: kit\n", std::nullopt}, YamlCase{"TopIsAScalar", "Login\n", std::nullopt},
        YamlCase{"LoginIsASequence", "Login: [kit]\n", std::nullopt},
        YamlCase{"LoginIsNull", "Login: ~\n", std::nullopt},
        YamlCase{"LoginIsMissingItsValue", "Login:\nName: x\n", std::nullopt},
        YamlCase{"LoginIsEmpty", "Login: ''\n", std::nullopt},
        YamlCase{"LoginIsAnAlias", "Name: &n kit\nLogin: *n\n", std::nullopt}, YamlCase{"Empty", "", std::nullopt},
        YamlCase{"Unparsable", "Login: kit\nName: [unclosed\n", std::nullopt},
        YamlCase{"UnknownAlias", "Login: kit\nName: *nowhere\n", std::nullopt},
        YamlCase{"DeepNesting", std::string(100'000, '[') + "\n", std::nullopt},
        YamlCase{"BillionLaughs", billionLaughs("laugh"), "laugh"},
        YamlCase{"BillionLaughsAsLogin", "a0: &a0 [lol, lol]\na1: &a1 [*a0, *a0]\nLogin: *a1\n", std::nullopt}),
    [](const auto& row) { return std::string(row.param.what); });

class MobiusFolder : public ::testing::Test {
protected:
    fs::path folder() const { return server.folder(); }
    fs::path users() const { return folder() / "Users"; }
    TempServer server;
};

TEST_F(MobiusFolder, IsAFolderWithUsersAndNoClassicLog)
{
    EXPECT_FALSE(isMobiusFolder(folder()));
    server.write("users", "");
    EXPECT_FALSE(isMobiusFolder(folder()));
    test::makeMobiusServer(server);
    EXPECT_TRUE(isMobiusFolder(folder()));
    server.writeUploadLog("");
    EXPECT_FALSE(isMobiusFolder(folder()));
    fs::remove(folder() / "Upload Log.txt");
    fs::create_directory_symlink("nowhere", folder() / "Download Log.txt");
    EXPECT_FALSE(isMobiusFolder(folder())) << "a dangling classic log still makes the folder classic";
    fs::remove(folder() / "Download Log.txt");
    fs::remove(users());
    fs::create_directory(folder() / "config");
    fs::create_directory_symlink("config", users());
    EXPECT_TRUE(isMobiusFolder(folder())) << "a link to a folder is a folder";
}

TEST_F(MobiusFolder, ListsEveryLoginOnceInNameOrderAndNamesTheFilesLeftOut)
{
    test::makeMobiusServer(server);
    server.write("Users/b.yaml", "Login: Bob\n");
    server.write("Users/a.yaml", "Login: alice\n");
    server.write("Users/again.yaml", "Login: 'alice'\n");
    server.write("Users/c.yaml", "Login: carol\n");
    server.write("Users/.hidden.yaml", "Login: hidden\n");
    server.write("Users/notes.txt", "Login: notes\n");
    server.write("Users/bad.yaml", "Login: [\n");
    server.write("Users/empty.yaml", "");
    server.write("Users/big.yaml", "Login: big\n" + std::string(accountFileLimit, '#'));
    server.write("Users/limit.yaml", "Login: limit\n" + std::string(accountFileLimit - 13, '#'));
    fs::create_directory(users() / "dir.yaml");
    fs::create_symlink("c.yaml", users() / "link.yaml");
    fs::create_symlink("nowhere.yaml", users() / "broken.yaml");
    const std::optional<MobiusAccounts> accounts = listMobiusAccounts(users());
    ASSERT_TRUE(accounts);
    EXPECT_EQ(accounts->logins, (std::vector<std::string>{"alice", "Bob", "carol", "limit"}));
    EXPECT_EQ(accounts->leftOut, (std::vector<std::string>{"Users/bad.yaml", "Users/big.yaml", "Users/broken.yaml",
                                                           "Users/dir.yaml", "Users/empty.yaml"}));
}

TEST_F(MobiusFolder, AMissingUsersFolderHasNoAccountsAnUnreadableOneIsNone)
{
    EXPECT_EQ(listMobiusAccounts(users()), (MobiusAccounts{}));
    test::makeMobiusServer(server, {"kit"});
    fs::permissions(users(), fs::perms::none);
    const test::PermissionBitsApply permissions;
    if (!test::PermissionBitsApply::enforced(server.root()))
        GTEST_SKIP() << "permission bits are not enforced for this process";
    EXPECT_EQ(listMobiusAccounts(users()), std::nullopt);
}

TEST_F(MobiusFolder, AnAccountFileThatCannotBeReadIsLeftOut)
{
    test::makeMobiusServer(server, {"kit", "ann"});
    fs::permissions(users() / "kit.yaml", fs::perms::none);
    const test::PermissionBitsApply permissions;
    if (!test::PermissionBitsApply::enforced(server.root()))
        GTEST_SKIP() << "permission bits are not enforced for this process";
    const std::optional<MobiusAccounts> accounts = listMobiusAccounts(users());
    ASSERT_TRUE(accounts);
    EXPECT_EQ(accounts->logins, std::vector<std::string>{"ann"});
    EXPECT_EQ(accounts->leftOut, std::vector<std::string>{"Users/kit.yaml"});
}

} // namespace
} // namespace quorvel
