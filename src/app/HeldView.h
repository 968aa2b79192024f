#pragma once

// A View that, while held, notes the components' property changes and passes each on
// once, with its last value, on release. A poll turn decodes many blocks, each with
// its status replies and status line: without this the panes would be recoloured and
// re-captioned hundreds of times for one paint. Changes reach the window in the order
// of their last setting, so a button group ends up as if every change had been made;
// anything that is not a property change (focus, pages, shown or hidden components,
// clipboard, the main window) first passes on what is noted, so it sees the window as
// the handlers left it.

#include "base/View.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <utility>

class HeldView final : public View {
public:
    explicit HeldView(View& target) : target_(target) {}

    // Holds nest; the outermost release passes on what was noted.
    void hold() { ++holds_; }
    void release();

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
    void setFrameLook(const QString& name, FrameLook look) override;
    void redraw(const QString& name) override;
    void setCurrentPage(const QString& name, int index) override;
    void setFocus(const QString& name) override;
    QString clipboardText() const override { return target_.clipboardText(); }
    bool clipboardHasText() const override { return target_.clipboardHasText(); }
    void setClipboardText(const QString& text) override;
    void setWindowTitle(const QString& title) override;
    void setWindowMaximized(bool maximized) override;
    bool isWindowMaximized() const override { return target_.isWindowMaximized(); }
    void setHintsEnabled(bool enabled) override;
    void showSplash() override;
    void closeWindow() override;

private:
    enum class Property : quint8 {
        Caption,
        Hint,
        Enabled,
        Checked,
        Fill,
        TextColor,
        FontName,
        FontSize,
        FontStyle,
        Cursor,
        Frame
    };
    struct Change {
        Property property;
        QString name;
        QString text;
        int value = 0;
        bool live = true;
    };
    using Key = std::pair<quint8, QString>;
    // Where in changes_ a property's last change is; for a button, its last check and
    // its last uncheck.
    struct Slot {
        qsizetype at = -1;
        qsizetype off = -1;
    };

    // False when not held: the caller passes the change on itself.
    bool note(Property property, const QString& name, const QString& text, int value = 0);
    // False when the change adds nothing; otherwise `slot` points at where it goes.
    bool noteChecked(Slot& slot, bool checked);
    void kill(qsizetype at);
    // Drops the superseded changes, or passes everything on when few are.
    void compact();
    void apply(const Change& change) const;
    // Passes on everything noted so far, redraws last. Const so that a question about
    // the window (isChecked) can be answered from the window itself.
    void passOn() const;

    View& target_;
    int holds_ = 0;
    mutable QList<Change> changes_;
    mutable QHash<Key, Slot> latest_;
    mutable QList<QString> redraws_;
    mutable QSet<QString> redrawNoted_;
    mutable qsizetype dead_ = 0;         // superseded entries in changes_
    mutable qsizetype lastChecked_ = -1; // the last button checked, in changes_
};
