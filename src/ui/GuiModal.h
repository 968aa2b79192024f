#pragma once

// Modal interaction shown for real: message boxes and the program's dialogs.

#include "base/Modal.h"

#include <functional>

class QWidget;

class GuiModal final : public Modal {
public:
    explicit GuiModal(QWidget* parent);

    void message(const QString& caption, const QString& text) override;
    bool confirm(const QString& caption, const QString& text) override;
    void beep() override;
    QString inputBox(const QString& caption, const QString& prompt,
                     const QString& defaultText) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override;
    std::optional<FontChoice> chooseFont(const FontRequest& request) override;
    std::optional<Color> chooseColor(Color start) override;
    void runDialog(Dialog dialog) override;

    std::function<void(Dialog)> dialogRunner;

private:
    QWidget* parent_;
};
