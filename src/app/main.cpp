// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "platform/qt/qtplatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// The options QApplication takes out of the command line before the program would see them:
// those of QGuiApplication and QApplication, and those of the X11 platform. The command line
// is read before there is a QApplication (so that it is answered without a display), so they
// are named here: hidden from --help, listed by --help-all, and left to Qt.
struct QtOption {
    const char* name;
    const char* value; // nullptr: the option takes none
    const char* description;
};

constexpr QtOption qtOptions[] = {
    {"platform", "platformName[:options]", "The platform plugin (xcb, wayland, offscreen), with its options."},
    {"platformpluginpath", "path", "The folder that holds the platform plugins."},
    {"platformtheme", "theme", "The platform theme."},
    {"plugin", "plugin", "An additional plugin to load; may be given more than once."},
    {"qwindowgeometry", "geometry", "The main window's size and place, as X11 writes them (600x400+50+50)."},
    {"qwindowicon", "icon", "The windows' icon."},
    {"qwindowtitle", "title", "The main window's title."},
    {"reverse", nullptr, "Lays the windows out from right to left."},
    {"session", "session", "Restores the program from an earlier session."},
    {"style", "style", "The widget style (Fusion, Windows)."},
    {"stylesheet", "file", "A Qt style sheet for the widgets."},
    {"widgetcount", nullptr, "Prints how many widgets were left at the end."},
    {"display", "display", "The X11 display, in place of $DISPLAY."},
    {"geometry", "geometry", "The same as --qwindowgeometry (X11)."},
    {"title", "title", "The same as --qwindowtitle (X11)."},
    {"icon", "icon", "The same as --qwindowicon (X11)."},
    {"name", "name", "The program's instance name (X11)."},
    {"visual", "id", "The X11 visual to use."},
    {"nograb", nullptr, "Never grabs the mouse (X11)."},
    {"dograb", nullptr, "Grabs the mouse even under a debugger (X11)."},
};

// The server folders the command line names, as the file system's bytes.
struct StartFolders {
    std::optional<std::string> open;     // quorvel DIR
    std::optional<std::string> fallback; // quorvel --default-folder DIR
};

// The program's options and Qt's; Qt's are listed in the help only when qtShown. A single dash
// starts a long option, as Qt writes its own ("-platform offscreen").
void describeOptions(QCommandLineParser& parser, bool qtShown)
{
    parser.setApplicationDescription(QStringLiteral("Answers questions about a Hotline file server's transfers."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(QStringLiteral("default-folder"),
                                        QStringLiteral("The server folder to use when none is remembered (it is "
                                                       "not remembered itself)."),
                                        QStringLiteral("DIR")));
    for (const QtOption& qt : qtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString::fromLatin1(qt.description),
                                  qt.value ? QString::fromLatin1(qt.value) : QString());
        if (!qtShown)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("DIR"),
                                 QStringLiteral("The server folder to use and remember; a file stands for the "
                                                "folder that holds it."),
                                 QStringLiteral("[DIR]"));
}

// Prints text on standard output and ends the program: status 0, or 1 after saying why when
// the text could not be written (a full disk, a closed pipe).
[[noreturn]] void printAndExit(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
                             static_cast<std::size_t>(bytes.size()) &&
                         std::fflush(stdout) == 0;
    if (written)
        std::exit(0);
    const int error = errno;
    std::fprintf(stderr, "quorvel: cannot write the output%s%s\n", error ? ": " : "",
                 error ? std::strerror(error) : "");
    std::exit(1);
}

// Reads the command line before any display is needed, so that a terminal without one gets
// every answer: prints the help (--help; --help-all with Qt's options too) or the version and
// ends the program (see printAndExit); ends it with status 2 after saying why on an unknown
// option, a missing value or a second folder.
StartFolders startFolders(int& argc, char* argv[])
{
    const QCoreApplication reader(argc, argv);
    QCommandLineParser parser;
    describeOptions(parser, false);
    if (!parser.parse(reader.arguments()) || parser.positionalArguments().size() > 1) {
        const QString error =
            parser.errorText().isEmpty() ? QStringLiteral("give one server folder at most") : parser.errorText();
        std::fprintf(stderr, "quorvel: %s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
        std::exit(2);
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser all;
        describeOptions(all, true);
        printAndExit(all.helpText());
    }
    if (parser.isSet(QStringLiteral("help")))
        printAndExit(parser.helpText());
    if (parser.isSet(QStringLiteral("version")))
        printAndExit(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');
    const auto bytes = [](const QString& path) { return QFile::encodeName(path).toStdString(); };
    StartFolders folders;
    if (!parser.positionalArguments().isEmpty())
        folders.open = bytes(parser.positionalArguments().first());
    if (parser.isSet(QStringLiteral("default-folder")))
        folders.fallback = bytes(parser.value(QStringLiteral("default-folder")));
    return folders;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    const StartFolders folders = startFolders(argc, argv);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
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
