#include "ui/TQvRichEdit.h"

#include "base/ComponentNames.h"
#include "ui/QtColor.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// A catch-up this small (characters, runs of one colour, characters cut) is made at
// once: all ordinary traffic, well under a millisecond.
constexpr qsizetype AtOnceChars = 4096;
constexpr std::size_t AtOnceRuns = 128;
constexpr int AtOnceCut = 16384;
// A slice of a larger catch-up ends once it has taken this long.
constexpr qint64 SliceNs = 500'000;
// A slice cuts and inserts in pieces of this many characters, looking at the clock
// between them.
constexpr int CutPiece = 8192;
constexpr qsizetype InsertPiece = 1024;

} // namespace

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
    setObjectName(Name::ReceiveWindow);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    catchUpTimer_.setSingleShot(true);
    catchUpTimer_.setInterval(0);
    connect(&catchUpTimer_, &QTimer::timeout, this, [this] {
        if (applySome(SliceNs))
            finishCatchUp();
        else
            catchUpTimer_.start();
    });
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
    catchUp();
}

int TQvRichEdit::documentLength() const
{
    return document()->characterCount() - 1;
}

void TQvRichEdit::beginCatchUp()
{
    if (catchingUp_)
        return;
    catchingUp_ = true;
    QScrollBar* bar = verticalScrollBar();
    followEnd_ = bar->value() >= bar->maximum();
}

void TQvRichEdit::applyPending()
{
    owed_ = pendingLength();
    if (!catchingUp_ && owed_ == 0 && frontCut_ == 0 && !scrollToEndDue_)
        return;
    beginCatchUp();
    applySome(-1);
    finishCatchUp();
}

void TQvRichEdit::catchUp()
{
    owed_ = pendingLength();
    if (!catchingUp_ && owed_ <= AtOnceChars && runs_.size() <= AtOnceRuns &&
        frontCut_ <= AtOnceCut) {
        applyPending();
        return;
    }
    beginCatchUp();
    // Painted once at the end: the document in between is only partly there, and a
    // paint per slice would cost more than the slices.
    if (!paintHeld_) {
        paintHeld_ = true;
        holdPaint(true);
    }
    if (!catchUpTimer_.isActive())
        catchUpTimer_.start();
}

bool TQvRichEdit::applySome(qint64 budgetNs)
{
    QElapsedTimer slice;
    slice.start();
    const bool sliced = budgetNs >= 0;
    const auto spent = [&] { return sliced && slice.nsecsElapsed() >= budgetNs; };
    // The front is cut first: from then on the document holds the start of what it
    // will hold at the end. One edit block per slice: it is laid out once.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    while (frontCut_ > 0 && !spent()) {
        int cut = qMin(frontCut_, documentLength());
        if (sliced && cut > CutPiece) {
            cut = CutPiece;
            if (document()->characterAt(cut - 1).isHighSurrogate())
                ++cut;
        }
        if (cut <= 0) {
            frontCut_ = 0;
            break;
        }
        // Positioned directly: moving by characters lays out every line on the way.
        cursor.setPosition(0);
        cursor.setPosition(cut, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        frontCut_ -= cut;
    }
    if (frontCut_ == 0 && owed_ > 0 && !spent()) {
        // Positioned directly too: a cursor move by kind (End) lays out the paragraph.
        cursor.setPosition(documentLength());
        while (owed_ > 0 && !spent()) {
            Run& run = runs_.front();
            const QChar* text = pendingText_.constData() + pendingHead_;
            qsizetype n = qMin(run.length, owed_);
            if (sliced && n > InsertPiece) {
                n = InsertPiece;
                if (text[n - 1].isHighSurrogate())
                    ++n;
            }
            cursor.insertText(QString(text, n), formatFor(run.color));
            pendingHead_ += n;
            owed_ = qMax<qsizetype>(0, owed_ - n);
            run.length -= n;
            if (run.length == 0)
                runs_.pop_front();
        }
    }
    cursor.endEditBlock();
    dropTakenText();
    return frontCut_ == 0 && owed_ == 0;
}

void TQvRichEdit::finishCatchUp()
{
    catchUpTimer_.stop();
    catchingUp_ = false;
    if (scrollToEndDue_) {
        scrollToEndDue_ = false;
        followEnd_ = true;
        QTextCursor caret = textCursor();
        caret.movePosition(QTextCursor::End);
        setTextCursor(caret);
    }
    if (followEnd_) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    if (paintHeld_) {
        paintHeld_ = false;
        holdPaint(false);
    }
}

void TQvRichEdit::holdPaint(bool hold)
{
    // The text and its scroll bar only: holding the whole window (its frame and the
    // scroll bar's container too) has the scroll bar painted twice when it is let go.
    viewport()->setUpdatesEnabled(!hold);
    verticalScrollBar()->setUpdatesEnabled(!hold);
}

void TQvRichEdit::dropTakenText()
{
    // The taken text's room is given back now and then, not on every take.
    if (runs_.empty()) {
        pendingText_.truncate(0); // keeps its buffer for the next block
        pendingHead_ = 0;
    } else if (pendingHead_ > 4096 && pendingHead_ * 2 > pendingText_.size()) {
        pendingText_.remove(0, pendingHead_);
        pendingHead_ = 0;
    }
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
    owed_ = 0;
    scrollToEndDue_ = false;
    catchUpTimer_.stop();
    catchingUp_ = false;
    if (paintHeld_) {
        paintHeld_ = false;
        holdPaint(false);
    }
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
        owed_ = qMin(owed_, pendingLength());
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
        owed_ = qMax<qsizetype>(0, owed_ - taken);
        count -= static_cast<int>(taken);
    }
    dropTakenText();
    if (blockDepth_ == 0)
        catchUp();
}

void TQvRichEdit::scrollToEnd()
{
    scrollToEndDue_ = true;
    if (blockDepth_ == 0)
        catchUp();
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
    // The still copy keeps the traffic's colours: opening a menu must not grey it out.
    tempMemo_->clear();
    QTextCursor(tempMemo_->document()).insertFragment(QTextDocumentFragment(document()));
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
