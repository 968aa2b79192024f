#include "ui/TQvRichEdit.h"

#include "ui/QtColor.h"

#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

QString normaliseLineBreaks(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

TQvRichEdit::TQvRichEdit(QStackedWidget* stack, QPlainTextEdit* tempMemo, QWidget* parent)
    : QPlainTextEdit(parent), stack_(stack), tempMemo_(tempMemo)
{
    setObjectName(QStringLiteral("ReceiveWindow"));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

const QTextCharFormat& TQvRichEdit::formatFor(Color color)
{
    auto it = formats_.find(color);
    if (it == formats_.end()) {
        QTextCharFormat format;
        format.setForeground(toQColor(color));
        it = formats_.insert(color, format);
    }
    return *it;
}

void TQvRichEdit::insertText(const QString& text, Color color)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, formatFor(color));
}

void TQvRichEdit::appendLine(const QString& line)
{
    const QString body = normaliseLineBreaks(line);
    QString text;
    if (!document()->lastBlock().text().isEmpty())
        text += QLatin1Char('\n');
    text += body + QLatin1Char('\n');
    insertText(text, fontColor_);
    scrollToEnd();
}

void TQvRichEdit::setFontColor(Color color)
{
    fontColor_ = color;
}

void TQvRichEdit::clear()
{
    QPlainTextEdit::clear();
}

int TQvRichEdit::length() const
{
    return document()->characterCount() - 1;
}

void TQvRichEdit::trimFront(int count)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, count);
    cursor.removeSelectedText();
}

void TQvRichEdit::scrollToEnd()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TQvRichEdit::freezeCopy()
{
    tempMemo_->setPalette(palette());
    tempMemo_->setFont(font());
    tempMemo_->setPlainText(toPlainText());
    QTextCursor cursor = tempMemo_->textCursor();
    cursor.movePosition(QTextCursor::End);
    tempMemo_->setTextCursor(cursor);
    tempMemo_->verticalScrollBar()->setValue(tempMemo_->verticalScrollBar()->maximum());
}

void TQvRichEdit::setFrozenCopyInFront(bool inFront)
{
    QWidget* front = inFront ? static_cast<QWidget*>(tempMemo_) : this;
    if (stack_->currentWidget() != front)
        stack_->setCurrentWidget(front);
}
