#include "link/FileSender.h"

#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/FileIo.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/Macros.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "link/TransmitKeys.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

constexpr char EndOfTransmission = 4; // Ctrl-D: the end of a CQ call
constexpr char Escape = 27;
constexpr int MailPauseMs = 100;
// The transmit window is emptied once the echo of a file has filled it this far.
constexpr qsizetype EchoLimit = 20000;

const QString StopSending = Name::MenuStopSending;
const QString Pane5 = Name::Pane5;
const QString Pane5Hint = QStringLiteral("Recv/Transm.");
const QString MailFileName = QStringLiteral("MailF.ile");

// Lines of a file, read in pieces of a fixed size so that memory does not grow with
// the file. A line ends at CR LF, LF or a lone CR; the last one needs no end. A line
// longer than MaxLine comes in several parts, all but the last not `complete`: the
// controller sees the same bytes (its word wrap breaks such lines anyway).
class LineReader {
public:
    static constexpr qsizetype Chunk = 64 * 1024;
    static constexpr qsizetype MaxLine = 64 * 1024;

    explicit LineReader(QFile& file) : file_(file) {}

    // False at the end of the file and on a read error (see failed()).
    bool next(QByteArray& line, bool* complete = nullptr)
    {
        line.clear();
        bool any = false;
        for (;;) {
            if (at_ >= buffer_.size() && !fill())
                return any;
            const char c = buffer_[at_++];
            ++consumed_;
            if (afterCr_) {
                afterCr_ = false;
                if (c == '\n')
                    continue;
            }
            any = true;
            if (c == '\r' || c == '\n') {
                afterCr_ = c == '\r';
                if (complete)
                    *complete = true;
                return true;
            }
            line.append(c);
            if (line.size() >= MaxLine) {
                if (complete)
                    *complete = false;
                return true;
            }
        }
    }

    bool rewind()
    {
        buffer_.clear();
        at_ = 0;
        consumed_ = 0;
        afterCr_ = false;
        return file_.seek(0);
    }

    bool failed() const { return failed_; }
    qint64 consumed() const { return consumed_; }

private:
    bool fill()
    {
        buffer_.resize(Chunk);
        const qint64 read = file_.read(buffer_.data(), Chunk);
        at_ = 0;
        if (read <= 0) {
            buffer_.clear();
            failed_ = read < 0;
            return false;
        }
        buffer_.resize(read);
        return true;
    }

    QFile& file_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    qint64 consumed_ = 0;
    bool afterCr_ = false;
    bool failed_ = false;
};

// Opens a file the operator asked for; false with the reason in the operator's words.
bool openForReading(QFile& file, QString* error)
{
    const QString path = file.fileName();
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("Cannot send %1: the file does not exist.").arg(path);
        return false;
    }
    if (!isRegularFile(path)) {
        *error = QStringLiteral("Cannot send %1: it is not a regular file.").arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot send %1: %2.").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString readFailure(const QFile& file)
{
    return QStringLiteral("Reading %1 failed: %2. The rest of the file was not sent.")
        .arg(file.fileName(), file.errorString());
}

} // namespace

QByteArray reloadText(const QByteArray& line)
{
    QByteArray text;
    text.reserve(line.size());
    for (char c : line)
        if (static_cast<quint8>(c) >= 32)
            text.append(c);
    return text;
}

QByteArray wireText(const QByteArray& line)
{
    QByteArray text;
    text.reserve(line.size());
    bool high = false;
    for (char c : line) {
        const auto b = static_cast<quint8>(c);
        if (b >= 32 || b == '\t')
            text.append(c);
        high = high || b >= 128;
    }
    if (!high)
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(text);
    return utf8.hasError() ? text : Cp437::encode(decoded);
}

FileSender::FileSender(Station& station, const MessageTexts& texts, PortLink& link,
                       StatusDisplay& status, TransmitKeys& keys, View& view,
                       TransmitView& transmitWindow, Modal& modal, Clock& clock)
    : station_(station), texts_(texts), link_(link), status_(status), keys_(keys), view_(view),
      transmitWindow_(transmitWindow), modal_(modal), clock_(clock)
{
}

QString FileSender::preparedTextName(int number)
{
    return QStringLiteral("Orvanti.tx") + QString::number(number);
}

bool FileSender::maildropCheckOn() const
{
    return view_.isChecked(Name::MenuMaildropCheck);
}

bool FileSender::FileTransmitAllowed()
{
    if (station_.Connected || station_.modeIs(Mode::Dumb) || maildropCheckOn() ||
        station_.Transmitting || station_.modeIs(Mode::Cw))
        return true;
    modal_.message(texts_.Warningtext, texts_.NotAllowedtext);
    return false;
}

void FileSender::TransmitTextFile(int number)
{
    const QString path = station_.ProgramDir + preparedTextName(number);
    if (!FileTransmitAllowed())
        return;
    if (!QFileInfo::exists(path)) {
        status_.Warning(texts_.FileNotFoundText);
        return;
    }
    SendFile(path);
}

