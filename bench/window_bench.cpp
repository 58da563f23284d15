// SPDX-License-Identifier: MIT
// Times the real main window from a menu click to the result painted:
//   QT_QPA_PLATFORM=offscreen window_bench SERVER [ITEM...]
// It loads the download log, then both logs with "Load All", opens the four pick lists (each
// until its dialog is shown and painted with its entries, then a letter typed on it that no
// entry starts with), runs the reports that fill the output box with one line per file or per
// account and then every question of the Insights menu, and prints for each the milliseconds
// and the number of lines or entries shown. Menu items named after SERVER are the only ones
// timed after the loads.
#include "app/form1.h"
#include "commands/commandtable.h"
#include "dialogs/listdialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Answers every question with OK and never opens a dialog.
class AnsweringPlatform : public quorvel::Platform {
public:
    std::optional<std::string> browseForFolder(std::string_view) override { return std::nullopt; }
    bool askOkCancel(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> askSaveFileName(const quorvel::SaveDialogRequest&) override { return std::nullopt; }
    void showError(std::string_view, std::string_view) override {}
    std::optional<quorvel::PeriodDialogDates> askPeriod(const quorvel::PeriodDialogDates&) override
    {
        return std::nullopt;
    }
};

double millisecondsSince(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void trigger(quorvel::gui::Form1& form, const char* item)
{
    auto* action = form.findChild<QAction*>(QString::fromLatin1(item));
    if (!action) {
        std::fprintf(stderr, "window_bench: no menu item %s\n", item);
        std::exit(1);
    }
    action->trigger();
}

// Milliseconds from triggering the menu item to the output box painted.
double clickToPaint(quorvel::gui::Form1& form, const char* item)
{
    auto* text1 = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    QElapsedTimer clock;
    clock.start();
    trigger(form, item);
    text1->viewport()->repaint();
    QCoreApplication::processEvents();
    return millisecondsSince(clock);
}

void timeOutputBox(quorvel::gui::Form1& form, const char* item)
{
    const double ms = clickToPaint(form, item);
    const auto lines = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->blockCount();
    std::printf("%-22s %9.1f ms  %d lines shown\n", item, ms, lines);
}

// Milliseconds a letter typed on a list takes when no entry starts with it: the list is
// searched from its current entry round to it again, and then painted.
double typeAhead(QAbstractItemView& list)
{
    QElapsedTimer clock;
    clock.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_AsciiTilde, Qt::NoModifier, QStringLiteral("~"));
    QApplication::sendEvent(&list, &press);
    list.viewport()->repaint();
    QCoreApplication::processEvents();
    return millisecondsSince(clock);
}

// Milliseconds from triggering the menu item to its pick dialog shown and painted: the events
// the show posts (the list's layout among them) are handled, then the dialog is painted.
void timePickList(quorvel::gui::Form1& form, const char* item, quorvel::Dialog which)
{
    QElapsedTimer clock;
    clock.start();
    trigger(form, item);
    quorvel::gui::ListDialog* dialog = form.existingDialog(which);
    if (!dialog || !dialog->isVisible()) {
        std::fprintf(stderr, "window_bench: %s showed no list\n", item);
        std::exit(1);
    }
    QCoreApplication::processEvents();
    dialog->repaint();
    QCoreApplication::processEvents();
    const double ms = millisecondsSince(clock);
    auto* list = dialog->findChild<QAbstractItemView*>();
    std::printf("%-22s %9.1f ms  %d entries shown\n", item, ms, list->model()->rowCount());
    std::printf("%-22s %9.1f ms  typing a letter no entry starts with\n", "  type-ahead", typeAhead(*list));
    dialog->hide();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench SERVER [ITEM...]\n");
        return 2;
    }
    // The items timed after the loads, in order; a pick list's with its dialog.
    using quorvel::Dialog;
    std::vector<std::pair<std::string, std::optional<Dialog>>> items{{"mnuFileDownloads", Dialog::DownFiles},
                                                                     {"mnuUserDownloads", Dialog::DownNames},
                                                                     {"mnuFileUploads", Dialog::UpFiles},
                                                                     {"mnuUserUploads", Dialog::UpNames}};
    for (const char* item : {"mnusortbydate", "mnudownloadnumber", "mnusortbyaccount", "mnunumberdown"})
        items.emplace_back(item, std::nullopt);
    for (const quorvel::CommandRow& row : quorvel::commandTable())
        if (row.menu == quorvel::TopMenu::Insights && row.ask && !row.item.empty())
            items.emplace_back(row.item, std::nullopt);
    // Items named after the server: only those, so that a profiler sees one command.
    const std::vector<std::string> only(argv + 2, argv + argc);
    QTemporaryDir program;
    const quorvel::FolderFile folderFile(QFile::encodeName(program.path()).toStdString(), {});
    folderFile.write(argv[1]);
    AnsweringPlatform platform;
    quorvel::gui::Form1 form(platform, folderFile);
    form.show();
    QCoreApplication::processEvents();
    std::printf("%-22s %9.1f ms\n", "mnuLoaddownloadlog", clickToPaint(form, "mnuLoaddownloadlog"));
    std::printf("%-22s %9.1f ms\n", "mnuloadall", clickToPaint(form, "mnuloadall"));
    for (const auto& [item, pickList] : items) {
        if (!only.empty() && std::find(only.begin(), only.end(), item) == only.end())
            continue;
        if (pickList)
            timePickList(form, item.c_str(), *pickList);
        else
            timeOutputBox(form, item.c_str());
    }
    return 0;
}
