#include "ui/MenuShortcutPriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

MenuShortcutPriority::MenuShortcutPriority(QWidget* window) : QObject(window), window_(window)
{
    qApp->installEventFilter(this);
}

void MenuShortcutPriority::collect(QMenuBar* menuBar)
{
    claimed_.clear();
    QList<QKeySequence> letters;
    for (QAction* title : menuBar->actions())
        letters.append(QKeySequence::mnemonic(title->text()));
    for (QAction* action : menuBar->findChildren<QAction*>()) {
        const QKeySequence shortcut = action->shortcut();
        if (shortcut.count() == 1 && letters.contains(shortcut))
            claimed_.insert(shortcut[0], action);
    }
}

bool MenuShortcutPriority::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || claimed_.isEmpty() ||
        QApplication::activeWindow() != window_)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QPointer<QAction> action = claimed_.value(key->keyCombination());
    if (!action)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Taken as a key press, so the shortcut map never sees the clash.
        event->accept();
        return true;
    }
    if (reachable(action))
        action->trigger();
    return true;
}

bool MenuShortcutPriority::reachable(const QAction* action)
{
    // As for any shortcut: not while the entry or a menu above it is off.
    if (!action->isEnabled() || !action->isVisible())
        return false;
    for (auto* menu = qobject_cast<QMenu*>(action->parent()); menu;
         menu = qobject_cast<QMenu*>(menu->parent())) {
        if (!menu->menuAction()->isEnabled() || !menu->menuAction()->isVisible())
            return false;
    }
    return true;
}