void FileSender::MenuTransmitTextClick(int number)
{
    TransmitTextFile(number);
    station_.MenuHold = false;
}

void FileSender::MenuTransmitFileClick()
{
    if (FileTransmitAllowed()) {
        const QString path = modal_.openFileName(
            QStringLiteral("Orvanti"), station_.ProgramDir,
            QStringLiteral("All files (*);;Text files (*.txt);;Buffer Files (*.Buf);;"
                           "Exe files (*.exe)"));
        if (!path.isEmpty())
            SendFile(path);
    }
    station_.MenuHold = false;
}

void FileSender::MenuStopSendingClick()
{
    station_.MenuHold = false;
    stopSending();
}

bool FileSender::stopSending()
{
    // A mailbox reload must arrive whole.
    if (!sending_ || station_.MailboxReloadActive)
        return false;
    modal_.beep();
    station_.AbortRequested = true;
    return true;
}

MacroContext FileSender::macroContext() const
{
    MacroContext context;
    context.date = [this] { return now().date().toString(Qt::ISODate).toLatin1(); };
    context.time = [this] { return now().time().toString(QStringLiteral("HH:mm")).toLatin1(); };
    context.myCall = Cp437::encode(station_.MyCallField);
    context.hisCall = Cp437::encode(station_.HisCall);
    context.hisName = Cp437::encode(station_.HisName);
    context.position = station_.PositionText;
    context.nmeaPosition = station_.NmeaText;
    return context;
}

bool FileSender::echoes(bool reload) const
{
    return station_.modeIs(Mode::Cw) || (station_.DumbMode && !reload) ||
           station_.modeIs(Mode::Packet) || station_.Transmitting || maildropCheckOn() ||
           (station_.Connected && !station_.XoffReceived) || station_.CqSending;
}

void FileSender::sendLine(const QByteArray& line, bool complete, bool reload)
{
    if (reload) {
        // Mailbox text goes back as the controller gave it: no macros, no code page
        // change, no wrap. Only control codes are dropped: a backup never holds them,
        // and the controller would take them as commands in the middle of its reload.
        link_.sendAsIs(complete ? reloadText(line) + '\r' : reloadText(line));
        return;
    }
    QByteArray text = wireText(line);
    if (text.contains("%%")) {
        ExpandedLine expanded = expandMacros(text, macroContext());
        for (char control : expanded.controlBytes)
            keys_.SendCTRL(static_cast<quint8>(control));
        text = std::move(expanded.line);
    }
    link_.ZendNaarPtc(complete ? text + '\r' : text);
    if (!echoes(reload))
        return;
    transmitWindow_.appendLine(Cp437::decode(text));
    echoed_ += text.size() + 1;
    if (echoed_ > EchoLimit) {
        transmitWindow_.clear();
        echoed_ = 0;
    }
}

void FileSender::showProgress(const QString& fileName, int percent)
{
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    status_.sendingProgress = QStringLiteral("%1 %2: %3%")
                                  .arg(texts_.FileReadingText, fileName, QString::number(percent));
    view_.setCaption(Pane5, status_.sendingProgress);
    view_.redraw(Pane5);
}

void FileSender::SendFile(const QString& path)
{
    // One transmission at a time: a second menu click while one runs is refused.
    if (sending_) {
        modal_.beep();
        return;
    }
    QFile file(path);
    QString error;
    if (!openForReading(file, &error)) {
        status_.Warning(error);
        return;
    }
    if (!link_.portOpen()) {
        status_.Warning(QStringLiteral("Cannot send %1: the serial port is not open.").arg(path));
        return;
    }
    station_.AbortRequested = false;
    LineReader reader(file);
    QByteArray line;
    if (station_.ReloadPending) {
        reader.next(line);
        if (!line.contains("###")) {
            status_.Warning(texts_.NotaBackupText);
            status_.DiskLed(0);
            file.close();
            status_.ZetTransmitbalkTerug();
            if (switchToPactorPage)
                switchToPactorPage();
            return;
        }
        if (!reader.rewind()) {
            status_.Warning(readFailure(file));
            return;
        }
        station_.MailboxReloadActive = true;
        modal_.beep();
        station_.ReloadPending = false;
    }

    sending_ = true;
    const bool reload = station_.MailboxReloadActive;
    view_.setEnabled(StopSending, !reload);
    const QString fileName = QFileInfo(path).fileName();
    const qint64 size = file.size();
    shownPercent_ = -1;
    showProgress(fileName, 0);
    view_.setHint(Pane5, path);
    echoed_ = transmitWindow_.text().size();

    bool complete = true;
    for (;;) {
        if (station_.AbortRequested || !link_.portOpen())
            break;
        if (processEvents)
            processEvents(station_.XoffReceived);
        // Stop asked for meanwhile: the line before was the last.
        if (station_.AbortRequested || !link_.portOpen())
            break;
        if (!station_.XoffReceived) {
            status_.DiskLed(1);
            if (!reader.next(line, &complete))
                break;
            sendLine(line, complete, reload);
            if (!reload)
                status_.DiskLed(0);
            showProgress(fileName,
                         size > 0 ? static_cast<int>(reader.consumed() * 100 / size) : 100);
        }
        // The controller's answers, its XON among them, are read here too.
        if (link_.bytesWaiting() > 0) {
            link_.LeesV24Poort();
            if (link_.decodeBlock)
                link_.decodeBlock();
            station_.RxChunk.clear();
        }
    }
    const QString failure = reader.failed() ? readFailure(file) : QString();
    file.close();
    if (!reload)
        status_.DiskLed(0);
    endTransmission();
    if (!failure.isEmpty())
        status_.Warning(failure);
}

