#include "base/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool isRegularFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

bool readWholeFile(const QString& path, QByteArray* bytes, QString* error)
{
    if (!isRegularFile(path)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: it is not a regular file").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, size limit) shows in write()'s result:
    // a buffered QSaveFile can report success for a file that was cut short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: only %2 of %3 bytes were written "
                                    "(is the disk full?)")
                         .arg(path)
                         .arg(qMax<qint64>(written, 0))
                         .arg(bytes.size());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
