#include "ui/GuiModal.h"

#include "ui/QtColor.h"
#include "ui/TQvRichEdit.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

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

std::optional<FontChoice> GuiModal::chooseFont(const FontRequest& request)
{
    // The font dialog shown inside a dialog of our own, which adds the colour where it
    // is asked for and says the size limits (the caller holds the result to them).
    QDialog dialog(parent_);
    dialog.setWindowTitle(request.withColor ? QStringLiteral("Font and colour")
                                            : QStringLiteral("Font"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* fonts = new QFontDialog(&dialog);
    fonts->setWindowFlags(Qt::Widget);
    QFontDialog::FontDialogOptions options =
        QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog;
    if (request.fixedPitchOnly)
        options |= QFontDialog::MonospacedFonts;
    fonts->setOptions(options);
    QFont start(request.start.family);
    if (request.start.points > 0)
        start.setPointSize(request.start.points);
    start.setBold(request.start.bold);
    start.setItalic(request.start.italic);
    fonts->setCurrentFont(start);
    layout->addWidget(fonts);
    layout->addWidget(new QLabel(
        QStringLiteral("Sizes %1 to %2 points").arg(request.minPoints).arg(request.maxPoints),
        &dialog));

    QColor color = toQColor(request.start.color);
    if (request.withColor) {
        auto* colorButton = new QPushButton(QStringLiteral("&Colour..."), &dialog);
        // A swatch beside the caption, which stays readable whatever the colour.
        const auto showColor = [colorButton, &color] {
            QPixmap swatch(16, 16);
            swatch.fill(color);
            colorButton->setIcon(QIcon(swatch));
        };
        showColor();
        QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&, showColor] {
            const QColor chosen = QColorDialog::getColor(color, &dialog);
            if (chosen.isValid()) {
                color = chosen;
                showColor();
            }
        });
        layout->addWidget(colorButton);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = fonts->currentFont();
    return FontChoice{chosen.family(), chosen.pointSize(), chosen.bold(), chosen.italic(),
                      fromQColor(color)};
}

std::optional<Color> GuiModal::chooseColor(Color start)
{
    const QColor chosen = QColorDialog::getColor(toQColor(start), parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

void GuiModal::runDialog(Dialog dialog)
{
    if (dialogRunner)
        dialogRunner(dialog);
}
