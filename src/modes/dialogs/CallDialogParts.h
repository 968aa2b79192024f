#pragma once

// What the calling dialogs share: the upper-case call field, centring on the screen and
// the caption that names each control for assistive tools.

#include <QBoxLayout>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
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

// Ok and Cancel at the right of a row added to `layout`. Ok is the default button, so
// Enter in a field is Ok; Cancel rejects, as Escape and the close box do. The tab order
// runs from `lastField` to Ok to Cancel. The caller connects Ok.
inline QPushButton* addOkCancelRow(QDialog* dialog, QBoxLayout* layout, QWidget* lastField,
                                   const QString& okName,
                                   const QString& cancelName = QStringLiteral("CancelKnop"))
{
    auto* ok = new QPushButton(QStringLiteral("Ok"), dialog);
    ok->setObjectName(okName);
    ok->setAccessibleName(QStringLiteral("Ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(cancelName);
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QWidget::setTabOrder(lastField, ok);
    QWidget::setTabOrder(ok, cancel);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    return ok;
}

// Centred on the screen, not over the main window.
inline void centreOnScreen(QDialog* dialog)
{
    if (QScreen* shown = dialog->screen())
        dialog->move(shown->availableGeometry().center() - dialog->rect().center());
}
