#pragma once

// The window as the core sees it, recorded: every named component's properties, the
// text of both text windows with the colour of each insertion, and the window state.

#include "base/View.h"

#include <QMap>
#include <QString>
#include <vector>

struct ComponentState {
    QString caption;
    QString hint;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    Color fill = -1;
    Color text = -1;
    QString fontName;
    int fontSize = 0;
    int fontStyle = 0;
    CursorShape cursor = CursorShape::Arrow;
    FrameLook frame = FrameLook::Flat;
    int redraws = 0;
    int page = 0;
};

// What every toolbar button was given last.
struct ButtonFonts {
    QString family;
    int points = 0;
    int styleCode = 0;
    Color base = -1;
    Color flare = -1;
    Color click = -1;
    int changes = 0;
};

struct TextRun {
    QString text;
    Color color;
};

// ReceiveView and TransmitView share method names, so the transmit window is a member.
class RecordingView final : public View, public ReceiveView {
public:
    // Fails the test when a component name was used that ComponentNames.h lacks (a GUI
    // test keeps that list equal to the real window's).
    ~RecordingView() override;

    // View
    void setCaption(const QString& name, const QString& caption) override;
    QString caption(const QString& name) const override;
    void setHint(const QString& name, const QString& hint) override;
    void setEnabled(const QString& name, bool enabled) override;
    void setVisible(const QString& name, bool visible) override;
    void setChecked(const QString& name, bool checked) override;
    bool isChecked(const QString& name) const override;
    void setFillColor(const QString& name, Color fill) override;
    void setTextColor(const QString& name, Color text) override;
    void setFontName(const QString& name, const QString& family) override;
    void setFontSize(const QString& name, int points) override;
    void setFontStyle(const QString& name, int styleCode) override;
    void setButtonFonts(const QString& family, int points, int styleCode, Color base, Color flare,
                        Color click) override;
    void setCursor(const QString& name, CursorShape shape) override;
    void setFrameLook(const QString& name, FrameLook look) override { state(name).frame = look; }
    void redraw(const QString& name) override;
    void setCurrentPage(const QString& name, int index) override;
    void setFocus(const QString& name) override { focus_ = name; }
    QString clipboardText() const override { return clipboard_; }
    bool clipboardHasText() const override { return !clipboard_.isEmpty(); }
    void setClipboardText(const QString& text) override { clipboard_ = text; }
    void setWindowTitle(const QString& title) override { title_ = title; }
    void setWindowMaximized(bool maximized) override { maximized_ = maximized; }
    bool isWindowMaximized() const override { return maximized_; }
    void setHintsEnabled(bool enabled) override { hintsEnabled_ = enabled; }
    void showSplash() override { ++splashes_; }
    void closeWindow() override { ++closeRequests_; }

    // ReceiveView
    void insertText(const QString& text, Color color) override;
    void appendLine(const QString& line) override;
    void setFontColor(Color color) override { fontColor_ = color; }
    void clear() override;
    int length() const override { return static_cast<int>(receiveText_.size()); }
    QChar lastCharacter() const override;
    void removeLastCharacter() override;
    void trimFront(int count) override;
    void scrollToEnd() override;
    void caretToStart() override { scrollPosition_ = 0; }
    void scrollPages(int pages) override
    {
        scrollPosition_ = qMax(0, scrollPosition_ + 10 * pages);
    }
    void scrollLines(int lines) override { scrollPosition_ = qMax(0, scrollPosition_ + lines); }
    int scrollPosition() const override { return scrollPosition_; }
    void setScrollPosition(int position) override { scrollPosition_ = position; }
    QString selectedText() const override { return receiveSelection; }
    QString plainText() const override { return receiveText_; }
    void freezeCopy() override { frozenCopy_ = receiveText_; }
    void setFrozenCopyInFront(bool inFront) override { frozenInFront_ = inFront; }

    // State for assertions.
    // Everything recorded, as text: equal for two views that saw the same effects.
    QString describe() const;
    const ComponentState& component(const QString& name) const;
    bool has(const QString& name) const { return components_.contains(name); }
    QString receiveText() const { return receiveText_; }
    // The receive window's text as runs of one colour each.
    std::vector<TextRun> receiveRuns() const;
    QString focus() const { return focus_; }
    const ButtonFonts& buttonFonts() const { return buttonFonts_; }
    Color receiveFontColor() const { return fontColor_; }
    QString frozenCopy() const { return frozenCopy_; }
    QString title() const { return title_; }
    bool hintsEnabled() const { return hintsEnabled_; }
    int splashes() const { return splashes_; }

    TransmitView& transmit() { return transmitView_; }
    QString transmitText() const { return transmitView_.content; }
    void setTransmitSelection(const QString& text) { transmitView_.selection = text; }

    // The receive window's selection, as the tests make it; its scroll position is in
    // lines, a page being 10, and the end of the text is line receiveLines().
    QString receiveSelection;
    int receiveLines() const { return static_cast<int>(receiveText_.count(QLatin1Char('\n'))); }

private:
    struct TransmitRecorder final : TransmitView {
        void appendLine(const QString& line) override;
        QString text() const override { return content; }
        void clear() override { content.clear(); }
        QString selectedText() const override { return selection; }
        void insertAtCaret(const QString& text) override { content += text; }
        QString content;
        QString selection;
    };

    ComponentState& state(const QString& name)
    {
        noteName(name);
        return components_[name];
    }
    void noteName(const QString& name) const;

    QMap<QString, ComponentState> components_;
    QString receiveText_;
    std::vector<Color> colors_; // one per character of receiveText_
    int scrollPosition_ = 0;
    QString focus_;
    QString clipboard_;
    Color fontColor_ = Colors::Black;
    QString frozenCopy_;
    bool frozenInFront_ = false;
    int scrollsToEnd_ = 0;
    QString title_;
    bool maximized_ = false;
    bool hintsEnabled_ = false;
    int splashes_ = 0;
    int closeRequests_ = 0;
    TransmitRecorder transmitView_;
    ButtonFonts buttonFonts_;
    mutable QStringList unknownNames_;
};
