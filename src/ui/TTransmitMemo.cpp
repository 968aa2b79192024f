#include "ui/TTransmitMemo.h"

#include "link/Cp437.h"
#include "ui/TQvRichEdit.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

TTransmitMemo::TTransmitMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("TransmitWindow"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    setUndoRedoEnabled(false);
}

void TTransmitMemo::appendLine(const QString& line)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QString text;
    if (!document()->lastBlock().text().isEmpty())
        text += QLatin1Char('\n');
    text += line + QLatin1Char('\n');
    cursor.insertText(text);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QString TTransmitMemo::text() const
{
    return toPlainText();
}

void TTransmitMemo::clear()
{
    QPlainTextEdit::clear();
}

QString TTransmitMemo::selectedText() const
{
    return plainSelection(textCursor());
}

void TTransmitMemo::insertAtCaret(const QString& text)
{
    insertPlainText(text);
}

int typedCharacterCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (modifiers == Qt::ControlModifier) {
        const int key = event.key();
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return key - Qt::Key_A + 1;
        if (key >= Qt::Key_At && key <= Qt::Key_Underscore)
            return key - Qt::Key_At;
    }
    const QString text = event.text();
    if (text.size() != 1)
        return -1;
    return static_cast<quint8>(Cp437::encodeChar(text[0]));
}

void TTransmitMemo::keyPressEvent(QKeyEvent* event)
{
    if (onKeyDown && onKeyDown(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    const int code = typedCharacterCode(*event);
    // Enter on a selection sends the selection; the window keeps it.
    const bool enterOnSelection = code == 13 && textCursor().hasSelection();
    if (code >= 0 && onKeyPress)
        onKeyPress(static_cast<quint8>(code));
    if (enterOnSelection) {
        event->accept();
        return;
    }
    // Control characters are not shown (the window does not insert them), but the
    // window's own keys, Ctrl+C and Ctrl+V among them, still work.
    QPlainTextEdit::keyPressEvent(event);
}
