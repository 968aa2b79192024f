#pragma once

// What the calling dialogs share: the upper-case call field, centring on the screen and
// the caption that names each control for assistive tools.

#include <QDialog>
#include <QLineEdit>
#include <QScreen>

// A field that turns what is typed or pasted into capitals, as calls are written.
class UpperCaseEdit : public QLineEdit {
public:
    UpperCaseEdit(const QString& name, const QString& accessibleName, QWidget* parent)
        : QLineEdit(parent)
    {
        setObjectName(name);
        setAccessibleName(accessibleName);
        connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
            const QString upper = text.toUpper();
            if (upper == text)
                return;
            const int caret = cursorPosition();
            setText(upper);
            setCursorPosition(caret);
        });
    }
};

// The program's dialog frame: its caption, no help button.
inline void setUpCallDialog(QDialog* dialog, const QString& name)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(QStringLiteral("Orvanti"));
    dialog->setAccessibleName(QStringLiteral("Orvanti"));
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->setModal(true);
}

// Centred on the screen, not over the main window.
inline void centreOnScreen(QDialog* dialog)
{
    if (QScreen* shown = dialog->screen())
        dialog->move(shown->availableGeometry().center() - dialog->rect().center());
}
