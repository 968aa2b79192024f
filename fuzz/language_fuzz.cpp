// libFuzzer target for the language-file loader: the input is the file's bytes, read
// as English.
//
// Checks: it ends; every text goes to a component of the index table in that
// component's own window, in table order; no caption or hint holds a control
// character; hints and caption-only captions are at most 50 characters; every named
// message text is set (the file's or "ERROR").

#include "base/LanguageFile.h"
#include "base/MessageTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "language_fuzz: %s\n", what);
        std::abort();
    }
}

bool printable(const QString& text)
{
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

struct Place {
    int order;
    TextKind kind;
};

// Each table component by window and name, numbered in table order.
const QHash<QString, Place>& places()
{
    static const QHash<QString, Place> table = [] {
        QHash<QString, Place> all;
        int order = 0;
        for (const TextSection& section : textSections())
            for (const TextComponent& component : section.components)
                all.insert(QString(section.window) + QLatin1Char('.') + QString(component.name),
                           {order++, component.kind});
        return all;
    }();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    WindowTexts windows;
    MessageTexts texts;
    readLanguageFile(bytes, QStringLiteral("EN"), windows, texts);

    int last = -1;
    for (const ComponentText& text : windows.components) {
        const auto place =
            places().constFind(QString(text.window) + QLatin1Char('.') + QString(text.name));
        check(place != places().constEnd(), "a text for a component the table lacks");
        check(place->order > last, "texts out of table order, or one component twice");
        last = place->order;
        check(place->kind != TextKind::Unused && place->kind != TextKind::StateOwned,
              "a text for a component that takes none");
        check(!text.caption.isNull() || !text.hint.isNull(), "an entry that sets nothing");
        check(printable(text.caption) && printable(text.hint), "a control character shown");
        check(text.hint.size() <= MaxTextLength, "a hint over 50 characters");
        if (place->kind == TextKind::Caption)
            check(text.caption.size() <= MaxTextLength, "a caption over 50 characters");
        if (place->kind == TextKind::Hint || place->kind == TextKind::StateCaptionHint)
            check(text.caption.isNull(), "a caption the program keeps was changed");
    }
    check(!texts.CloseText.isNull() && !texts.ShowLogHeaderText.isNull() &&
              !texts.NotAllowedtext.isNull(),
          "a named text left unset");
    return 0;
}
