// SPDX-License-Identifier: MIT
// Times the real main window from a menu click to the output box painted with the result:
//   QT_QPA_PLATFORM=offscreen window_bench SERVER
// It loads the download log, then runs the reports that fill the box with one line per file
// or per account, and prints for each the milliseconds and the number of lines shown.
#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <string>

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

// Milliseconds from triggering the menu item to the output box painted.
double clickToPaint(quorvel::gui::Form1& form, const char* item)
{
    auto* text1 = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    QElapsedTimer clock;
    clock.start();
    form.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    text1->viewport()->repaint();
    QCoreApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_bench SERVER\n");
        return 2;
    }
    QTemporaryDir program;
    const quorvel::FolderFile folderFile(QFile::encodeName(program.path()).toStdString(), {});
    folderFile.write(argv[1]);
    AnsweringPlatform platform;
    quorvel::gui::Form1 form(platform, folderFile);
    form.show();
    QCoreApplication::processEvents();
    std::printf("%-22s %9.1f ms\n", "mnuLoaddownloadlog", clickToPaint(form, "mnuLoaddownloadlog"));
    for (const char* item : {"mnusortbydate", "mnudownloadnumber", "mnusortbyaccount", "mnunumberdown"}) {
        const double ms = clickToPaint(form, item);
        const auto lines = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->blockCount();
        std::printf("%-22s %9.1f ms  %d lines shown\n", item, ms, lines);
    }
    return 0;
}
