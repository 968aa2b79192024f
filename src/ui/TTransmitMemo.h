#pragma once

// The transmit window: the operator types here and each key goes to the controller
// through the core's key handler before the window shows it.

#include "app/View.h"

#include <QPlainTextEdit>
#include <functional>

class TTransmitMemo : public QPlainTextEdit, public TransmitView {
    Q_OBJECT
public:
    explicit TTransmitMemo(QWidget* parent = nullptr);

    void appendLine(const QString& line) override;
    QString text() const override;
    void clear() override;

    // The character code of a typed key (code page 437), as the core's handler takes it.
    std::function<void(quint8 key)> onKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The code a key event types: its text in code page 437, or the control code of
// Enter, Backspace, Tab and Escape; -1 when the key types nothing.
int typedCharacterCode(const QKeyEvent& event);
