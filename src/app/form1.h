// SPDX-License-Identifier: MIT
#pragma once

#include "app/aboutbox.h"
#include "app/chartwindow.h"
#include "commands/analyzer.h"
#include "commands/drill.h"
#include "commands/outcome.h"
#include "dialogs/dialogset.h"
#include "platform/window.h"
#include "present/answertext.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;

namespace quorvel {
struct CommandRow;
}

namespace quorvel::gui {

class OutputBox;
class StatusLine;

// The main window: menu bar, status line lblinfo and output box Text1. It owns the analyzer
// and is the Window the commands work on. Every menu leaf runs its engine command through
// runCommand, one command at a time; "Quit", "About" and "Chart" touch only the windows.
class Form1 : public QMainWindow, public Window {
    Q_OBJECT
public:
    // The platform answers the modal questions; the folder file remembers the server folder.
    Form1(Platform& platform, FolderFile folderFile);
    ~Form1() override;

    Analyzer& analyzer() { return analyzer_; }
    // A dialog if it was ever touched, else nullptr (does not create it).
    ListDialog* existingDialog(Dialog dialog) const { return dialogs_.find(dialog); }
    // The About box while it is open.
    AboutBox* aboutBox() const { return about_; }
    // The chart window while it is open.
    ChartWindow* chartWindow() const { return chart_; }
    bool closing() const { return closing_; }

    // A server folder named on the command line, taken as if picked with "Select Server
    // Directory"; a file stands for the folder that holds it. A dropped folder or file does
    // the same.
    void openServerFolder(const std::string& path);
    // The server folder to use when none is remembered; it is not remembered itself.
    void useDefaultFolder(const std::string& path);

    void setStatus(std::string_view caption) override;
    std::string outputText() const override;
    void setOutputText(std::string text) override;
    void clearList(Dialog dialog) override;
    void addToList(Dialog dialog, std::span<const std::string_view> entries) override;
    std::string selectedEntry(Dialog dialog) const override;
    void showDialog(Dialog dialog) override;
    void hideDialog(Dialog dialog) override;
    void setCaption(std::string_view caption) override;
    void setCommandsEnabled(bool enabled) override;
    bool yield() override;

protected:
    // Closing the main window ends the program: a running command stops at its next yield,
    // every other window closes and the event loop quits.
    void closeEvent(QCloseEvent* event) override;
    // A folder or file dragged onto the window, the output box included.
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setWindowLook();
    void createControls();
    void createMenus();
    void wireStatusClick();
    void sizeClientArea();
    void centreOnScreen();
    void wireMenuItem(QAction* item, const CommandRow& row);
    void wireDialog(ListDialog& dialog, Dialog which);
    // Runs a command through runCommand; a chart window that is open then follows the result.
    template <class Command> void run(Command&& command);
    void showAbout();
    void showChart();
    void followResult();
    bool takeFolderDrop(QEvent* event);
    // What the output box's cell holding a byte drills to: only while it holds the last
    // answer's text and no command runs.
    std::optional<DrillTarget> drillTargetAt(std::size_t offset);
    void drillDown(DrillTarget target);

    Analyzer analyzer_;
    // Dialogs are touched through a const Window method too (selectedEntry creates a dialog).
    mutable DialogSet dialogs_;
    StatusLine* lblinfo_ = nullptr;
    OutputBox* text1_ = nullptr;
    std::vector<QAction*> commandItems_;
    QAction* back_ = nullptr; // enabled only while the trail has a step
    // Where the last answer's cells stand in the output box; made when first asked, dropped
    // after every command.
    std::optional<TextCells> cells_;
    // Analyzer::answersForgotten when the chart window last drew: its entries drill only
    // while no answer was forgotten since.
    std::uint64_t chartDrawnAt_ = 0;
    QPointer<AboutBox> about_;
    QPointer<ChartWindow> chart_;
    bool closing_ = false;
    // Time since yield last processed events; invalid when a command starts.
    QElapsedTimer sinceEvents_;
    static constexpr qint64 eventInterval = 40; // milliseconds
};

} // namespace quorvel::gui
