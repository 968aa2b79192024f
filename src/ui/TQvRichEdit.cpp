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
    if (text.isEmpty())
        return;
    // A lone insertion is a block of its own, so the view follows the end the same way.
    beginBlock();
    pendingText_ += text;
    if (!runs_.empty() && runs_.back().color == color)
        runs_.back().length += text.size();
    else
        runs_.push_back({text.size(), color});
    endBlock();
}

void TQvRichEdit::beginBlock()
{
    ++blockDepth_;
}

void TQvRichEdit::endBlock()
{
    if (blockDepth_ == 0 || --blockDepth_ > 0)
        return;
    applyPending();
}

int TQvRichEdit::documentLength() const
{
    return document()->characterCount() - 1;
}

void TQvRichEdit::applyPending()
{
    if (runs_.empty() && frontCut_ == 0 && !scrollToEndDue_)
        return;
    QScrollBar* bar = verticalScrollBar();
    const bool followEnd = scrollToEndDue_ || bar->value() >= bar->maximum();
    // One edit block: the document is laid out once at its end, not after each of the
    // many small coloured insertions.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    if (frontCut_ > 0) {
        // Positioned directly: moving by characters lays out every line on the way.
        cursor.setPosition(qMin(frontCut_, documentLength()), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        frontCut_ = 0;
    }
    if (!runs_.empty()) {
        // Positioned directly too: a cursor move by kind (End) lays out the paragraph.
        cursor.setPosition(documentLength());
        const QChar* text = pendingText_.constData() + pendingHead_;
        for (const Run& run : runs_) {
            cursor.insertText(QString(text, run.length), formatFor(run.color));
            text += run.length;
        }
        runs_.clear();
    }
    pendingText_.truncate(0); // keeps its buffer for the next block
    pendingHead_ = 0;
    cursor.endEditBlock();
    if (scrollToEndDue_) {
        scrollToEndDue_ = false;
        QTextCursor caret = textCursor();
        caret.movePosition(QTextCursor::End);
        setTextCursor(caret);
    }
    if (followEnd)
        bar->setValue(bar->maximum());
}

void TQvRichEdit::appendLine(const QString& line)
{
    const QString body = normaliseLineBreaks(line);
    QString text;
    const QChar last = lastCharacter();
    if (!last.isNull() && last != QLatin1Char('\n'))
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
    runs_.clear();
    pendingText_.truncate(0);
    pendingHead_ = 0;
    frontCut_ = 0;
    scrollToEndDue_ = false;
    QPlainTextEdit::clear();
    tempMemo_->clear(); // the still copy goes with it
}

int TQvRichEdit::length() const
{
    return qMax(0, documentLength() - frontCut_) + static_cast<int>(pendingLength());
}

QChar TQvRichEdit::lastCharacter() const
{
    if (!runs_.empty())
        return pendingText_.back();
    const int size = documentLength();
    if (size - frontCut_ <= 0)
        return {};
    const QChar last = document()->characterAt(size - 1);
    return last == QChar::ParagraphSeparator ? QChar(u'\n') : last;
}

void TQvRichEdit::removeLastCharacter()
{
    if (!runs_.empty()) {
        pendingText_.chop(1);
        if (--runs_.back().length == 0)
            runs_.pop_back();
        return;
    }
    const int end = documentLength();
    if (end - frontCut_ <= 0)
        return;
    QTextCursor cursor(document());
    cursor.setPosition(end - 1);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TQvRichEdit::trimFront(int count)
{
    count = qBound(0, count, length());
    const int fromDocument = qMin(count, qMax(0, documentLength() - frontCut_));
    frontCut_ += fromDocument;
    count -= fromDocument;
    // What is cut from the noted text never reaches the document.
    while (count > 0) {
        Run& first = runs_.front();
        const qsizetype taken = qMin<qsizetype>(count, first.length);
        first.length -= taken;
        if (first.length == 0)
            runs_.pop_front();
        pendingHead_ += taken;
        count -= static_cast<int>(taken);
    }
    // The cut text's room is taken back now and then, not on every cut.
    if (runs_.empty()) {
        pendingText_.truncate(0);
        pendingHead_ = 0;
    } else if (pendingHead_ > 4096 && pendingHead_ * 2 > pendingText_.size()) {
        pendingText_.remove(0, pendingHead_);
        pendingHead_ = 0;
    }
    if (blockDepth_ == 0)
        applyPending();
}

void TQvRichEdit::scrollToEnd()
{
    scrollToEndDue_ = true;
    if (blockDepth_ == 0)
        applyPending();
}

void TQvRichEdit::caretToStart()
{
    applyPending();
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void TQvRichEdit::scrollPages(int pages)
{
    applyPending();
    const auto action =
        pages < 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd;
    for (int i = 0; i < qAbs(pages); ++i)
        verticalScrollBar()->triggerAction(action);
}

void TQvRichEdit::scrollLines(int lines)
{
    applyPending();
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
    applyPending();
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
    applyPending();
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
