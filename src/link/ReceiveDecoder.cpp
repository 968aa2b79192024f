#include "link/ReceiveDecoder.h"

#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "link/WordWrap.h"

#include <cstring>
#include <limits>

namespace {

// Copies a run of a few dozen bytes at most, as most runs of mixed traffic are: in
// words of eight, the last one overlapping. Faster here than the library's copy, whose
// set-up for short lengths costs more than the copy itself.
void copyShortRun(char* to, const char* from, qsizetype n)
{
    if (n < 8) {
        for (qsizetype i = 0; i < n; ++i)
            to[i] = from[i];
        return;
    }
    quint64 word;
    for (qsizetype i = 0; i + 8 < n; i += 8) {
        std::memcpy(&word, from + i, 8);
        std::memcpy(to + i, &word, 8);
    }
    std::memcpy(&word, from + n - 8, 8);
    std::memcpy(to + n - 8, &word, 8);
}

constexpr quint8 StatusCode = 30;
constexpr quint8 Backspace = 8;
constexpr quint8 CarriageReturn = 13;
constexpr quint8 LineFeed = 10;
constexpr quint8 Bell = 7;
const QByteArray BackupBanner = QByteArrayLiteral("Backup Utility.");
const QByteArray ReloadStandby = QByteArrayLiteral("*** STBY");
// Made once: every block shows the receive buffer's size there.
const QString Pane6 = Name::Pane6;

// What each byte below 32 does; 32 and above are text.
enum class ByteKind : quint8 { Ignored, Class, Text, Backspace, German, Status };

constexpr ByteKind kindOf(quint8 b)
{
    switch (b) {
    case 1:
    case 2:
    case 3:
    case 4:
        return ByteKind::Class;
    case Backspace:
        return ByteKind::Backspace;
    case LineFeed:
    case CarriageReturn:
        return ByteKind::Text;
    case 14:
    case 15:
    case 16:
    case 20:
    case 21:
    case 22:
    case 23:
        return ByteKind::German;
    case StatusCode:
        return ByteKind::Status;
    default:
        return b >= 32 ? ByteKind::Text : ByteKind::Ignored;
    }
}

} // namespace

quint8 germanLetter(quint8 b)
{
    switch (b) {
    case 14:
        return 132; // ä
    case 15:
        return 148; // ö
    case 16:
        return 129; // ü
    case 20:
        return 142; // Ä
    case 21:
        return 153; // Ö
    case 22:
        return 154; // Ü
    case 23:
        return 225; // ß
    default:
        return 0;
    }
}

ReceiveDecoder::ReceiveDecoder(Station& station, Settings& settings, PortLink& link,
                               StatusDisplay& status, View& view, ReceiveView& receiveWindow)
    : station_(station), settings_(settings), link_(link), status_(status), view_(view),
      receiveWindow_(receiveWindow)
{
}

void ReceiveDecoder::V24Schryf()
{
    if (station_.ReceiveHold || station_.RxChunk.isEmpty())
        return;
    station_.DecoderBusy = true;
    // The window takes the whole block as one edit, whichever way the block ends.
    struct EditBlock {
        ReceiveView& window;
        explicit EditBlock(ReceiveView& w) : window(w) { window.beginBlock(); }
        ~EditBlock() { window.endBlock(); }
    } edit(receiveWindow_);
    // A copy: a hook may empty RxChunk while its bytes are still being walked.
    const QByteArray block = station_.RxChunk;
    const qsizetype n = block.size();
    windowLength_ = receiveWindow_.length();
    hooksDue_ = true;
    findings_.scanned = false;
    captureFailed_ = false;
    if (qsizetype(captureBuffer_.size()) < captured_ + n)
        captureBuffer_.resize(std::size_t(captured_ + n));
    const bool z80 = station_.PtcType == PtcModel::Z80;
    // Fixed for the block: the hooks do not change the mode or the limit.
    classFromMode_ = station_.ModeId == Mode::Packet || station_.ModeId == Mode::Psk31;
    hardLimit_ = hardLimit();
    const bool dumb = station_.ModeId == Mode::Dumb;
    backupRun_.clear();
    const bool backup = dumb && station_.MailboxBackupRequested;
    const bool backupEnded = backup && scanBackup(block);
    const bool reloadEnd = dumb && station_.MailboxReloadActive && scanReloadEnd(block);
    if (!backup && !(dumb && station_.MailboxReloadActive)) {
        mailboxTail_.clear();
        stbySeen_ = false;
    }

    bool ended = false;
    for (qsizetype i = 0; i < n && !captureFailed_ && !ended; ++i) {
        auto b = static_cast<quint8>(block[i]);
        // A line feed right after a carriage return in the same block is dropped.
        if (b == LineFeed && i > 0 && static_cast<quint8>(block[i - 1]) == CarriageReturn)
            continue;
        switch (kindOf(b)) {
        case ByteKind::Ignored:
            break;
        case ByteKind::Class:
            if (b != 4 || !z80)
                station_.TextClass = b;
            break;
        case ByteKind::Backspace:
            backspace();
            break;
        case ByteKind::German:
            b = germanLetter(b);
            [[fallthrough]];
        case ByteKind::Text:
            if (b >= 32 && b < 128) {
                if (const qsizetype taken = showPlainRun(block.constData() + i, n - i)) {
                    i += taken - 1;
                    break;
                }
            }
            showByte(b);
            if (hooksDue_) {
                hooksDue_ = false;
                // A packet link change drops the rest of the block; the housekeeping
                // below still runs, so the lamps and panes are not left behind.
                ended = runModeHooks(block) == HookResult::EndBlock;
            }
            break;
        case ByteKind::Status:
            statusCode(i, n, block);
            ++i; // the status byte is never text, in every mode
            break;
        }
    }
    flush(true);

    station_.DecoderBusy = false;
    station_.RxCount = 0;
    view_.setCaption(Pane6, QStringLiteral("Rx.buf.: ") + QString::number(receiveWindow_.length()));
    view_.redraw(Pane6);
    // Within a poll turn the lamp goes off once, at the turn's end: a flood brings
    // hundreds of blocks a turn, and nothing is painted in between.
    if (!link_.inPollTurn())
        status_.DiskLed(0);
    // Also for the status replies of the block: the line shows the last of them.
    status_.StatusLine();
    // Last: the end of a transfer changes the page, which reads the port itself.
    if (backup && backupBlock)
        backupBlock(backupRun_, backupEnded);
    if (reloadEnd && reloadEnded)
        reloadEnded();
}

