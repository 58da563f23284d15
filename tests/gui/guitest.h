// SPDX-License-Identifier: MIT
#pragma once

#include "fakeplatform.h"
#include "tempserver.h"

#include "app/form1.h"
#include "dialogs/listdialog.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

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
        form = std::make_unique<gui::Form1>(platform, folderFile());
    }

    FolderFile folderFile() const { return FolderFile(server.programFolder(), server.configFolder()); }
    QAction* action(const char* name) const { return form->findChild<QAction*>(QString::fromLatin1(name)); }
    QLabel* lblinfo() const { return form->findChild<QLabel*>(QStringLiteral("lblinfo")); }
    QPlainTextEdit* text1() const { return form->findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
    State& state() const { return form->analyzer().state; }

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

} // namespace quorvel::test
