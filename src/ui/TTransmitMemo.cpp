#include "ui/TTransmitMemo.h"

#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "ui/TQvRichEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

TTransmitMemo::TTransmitMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(Name::TransmitWindow);
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
    // Alt and Meta combinations are menu and window keys, not characters.
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return -1;
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
    case Qt::Key_Delete:
        return -1; // edits the window only; the controller has no forward delete
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
    if (text.size() != 1 || text[0] == QChar(0x7f))
        return -1;
    return static_cast<quint8>(Cp437::encodeChar(text[0]));
}

namespace {

// The edit keys with which the window would show something other than what went to
// the controller: the controller knows no select-all, word deletion or cut.
bool editsUnlikeTheController(QKeyEvent* event)
{
    return event->matches(QKeySequence::SelectAll) ||
           event->matches(QKeySequence::DeleteStartOfWord) ||
           event->matches(QKeySequence::DeleteEndOfWord) ||
           event->matches(QKeySequence::DeleteCompleteLine) ||
           event->matches(QKeySequence::DeleteEndOfLine) || event->matches(QKeySequence::Cut);
}

} // namespace

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
    if (code == 8 && event->modifiers() != Qt::NoModifier) {
        // One backspace went out, so one character goes from the window.
        QKeyEvent plain(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, event->text());
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    if (enterOnSelection || editsUnlikeTheController(event)) {
        event->accept();
        return;
    }
    // Control characters are not shown (the window does not insert them), but the
    // window's own keys, Ctrl+C and Ctrl+V among them, still work.
    QPlainTextEdit::keyPressEvent(event);
}

void TTransmitMemo::inputMethodEvent(QInputMethodEvent* event)
{
    // Dead keys and compose sequences arrive here rather than as key presses.
    if (onKeyPress) {
        for (QChar c : event->commitString())
            onKeyPress(static_cast<quint8>(Cp437::encodeChar(c)));
    }
    QPlainTextEdit::inputMethodEvent(event);
}

namespace {

// The text a paste or drop offers; empty when it offers none. An X clipboard or
// selection that no program owns comes as data without a single format, and Qt 6.4's
// own insertion reads the first format unchecked, so only the text is taken from it.
QString offeredText(const QMimeData* source)
{
    if (!source || !source->hasText())
        return {};
    return source->text();
}

} // namespace

bool TTransmitMemo::canInsertFromMimeData(const QMimeData* source) const
{
    return !isReadOnly() && !offeredText(source).isEmpty();
}

void TTransmitMemo::insertFromMimeData(const QMimeData* source)
{
    // Pasted text is only shown; it goes out when typed keys or Enter on it send it.
    const QString text = offeredText(source);
    if (isReadOnly() || text.isEmpty())
        return;
    insertPlainText(text);
    ensureCursorVisible();
}
