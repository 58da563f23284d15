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
#include <string_view>

namespace {

// The server folders the command line names, as the file system's bytes.
struct StartFolders {
    std::optional<std::string> open;     // quorvel DIR
    std::optional<std::string> fallback; // quorvel --default-folder DIR
};

// Reads the command line; prints the usage or the version and ends the program on --help and
// --version (status 0) and on an unknown option or a second folder (status 2).
StartFolders startFolders(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Answers questions about a Hotline file server's transfers."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
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
    if (parser.isSet(version))
        parser.showVersion();
    const auto bytes = [](const QString& path) { return QFile::encodeName(path).toStdString(); };
    StartFolders folders;
    if (!parser.positionalArguments().isEmpty())
        folders.open = bytes(parser.positionalArguments().first());
    if (parser.isSet(fallback))
        folders.fallback = bytes(parser.value(fallback));
    return folders;
}

// Whether the command line holds an option that only prints: --help or --version.
bool asksToPrint(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i)
        for (const std::string_view option : {"-h", "-?", "--help", "-v", "--version"})
            if (argv[i] == option)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    // Help and version are answered before any display is needed, so that they work on a
    // terminal without one. An option taken for one there ("--default-folder -v") leads on.
    if (asksToPrint(argc, argv)) {
        const QCoreApplication printer(argc, argv);
        startFolders(printer);
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
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
