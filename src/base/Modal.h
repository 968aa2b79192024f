#pragma once

// Everything that waits for the operator: message boxes, confirmations and the
// program's own modal dialogs. Production shows them; tests queue the answers.

#include "base/Color.h"

#include <QString>
#include <optional>

// The program's own modal windows that handlers open.
enum class Dialog {
    ComPort,
    About,
    WordWrap,
    AudioConfig,
    Connect,
    ListConnect,
    AutoCq,
    Yourcall,
    FileExists,
    Navtex,
    Amtex
};

// A font as the font dialog shows and returns it.
struct FontChoice {
    QString family;
    int points = 0;
    bool bold = false;
    bool italic = false;
    Color color = Colors::Black; // only when the dialog offered a colour

    // The settings' style code: 1 regular, 3 bold, 2 italic (even when bold), 4 both.
    int styleCode() const { return bold && italic ? 4 : italic ? 2 : bold ? 3 : 1; }
};

struct FontRequest {
    FontChoice start;
    int minPoints = 6;
    int maxPoints = 72;
    bool fixedPitchOnly = false;
    bool withColor = false;
    bool textWindow = false; // the font of a text window (it shows a fixed-pitch stand-in)
};

class Modal {
public:
    virtual ~Modal() = default;
    // A box with one OK button.
    virtual void message(const QString& caption, const QString& text) = 0;
    // OK and Cancel; true for OK.
    virtual bool confirm(const QString& caption, const QString& text) = 0;
    virtual void beep() = 0;
    // A one-line answer; Cancel answers `defaultText`.
    virtual QString inputBox(const QString& caption, const QString& prompt,
                             const QString& defaultText) = 0;
    // The file dialog: an existing file chosen in `folder` (a folder, or a file in it
    // to propose); empty for Cancel. `filter` lists name patterns as
    // "Text files (*.txt);;All files (*)".
    virtual QString openFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    // A file to write: `startPath` is offered, the file need not exist, and nothing is
    // asked about replacing it (the caller asks). Empty for Cancel.
    virtual QString saveFileName(const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;
    // The font dialog; nullopt for Cancel. The caller keeps the size within the request's
    // limits.
    virtual std::optional<FontChoice> chooseFont(const FontRequest& request) = 0;
    // The colour dialog, starting at `start`; nullopt for Cancel.
    virtual std::optional<Color> chooseColor(Color start) = 0;
    // Shows one of the program's own dialogs and returns when it closes.
    virtual void runDialog(Dialog dialog) = 0;
};
