#pragma once

// A profile (ini) file in memory: sections of key=value lines, names matched without
// regard to case. Saving keeps every key, section and comment that was loaded, so the
// program only ever changes the keys it writes.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class ProfileFile {
public:
    ProfileFile();
    ~ProfileFile();
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    void load(QByteArray bytes);
    // The value with surrounding blanks removed; nothing when the key is absent.
    std::optional<QString> value(const char* section, const char* key) const;
    void setValue(const char* section, const char* key, const QString& value);
    QByteArray save() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
