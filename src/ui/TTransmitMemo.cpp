#include "ui/TTransmitMemo.h"

#include "link/Cp437.h"

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
    const QString text = event.text();
    if (text.size() != 1)
        return -1;
    return static_cast<quint8>(Cp437::encodeChar(text[0]));
}

void TTransmitMemo::keyPressEvent(QKeyEvent* event)
{
    const int code = typedCharacterCode(*event);
    if (code >= 0 && onKeyPress)
        onKeyPress(static_cast<quint8>(code));
    // Control characters are sent, not shown.
    if (code >= 0 && code < 32 && code != 13 && code != 8 && code != 9)
        return;
    QPlainTextEdit::keyPressEvent(event);
}
