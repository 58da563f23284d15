// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "searchlog.h"

#include "commands/loading.h"
#include "commands/searches.h"
#include "commands/searches.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvel::test {
namespace {

// Both logs loaded and every pick list built and shown.
class PickDialogs : public EngineTest {
protected:
    PickDialogs()
    {
        server.writeDownloadLog(serverLog({record("d1", "bob", "Bob", "a.txt"), record("d2", "ann", "", "")}));
        server.writeUploadLog(serverLog({record("u1", "bob", "Carl", "b.txt"), record("u2", "ann", "", "")}));
        runMenuItem(a, "mnuUserDownloads");
        runMenuItem(a, "mnuFileDownloads");
        runMenuItem(a, "mnuUserUploads");
        runMenuItem(a, "mnuFileUploads");
    }
    bool shown(Dialog dialog) const { return window.shown[FakeWindow::index(dialog)]; }
};

struct PickCase {
    Dialog dialog;
    const char* selectedOutput;
    const char* unselectedOutput;
};

class PickDialogSearch : public PickDialogs, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PickDialogSearch, SearchHidesTheDialogAndSearchesTheSelectedEntry)
{
    window.selected(GetParam().dialog) = 0;
    Command1_Click(a, GetParam().dialog);
    EXPECT_FALSE(shown(GetParam().dialog));
    EXPECT_EQ(window.output, GetParam().selectedOutput);
    EXPECT_EQ(window.lastStatus(), "Done...");
    EXPECT_EQ(window.list(GetParam().dialog).size(), 2u);
}

TEST_P(PickDialogSearch, WithoutSelectionSearchesTheEmptyText)
{
    Command1_Click(a, GetParam().dialog);
    EXPECT_FALSE(shown(GetParam().dialog));
    EXPECT_EQ(window.output, GetParam().unselectedOutput);
}

TEST_P(PickDialogSearch, CancelOnlyHides)
{
    window.output = "a report";
    const auto statuses = window.statuses;
    Command2_Click(a, GetParam().dialog);
    EXPECT_FALSE(shown(GetParam().dialog));
    EXPECT_EQ(window.output, "a report");
    EXPECT_EQ(window.statuses, statuses);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, PickDialogSearch,
    ::testing::Values(PickCase{Dialog::DownNames, "Bob had downloaded these files...\r\n\r\nd1: a.txt\r\n",
                               " had downloaded these files...\r\n\r\nd2: \r\n"},
                      PickCase{Dialog::DownFiles, "Users who have downloaded a.txt...\r\n\r\nd1: Bob\r\n",
                               "Users who have downloaded ...\r\n\r\nd2: \r\n"},
                      PickCase{Dialog::UpNames, "Carl had uploaded these files...\r\n\r\nu1: b.txt\r\n",
                               " had uploaded these files...\r\n\r\nu2: \r\n"},
                      PickCase{Dialog::UpFiles, "Users who have uploaded b.txt...\r\n\r\nu1: Carl\r\n",
                               "Users who have uploaded ...\r\n\r\nu2: \r\n"}));

// Form4 with the accounts listed and both logs loaded.
class AccountDialog : public PickDialogs {
protected:
    AccountDialog()
    {
        server.addAccount("ann");
        server.addAccount("bob");
        mnusearchaccounts_Click(a);
    }
    void select(const std::string& account)
    {
        const auto& entries = window.list(Dialog::Accounts);
        window.selected(Dialog::Accounts) =
            static_cast<int>(std::find(entries.begin(), entries.end(), account) - entries.begin());
    }
};

TEST_F(AccountDialog, OpensWithTheAccountsListedEvenThoughTheFolderWasAlreadySet)
{
    EXPECT_EQ(window.list(Dialog::Accounts), (std::vector<std::string>{"ann", "bob"}));
    EXPECT_TRUE(shown(Dialog::Accounts));
}

TEST_F(AccountDialog, OpeningAgainDoesNotListTheAccountsTwice)
{
    mnusearchaccounts_Click(a);
    EXPECT_EQ(window.list(Dialog::Accounts).size(), 2u);
}

struct PopupCase {
    Outcome (*item)(Analyzer&);
    const char* output;
};

class AccountPopup : public AccountDialog, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(AccountPopup, ItemHidesTheDialogAndSearchesTheSelectedAccount)
{
    select("bob");
    GetParam().item(a);
    EXPECT_FALSE(shown(Dialog::Accounts));
    EXPECT_EQ(window.output, GetParam().output);
    EXPECT_EQ(window.lastStatus(), "Done...");
}

INSTANTIATE_TEST_SUITE_P(
    Items, AccountPopup,
    ::testing::Values(PopupCase{mnusearchdownload_Click, "Files that bob has downloaded...\r\n\r\nd1: a.txt\r\n"},
                      PopupCase{mnusearchuploads_Click, "Files that bob has uploaded...\r\n\r\nu1: b.txt\r\n"},
                      PopupCase{mnusearchboth_Click, "Files that bob has downloaded...\r\n\r\nd1: a.txt\r\n\r\n\r\n"
                                                     "Files that bob has uploaded...\r\n\r\nu1: b.txt\r\n"}));

TEST_F(AccountDialog, ItemWithoutSelectionSearchesTheEmptyAccount)
{
    mnusearchdownload_Click(a);
    EXPECT_EQ(window.output, "Files that  has downloaded...\r\n\r\n");
}

TEST_F(AccountDialog, SearchButtonStartsNothingAndCancelHides)
{
    select("bob");
    window.output = "a report";
    Command1_Click(a, Dialog::Accounts);
    EXPECT_TRUE(shown(Dialog::Accounts));
    EXPECT_EQ(window.output, "a report");
    Command2_Click(a, Dialog::Accounts);
    EXPECT_FALSE(shown(Dialog::Accounts));
    EXPECT_EQ(window.output, "a report");
}

TEST_F(EngineTest, AccountsWithoutAFolderSaysSoAndOpensTheEmptyDialog)
{
    a.state = State{};
    mnusearchaccounts_Click(a);
    EXPECT_EQ(platform.browseTitles.size(), 1u);
    EXPECT_EQ(window.lastStatus(), "You must select the server folder first...");
    EXPECT_TRUE(window.list(Dialog::Accounts).empty());
    EXPECT_TRUE(window.shown[FakeWindow::index(Dialog::Accounts)]);
}

} // namespace
} // namespace quorvel::test
