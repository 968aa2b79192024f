#include "ui/GuiModal.h"

#include "ui/TQvRichEdit.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

GuiModal::GuiModal(QWidget* parent) : parent_(parent) {}

void GuiModal::message(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, normaliseLineBreaks(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool GuiModal::confirm(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, normaliseLineBreaks(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void GuiModal::beep()
{
    QApplication::beep();
}

QString GuiModal::inputBox(const QString& caption, const QString& prompt,
                           const QString& defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : defaultText;
}

QString GuiModal::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, caption, folder, filter);
}

QString GuiModal::saveFileName(const QString& caption, const QString& startPath,
                               const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, caption, startPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void GuiModal::runDialog(Dialog dialog)
{
    if (dialogRunner)
        dialogRunner(dialog);
}
