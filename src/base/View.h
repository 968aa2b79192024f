#pragma once

// What the handlers may do to the window. Almost every visible effect is "set a property
// of a named component" (`Pane4`, `XOnLed`, `MenuComPort`, ...), so the core writes
// through names; the window resolves them by objectName and tests record them. The two
// text windows get interfaces of their own.

#include "base/Color.h"

#include <QString>

enum class CursorShape { Arrow, PointingHand, Hourglass };
// How a status pane's frame is drawn.
enum class FrameLook { Flat, Raised, Pressed };
enum class MouseButton { Left, Right, Middle };

class View {
public:
    virtual ~View() = default;

    virtual void setCaption(const QString& name, const QString& caption) = 0;
    virtual QString caption(const QString& name) const = 0;
    virtual void setHint(const QString& name, const QString& hint) = 0;
    virtual void setEnabled(const QString& name, bool enabled) = 0;
    virtual void setVisible(const QString& name, bool visible) = 0;
    virtual void setChecked(const QString& name, bool checked) = 0;
    virtual bool isChecked(const QString& name) const = 0;
    virtual void setFillColor(const QString& name, Color fill) = 0;
    virtual void setTextColor(const QString& name, Color text) = 0;
    virtual void setFontName(const QString& name, const QString& family) = 0;
    virtual void setFontSize(const QString& name, int points) = 0;
    // Style codes: 1 regular, 2 italic, 3 bold, 4 bold italic; others change nothing.
    virtual void setFontStyle(const QString& name, int styleCode) = 0;
    // Every toolbar button: the caption's font, and its colour when normal, with the
    // mouse over the button and while it is held down. The buttons repaint at once.
    virtual void setButtonFonts(const QString& family, int points, int styleCode, Color base,
                                Color flare, Color click) = 0;
    virtual void setCursor(const QString& name, CursorShape shape) = 0;
    virtual void setFrameLook(const QString& name, FrameLook look) = 0;
    // Paints the component now, even inside a long handler.
    virtual void redraw(const QString& name) = 0;
    // The page shown by a page control.
    virtual void setCurrentPage(const QString& name, int index) = 0;
    virtual void setFocus(const QString& name) = 0;

    // The system clipboard's text, and whether it holds any (cheap to ask often).
    virtual QString clipboardText() const = 0;
    virtual bool clipboardHasText() const = 0;
    virtual void setClipboardText(const QString& text) = 0;

    virtual void setWindowTitle(const QString& title) = 0;
    virtual void setWindowMaximized(bool maximized) = 0;
    virtual bool isWindowMaximized() const = 0;
    virtual void setHintsEnabled(bool enabled) = 0;
    virtual void showSplash() = 0;
    // Asks the main window to close, as its close button does.
    virtual void closeWindow() = 0;

    void setColors(const QString& name, Color fill, Color text)
    {
        setFillColor(name, fill);
        setTextColor(name, text);
    }
    // A lamp is red with white text or lime with black text.
    void setLamp(const QString& name, bool red)
    {
        setColors(name, red ? Colors::Red : Colors::Lime, red ? Colors::White : Colors::Black);
    }
};

// The receive window: text is added at its end as if typed at the caret.
class ReceiveView {
public:
    virtual ~ReceiveView() = default;
    virtual void insertText(const QString& text, Color color) = 0;
    // Edits between these two are laid out and painted as one (a decoded block).
    virtual void beginBlock() {}
    virtual void endBlock() {}
    // Adds `line` as a line of its own in the window's font colour.
    virtual void appendLine(const QString& line) = 0;
    virtual void setFontColor(Color color) = 0;
    virtual void clear() = 0;
    virtual int length() const = 0;
    // The last character of the text (a line break reads as '\n'); null when empty.
    virtual QChar lastCharacter() const = 0;
    virtual void removeLastCharacter() = 0;
    // Deletes the first `count` characters.
    virtual void trimFront(int count) = 0;
    // Caret to the end of the text, which scrolls there.
    virtual void scrollToEnd() = 0;
    virtual void caretToStart() = 0;
    // Scrolls by whole pages or lines; negative is up.
    virtual void scrollPages(int pages) = 0;
    virtual void scrollLines(int lines) = 0;
    // The vertical scroll position, in the window's own units.
    virtual int scrollPosition() const = 0;
    virtual void setScrollPosition(int position) = 0;
    virtual QString selectedText() const = 0;
    // The whole text, lines separated by '\n'.
    virtual QString plainText() const = 0;
    // Copies the window's text, colour and font into TempMemo (the still copy shown
    // while a menu is open).
    virtual void freezeCopy() = 0;
    // TempMemo in front of the receive window, or the receive window in front.
    virtual void setFrozenCopyInFront(bool inFront) = 0;
};

class TransmitView {
public:
    virtual ~TransmitView() = default;
    virtual void appendLine(const QString& line) = 0;
    virtual QString text() const = 0;
    virtual void clear() = 0;
    virtual QString selectedText() const = 0;
    // Inserts `text` at the caret, replacing a selection.
    virtual void insertAtCaret(const QString& text) = 0;
};
