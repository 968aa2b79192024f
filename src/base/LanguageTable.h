#pragma once

// Which component each key of a language file's window sections names. The keys are the
// component's place in its window, counted from 0 as the window lists its components;
// this table is the one place those numbers live. The loader reads by it, the windows
// are checked against it, and the shipped language files are checked against it.

#include <QLatin1StringView>
#include <QString>
#include <span>

// What a key's value sets on its component.
enum class TextKind : quint8 {
    Unused,           // read, but the component takes no text
    CaptionHint,      // "caption/hint": the caption, and the hint cut to 50
    Caption,          // the caption, cut to 50; a "/" is part of it
    Hint,             // "caption/hint": only the hint, cut to 50 (status panes)
    StateCaptionHint, // as CaptionHint, but the caption shows the program's state: only the
                      // hint is taken
    StateOwned,       // the program sets caption and hint from its state: nothing taken
};

struct TextComponent {
    int key;
    QLatin1StringView name;
    TextKind kind;
};

struct TextSection {
    QLatin1StringView stem;   // the section is this stem followed by the language code
    QLatin1StringView window; // objectName of the window holding the components
    std::span<const TextComponent> components;
};

// The main window's object name.
inline constexpr QLatin1StringView MainWindowName{"HoofdForm"};

// Every window section, the main window's first, then the dialogs in the order they load.
std::span<const TextSection> textSections();

// A value split as `kind` takes it: a null caption or hint is left as the component has it.
struct SplitText {
    QString caption;
    QString hint;
};
SplitText splitText(TextKind kind, const QString& value);

// Longest caption of a caption-only value, and longest hint.
inline constexpr int MaxTextLength = 50;
