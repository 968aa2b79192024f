#pragma once

// Checked whole-file reads and atomic replacement, with reasons an operator can act on.

#include <QByteArray>
#include <QString>

// True for an existing regular file (or a link to one). A FIFO or a device would block
// or never end when read, so the program's files must be regular.
bool isRegularFile(const QString& path);

// Reads the whole regular file; false with the reason in *error (when given).
bool readWholeFile(const QString& path, QByteArray* bytes, QString* error);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when
// every byte is on disk, so a crash or a full disk never leaves a damaged file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);
