// What a poll holds back while input pours in must show exactly as if every edit had
// been made at once: the receive window's noted text and cuts, and the panes' noted
// property changes.

#include "app/HeldView.h"
#include "ui/QtColor.h"
#include "ui/TQvRichEdit.h"
#include "ui/WidgetView.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QMainWindow>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct ReceiveWindow {
    QStackedWidget stack;
    QPlainTextEdit* tempMemo = new QPlainTextEdit(&stack);
    TQvRichEdit* window = new TQvRichEdit(&stack, tempMemo, &stack);

    // Each character with its colour; a line break as '\n'.
    QString colouredText() const
    {
        QString out;
        for (QTextBlock block = window->document()->begin(); block.isValid();
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                out +=
                    QStringLiteral("[%1]").arg(fragment.charFormat().foreground().color().name());
                out += fragment.text();
            }
            if (block.next().isValid())
                out += QLatin1Char('\n');
        }
        return out;
    }
};

using Edit = std::function<void(ReceiveView&)>;

} // namespace

TEST(ReceiveWindowBlock, NotedEditsShowAsIfEachWereMadeAtOnce)
{
    const Edit insertRed = [](ReceiveView& w) {
        w.insertText(QStringLiteral("ab\ncd"), Colors::Red);
    };
    const Edit insertBlue = [](ReceiveView& w) {
        w.insertText(QStringLiteral("ef\n"), Colors::Blue);
    };
    const Edit insertRedAgain = [](ReceiveView& w) {
        w.insertText(QStringLiteral("gh"), Colors::Red);
    };
    const Edit cut3 = [](ReceiveView& w) { w.trimFront(3); };
    const Edit cutAll = [](ReceiveView& w) { w.trimFront(w.length()); };
    const Edit backspace = [](ReceiveView& w) { w.removeLastCharacter(); };
    const Edit line = [](ReceiveView& w) { w.appendLine(QStringLiteral("line")); };
    const struct {
        const char* name;
        std::vector<Edit> before; // made and shown before the block
        std::vector<Edit> inBlock;
    } cases[] = {
        {"runs of two colours merge", {}, {insertRed, insertRedAgain, insertBlue, insertRedAgain}},
        {"a cut within the document", {insertRed, insertBlue}, {cut3, insertRedAgain}},
        {"a cut through the document into the noted text",
         {insertRed},
         {insertBlue, insertRedAgain, [](ReceiveView& w) { w.trimFront(9); }}},
        {"everything cut, then more", {insertRed}, {insertBlue, cutAll, insertRedAgain}},
        {"backspaces in the noted text and then in the document",
         {insertRed},
         {insertBlue, backspace, backspace, backspace, backspace, insertRedAgain}},
        {"a line of its own after noted text", {insertBlue}, {insertRed, line, cut3}},
    };
    for (const auto& c : cases) {
        ReceiveWindow direct;
        ReceiveWindow noted;
        for (const Edit& edit : c.before) {
            edit(*direct.window);
            edit(*noted.window);
        }
        noted.window->beginBlock();
        for (const Edit& edit : c.inBlock) {
            edit(*direct.window);
            edit(*noted.window);
            // The window answers from its notes as the document would.
            EXPECT_EQ(noted.window->length(), direct.window->length()) << c.name;
            EXPECT_EQ(noted.window->lastCharacter(), direct.window->lastCharacter()) << c.name;
        }
        noted.window->endBlock();
        EXPECT_EQ(noted.colouredText(), direct.colouredText()) << c.name;
        EXPECT_EQ(noted.window->length(), direct.window->length()) << c.name;
    }
}

TEST(ReceiveWindowBlock, AskingForTheTextShowsWhatIsNotedFirst)
{
    ReceiveWindow w;
    w.window->beginBlock();
    w.window->insertText(QStringLiteral("noted\n"), Colors::Black);
    w.window->freezeCopy();
    EXPECT_EQ(w.tempMemo->toPlainText(), QStringLiteral("noted\n"));
    w.window->insertText(QStringLiteral("more"), Colors::Black);
    w.window->clear();
    w.window->endBlock();
    EXPECT_EQ(w.window->toPlainText(), QString());
    EXPECT_EQ(w.window->length(), 0);
}

