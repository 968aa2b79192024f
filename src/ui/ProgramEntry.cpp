#include "ui/ProgramEntry.h"

#include "app/CommandLine.h"
#include "app/StationFolder.h"
#include "app/dialogs/TSplashForm.h"
#include "base/FileIo.h"
#include "base/Settings.h"
#include "base/Version.h"
#include "ui/HintPolicy.h"
#include "ui/THoofdForm.h"

#include "PtySimulator.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

void printLine(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int initialiseFolder(const QString& stationFolder)
{
    CopyReport report;
    QString error;
    if (!copyShippedFiles(stationFolder, &report, &error)) {
        printLine(stderr, QStringLiteral("orvanti: ") + error);
        return 1;
    }
    for (const QString& name : report.copied)
        printLine(stdout, QStringLiteral("copied ") + name);
    for (const QString& name : report.kept)
        printLine(stdout, QStringLiteral("kept   ") + name + QStringLiteral(" (already here)"));
    return 0;
}

// The demo runs in a throwaway station folder against the simulator on a
// pseudo-terminal, served from a thread of its own.
struct Demo {
    std::unique_ptr<QTemporaryDir> folder; // made only for a demo run
    std::unique_ptr<ptcsim::PtySimulator> simulator;
};

bool startDemo(Demo& demo, QString* device, QString* stationFolder, QString* error)
{
    demo.folder = std::make_unique<QTemporaryDir>();
    if (!demo.folder->isValid()) {
        *error = QStringLiteral("cannot create a temporary folder: ") + demo.folder->errorString();
        return false;
    }
    CopyReport report;
    if (!copyShippedFiles(demo.folder->path(), &report, error))
        return false;
    ptcsim::Options options;
    options.model = ptcsim::Model::II;
    demo.simulator = std::make_unique<ptcsim::PtySimulator>(options);
    std::string reason;
    if (!demo.simulator->open(&reason)) {
        *error = QStringLiteral("cannot start the simulator: ") + QString::fromStdString(reason);
        return false;
    }
    demo.simulator->start();
    *device = QString::fromStdString(demo.simulator->devicePath());
    *stationFolder = demo.folder->path();
    QDir::setCurrent(*stationFolder); // for whatever the operator starts from here
    return true;
}

// Answers --help, --version and --init (and refuses bad options) without a display,
// and settles the station folder: --dir, else the current folder. Returns -1 when the
// program is to start its window.
int runWithoutWindow(const CommandLineOptions& options, QString* stationFolder)
{
    if (options.help) {
        printLine(stdout, commandLineHelp());
        return 0;
    }
    if (options.version) {
        printLine(stdout, ProgramName + QLatin1Char(' ') + ProgramVersion);
        return 0;
    }
    if (!options.directory.isEmpty() && !QDir::setCurrent(options.directory)) {
        printLine(stderr, QStringLiteral("orvanti: cannot use the folder ") + options.directory);
        return 1;
    }
    *stationFolder = QDir::currentPath();
    if (options.init)
        return initialiseFolder(*stationFolder);
    return -1;
}

bool parseOrReport(const QStringList& arguments, CommandLineOptions* options)
{
    QString error;
    if (parseCommandLine(arguments, options, &error))
        return true;
    printLine(stderr, QStringLiteral("orvanti: ") + error);
    printLine(stderr, commandLineHelp());
    return false;
}

} // namespace

int runOrvanti(int argc, char** argv)
{
    // The options that need no window are answered before any display is opened;
    // otherwise QApplication first takes its own options (-platform, -style, ...).
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));
    const QStringList windowless = {QStringLiteral("--help"), QStringLiteral("-h"),
                                    QStringLiteral("--version"), QStringLiteral("-v"),
                                    QStringLiteral("--init")};
    CommandLineOptions options;
    QString stationFolder;
    const bool needsNoWindow =
        std::any_of(rawArguments.begin() + 1, rawArguments.end(),
                    [&](const QString& a) { return windowless.contains(a); });
    if (needsNoWindow) {
        if (!parseOrReport(rawArguments, &options))
            return 2;
        return runWithoutWindow(options, &stationFolder);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramName);
    QApplication::setApplicationVersion(ProgramVersion);
    if (!parseOrReport(QApplication::arguments(), &options))
        return 2;
    if (const int status = runWithoutWindow(options, &stationFolder); status >= 0)
        return status;

    Demo demo;
    QString port = options.port;
    QString error;
    if (options.demo && !startDemo(demo, &port, &stationFolder, &error)) {
        printLine(stderr, QStringLiteral("orvanti: ") + error);
        return 1;
    }

    HintPolicy hints;
    hints.install();

    TSplashForm splash;
    splash.showNow();
    if (!isRegularFile(QDir(stationFolder).filePath(SettingsFileName))) {
        QMessageBox::warning(&splash, QStringLiteral("Warning"),
                             settingsMissingText(stationFolder));
        return 1;
    }

    MainWindowOptions windowOptions;
    windowOptions.stationFolder = stationFolder;
    windowOptions.portOverride = port;
    windowOptions.hints = &hints;
    THoofdForm mainWindow(windowOptions);
    if (mainWindow.createResult() == CreateResult::SettingsMissing)
        return 1;
    mainWindow.createDialogs();
    splash.close();
    mainWindow.show();
    return QApplication::exec();
}
