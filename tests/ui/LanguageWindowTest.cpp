// The language texts on the real windows (offscreen): the index table against the
// components the windows have, the English file against the built-in texts, and a
// change of language while the program runs.

#include "WindowOnFakes.h"
#include "app/dialogs/TWordwrapForm.h"
#include "base/ComponentNames.h"
#include "base/LanguageTable.h"
#include "logbook/dialogs/TFileBestaatForm.h"
#include "ui/DialogTexts.h"
#include "ui/GuiModal.h"
#include "ui/THoofdForm.h"
#include "ui/TQvSpeedButton.h"
#include "ui/TRzPanel.h"
#include "ui/WidgetView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class LanguageWindowTest : public ::testing::Test, public WindowOnFakes {
protected:
    LanguageWindowTest() : WindowOnFakes({"Startup Commands/Startup_1=TONES 2"})
    {
        window->createDialogs();
        // The dialogs made afresh each time they open, as the window makes them.
        fileExists = std::make_unique<TFileBestaatForm>(core().capture.fileExists, window.get());
        wordWrap = std::make_unique<TWordwrapForm>(core().settings, guiModal, window.get());
    }

    // The window holding the section's components; null for windows not built yet.
    QWidget* windowOf(const TextSection& section)
    {
        if (section.window == MainWindowName)
            return window.get();
        return window->findChild<QDialog*>(section.window);
    }
    static QString hintOf(QObject* object)
    {
        if (auto* action = qobject_cast<QAction*>(object))
            return action->toolTip();
        return static_cast<QWidget*>(object)->toolTip();
    }

    GuiModal guiModal{nullptr};
    std::unique_ptr<TFileBestaatForm> fileExists;
    std::unique_ptr<TWordwrapForm> wordWrap;
};

// The main window's components of a section's kind, by name.
QSet<QString> mainComponentsOf(QMainWindow* window, QLatin1StringView stem)
{
    QSet<QString> names;
    const auto add = [&names](QObject* object) {
        if (!object->objectName().isEmpty())
            names.insert(object->objectName());
    };
    if (stem == QLatin1String("MainButtons_")) {
        for (QObject* button : window->findChildren<TQvSpeedButton*>())
            add(button);
    } else if (stem == QLatin1String("MainMenu_")) {
        for (QMenu* menu : window->findChildren<QMenu*>()) {
            if (menu->objectName() != Name::PopUp && menu->parent() != window)
                add(menu);
            for (QAction* item : menu->actions())
                if (!item->menu())
                    add(item);
        }
    } else if (stem == QLatin1String("StatusLine_")) {
        for (QLabel* pane : window->statusBar()->findChildren<QLabel*>())
            add(pane);
    } else {
        for (QObject* panel : window->findChildren<TRzPanel*>())
            add(panel);
        add(window->findChild<QFrame*>(Name::KnoppenBalk));
    }
    return names;
}

} // namespace

// Every component of the index table is on its window, of a kind that takes the texts
// the table gives it, nothing that takes texts is left out of the table, and the English
// file gives every component the text it was built with.
TEST_F(LanguageWindowTest, TheIndexTableNamesTheComponentsAndEnglishGivesTheirBuiltInTexts)
{
    // Menu entries of this program's own that the language files have no keys for.
    const QSet<QString> ownItems = {
        Name::MenuStopSending, Name::MenuCaptureTimestamps, Name::MainMenuConfiguration,
        Name::MainmenuFile, Name::MainMenuMode, Name::MainMenuAction, Name::MainMenuMailbox,
        Name::MainMenuHelp,
        // Action > Navtex/Amtex repeats the toolbar's captions.
        Name::MenuNavtexReception, Name::MenuAmtexOn, Name::MenuNavtexOn, Name::MenuNavtexOff,
        Name::MenuNavtexMsgType, Name::MenuNavtexArea, Name::MenuNavtexTime};
    struct Shown {
        QObject* object;
        TextKind kind;
        QString caption;
        QString hint;
    };
    std::vector<Shown> builtIn;
    std::vector<QWidget*> dialogs;
    for (const TextSection& section : textSections()) {
        QWidget* owner = windowOf(section);
        if (!owner)
            continue; // a window still to come
        if (owner != window.get())
            dialogs.push_back(owner);
        QSet<QString> inTable;
        for (const TextComponent& component : section.components) {
            inTable.insert(component.name);
            if (section.window == MainWindowName && !Name::isKnown(component.name))
                continue; // a component still to come
            QObject* object = owner->findChild<QObject*>(component.name);
            if (!object && component.kind == TextKind::Unused)
                continue; // a frame or field the window does without
            ASSERT_NE(object, nullptr) << section.stem.data() << component.key;
            const bool button = qobject_cast<QAbstractButton*>(object);
            const bool label = qobject_cast<QLabel*>(object);
            bool fits = true;
            switch (component.kind) {
            case TextKind::CaptionHint:
            case TextKind::StateCaptionHint:
                fits = button || qobject_cast<QFrame*>(object);
                break;
            case TextKind::Caption:
                fits = button || label || qobject_cast<QAction*>(object) ||
                       qobject_cast<QMenu*>(object);
                break;
            case TextKind::Hint:
                fits = label;
                break;
            case TextKind::StateOwned: // shows the program's state, from the message texts
                continue;
            case TextKind::Unused:
                EXPECT_FALSE(button || label) << section.stem.data() << component.key;
                continue;
            }
            EXPECT_TRUE(fits) << section.stem.data() << component.key;
            builtIn.push_back({object, component.kind, captionOf(object), hintOf(object)});
        }
        QSet<QString> present;
        if (section.window == MainWindowName) {
            present = mainComponentsOf(window.get(), section.stem);
        } else {
            for (QLabel* label : owner->findChildren<QLabel*>())
                present.insert(label->objectName());
            for (QAbstractButton* button : owner->findChildren<QAbstractButton*>())
                present.insert(button->objectName());
        }
        present.remove(QString());
        for (const QString& name : present)
            EXPECT_TRUE(inTable.contains(name) || ownItems.contains(name))
                << name.toStdString() << " has no key in " << section.stem.data();
    }
    ASSERT_GT(builtIn.size(), 250u);

    core().lifecycle.FormActivate();
    for (QWidget* dialog : dialogs)
        applyDialogTexts(dialog, core().lifecycle.windowTexts());
    ASSERT_TRUE(modal.shown.isEmpty());
    for (const Shown& shown : builtIn) {
        const std::string name = shown.object->objectName().toStdString();
        // The profile format drops blanks around a value.
        EXPECT_EQ(
            captionOf(shown.object).trimmed().toStdString(),
            (shown.kind == TextKind::Caption ? shown.caption.left(MaxTextLength) : shown.caption)
                .trimmed()
                .toStdString())
            << name;
        if (shown.kind != TextKind::Caption)
            EXPECT_EQ(hintOf(shown.object).trimmed().toStdString(),
                      shown.hint.left(MaxTextLength).trimmed().toStdString())
                << name;
    }
}

