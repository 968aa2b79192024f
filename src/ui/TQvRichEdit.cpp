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
    // A lone insertion is a block of its own, so the view follows the end the same way.
    beginBlock();
    // Positioned directly: a cursor move by kind (End) lays out the paragraph first.
    const int end = length();
    if (blockCursor_.position() != end)
        blockCursor_.setPosition(end);
    blockCursor_.insertText(text, formatFor(color));
    endBlock();
}

void TQvRichEdit::beginBlock()
{
    // One edit block: the document is laid out once at its end, not after each of the
    // many small coloured insertions. Blocks nest (a poll turn holds many blocks).
    if (blockDepth_++ > 0)
        return;
    QScrollBar* bar = verticalScrollBar();
    followEnd_ = bar->value() >= bar->maximum();
    blockCursor_ = QTextCursor(document());
    blockCursor_.beginEditBlock();
}

void TQvRichEdit::endBlock()
{
    if (blockDepth_ == 0 || --blockDepth_ > 0)
        return;
    blockCursor_.endEditBlock();
    blockCursor_ = QTextCursor();
    if (followEnd_)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
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
    tempMemo_->clear(); // the still copy goes with it
}

int TQvRichEdit::length() const
{
    return document()->characterCount() - 1;
}

QChar TQvRichEdit::lastCharacter() const
{
    const int size = length();
    if (size == 0)
        return {};
    const QChar last = document()->characterAt(size - 1);
    return last == QChar::ParagraphSeparator ? QChar(u'\n') : last;
}

void TQvRichEdit::removeLastCharacter()
{
    const int end = length();
    if (end == 0)
        return;
    QTextCursor cursor(document());
    cursor.setPosition(end - 1);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TQvRichEdit::trimFront(int count)
{
    // Positioning directly: moving by characters lays out every line on the way.
    QTextCursor cursor(document());
    cursor.setPosition(qBound(0, count, length()), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TQvRichEdit::scrollToEnd()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TQvRichEdit::caretToStart()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void TQvRichEdit::scrollPages(int pages)
{
    const auto action =
        pages < 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd;
    for (int i = 0; i < qAbs(pages); ++i)
        verticalScrollBar()->triggerAction(action);
}

void TQvRichEdit::scrollLines(int lines)
{
    const auto action =
        lines < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
    for (int i = 0; i < qAbs(lines); ++i)
        verticalScrollBar()->triggerAction(action);
}

int TQvRichEdit::scrollPosition() const
{
    return verticalScrollBar()->value();
}

void TQvRichEdit::setScrollPosition(int position)
{
    verticalScrollBar()->setValue(position);
}

QString TQvRichEdit::selectedText() const
{
    return plainSelection(textCursor());
}

QString plainSelection(const QTextCursor& cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
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
