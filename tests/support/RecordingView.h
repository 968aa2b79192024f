#pragma once

// The window as the core sees it, recorded: every named component's properties, the
// text of both text windows with the colour of each insertion, and the window state.

#include "app/View.h"

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
    int redraws = 0;
    int page = 0;
};

struct TextRun {
    QString text;
    Color color;
};

// ReceiveView and TransmitView share method names, so the transmit window is a member.
class RecordingView final : public View, public ReceiveView {
public:
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
    void setCursor(const QString& name, CursorShape shape) override;
    void redraw(const QString& name) override;
    void setCurrentPage(const QString& name, int index) override;
    void setWindowTitle(const QString& title) override { title_ = title; }
    void setWindowMaximized(bool maximized) override { maximized_ = maximized; }
    bool isWindowMaximized() const override { return maximized_; }
    void setHintsEnabled(bool enabled) override { hintsEnabled_ = enabled; }
    void showSplash() override { ++splashes_; }

    // ReceiveView
    void insertText(const QString& text, Color color) override;
    void appendLine(const QString& line) override;
    void setFontColor(Color color) override { fontColor_ = color; }
    void clear() override;
    int length() const override { return static_cast<int>(receiveText_.size()); }
    void trimFront(int count) override { receiveText_.remove(0, count); }
    void scrollToEnd() override { ++scrollsToEnd_; }
    void freezeCopy() override { frozenCopy_ = receiveText_; }
    void setFrozenCopyInFront(bool inFront) override { frozenInFront_ = inFront; }

    // State for assertions.
    const ComponentState& component(const QString& name) const;
    bool has(const QString& name) const { return components_.contains(name); }
    QString receiveText() const { return receiveText_; }
    const std::vector<TextRun>& receiveRuns() const { return runs_; }
    Color receiveFontColor() const { return fontColor_; }
    QString frozenCopy() const { return frozenCopy_; }
    bool frozenInFront() const { return frozenInFront_; }
    int scrollsToEnd() const { return scrollsToEnd_; }
    QString title() const { return title_; }
    bool hintsEnabled() const { return hintsEnabled_; }
    int splashes() const { return splashes_; }

    TransmitView& transmit() { return transmitView_; }
    QString transmitText() const { return transmitView_.content; }

private:
    struct TransmitRecorder final : TransmitView {
        void appendLine(const QString& line) override;
        QString text() const override { return content; }
        void clear() override { content.clear(); }
        QString content;
    };

    ComponentState& state(const QString& name) { return components_[name]; }

    QMap<QString, ComponentState> components_;
    QString receiveText_;
    std::vector<TextRun> runs_;
    Color fontColor_ = Colors::Black;
    QString frozenCopy_;
    bool frozenInFront_ = false;
    int scrollsToEnd_ = 0;
    QString title_;
    bool maximized_ = false;
    bool hintsEnabled_ = false;
    int splashes_ = 0;
    TransmitRecorder transmitView_;
};
