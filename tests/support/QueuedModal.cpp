#include "QueuedModal.h"

#include "Misuse.h"

void QueuedModal::message(const QString& caption, const QString& text)
{
    shown.append({caption, text, false});
}

bool QueuedModal::confirm(const QString& caption, const QString& text)
{
    shown.append({caption, text, true});
    if (confirmAnswers_.empty()) {
        reportMisuse("unexpected confirmation: " + text.toStdString());
        return false;
    }
    const bool answer = confirmAnswers_.front();
    confirmAnswers_.pop_front();
    return answer;
}

void QueuedModal::runDialog(Dialog dialog)
{
    dialogs.append(dialog);
    if (onDialog)
        onDialog(dialog);
}

QString QueuedModal::inputBox(const QString& caption, const QString& prompt,
                              const QString& defaultText)
{
    inputs.append({caption, prompt, false});
    if (inputAnswers_.empty()) {
        reportMisuse("unexpected input box: " + prompt.toStdString());
        return defaultText;
    }
    const std::optional<QString> answer = inputAnswers_.front();
    inputAnswers_.pop_front();
    return answer.value_or(defaultText);
}

QString QueuedModal::saveFileName(const QString& caption, const QString& startPath,
                                  const QString& filter)
{
    return openFileName(caption, startPath, filter);
}

QString QueuedModal::openFileName(const QString& caption, const QString& folder, const QString&)
{
    fileDialogFolders.append(folder);
    if (fileAnswers_.empty()) {
        reportMisuse("unexpected file dialog: " + caption.toStdString());
        return {};
    }
    const QString answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    return answer;
}

std::optional<FontChoice> QueuedModal::chooseFont(const FontRequest& request)
{
    fontRequests.append(request);
    if (onChooser)
        onChooser();
    if (fontAnswers_.empty()) {
        reportMisuse("unexpected font dialog");
        return std::nullopt;
    }
    std::optional<FontChoice> answer = fontAnswers_.front();
    fontAnswers_.pop_front();
    return answer;
}

std::optional<Color> QueuedModal::chooseColor(Color start)
{
    colorStarts.append(start);
    if (onChooser)
        onChooser();
    if (colorAnswers_.empty()) {
        reportMisuse("unexpected colour dialog");
        return std::nullopt;
    }
    const std::optional<Color> answer = colorAnswers_.front();
    colorAnswers_.pop_front();
    return answer;
}

QStringList QueuedModal::texts() const
{
    QStringList texts;
    for (const ShownMessage& m : shown)
        texts.append(m.text);
    return texts;
}
