// SPDX-License-Identifier: MIT
#pragma once

#include "app/aboutbox.h"
#include "app/chartwindow.h"
#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "dialogs/dialogset.h"
#include "platform/window.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>

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

    Analyzer analyzer_;
    // Dialogs are touched through a const Window method too (selectedEntry creates a dialog).
    mutable DialogSet dialogs_;
    StatusLine* lblinfo_ = nullptr;
    OutputBox* text1_ = nullptr;
    std::vector<QAction*> commandItems_;
    QPointer<AboutBox> about_;
    QPointer<ChartWindow> chart_;
    bool closing_ = false;
    // Time since yield last processed events; invalid when a command starts.
    QElapsedTimer sinceEvents_;
    static constexpr qint64 eventInterval = 40; // milliseconds
};

} // namespace quorvel::gui
