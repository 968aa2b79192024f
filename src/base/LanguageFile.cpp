#include "base/LanguageFile.h"

#include "base/MessageTexts.h"
#include "base/ProfileFile.h"

void readLanguageFile(const QByteArray& bytes, const QString& languageCode, WindowTexts& windows,
                      MessageTexts& texts)
{
    ProfileFile profile;
    profile.load(bytes);
    const QByteArray code = languageCode.toLatin1();
    windows.components.clear();
    for (const TextSection& section : textSections()) {
        const QByteArray name = QByteArray(section.stem.data(), section.stem.size()) + code;
        for (const TextComponent& component : section.components) {
            if (component.kind == TextKind::Unused || component.kind == TextKind::StateOwned)
                continue;
            const std::optional<QString> value =
                profile.value(name.constData(), QByteArray::number(component.key).constData());
            if (!value)
                continue;
            SplitText split = splitText(component.kind, *value);
            if (split.caption.isNull() && split.hint.isNull())
                continue;
            windows.components.push_back(
                {section.window, component.name, std::move(split.caption), std::move(split.hint)});
        }
    }
    readMessageTexts(profile, languageCode, texts);
}
