#pragma once

// Help > Help (F1): the help of the chosen language, an HTML file shown by the
// desktop's web browser. A copy the operator keeps in the station folder (a translation,
// say) comes first; otherwise the copy built into the program is written to a cache
// folder and shown from there, afresh each time, so it always describes the program
// that runs.

#include <QString>
#include <functional>

class StatusDisplay;
struct MessageTexts;
struct Settings;
struct Station;

// The help file of LanguageIndex 1..9: "Zavid_EN.html" for English, Italian and
// Spanish, the language's own for German, Dutch, French and Portuguese; empty for
// Swedish, Norwegian and none.
QString helpFileName(int languageIndex);

class HelpMenu {
public:
    HelpMenu(Station& station, const Settings& settings, const MessageTexts& texts,
             StatusDisplay& status);

    // Shows a local file in the desktop's viewer; false when nothing took it. The window
    // sets it: the desktop's services are not the core's.
    std::function<bool(const QString& path)> openDocument;
    // Where the built-in help is written for the viewer.
    QString cacheFolder;
    // Where the built-in help files are.
    QString builtInFolder = QStringLiteral(":/data/help");

    void Help1Click();

private:
    // The file to show; empty once the operator has been told why there is none.
    QString helpFilePath();

    Station& station_;
    const Settings& settings_;
    const MessageTexts& texts_;
    StatusDisplay& status_;
};
