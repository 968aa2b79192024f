#include "ui/DialogTexts.h"

#include "base/LanguageFile.h"

#include <QAbstractButton>
#include <QLabel>

namespace {

// What a screen reader says: the caption without its accelerator marks.
QString spoken(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

} // namespace

void applyDialogTexts(QWidget* dialog, const WindowTexts& texts)
{
    const QString window = dialog->objectName();
    for (const ComponentText& text : texts.components) {
        if (text.window != window)
            continue;
        auto* widget = dialog->findChild<QWidget*>(text.name);
        if (!widget)
            continue;
        if (!text.caption.isNull()) {
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(text.caption);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(text.caption);
                button->setAccessibleName(spoken(text.caption));
            }
        }
        if (!text.hint.isNull())
            widget->setToolTip(text.hint);
    }
}
