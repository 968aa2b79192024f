#pragma once

// The window shown while the program starts and while it shuts down.

#include <QWidget>

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);
    // Shows the window and paints it at once (the caller is about to block). Runs
    // pending window events: stop timers that must not fire first.
    void showNow();
};