// German chosen in the menu: the texts the file has replace those shown in the window and
// a dialog, a key it lacks keeps the text shown (not a neighbour's), a lamp keeps the
// controller's state as caption; the start-up commands go out again and the code is
// saved. Swedish has no texts; French without its file falls back to English.
TEST_F(LanguageWindowTest, ALanguageChosenInTheMenuChangesTheWindowAndADialogAndIsSaved)
{
    dir.write(QStringLiteral("Orvanti_DL.ini"), "[MainButtons_DL]\n"
                                                "25=Ruf/Allgemeiner Anruf\n"
                                                "[MainMenu_DL]\n"
                                                "158=&Beenden\n"
                                                "[Bars_DL]\n"
                                                "14=Xon/Zustand Xoff/Xon\n"
                                                "[AutoCQ_DL]\n"
                                                "6=Automatischer CQ\n"
                                                "4=&Gut/Werte annehmen\n"
                                                "[Text_DL]\n"
                                                "CloseText=Orvanti beenden?\n");
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->firstActivationHandled(); }));
    wire.clear();
    auto* cq = window->findChild<TQvSpeedButton*>(Name::PactorCQ);
    auto* connect = window->findChild<TQvSpeedButton*>(Name::PactorConnect);
    auto* lamp = window->findChild<TRzPanel*>(Name::XOnLed);
    const QString connectHint = connect->toolTip();
    window->view().setCaption(Name::XOnLed, QStringLiteral("XOff")); // the controller said XOFF

    window->findChild<QAction*>(Name::German)->trigger();
    EXPECT_EQ(cq->text(), QStringLiteral("Ruf"));
    EXPECT_EQ(cq->toolTip(), QStringLiteral("Allgemeiner Anruf"));
    EXPECT_EQ(connect->text(), QStringLiteral("Connect"));
    EXPECT_EQ(connect->toolTip(), connectHint);
    EXPECT_EQ(lamp->caption(), QStringLiteral("XOff"));
    EXPECT_EQ(lamp->toolTip(), QStringLiteral("Zustand Xoff/Xon"));
    EXPECT_EQ(window->findChild<QAction*>(Name::MenuExitOrvanti)->text(),
              QStringLiteral("&Beenden"));
    EXPECT_EQ(core().texts.CloseText, QStringLiteral("Orvanti beenden?"));
    EXPECT_EQ(wire.writtenText(), QStringLiteral("TONES 2<CR>"));
    EXPECT_TRUE(window->findChild<QAction*>(Name::German)->isChecked());
    EXPECT_TRUE(modal.shown.isEmpty());

    window->findChild<QAction*>(Name::Swedish)->trigger();
    EXPECT_EQ(cq->text(), QStringLiteral("Ruf"));
    EXPECT_EQ(core().settings.LanguageIndex, 2);
    EXPECT_EQ(wire.writtenText(), QStringLiteral("TONES 2<CR>"));

    QFile::remove(dir.file(QStringLiteral("Orvanti_FR.ini")));
    window->findChild<QAction*>(Name::French)->trigger();
    ASSERT_EQ(modal.shown.size(), 1);
    EXPECT_TRUE(
        modal.shown[0].text.startsWith(QStringLiteral("File   Orvanti_FR.ini   NOT found \r")));
    EXPECT_TRUE(window->findChild<QAction*>(Name::English)->isChecked());
    EXPECT_FALSE(window->findChild<QAction*>(Name::French)->isChecked());
    EXPECT_EQ(cq->text(), QStringLiteral("CQ"));
    EXPECT_EQ(core().texts.CloseText, QStringLiteral("Close Orvanti?"));

    window->findChild<QAction*>(Name::German)->trigger();
    bool looked = false;
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                  QStringLiteral("Automatischer CQ"));
        auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("CqOkKnop"));
        EXPECT_EQ(ok->text(), QStringLiteral("&Gut"));
        EXPECT_EQ(ok->toolTip(), QStringLiteral("Werte annehmen"));
        EXPECT_EQ(ok->accessibleName(), QStringLiteral("Gut"));
        looked = true;
        static_cast<QDialog*>(dialog)->reject();
    });
    window->runDialog(Dialog::AutoCq);
    EXPECT_TRUE(looked);

    modal.queueConfirm(true);
    window->close();
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("\nLanguage=DL"));
}
