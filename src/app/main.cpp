// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "platform/qt/qtplatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// The server folders the command line names, as the file system's bytes.
struct StartFolders {
    std::optional<std::string> open;     // quorvel DIR
    std::optional<std::string> fallback; // quorvel --default-folder DIR
};

// Reads the command line; prints the usage and ends the program on --help (status 0) and on
// an unknown option or a second folder (status 2).
StartFolders startFolders(const QApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Answers questions about a Hotline file server's transfers."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption fallback(QStringLiteral("default-folder"),
                                      QStringLiteral("The server folder to use when none is remembered (it is "
                                                     "not remembered itself)."),
                                      QStringLiteral("DIR"));
    parser.addOption(fallback);
    parser.addPositionalArgument(QStringLiteral("DIR"),
                                 QStringLiteral("The server folder to use and remember; a file stands for the "
                                                "folder that holds it."),
                                 QStringLiteral("[DIR]"));
    if (!parser.parse(app.arguments()) || parser.positionalArguments().size() > 1) {
        const QString error =
            parser.errorText().isEmpty() ? QStringLiteral("give one server folder at most") : parser.errorText();
        std::fprintf(stderr, "quorvel: %s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
        std::exit(2);
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    const auto bytes = [](const QString& path) { return QFile::encodeName(path).toStdString(); };
    StartFolders folders;
    if (!parser.positionalArguments().isEmpty())
        folders.open = bytes(parser.positionalArguments().first());
    if (parser.isSet(fallback))
        folders.fallback = bytes(parser.value(fallback));
    return folders;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const StartFolders folders = startFolders(app);
    quorvel::gui::QtPlatform platform;
    quorvel::gui::Form1 form(platform, quorvel::FolderFile::ofThisProgram());
    platform.setOwner(&form);
    platform.setBrowseStart([&form] { return form.analyzer().state.serverfolder; });
    if (folders.open)
        form.openServerFolder(*folders.open);
    else if (folders.fallback)
        form.useDefaultFolder(*folders.fallback);
    form.show();
    return app.exec();
}
