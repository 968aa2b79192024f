#pragma once

// The receive window: read-only text that grows at its end in per-insertion colours,
// with the still copy `TempMemo` stacked behind it for while a menu is open.
//
// Inside a block, insertions and front trims are only noted and reach the document at
// the block's end (or when something needs the document itself): under a flood most
// text is trimmed away again before it would ever be shown, and the document is by far
// the most expensive place to put it. A large catch-up (a flood's whole window of text)
// is made in slices of well under a millisecond, one per turn of the event loop, so
// keys still go out between them; the window is not painted until it is done.

#include "base/View.h"

#include <QHash>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTimer>
#include <deque>

class QStackedWidget;

class TQvRichEdit : public QPlainTextEdit, public ReceiveView {
    Q_OBJECT
public:
    // `tempMemo` lies behind this window in `stack`.
    TQvRichEdit(QStackedWidget* stack, QPlainTextEdit* tempMemo, QWidget* parent = nullptr);

    void insertText(const QString& text, Color color) override;
    void beginBlock() override;
    void endBlock() override;
    void appendLine(const QString& line) override;
    void setFontColor(Color color) override;
    void clear() override;
    int length() const override;
    QChar lastCharacter() const override;
    void removeLastCharacter() override;
    void trimFront(int count) override;
    void scrollToEnd() override;
    void caretToStart() override;
    void scrollPages(int pages) override;
    void scrollLines(int lines) override;
    int scrollPosition() const override;
    void setScrollPosition(int position) override;
    QString selectedText() const override;
    QString plainText() const override { return toPlainText(); }
    void freezeCopy() override;
    void setFrozenCopyInFront(bool inFront) override;

private:
    const QTextCharFormat& formatFor(Color color);
    int documentLength() const;
    // Puts everything noted into the document now.
    void applyPending();
    // The block has ended: what it noted goes in now when it is little, else in slices.
    void catchUp();
    // Cuts the front, then puts in the owed text, until done or past `budgetNs` (< 0:
    // no limit); true when done.
    bool applySome(qint64 budgetNs);
    void beginCatchUp();
    void finishCatchUp();
    void holdPaint(bool hold);
    // Gives back the room of text taken from the front of pendingText_.
    void dropTakenText();

    // A stretch of pendingText_ in one colour.
    struct Run {
        qsizetype length;
        Color color;
    };
    qsizetype pendingLength() const { return pendingText_.size() - pendingHead_; }

    QStackedWidget* stack_;
    QPlainTextEdit* tempMemo_;
    Color fontColor_ = Colors::Black;
    QHash<Color, QTextCharFormat> formats_;
    // Blocks nest; what the open block noted: text for the end (pendingText_ from
    // pendingHead_ on, in runs of one colour) and characters to cut from the
    // document's front.
    int blockDepth_ = 0;
    QString pendingText_;
    qsizetype pendingHead_ = 0;
    std::deque<Run> runs_;
    int frontCut_ = 0;
    bool scrollToEndDue_ = false;
    // The noted text, from pendingHead_ on, that a finished block owes the document;
    // what a still open block notes after it waits for that block's end.
    qsizetype owed_ = 0;
    // A catch-up in slices: the next slice's timer, whether the view followed the end
    // when it began, and whether it holds back the window's painting.
    QTimer catchUpTimer_;
    bool catchingUp_ = false;
    bool followEnd_ = false;
    bool paintHeld_ = false;
};

// Text lines given with CR LF or CR become lines of the window.
QString normaliseLineBreaks(const QString& text);
// A text cursor's selection with its paragraph separators as '\n'.
QString plainSelection(const QTextCursor& cursor);
