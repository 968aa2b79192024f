#pragma once

// Modal interaction with answers queued in advance; every box shown is recorded.

#include "base/Modal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

struct ShownMessage {
    QString caption;
    QString text;
    bool confirmation;
};

class QueuedModal final : public Modal {
public:
    void message(const QString& caption, const QString& text) override;
    bool confirm(const QString& caption, const QString& text) override;
    void beep() override { ++beeps; }
    void runDialog(Dialog dialog) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    // Takes its answer from the same queue as openFileName.
    QString saveFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override;
    QString inputBox(const QString& caption, const QString& prompt,
                     const QString& defaultText) override;
    std::optional<FontChoice> chooseFont(const FontRequest& request) override;
    std::optional<Color> chooseColor(Color start) override;

    // Answers for the next confirmations, in order; with none queued a confirmation
    // fails the test (it was not expected).
    void queueConfirm(bool answer) { confirmAnswers_.push_back(answer); }
    // Answers for the next input boxes; nullopt stands for Cancel. With none queued an
    // input box fails the test.
    void queueInput(std::optional<QString> answer) { inputAnswers_.push_back(std::move(answer)); }
    // Answers for the next file dialogs: a path, or an empty text for Cancel. With none
    // queued a file dialog fails the test.
    void queueFileName(const QString& path) { fileAnswers_.push_back(path); }
    // Answers for the next font and colour dialogs; nullopt stands for Cancel. With none
    // queued such a dialog fails the test.
    void queueFont(std::optional<FontChoice> answer) { fontAnswers_.push_back(std::move(answer)); }
    void queueColor(std::optional<Color> answer) { colorAnswers_.push_back(answer); }
    // What a dialog does while it is "open".
    std::function<void(Dialog)> onDialog;
    // Runs while a font or colour dialog is "open".
    std::function<void()> onChooser;

    QList<ShownMessage> shown;
    // The texts of the boxes shown, and the last one's (empty for none).
    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QList<Dialog> dialogs;
    QList<ShownMessage> inputs;      // caption and prompt of each input box
    QStringList fileDialogFolders;   // the folder each file dialog opened in (or the path)
    QList<FontRequest> fontRequests; // each font dialog as it was asked for
    QList<Color> colorStarts;        // the colour each colour dialog started from
    int beeps = 0;

private:
    std::deque<bool> confirmAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    std::deque<QString> fileAnswers_;
    std::deque<std::optional<FontChoice>> fontAnswers_;
    std::deque<std::optional<Color>> colorAnswers_;
};