bool ReceiveDecoder::scanBackup(const QByteArray& block)
{
    qsizetype i = 0;
    if (!station_.MailboxBackupActive) {
        const QByteArray seen = mailboxTail_ + block;
        const qsizetype at = seen.indexOf(BackupBanner);
        if (at < 0) {
            mailboxTail_ = seen.right(BackupBanner.size() - 1);
            return false;
        }
        // What came before the banner is not the dump.
        i = at + BackupBanner.size() - mailboxTail_.size();
        mailboxTail_.clear();
        station_.MailboxBackupActive = true;
        station_.MailboxBackupWriting = false;
    }
    // The bytes the display path takes, as they come: class codes, the status replies
    // and the other control codes are not text; the German letters are.
    const qsizetype n = block.size();
    for (; i < n; ++i) {
        auto b = static_cast<quint8>(block[i]);
        if (b == StatusCode) {
            ++i;
            continue;
        }
        if (b == Bell) {
            station_.MailboxBackupActive = false;
            station_.MailboxBackupWriting = false;
            return true;
        }
        if (const quint8 letter = germanLetter(b))
            b = letter;
        else if (b < 32 && b != CarriageReturn && b != LineFeed)
            continue;
        if (b == '#')
            station_.MailboxBackupWriting = true;
        if (station_.MailboxBackupWriting)
            backupRun_.append(static_cast<char>(b));
    }
    return false;
}

bool ReceiveDecoder::scanReloadEnd(const QByteArray& block)
{
    qsizetype from = 0;
    if (!stbySeen_) {
        const QByteArray seen = mailboxTail_ + block;
        const qsizetype at = seen.indexOf(ReloadStandby);
        if (at < 0) {
            mailboxTail_ = seen.right(ReloadStandby.size() - 1);
            return false;
        }
        from = at + ReloadStandby.size() - mailboxTail_.size();
        mailboxTail_.clear();
        stbySeen_ = true;
    }
    if (block.indexOf('>', from) < 0)
        return false;
    stbySeen_ = false;
    return true;
}

void ReceiveDecoder::showByte(quint8 b)
{
    const WrapLimits limits{settings_.WrapMin, settings_.WrapMax};
    if (BepaalAantalKarakters(WrapDirection::Received, b, link_.RxColumn, limits)) {
        station_.RxWrapPending = true;
    }
    const bool maildrop = settings_.MaildropOn;
    if (station_.RxWrapPending) {
        if (!link_.TxWrapped) {
            // The break goes in before the byte, in the colour the caret has now.
            if (!maildrop) {
                if (runColor_ != caretColor_ && !run_.isEmpty())
                    flush();
                runColor_ = caretColor_;
                run_.append(QLatin1Char('\n'));
                ++windowLength_;
            }
        } else {
            link_.TxWrapped = false;
        }
        station_.RxWrapPending = false;
    }
    if (b == CarriageReturn ? windowLength_ > settings_.MaxRxLength : windowLength_ > hardLimit_)
        trim();
    if (station_.CaptureOn) {
        if (captured_ == 0)
            status_.DiskLed(1);
        captureBuffer_[std::size_t(captured_++)] = static_cast<char>(b);
    }
    if (classFromMode_)
        station_.TextClass = 2;
    const quint8 textClass = station_.TextClass;
    if (textClass >= 1 && textClass <= 4)
        caretColor_ = classColor(textClass);
    if (maildrop || !classShown(textClass))
        return;
    if (runColor_ != caretColor_ && !run_.isEmpty() && !flush())
        return;
    runColor_ = caretColor_;
    run_.append(b == CarriageReturn || b == LineFeed ? QChar(u'\n') : Cp437::toUnicode(b));
    ++windowLength_;
}

