#pragma once

// A menu entry's own shortcut wins over the menu bar's letter for the same key (Alt+H
// is Hard Disconnect, though "&Help" underlines its H). Qt would treat the two as
// ambiguous and do neither.

#include <QHash>
#include <QKeyCombination>
#include <QObject>
#include <QPointer>

class QAction;
class QMenuBar;
class QWidget;

class MenuShortcutPriority : public QObject {
    Q_OBJECT
public:
    // Watches the application's keys while `window` is the active window.
    explicit MenuShortcutPriority(QWidget* window);

    // Finds the entries below `menuBar` whose shortcut is a menu title's letter; again
    // whenever the titles change.
    void collect(QMenuBar* menuBar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool reachable(const QAction* action);

    QWidget* window_;
    QHash<QKeyCombination, QPointer<QAction>> claimed_;
};
