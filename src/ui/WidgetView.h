#pragma once

// The core's View, carried out on the main window's components found by objectName:
// widgets, panels, menus and menu items. A name the window does not have is ignored
// and noted, so the tests can fail on a misspelt one. Setting a property to the value it already
// has does nothing, so handlers may set their whole state on every call.

#include "base/View.h"

#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <functional>

class QMainWindow;
class QObject;
class QWidget;

class WidgetView final : public View {
public:
    explicit WidgetView(QMainWindow* window);

    // Collects the named components below the window; call after building it.
    void indexComponents();
    // The names collected, sorted.
    QStringList componentNames() const;

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
    QString clipboardText() const override;
    bool clipboardHasText() const override { return clipboardHasText_; }
    void setClipboardText(const QString& text) override;

    void setWindowTitle(const QString& title) override;
    void setWindowMaximized(bool maximized) override;
    bool isWindowMaximized() const override;
    void setHintsEnabled(bool enabled) override;
    void showSplash() override;
    void closeWindow() override;

    // Components whose feature is not built yet: they stay disabled whatever the
    // handlers ask, so nothing offers work that does not happen.
    void setUnavailable(const QStringList& names);

    bool isUnavailable(const QString& name) const { return unavailable_.contains(name); }

    // Every name asked for in this process that no window had, in the order first asked.
    static const QStringList& missedNames();
    static void clearMissedNames();

    std::function<void()> onShowSplash;
    std::function<void(bool)> onHintsEnabled;

private:
    QObject* find(const QString& name) const;
    QWidget* findWidget(const QString& name) const;
    void applyFont(const QString& name, const QString& family, int points, int styleCode);

    // A setter changed what `object` shows; redraw paints only such components, so the
    // status line can be refreshed after every block at no cost when nothing changed.
    void changed(QObject* object) { dirty_.insert(object); }

    QMainWindow* window_;
    QHash<QString, QPointer<QObject>> components_;
    QSet<QObject*> dirty_;
    QSet<QString> unavailable_;
    static constexpr int SyncPaintIntervalMs = 100;
    QElapsedTimer sinceSyncPaint_;
    // Kept up to date from the clipboard's change signal: asking the clipboard itself
    // is a round trip to its owner on X11.
    bool clipboardHasText_ = false;
};

// Font sizes a window is given, whatever the settings say: below the least no text is
// readable, above the most a line holds a word or two.
inline constexpr int MinFontPoints = 6;
inline constexpr int MaxFontPoints = 72;
inline constexpr int KeepFontSize = -1;

// `font` with a font setting applied: `family` (empty keeps the font's; one this machine
// lacks gives the platform's fixed-pitch font for a text window, its general font
// otherwise), `points` (KeepFontSize keeps it; held to MinFontPoints..MaxFontPoints) and
// the style code (1..4; others keep the style).
QFont withFontSetting(QFont font, const QString& family, int points, int styleCode,
                      bool textWindow);

// The caption a component shows: a panel's, label's or button's text, a menu's title, an
// action's text; empty for anything else.
QString captionOf(QObject* object);
