#include "base/ProfileFile.h"

#define SI_IMPLEMENTATION
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <QList>
#include <QStringDecoder>

struct ProfileFile::Impl {
    CSimpleIniA ini; // the case-insensitive variant
    // SimpleIni drops comments that follow the last entry; they are put back on saving.
    QByteArray trailingComments;
};

namespace {

// The file is UTF-8 on this platform; a value in another single-byte code page is
// taken as Latin-1 rather than mangled.
QString decodeValue(const char* raw)
{
    const QByteArray bytes(raw);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

QByteArray commentsAfterLastEntry(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    qsizetype first = lines.size();
    while (first > 0) {
        const QByteArray line = lines[first - 1].trimmed();
        if (!line.isEmpty() && !line.startsWith(';') && !line.startsWith('#'))
            break;
        --first;
    }
    QByteArray comments;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (!line.isEmpty())
            comments.append(line + '\n');
    }
    return comments;
}

} // namespace

ProfileFile::ProfileFile() : impl_(std::make_unique<Impl>())
{
    impl_->ini.SetSpaces(false);
    impl_->ini.SetMultiKey(false);
    impl_->ini.SetMultiLine(false);
}

ProfileFile::~ProfileFile() = default;

void ProfileFile::load(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace('\0', ' '); // a NUL would end the parse and lose the rest on saving
    impl_->ini.Reset();
    impl_->ini.LoadData(bytes.constData(), static_cast<size_t>(bytes.size()));
    impl_->trailingComments = commentsAfterLastEntry(bytes);
}

std::optional<QString> ProfileFile::value(const char* section, const char* key) const
{
    const char* raw = impl_->ini.GetValue(section, key, nullptr);
    if (!raw)
        return std::nullopt;
    return decodeValue(raw);
}

void ProfileFile::setValue(const char* section, const char* key, const QString& value)
{
    impl_->ini.SetValue(section, key, value.toUtf8().constData());
}

QByteArray ProfileFile::save() const
{
    std::string text;
    impl_->ini.Save(text);
    QByteArray bytes = QByteArray::fromStdString(text);
    if (!impl_->trailingComments.isEmpty())
        bytes += '\n' + impl_->trailingComments;
    return bytes;
}