void FileSender::endTransmission()
{
    // A lost port has said so once; nothing more goes to it.
    const bool portOpen = link_.portOpen();
    if (station_.AbortRequested && portOpen)
        keys_.ClearTransmitBufferClick();
    if (station_.CqSending) {
        if (portOpen)
            link_.ZendNaarPtc(QByteArray(1, EndOfTransmission));
        if (station_.AutoCqOn)
            endAutoCqRound();
    }
    if (maildropCheckOn() && portOpen)
        link_.ZendNaarPtc(QByteArray(1, Escape));
    station_.CqSending = false;
    station_.AbortRequested = false;
    link_.StartTimers();
    if (station_.XoffReceived) {
        station_.XoffReceived = false;
        link_.showXonLed(false);
    }
    sending_ = false;
    view_.setEnabled(StopSending, false);
    status_.sendingProgress.clear();
    view_.setHint(Pane5, Pane5Hint);
    status_.StatusLine();
}

void FileSender::endAutoCqRound()
{
    // A count already at 0 (a CQ sent by hand while automatic CQ was on, or the link
    // reset it) ends the repetition as reaching 0 does; it must not wrap to 255.
    if (station_.AutoCqCount > 0)
        --station_.AutoCqCount;
    if (station_.AutoCqCount == 0) {
        station_.AutoCqRunning = false;
        station_.AutoCqCount = station_.AutoCqRepeat;
        transmitWindow_.appendLine(texts_.EndOfAutoText);
    } else {
        station_.AutoCqRunning = true;
    }
}

bool FileSender::ClipboardMail()
{
    // Never in the middle of a file: its bytes would mix with the mail's.
    if (sending_ || !station_.ClipboardMailArmed || !view_.clipboardHasText())
        return false;
    const QString text = view_.clipboardText();
    if (text.left(4).toLower() != QLatin1String("mail"))
        return false;
    modal_.beep();
    station_.ClipboardMailArmed = false;

    // The mail is what follows the "mail" line, whichever line end the clipboard has.
    qsizetype body = 4;
    while (body < text.size() && text[body] != QLatin1Char('\r') && text[body] != QLatin1Char('\n'))
        ++body;
    if (body < text.size() && text[body] == QLatin1Char('\r'))
        ++body;
    if (body < text.size() && text[body] == QLatin1Char('\n'))
        ++body;
    const QString path = station_.ProgramDir + MailFileName;
    QFile mail(path);
    const QByteArray bytes = Cp437::encode(text.mid(body));
    if (!mail.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        mail.write(bytes) != bytes.size() || !mail.flush()) {
        status_.Warning(QStringLiteral("Cannot write %1: %2. The mail was not sent; it is "
                                       "still on the clipboard.")
                            .arg(path, mail.errorString()));
        mail.close();
        QFile::remove(path);
        return false;
    }
    mail.close();
    view_.setClipboardText(QString());
    modal_.beep();

    const QString bar = Name::Transmitbalk;
    view_.setCaption(bar, texts_.MailboxWritingText);
    view_.setColors(bar, Colors::Red, Colors::White);
    view_.redraw(bar);
    QString failure;
    if (mail.open(QIODevice::ReadOnly)) {
        LineReader reader(mail);
        QByteArray to, title, line;
        reader.next(to);
        reader.next(title);
        link_.ZendNaarPtc(QByteArray("Write ") + wireText(to) + ' ' + wireText(title) + '\r');
        clock_.sleep(MailPauseMs);
        status_.DiskLed(1);
        bool complete = true;
        while (link_.portOpen() && reader.next(line, &complete))
            link_.ZendNaarPtc(complete ? wireText(line) + '\r' : wireText(line));
        status_.DiskLed(0);
        if (reader.failed())
            failure = readFailure(mail);
        mail.close();
        if (link_.portOpen())
            link_.ZendNaarPtc(QByteArray(1, Escape));
    } else {
        failure = QStringLiteral("Cannot read %1: %2. The mail was not sent.")
                      .arg(path, mail.errorString());
    }
    if (!QFile::remove(path) && QFileInfo::exists(path))
        failure += QStringLiteral("\nCannot remove %1: %2.").arg(path, mail.errorString());
    status_.ZetTransmitbalkTerug();
    if (!failure.isEmpty())
        status_.Warning(failure.trimmed());
    return true;
}