qsizetype ReceiveDecoder::showPlainRun(const char* bytes, qsizetype available)
{
    // Printable ASCII (its own code-page-437 characters) shown in the caret's colour,
    // up to the first byte that brings a wrap, a trim or anything else: taken in one
    // go, exactly as showByte takes it byte by byte.
    if (station_.RxWrapPending || hooksDue_ || settings_.MaildropOn)
        return 0;
    // Nothing changes until a byte is taken: a byte left to showByte may bring a wrap,
    // whose break takes the caret's colour from before the byte.
    const quint8 textClass = classFromMode_ ? 2 : station_.TextClass;
    const Color color = textClass >= 1 && textClass <= 4 ? classColor(textClass) : caretColor_;
    if (!classShown(textClass) || (runColor_ != color && !run_.isEmpty()))
        return 0;
    // showByte trims before a byte once the window is past the hard limit.
    const qsizetype room = qsizetype(hardLimit_) - windowLength_ + 1;
    const qsizetype n = qMin(available, room);
    const WrapLimits limits{settings_.WrapMin, settings_.WrapMax};
    quint8 column = link_.RxColumn;
    const bool capture = station_.CaptureOn;
    qsizetype taken = 0;
    for (; taken < n; ++taken) {
        const auto b = static_cast<quint8>(bytes[taken]);
        if (b < 32 || b >= 128)
            break;
        // Counted as BepaalAantalKarakters counts a received byte; a byte that brings a
        // break is left to showByte.
        const auto next = static_cast<quint8>(column + 1);
        if (limits.wrapMax != 0 && ((next >= limits.wrapMin && b == ' ') || next > limits.wrapMax))
            break;
        column = next;
    }
    if (taken == 0)
        return 0;
    link_.RxColumn = column;
    station_.TextClass = textClass;
    caretColor_ = color;
    if (capture) {
        if (captured_ == 0)
            status_.DiskLed(1);
        copyShortRun(captureBuffer_.data() + captured_, bytes, taken);
        captured_ += taken;
    }
    runColor_ = caretColor_;
    run_.append(QLatin1StringView(bytes, taken));
    windowLength_ += static_cast<int>(taken);
    return taken;
}

void ReceiveDecoder::statusCode(qsizetype i, qsizetype n, const QByteArray& block)
{
    if (station_.ModeId == Mode::Packet || station_.MailboxBackupActive || station_.ScrollBack)
        return;
    // A code at the very end of the block: its byte comes with the next block and is
    // read there as text, so the last byte stands in.
    if (i + 1 < n)
        station_.StatusByte = static_cast<quint8>(block[i + 1]);
    status_.takeStatusByte(station_.StatusByte);
    hooksDue_ = true;
}

void ReceiveDecoder::backspace()
{
    // Deletes the last character, never a line break.
    if (!run_.isEmpty()) {
        if (run_.back() != QLatin1Char('\n')) {
            run_.chop(1);
            --windowLength_;
        }
        return;
    }
    const QChar last = receiveWindow_.lastCharacter();
    if (!last.isNull() && last != QLatin1Char('\n')) {
        receiveWindow_.removeLastCharacter();
        --windowLength_;
    }
}

void ReceiveDecoder::trim()
{
    if (!flush())
        return;
    receiveWindow_.trimFront(windowLength_ / 10);
    link_.ScrollNaarEnd();
    station_.ScrollMaxPos = 0;
    windowLength_ = receiveWindow_.length();
}

int ReceiveDecoder::hardLimit() const
{
    // The window is cut at a carriage return; text that never brings one (a stuck
    // carrier, a binary transfer) is cut anyway once it is twice the limit.
    return static_cast<int>(qMin<qint64>(2 * qint64(qMax(settings_.MaxRxLength, 1024)),
                                         std::numeric_limits<int>::max()));
}

