#pragma once

// The receive window: read-only text that grows at its end in per-insertion colours,
// with the still copy `TempMemo` stacked behind it for while a menu is open.

#include "base/View.h"

#include <QHash>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>

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
    void freezeCopy() override;
    void setFrozenCopyInFront(bool inFront) override;

private:
    const QTextCharFormat& formatFor(Color color);

    QStackedWidget* stack_;
    QPlainTextEdit* tempMemo_;
    Color fontColor_ = Colors::Black;
    QHash<Color, QTextCharFormat> formats_;
    // The open edit block (blocks nest), and whether the view follows the end.
    QTextCursor blockCursor_;
    int blockDepth_ = 0;
    bool followEnd_ = false;
};

// Text lines given with CR LF or CR become lines of the window.
QString normaliseLineBreaks(const QString& text);
// A text cursor's selection with its paragraph separators as '\n'.
QString plainSelection(const QTextCursor& cursor);
