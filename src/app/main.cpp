// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "platform/qt/qtplatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quorvel::gui::QtPlatform platform;
    quorvel::gui::Form1 form(platform, quorvel::FolderFile::ofThisProgram());
    platform.setOwner(&form);
    form.show();
    return app.exec();
}
