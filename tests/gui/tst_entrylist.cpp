// SPDX-License-Identifier: MIT
// A list box's entries: kept in name order through any number of additions, a selection kept
// on its entry, type-ahead, and a list of many thousand names used as a small one is.
#include "guitest.h"

#include "dialogs/entrylist.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using quorvel::Dialog;
using quorvel::gui::EntryList;
using quorvel::gui::ListDialog;
using quorvel::test::GuiWorld;

namespace {

// The order names are listed in, written out plainly: ASCII letters folded to lower case,
// bytes unsigned, names that are equal that way in plain byte order.
std::string foldedKey(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

bool listedBefore(const std::string& x, const std::string& y)
{
    const auto unsignedLess = [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char p, char q) {
            return static_cast<unsigned char>(p) < static_cast<unsigned char>(q);
        });
    };
    const std::string fx = foldedKey(x), fy = foldedKey(y);
    if (fx != fy)
        return unsignedLess(fx, fy);
    return unsignedLess(x, y);
}

std::vector<std::string> listed(const EntryList& list)
{
    std::vector<std::string> rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows.push_back(list.entry(row));
    return rows;
}

void add(EntryList& list, const std::vector<std::string>& entries)
{
    const std::vector<std::string_view> views(entries.begin(), entries.end());
    list.add(views);
}

} // namespace

class EntryListTest : public QObject {
    Q_OBJECT

private slots:
    void additionsKeepNameOrderAndTheOrderGiven();
    void aSelectionStaysOnItsEntryWhileOthersAreAdded();
    void typeAhead_data();
    void typeAhead();
    void aListOfFiftyThousandNames();
    void aSingleEntryIsSelectedWhenShown();
    void anEntryDeselectedIsNotPicked();
};

// Batches of names with case variants, 8-bit and zero bytes, prefixes, long shared starts and
// repeats, added to one list (emptied now and then): after each batch the list is the stable
// sort of all that was added since it was emptied, and a view's checker finds every change
// announced as it was made.
void EntryListTest::additionsKeepNameOrderAndTheOrderGiven()
{
    using namespace std::string_literals;
    std::vector<std::string> names{"ann", "Ann", "ANN", "an",  "bob",       "Bob",     "b",           "_x",  "10",
                                   "9",   "",    "zed", "Zed", "\xe9t\xe9", "\x8eiga", "Ren\xc3\xa9", "a b", "a\tb"};
    names.insert(names.end(), {"a\0"s, "a\0b"s, "\0"s});
    names.insert(names.end(),
                 {"Stuffit Zovin.jpg", "stuffit zovi", "Stuffit Zo", "STUFFIT Zovin.JPG", "stuffit\xff", "stuffit_"});
    EntryList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    std::mt19937 pick(25);
    std::vector<std::string> all;
    for (int batch = 0; batch < 60; ++batch) {
        if (batch > 0 && batch % 20 == 0) {
            list.clear();
            all.clear();
        }
        std::vector<std::string> entries(pick() % 9);
        for (std::string& entry : entries)
            entry = names[pick() % names.size()] + (pick() % 4 == 0 ? std::to_string(pick() % 3) : std::string());
        add(list, entries);
        all.insert(all.end(), entries.begin(), entries.end());
        std::vector<std::string> expected = all;
        std::stable_sort(expected.begin(), expected.end(), listedBefore);
        QCOMPARE(listed(list), expected);
    }
    QVERIFY(list.rowCount() > 30);
}

// Entries added before, between and after the selected one: the same entry stays selected
// and current, wherever it has moved to.
void EntryListTest::aSelectionStaysOnItsEntryWhileOthersAreAdded()
{
    GuiWorld world;
    world.fill(Dialog::DownFiles, {"carl", "ann", "eve"});
    world.form->showDialog(Dialog::DownFiles);
    ListDialog& dialog = *world.form->existingDialog(Dialog::DownFiles);
    quorvel::test::selectRow(dialog.list(), 1);
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string("carl"));
    world.fill(Dialog::DownFiles, {"fay", "bob", "Carl", "carl", "abe", "dan"});
    QCOMPARE(quorvel::test::entries(dialog.list()),
             QStringList({"abe", "ann", "bob", "Carl", "carl", "carl", "dan", "eve", "fay"}));
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string("carl"));
    QCOMPARE(dialog.list()->currentIndex().row(), 4);
    QCOMPARE(dialog.list()->selectionModel()->selectedIndexes().size(), 1);
}

