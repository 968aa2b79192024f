#include "app/CommandLine.h"

#include "base/Version.h"

#include <QCommandLineParser>

namespace {

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        ProgramName + QStringLiteral(" ") + ProgramVersion +
        QStringLiteral(" - terminal for the PTC family of HF data controllers.\n"
                       "Runs in the current folder, which holds Orvanti.ini and the "
                       "station's files."));
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Use DEVICE (for example /dev/ttyUSB0) for this run; "
                                     "the saved port stays as it is."),
                      QStringLiteral("DEVICE")});
    parser.addOption({QStringLiteral("dir"), QStringLiteral("Run with DIR as the program folder."),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("demo"),
                      QStringLiteral("Run against the built-in controller simulator in a "
                                     "fresh temporary station folder.")});
    parser.addOption({QStringLiteral("init"),
                      QStringLiteral("Copy the shipped settings and language files into the "
                                     "program folder (existing files are kept), then exit.")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QStringLiteral("Show this help and exit.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Show the version and exit.")});
}

} // namespace

bool parseCommandLine(const QStringList& arguments, CommandLineOptions* options, QString* error)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first();
        return false;
    }
    options->port = parser.value(QStringLiteral("port"));
    options->directory = parser.value(QStringLiteral("dir"));
    options->demo = parser.isSet(QStringLiteral("demo"));
    options->init = parser.isSet(QStringLiteral("init"));
    options->help = parser.isSet(QStringLiteral("help"));
    options->version = parser.isSet(QStringLiteral("version"));
    if (parser.isSet(QStringLiteral("port")) && options->port.isEmpty()) {
        *error = QStringLiteral("--port needs a device");
        return false;
    }
    if (options->demo && !options->port.isEmpty()) {
        *error = QStringLiteral("--demo brings its own port; leave out --port");
        return false;
    }
    return true;
}

QString commandLineHelp()
{
    QCommandLineParser parser;
    describe(parser);
    return parser.helpText();
}
