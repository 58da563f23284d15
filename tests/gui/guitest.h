// SPDX-License-Identifier: MIT
#pragma once

#include "fakeplatform.h"
#include "tempserver.h"

#include "app/form1.h"
#include "dialogs/listdialog.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMetaType>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>
#include <string_view>
#include <vector>

namespace quorvel::test {

// A main window on a fake platform (no modal dialog ever opens) whose folder file, in a
// temporary folder, remembers a temporary server folder.
class GuiWorld {
public:
    enum class Start { WithServer, WithoutServer };

    explicit GuiWorld(Start start = Start::WithServer)
    {
        if (start == Start::WithServer)
            folderFile().write(server.folder());
        restart();
    }

    // Starts the program again: a new main window that reads the folder file and lists the
    // server's accounts as they are now.
    void restart()
    {
        form.reset();
        form = std::make_unique<gui::Form1>(platform, folderFile());
    }

    FolderFile folderFile() const { return FolderFile(server.programFolder(), server.configFolder()); }
    QAction* action(const char* name) const { return form->findChild<QAction*>(QString::fromLatin1(name)); }
    QLabel* lblinfo() const { return form->findChild<QLabel*>(QStringLiteral("lblinfo")); }
    QPlainTextEdit* text1() const { return form->findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
    State& state() const { return form->analyzer().state; }
    // The dialog, created hidden if it was never touched.
    gui::ListDialog& dialog(Dialog which) const
    {
        form->selectedEntry(which);
        return *form->existingDialog(which);
    }
    int listCount(Dialog which) const { return dialog(which).list()->model()->rowCount(); }
    void fill(Dialog which, const std::vector<std::string_view>& entries) const { form->addToList(which, entries); }

    TempServer server;
    FakePlatform platform;
    std::unique_ptr<gui::Form1> form;
};

// Log lines of five TAB-separated columns, ended by CR LF.
inline std::string logLines(int count, std::string_view account = "guest")
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "12/01/26\t-\t" + std::string(account) + "\tuser" + std::to_string(i % 7) + "\tfile" +
                std::to_string(i % 11) + ".txt\r\n";
    return text;
}

// The entries of a list box as shown.
inline QStringList entries(const QListView* list)
{
    QStringList shown;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        shown << list->model()->index(row, 0).data().toString();
    return shown;
}

// Where an entry is shown in the list.
inline QRect rowRect(const QListView* list, int row)
{
    return list->visualRect(list->model()->index(row, 0));
}

// Makes an entry the current and selected one, as the arrow keys do.
inline void selectRow(QListView* list, int row)
{
    list->setCurrentIndex(list->model()->index(row, 0));
}

// A click on an entry, as the user selects it.
inline void clickRow(QListView* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowRect(list, row).center());
}

// A double click as the window system delivers it: press, release, double click, release.
inline void doubleClickRow(QListView* list, int row)
{
    const QPoint at = rowRect(list, row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace quorvel::test

Q_DECLARE_METATYPE(quorvel::Dialog)