bool ReceiveDecoder::flush(bool blockEnd)
{
    // The capture takes a block's bytes in one write.
    if (captured_ > 0 && blockEnd) {
        const bool written =
            !captureWrite || captureWrite(QByteArrayView(captureBuffer_.data(), captured_));
        captured_ = 0;
        if (!written) {
            captureFailed_ = true;
            run_.clear();
            windowLength_ = receiveWindow_.length();
            return false;
        }
    }
    if (!run_.isEmpty()) {
        receiveWindow_.insertText(run_, runColor_);
        run_.truncate(0); // keeps the buffer when the window took a copy
    }
    return true;
}

void ReceiveDecoder::scanForHooks(const QByteArray& block)
{
    // The messages are looked for once a block: the hooks run after every status reply,
    // and a block can hold dozens of them.
    HookFindings& f = findings_;
    f = HookFindings{};
    f.scanned = true;
    const Mode mode = station_.ModeId;
    if (mode == Mode::Packet) {
        f.packetConnected = block.contains("CONNECTED to");
        f.packetDisconnected = block.contains("DISCONNECTED");
    } else if (mode == Mode::Cw) {
        f.cwDelayed = block.contains("** DELAY") || block.contains(">>>");
        f.cwImmediate = block.contains("** IMME");
        f.cwFixSpeed = block.contains("FIX-SPEED");
        f.cwAutoSpeed = block.contains("AUTO-SPEED");
    } else if (mode == Mode::Psk31) {
        f.pskSquelch = block.contains("*** SQUELCH ON");
        f.pskDbpsk = block.contains("DBPSK");
        f.pskDqpsk = block.contains("DQPSK");
        f.pskInverted = block.contains("inverted");
    } else if (mode == Mode::Pactor) {
        // The call follows the message itself, not any earlier "TO" of the block
        // ("STORM" in received text, say).
        const qsizetype at = block.indexOf("CONNECTED TO");
        f.pactorConnected = at >= 0;
        if (f.pactorConnected) {
            QByteArray call = block.mid(at + 10 + 3, 8);
            const qsizetype cr = call.indexOf('\r');
            if (cr >= 0)
                call.truncate(cr);
            f.pactorCall = Cp437::decode(call);
        }
    }
}

ReceiveDecoder::HookResult ReceiveDecoder::runModeHooks(const QByteArray& block)
{
    if (!findings_.scanned)
        scanForHooks(block);
    const HookFindings& f = findings_;
    const Mode mode = station_.ModeId;
    if (mode == Mode::Packet) {
        // A packet link coming up or going down ends the block: what follows belongs
        // to the monitor switch that the change brings.
        const bool connected = f.packetConnected;
        if (!connected && !f.packetDisconnected)
            return HookResult::Continue;
        station_.RxChunk.clear();
        station_.Connected = connected;
        view_.setEnabled(Name::PacketDisconnect, connected);
        if (!connected) {
            station_.PacketState = QStringLiteral("STANDBY");
            station_.HisCall.clear();
        }
        if (packetMonitorClick)
            packetMonitorClick();
        return HookResult::EndBlock;
    }
    if (mode == Mode::Cw) {
        const QString delayed = Name::CwDelayed;
        if (f.cwDelayed) {
            view_.setCaption(delayed, QStringLiteral("Delay"));
            view_.setChecked(delayed, true);
        }
        if (f.cwImmediate) {
            view_.setCaption(delayed, QStringLiteral("Direct"));
            view_.setChecked(Name::CwTransmit, true);
        }
        if (f.cwFixSpeed || f.cwAutoSpeed) {
            station_.CwRxAuto = f.cwAutoSpeed;
            view_.setCaption(Name::Pane2, station_.CwRxAuto ? QStringLiteral("Rx :Auto")
                                                            : QStringLiteral("Rx :Fix"));
        }
    } else if (mode == Mode::Psk31) {
        if (f.pskSquelch)
            station_.SquelchOn = true;
        if (f.pskDbpsk)
            station_.PskSubMode = QStringLiteral(":DBPsk");
        if (f.pskDqpsk)
            station_.PskSubMode = QStringLiteral(":DQPsk");
        if (f.pskInverted)
            station_.PskSubMode = QStringLiteral(":I-DQPsk");
    } else if (mode == Mode::Pactor && f.pactorConnected) {
        station_.HisCall = f.pactorCall;
    }
    return HookResult::Continue;
}

Color ReceiveDecoder::classColor(quint8 textClass) const
{
    switch (textClass) {
    case 1:
        return settings_.SystemTextColor;
    case 2:
        return settings_.ReceiveTextColor;
    case 3:
        return settings_.DelayTextColor;
    default:
        return settings_.PromptColor;
    }
}

bool ReceiveDecoder::classShown(quint8 textClass) const
{
    switch (textClass) {
    case 1:
        return settings_.MessagesOnScreen;
    case 2:
    case 4:
        return true;
    case 3:
        return !station_.DuplexOn;
    default:
        return false;
    }
}
