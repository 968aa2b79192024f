#pragma once

// A throwaway station folder; the program is handed its path.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

class StationDir {
public:
    StationDir();
    StationDir(const StationDir&) = delete;
    StationDir& operator=(const StationDir&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // The shipped Orvanti.ini and language files.
    void copyShippedFiles() const;
    // The shipped settings with `edits` applied: each "Section/Key=Value" replaces or
    // adds that key; "Section/Key" alone removes it.
    void writeSettings(const QList<QByteArray>& edits) const;

private:
    QTemporaryDir dir_;
};

// The shipped Orvanti.ini with edits applied as above.
QByteArray shippedSettingsWith(const QList<QByteArray>& edits);
