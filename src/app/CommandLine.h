#pragma once

// The program's command-line options.

#include <QString>
#include <QStringList>

struct CommandLineOptions {
    QString port;      // --port DEVICE: this run's device, not saved
    QString directory; // --dir DIR: the program folder
    bool demo = false; // --demo: run against the built-in simulator
    bool init = false; // --init: copy the shipped data files here
    bool help = false;
    bool version = false;
};

// Parses `arguments` (program name first). False with a message in *error for an
// unknown option or a missing value.
bool parseCommandLine(const QStringList& arguments, CommandLineOptions* options, QString* error);
QString commandLineHelp();
