#pragma once

// The transmit window: the operator types here and each key goes to the controller
// through the core's key handler before the window shows it.

#include "base/View.h"

#include <QPlainTextEdit>
#include <functional>

class TTransmitMemo : public QPlainTextEdit, public TransmitView {
    Q_OBJECT
public:
    explicit TTransmitMemo(QWidget* parent = nullptr);

    void appendLine(const QString& line) override;
    QString text() const override;
    void clear() override;
    QString selectedText() const override;
    void insertAtCaret(const QString& text) override;

    // A key goes first to onKeyDown, which says whether it was a command key (that
    // types nothing), then as its character code (code page 437) to onKeyPress.
    std::function<bool(int key, Qt::KeyboardModifiers modifiers)> onKeyDown;
    std::function<void(quint8 key)> onKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // Every paste and drop into the window: Ctrl+V, Shift+Insert, the middle button.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

// The code a key event types: its text in code page 437, the control code of Enter,
// Backspace, Tab and Escape, or of Ctrl with a letter or one of @ [ \ ] ^ _; -1 when
// the key types nothing.
int typedCharacterCode(const QKeyEvent& event);
