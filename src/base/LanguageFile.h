#pragma once

// A language file ("Orvanti_" + code + ".ini") read once: the texts of every window's
// components by the index table, and the named message texts.

#include "base/LanguageTable.h"

#include <QByteArray>
#include <vector>

struct MessageTexts;

// A text the file gives one component; a null caption or hint leaves that one alone.
struct ComponentText {
    QLatin1StringView window;
    QLatin1StringView name;
    QString caption;
    QString hint;
};

// The component texts of the language last loaded, windows in load order. A component
// whose key the file lacks has no entry, so it keeps the text it shows.
struct WindowTexts {
    std::vector<ComponentText> components;
};

// Reads the window sections and the named texts of `languageCode` from the bytes of a
// language file. Only keys of the index table are read; anything else in the file is
// ignored.
void readLanguageFile(const QByteArray& bytes, const QString& languageCode, WindowTexts& windows,
                      MessageTexts& texts);