TEST(ReceiveWindowBlock, AFloodsCatchUpGoesInSlicesAndShowsAsIfMadeAtOnce)
{
    // Far more text, runs and cut than a block's end puts in at once. The reference
    // takes the same edits in pieces small enough to go in at once each.
    const auto line = [](int i) -> QString {
        return QStringLiteral("%1 ").arg(i, 5) + QString(62, QChar(u'a' + i % 26)) +
               QLatin1Char('\n');
    };
    const Color colours[] = {Colors::Black, Colors::Red, Colors::Blue};
    const auto lines = [&](ReceiveView& w, int from, int to) {
        for (int i = from; i < to; ++i)
            w.insertText(line(i), colours[i % 3]);
    };
    const auto cut = [](ReceiveView& w, int count, bool inPieces) {
        for (; inPieces && count > 1000; count -= 1000)
            w.trimFront(1000);
        w.trimFront(count);
    };
    ReceiveWindow direct;
    ReceiveWindow noted;
    for (ReceiveWindow* w : {&direct, &noted})
        lines(*w->window, 0, 400);

    lines(*direct.window, 400, 1300);
    cut(*direct.window, 40000, true);
    noted.window->beginBlock();
    lines(*noted.window, 400, 1300);
    cut(*noted.window, 40000, false);
    noted.window->endBlock();
    EXPECT_FALSE(noted.window->viewport()->updatesEnabled())
        << "made at once, or painted half made";
    QCoreApplication::processEvents();
    EXPECT_FALSE(noted.window->viewport()->updatesEnabled()) << "made in one slice";

    // The next block's edits while the catch-up goes on, answered from the notes; the
    // cut takes what the catch-up put in so far and some of what it still owes.
    noted.window->beginBlock();
    for (ReceiveWindow* w : {&direct, &noted}) {
        lines(*w->window, 1300, 1320);
        cut(*w->window, 30000, w == &direct);
        w->window->removeLastCharacter();
        w->window->removeLastCharacter();
    }
    EXPECT_EQ(noted.window->length(), direct.window->length());
    EXPECT_EQ(noted.window->lastCharacter(), direct.window->lastCharacter());
    for (int turns = 0; turns < 100000 && !noted.window->viewport()->updatesEnabled(); ++turns)
        QCoreApplication::processEvents();
    EXPECT_TRUE(noted.window->viewport()->updatesEnabled());
    EXPECT_FALSE(noted.window->toPlainText().contains(line(1300))) << "the open block's text";
    noted.window->endBlock();

    EXPECT_EQ(noted.colouredText(), direct.colouredText());
    EXPECT_EQ(noted.window->length(), direct.window->length());
    QScrollBar* bar = noted.window->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum()) << "the view follows the end";
}

namespace {

struct Panes {
    QMainWindow window;
    QRadioButton* first = new QRadioButton(&window);
    QRadioButton* second = new QRadioButton(&window);
    QButtonGroup group;
    WidgetView view{&window};
    HeldView held{view};

    Panes()
    {
        auto* centre = new QWidget(&window);
        auto* layout = new QVBoxLayout(centre);
        for (auto* button : {first, second}) {
            button->setParent(centre);
            layout->addWidget(button);
            group.addButton(button);
        }
        first->setObjectName(QStringLiteral("First"));
        second->setObjectName(QStringLiteral("Second"));
        window.setCentralWidget(centre);
        view.indexComponents();
    }
};

} // namespace

TEST(HeldView, PassesOnTheLastValuesInTheOrderTheyWereLastSet)
{
    // Which button of the group ends up checked depends on the order; the same
    // value set again must not be dropped when it moves a button to the end.
    const struct {
        bool firstCheckedBefore;
        std::vector<std::pair<const char*, bool>> changes;
        const char* checked;
    } cases[] = {
        {false, {{"First", true}, {"Second", true}}, "Second"},
        {false, {{"First", true}, {"Second", true}, {"First", true}}, "First"},
        {false, {{"Second", true}, {"Second", true}, {"First", false}}, "Second"},
        // Unchecking the checked button of the group does nothing, so the earlier
        // check of Second still decides even though its last change is an uncheck.
        {true, {{"First", true}, {"Second", true}, {"Second", false}, {"First", false}}, "Second"},
        {true, {{"Second", true}, {"Second", false}, {"First", true}, {"First", false}}, "First"},
    };
    for (const auto& c : cases) {
        Panes panes;
        (c.firstCheckedBefore ? panes.first : panes.second)->setChecked(true);
        QAbstractButton* before = panes.group.checkedButton();
        panes.held.hold();
        for (const auto& [name, checked] : c.changes)
            panes.held.setChecked(QLatin1String(name), checked);
        EXPECT_EQ(panes.group.checkedButton(), before) << "passed on while held";
        panes.held.release();
        EXPECT_EQ(panes.group.checkedButton()->objectName(), QLatin1String(c.checked));
    }
}

TEST(HeldView, CaptionsReadAsNotedAndOtherWorkSeesTheWindowUpToDate)
{
    Panes panes;
    panes.held.hold();
    panes.held.setCaption(QStringLiteral("First"), QStringLiteral("one"));
    panes.held.setCaption(QStringLiteral("First"), QStringLiteral("two"));
    panes.held.setEnabled(QStringLiteral("Second"), false);
    EXPECT_EQ(panes.held.caption(QStringLiteral("First")), QStringLiteral("two"));
    EXPECT_EQ(panes.first->text(), QString());
    // Focus is not a property: what is noted goes first, so it lands on a window in
    // the state the handlers left it.
    panes.held.setFocus(QStringLiteral("First"));
    EXPECT_EQ(panes.first->text(), QStringLiteral("two"));
    EXPECT_FALSE(panes.second->isEnabled());
    panes.held.setEnabled(QStringLiteral("Second"), true);
    EXPECT_FALSE(panes.second->isEnabled());
    panes.held.release();
    EXPECT_TRUE(panes.second->isEnabled());
}
