// SPDX-License-Identifier: MIT
// Drilling down from a cell of every kind of answer, the place of each cell in the text, and
// the trail Back walks.
#include "enginefixture.h"

#include "commands/drill.h"
#include "commands/period.h"
#include "present/answertext.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::test {
namespace {

const std::string downloads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                              "03/14/2001 10:00:00 AM\t10.0.0.1\tbob\tBob\tGlider.sit\r"
                              "03/14/2001 11:00:00 AM\t10.0.0.2\tann\tAnn\tGlider.sit\r"
                              "03/15/2001 9:00:00 AM\t10.0.0.1\tbob\tBob\tb.txt\r"
                              "yesterday\t10.0.0.3\tann\tAnn\tc.txt\r";
const std::string uploads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                            "03/14/2001 12:00:00 PM\t10.0.0.2\tann\tAnn\tnew.sit\r";

class Drill : public EngineTest {
protected:
    Drill()
    {
        for (const char* account : {"ann", "bob", "cy"})
            server.addAccount(account);
        server.writeDownloadLog(downloads);
        server.writeUploadLog(uploads);
        EXPECT_TRUE(runCommand(a, menuItem("mnuloadall")).isDone());
    }
    const Answer& ask(std::string_view verb, const std::string& value = {})
    {
        EXPECT_TRUE(runCommand(a, [&](Analyzer& an) { return runRow(an, *findVerb(verb), value); }).isDone()) << verb;
        return *a.lastAnswer;
    }
    // "verb value" of what the cell drills to, "" for nothing.
    std::string target(std::size_t row, std::size_t column) const
    {
        const auto t = drillTarget(*a.lastAnswer, row, column);
        return t ? std::string(t->row->verb) + " " + t->value : "";
    }
    std::string shownTargets(std::size_t row) const
    {
        std::string all;
        for (const std::size_t column : a.lastAnswer->shown)
            all += "[" + target(row, column) + "]";
        return all;
    }
    Outcome drillAt(std::size_t row, std::size_t column)
    {
        const auto t = drillTarget(*a.lastAnswer, row, column);
        EXPECT_TRUE(t.has_value());
        return runCommand(a, [&](Analyzer& an) { return drill(an, *t); });
    }
};

TEST_F(Drill, EachKindOfCellRunsTheSearchOfItsSideAndCountsStampsMonthsAndHoursNothing)
{
    ask("downloads-by-number");
    EXPECT_EQ(shownTargets(0), "[][file-downloads Glider.sit]");
    ask("uploads-by-date");
    EXPECT_EQ(shownTargets(0), "[][file-uploads new.sit]");
    ask("uploads-by-account");
    EXPECT_EQ(shownTargets(0), "[][account-uploads ann]");
    ask("top-downloader");
    EXPECT_EQ(shownTargets(0), "[user-downloads Ann][]");
    ask("top-account-uploader");
    EXPECT_EQ(shownTargets(0), "[account-uploads ann][]");
    ask("inactive-uploaders");
    EXPECT_EQ(shownTargets(0), "[account-uploads bob]");
    ask("file-downloads", "Glider.sit");
    EXPECT_EQ(shownTargets(1), "[][user-downloads Ann]");
    ask("user-uploads", "Ann");
    EXPECT_EQ(shownTargets(0), "[][file-uploads new.sit]");
    ask("downloads-by-address");
    EXPECT_EQ(shownTargets(0), "[][downloads-from-address 10.0.0.1]");
    ask("uploads-from-address", "10.0.0.2");
    EXPECT_EQ(shownTargets(0), "[][user-uploads Ann][file-uploads new.sit]");
    EXPECT_EQ(target(0, 2), "account-uploads ann"); // not shown, but an account all the same
    ask("downloads-on-day", "2001-03-14");
    EXPECT_EQ(shownTargets(1), "[][user-downloads Ann][file-downloads Glider.sit]");
    ask("downloads-by-month");
    EXPECT_EQ(shownTargets(0), "[][]");
    ask("uploads-by-hour");
    EXPECT_EQ(shownTargets(12), "[][]");
    EXPECT_EQ(target(24, 0), ""); // past the last row
}

TEST_F(Drill, DaysDrillTheirDateButNotUndatedOrNever)
{
    const Answer& days = ask("downloads-by-day");
    ASSERT_EQ(days.rows, 3u);
    EXPECT_EQ(shownTargets(0), "[][downloads-on-day 2001-03-14]");
    EXPECT_EQ(shownTargets(2), "[][]"); // undated
    ask("last-uploads");
    EXPECT_EQ(shownTargets(0), "[][account-uploads bob]"); // never
    EXPECT_EQ(shownTargets(2), "[uploads-on-day 2001-03-14][account-uploads ann]");
    ask("last-downloads");
    EXPECT_EQ(shownTargets(0), "[][account-downloads cy]"); // never
    EXPECT_EQ(shownTargets(1), "[downloads-on-day 2001-03-14][account-downloads ann]");
}

TEST_F(Drill, ASideColumnDrillsItsSideAndTransfersByAccountDrillBoth)
{
    const Answer& both = ask("account-both", "ann");
    ASSERT_EQ(both.rows, 3u);
    EXPECT_EQ(shownTargets(0), "[][file-downloads Glider.sit]");
    EXPECT_EQ(shownTargets(2), "[][file-uploads new.sit]");
    ask("transfers-by-account");
    EXPECT_EQ(shownTargets(0), "[][][account-both bob]");
}

TEST_F(Drill, HintsSayWhatADrillDoesWithTheValueAsItIs)
{
    const auto hint = [](std::string_view verb, std::string value) {
        return drillHint({findVerb(verb), std::move(value)});
    };
    EXPECT_EQ(hint("file-downloads", "Glider.sit"), "who downloaded 'Glider.sit'");
    EXPECT_EQ(hint("file-uploads", "download.sit"), "who uploaded 'download.sit'");
    EXPECT_EQ(hint("account-uploads", "downloader"), "what account 'downloader' uploaded");
    EXPECT_EQ(hint("user-downloads", "Bob"), "what user 'Bob' downloaded");
    EXPECT_EQ(hint("account-both", "ann"), "what account 'ann' downloaded and uploaded");
    EXPECT_EQ(hint("uploads-from-address", "10.0.0.2"), "every upload from 10.0.0.2");
    EXPECT_EQ(hint("downloads-on-day", "2001-03-14"), "every download on 2001-03-14");
}

// Every shown cell is found at the bytes the text prints it with, and nothing else is: names
// holding TAB and line breaks, a period's lines, two sections and more than 64 rows in each.
void expectCellsWhereTheTextHasThem(const Answer& answer)
{
    const std::string text = answerText(answer);
    const TextCells cells(answer);
    std::vector<CellPlace> found;
    for (std::size_t at = 0; at <= text.size() + 2; ++at) {
        const auto place = cells.at(at);
        if (!place)
            continue;
        ASSERT_LE(place->begin, at);
        ASSERT_LT(at, place->end);
        if (found.empty() || found.back().begin != place->begin)
            found.push_back(*place);
    }
    std::vector<std::pair<std::size_t, std::size_t>> cellsShown;
    for (std::size_t row = 0; row < answer.rows; ++row)
        for (const std::size_t column : answer.shown) {
            const Cell cell = answer.cell(row, column);
            const bool count = answer.columns[column].kind == ColumnKind::Count;
            if (count || !cell.text.empty())
                cellsShown.emplace_back(row, column);
        }
    ASSERT_EQ(found.size(), cellsShown.size());
    std::size_t previousEnd = 0;
    for (std::size_t k = 0; k < found.size(); ++k) {
        const auto [row, column] = cellsShown[k];
        EXPECT_EQ(found[k].row, row);
        EXPECT_EQ(found[k].column, column);
        const Cell cell = answer.cell(row, column);
        const std::string printed =
            answer.columns[column].kind == ColumnKind::Count ? std::to_string(cell.count) : std::string(cell.text);
        // In the order of the text, each where the text has it.
        EXPECT_EQ(text.substr(found[k].begin, found[k].end - found[k].begin), printed);
        EXPECT_GE(found[k].begin, previousEnd);
        previousEnd = found[k].end;
    }
}

TEST(TextCells, FindEveryCellOfHostileNamesPeriodsSectionsAndLongAnswers)
{
    Selection all;
    Selection period;
    period.period.from = readDay("2001-03-14");
    period.undated = 2;
    CountRows hostile{{"a\tb", 12}, {"line\r\nbreak", 3}, {"", 7}, {"\xe9t\xe9.sit", 1}, {"Glider.sit", 100}};
    expectCellsWhereTheTextHasThem(countListing(Side::Download, "Files", {"file", ColumnKind::File}, hostile, all));
    expectCellsWhereTheTextHasThem(countListing(Side::Upload, "Files", {"file", ColumnKind::File}, hostile, period));
    CountRows many;
    for (int k = 0; k < 150; ++k)
        many.emplace_back(std::string(static_cast<std::size_t>(k % 7), 'x') + ": " + std::to_string(k), k);
    Answer twoSections = countListing(Side::Download, "First", {"user", ColumnKind::User}, many, period);
    twoSections.shape = TextShape::Hits;
    twoSections.sections = {{"First", 70}, {"Second", 80}};
    expectCellsWhereTheTextHasThem(twoSections);
    Answer winner = countListing(Side::Download, "The number one", {"user", ColumnKind::User}, {{"Bob", 3}}, all);
    winner.shape = TextShape::Winner;
    winner.shown = {0, 1};
    expectCellsWhereTheTextHasThem(winner);
    winner.rows = 0;
    expectCellsWhereTheTextHasThem(winner);
}

TEST_F(Drill, BackWalksTheTrailAnswerByAnswerAsItWas)
{
    ask("downloads-by-number");
    const std::string first = window.output;
    EXPECT_TRUE(a.trail.empty());
    ASSERT_TRUE(drillAt(0, 0).isDone()); // file-downloads Glider.sit
    const std::string second = window.output;
    EXPECT_EQ(second.substr(0, 22), "Users who have downloa");
    ASSERT_TRUE(drillAt(1, 1).isDone()); // user-downloads Ann
    const std::string third = window.output;
    ASSERT_TRUE(drillAt(0, 1).isDone()); // file-downloads Glider.sit again
    EXPECT_EQ(window.output, second);
    ASSERT_EQ(a.trail.size(), 3u);
    for (const std::string* before : {&third, &second, &first}) {
        ASSERT_TRUE(runCommand(a, menuItem("mnuback")).isDone());
        EXPECT_EQ(window.output, *before);
        EXPECT_EQ(answerText(*a.lastAnswer), *before); // export and chart follow
    }
    EXPECT_EQ(a.lastAnswer->verb, "downloads-by-number");
    EXPECT_TRUE(a.trail.empty());
    const int writes = window.outputWrites;
    EXPECT_TRUE(runCommand(a, menuItem("mnuback")).isDone());
    EXPECT_EQ(window.outputWrites, writes);
    EXPECT_EQ(window.output, first);
}

TEST_F(Drill, TheTrailKeepsTwentyStepsTheOldestGoingFirst)
{
    ask("downloads-by-number");
    ASSERT_TRUE(drillAt(0, 0).isDone());
    for (int k = 0; k < 21; ++k)
        ASSERT_TRUE(drillAt(0, 1).isDone()); // Bob's downloads, then Glider.sit's takers, ...
    ASSERT_EQ(a.trail.size(), 20u);
    EXPECT_EQ(a.trail.front().verb, "user-downloads"); // the number listing and the first search went
    EXPECT_EQ(a.trail.back().verb, "file-downloads");
}

TEST_F(Drill, AMenuCommandAReloadAPeriodOrAFolderStartsANewTrail)
{
    const auto drilled = [&] {
        ask("downloads-by-number");
        EXPECT_TRUE(drillAt(0, 0).isDone());
        return a.trail.size() == 1;
    };
    ASSERT_TRUE(drilled());
    EXPECT_TRUE(runCommand(a, menuItem("mnudownloadsbyday")).isDone());
    EXPECT_TRUE(a.trail.empty());
    ASSERT_TRUE(drilled());
    EXPECT_TRUE(runCommand(a, menuItem("mnuLoaduploadlog")).isDone());
    EXPECT_TRUE(a.trail.empty());
    EXPECT_FALSE(a.lastAnswer);
    ASSERT_TRUE(drilled());
    platform.periodAnswers.push_back(PeriodDialogDates{{2001, 3, 14}, {2001, 3, 14}, true, true});
    EXPECT_TRUE(runCommand(a, mnuperiod_Click).isDone());
    EXPECT_TRUE(a.trail.empty());
    ASSERT_TRUE(drilled());
    TempServer other;
    setServerFolder(a, other.folder());
    EXPECT_TRUE(a.trail.empty());
}

TEST_F(Drill, AShortMemoryDropsTheOldestStepsFirstAndARefusedDrillLeavesTheAnswer)
{
    static std::uint64_t left = 0;
    ask("downloads-by-number");
    ASSERT_TRUE(drillAt(0, 0).isDone());
    ASSERT_TRUE(drillAt(1, 1).isDone());
    const std::string shown = window.output;
    a.memoryLeft = [] { return left; };
    ASSERT_FALSE(drillAt(0, 1).isDone()); // no memory at all
    EXPECT_EQ(window.output, shown);
    EXPECT_EQ(a.lastAnswer->verb, "user-downloads");
    EXPECT_TRUE(a.trail.empty()); // both steps gave way before the refusal
    a.memoryLeft = availableMemory;
    ask("downloads-by-number");
    ASSERT_TRUE(drillAt(0, 0).isDone());
    ASSERT_TRUE(drillAt(1, 1).isDone());
    // Room appears as soon as one step is gone: only the oldest goes.
    static const std::vector<Answer>* trail;
    trail = &a.trail;
    a.memoryLeft = [] { return trail->size() < 2 ? availableMemory() : 0; };
    ASSERT_TRUE(drillAt(0, 1).isDone());
    ASSERT_EQ(a.trail.size(), 2u);
    EXPECT_EQ(a.trail.front().verb, "file-downloads");
    EXPECT_EQ(a.trail.back().verb, "user-downloads");
}

} // namespace
} // namespace quorvel::test
