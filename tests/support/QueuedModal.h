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

    // Answers for the next confirmations, in order; with none queued a confirmation
    // fails the test (it was not expected).
    void queueConfirm(bool answer) { confirmAnswers_.push_back(answer); }
    // Answers for the next input boxes; nullopt stands for Cancel. With none queued an
    // input box fails the test.
    void queueInput(std::optional<QString> answer) { inputAnswers_.push_back(std::move(answer)); }
    // Answers for the next file dialogs: a path, or an empty text for Cancel. With none
    // queued a file dialog fails the test.
    void queueFileName(const QString& path) { fileAnswers_.push_back(path); }
    // What a dialog does while it is "open".
    std::function<void(Dialog)> onDialog;

    QList<ShownMessage> shown;
    // The texts of the boxes shown, and the last one's (empty for none).
    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QList<Dialog> dialogs;
    QList<ShownMessage> inputs;    // caption and prompt of each input box
    QStringList fileDialogFolders; // the folder each file dialog opened in (or the path)
    int beeps = 0;

private:
    std::deque<bool> confirmAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    std::deque<QString> fileAnswers_;
};
