#pragma once

// The program entry: command line, station folder, splash window, main window and
// dialogs, then the event loop.
int runOrvanti(int argc, char** argv);
