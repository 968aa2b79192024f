#pragma once

// The main window's named actions: the objectName of a menu item, a toolbar button or
// a pop-up item, and what it does. The window connects each component it builds by its
// name; what an action does is decided here and in the subsystems.

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class OrvantiCore;

class ActionTable {
public:
    using Handler = std::function<void()>;

    // A second handler for a name replaces the first.
    void add(const QString& name, Handler handler);
    bool contains(const QString& name) const { return handlers_.contains(name); }
    // Runs the action named `name`; false when there is none.
    bool run(const QString& name) const;
    // Sorted.
    QStringList names() const;

private:
    QHash<QString, Handler> handlers_;
};

// Every named action of the main window, on `core`'s subsystems.
void fillActionTable(ActionTable& table, OrvantiCore& core);