// Rows: letters typed on a shown list (the first entry selected) in one burst; the entry
// selected is the first one whose shown text starts with them, letters compared without case,
// an 8-bit name by the character it is shown as. Letters nothing starts with select nothing
// else.
void EntryListTest::typeAhead_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("selected");
    QTest::newRow("one letter") << "b" << QByteArray("Beta");
    QTest::newRow("upper case typed") << "B" << QByteArray("Beta");
    QTest::newRow("two letters") << "br" << QByteArray("bravo");
    QTest::newRow("three letters") << "bet" << QByteArray("Beta");
    QTest::newRow("a digit") << "4" << QByteArray("42");
    QTest::newRow("the last entry") << "z" << QByteArray("Zulu");
    QTest::newRow("an 8-bit name") << "\u00e9" << QByteArray("\xe9t\xe9");
    QTest::newRow("nothing starts so") << "q" << QByteArray("42");
}

void EntryListTest::typeAhead()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, selected);
    GuiWorld world;
    world.fill(Dialog::DownNames, {"Zulu", "bravo", "alpha", "\xe9t\xe9", "beta2", "Beta", "42"});
    world.form->showDialog(Dialog::DownNames);
    ListDialog& dialog = *world.form->existingDialog(Dialog::DownNames);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(world.form->selectedEntry(Dialog::DownNames), std::string("42"));
    for (const QChar letter : typed)
        QTest::sendKeyEvent(QTest::Click, dialog.list(), Qt::Key(letter.toUpper().unicode()), QString(letter), {});
    QCOMPARE(QByteArray::fromStdString(world.form->selectedEntry(Dialog::DownNames)), selected);
    QCOMPARE(dialog.list()->selectionModel()->selectedIndexes().size(), 1);
}

// A pick list as long as a big server's: shown with its first entry selected and at the top,
// the last name found by typing (scrolled to, picked with its bytes), Home back to the first.
void EntryListTest::aListOfFiftyThousandNames()
{
    GuiWorld world;
    std::vector<std::string> names;
    for (int i = 49'999; i >= 0; --i)
        names.push_back("file " + std::to_string(i));
    names.push_back("zz\xff");
    world.fill(Dialog::DownFiles, std::vector<std::string_view>(names.begin(), names.end()));
    world.form->showDialog(Dialog::DownFiles);
    ListDialog& dialog = *world.form->existingDialog(Dialog::DownFiles);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(world.listCount(Dialog::DownFiles), 50'001);
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string("file 0"));
    QCOMPARE(dialog.list()->indexAt(QPoint(2, 2)).row(), 0);
    const QStringList shown = quorvel::test::entries(dialog.list());
    QCOMPARE(shown[1], QString("file 1"));
    QCOMPARE(shown[2], QString("file 10"));
    QCOMPARE(shown[50'000], QString("zz\u00ff"));
    QTest::keyClicks(dialog.list(), "zz");
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string("zz\xff"));
    QVERIFY(dialog.list()->viewport()->rect().intersects(quorvel::test::rowRect(dialog.list(), 50'000)));
    QApplication::processEvents();
    QTest::keyClick(dialog.list(), Qt::Key_Home);
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string("file 0"));
}

void EntryListTest::aSingleEntryIsSelectedWhenShown()
{
    GuiWorld world;
    world.fill(Dialog::UpNames, {"only"});
    QCOMPARE(world.form->selectedEntry(Dialog::UpNames), std::string());
    world.form->showDialog(Dialog::UpNames);
    QCOMPARE(world.form->selectedEntry(Dialog::UpNames), std::string("only"));
}

// Ctrl+click on the selected entry leaves the list with a current entry but none selected:
// nothing is picked, as the highlight shows.
void EntryListTest::anEntryDeselectedIsNotPicked()
{
    GuiWorld world;
    world.fill(Dialog::DownFiles, {"b", "a"});
    world.form->showDialog(Dialog::DownFiles);
    ListDialog& dialog = *world.form->existingDialog(Dialog::DownFiles);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string("a"));
    const QPoint first = quorvel::test::rowRect(dialog.list(), 0).center();
    QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    QVERIFY(dialog.list()->currentIndex().isValid());
    QCOMPARE(world.form->selectedEntry(Dialog::DownFiles), std::string());
}

QTEST_MAIN(EntryListTest)
#include "tst_entrylist.moc"
