#include "ui/GuiModal.h"

#include "ui/QtColor.h"
#include "ui/TQvRichEdit.h"
#include "ui/WidgetView.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

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
    // Qt's own font dialog, with the size limits said below it and, where asked, a colour
    // button: its own keys (Escape, Enter) and buttons keep working.
    QFontDialog dialog(parent_);
    dialog.setWindowTitle(request.withColor ? QStringLiteral("Font and colour")
                                            : QStringLiteral("Font"));
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (request.fixedPitchOnly)
        options |= QFontDialog::MonospacedFonts;
    dialog.setOptions(options);
    // It starts from the font the window shows, which for a family this machine lacks
    // is the stand-in.
    dialog.setCurrentFont(withFontSetting(QApplication::font(), request.start.family,
                                          request.start.points, request.start.styleCode(),
                                          request.textWindow || request.fixedPitchOnly));

    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    const auto addRow = [&](QWidget* widget) {
        if (grid)
            grid->addWidget(widget, grid->rowCount(), 0, 1, grid->columnCount());
    };
    addRow(new QLabel(
        QStringLiteral("Sizes %1 to %2 points").arg(request.minPoints).arg(request.maxPoints),
        &dialog));
    QColor color = toQColor(request.start.color);
    if (request.withColor) {
        auto* colorButton = new QPushButton(QStringLiteral("&Colour..."), &dialog);
        colorButton->setAutoDefault(false);
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
        addRow(colorButton);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
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
