#include "logbook/Capture.h"

#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/FileIo.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

const QString LogFilter = QStringLiteral(
    "Log Files (*.log);;Buffer file (*.buf);;CQ Files (*.CQ*);;CallList File (*.cal);;"
    "Mailbox Backup Files (*.bac);;Text files (*.txt);;All Files (*)");
const QString BufferFilter =
    QStringLiteral("Buffer Files (*.buf *.Buf);;All files (*);;Text files (*.txt)");

// Until the language file is read the buttons keep their built-in captions.
QString orBuiltIn(const QString& text, const char* builtIn)
{
    return text.isEmpty() ? QLatin1String(builtIn) : text;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

Capture::Capture(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                 StatusDisplay& status, View& view, ReceiveView& receiveWindow, Modal& modal)
    : utcTime([] { return QDateTime::currentDateTimeUtc().time(); }), station_(station),
      settings_(settings), texts_(texts), link_(link), status_(status), view_(view),
      receiveWindow_(receiveWindow), modal_(modal)
{
    startProgram = [](const QString& program) { return QProcess::startDetached(program, {}); };
}

void Capture::MenuEditaFileClick()
{
    station_.MenuHold = false;
    if (!startProgram(settings_.EditorPath)) {
        modal_.message(texts_.Warningtext,
                       QStringLiteral("The editor %1 cannot be started. Choose it with "
                                      "Configuration > Install Editor.")
                           .arg(QDir::toNativeSeparators(settings_.EditorPath)));
        return;
    }
    station_.ClipboardMailArmed = true;
}

void Capture::MenuInstallEditorClick()
{
    station_.ReceiveHold = true;
    const QString path = modal_.openFileName(
        QStringLiteral("Orvanti  ") + QDir::toNativeSeparators(settings_.EditorPath),
        station_.ProgramDir,
        QStringLiteral("All files (*);;Text files (*.txt);;Buffer Files "
                       "(*.Buf *.buf);;Exe files (*.exe)"));
    if (!path.isEmpty())
        settings_.EditorPath = QFileInfo(path).absoluteFilePath();
    station_.ReceiveHold = false;
    station_.MenuHold = false;
}

void Capture::MenuOpenLogFileClick()
{
    if (station_.CaptureOn)
        return;
    // Nothing is decoded, shown or captured while the dialogs are open; the bytes wait.
    station_.ReceiveHold = true;
    const QString path =
        modal_.saveFileName(QStringLiteral("Open Log File"),
                            station_.ProgramDir + QStringLiteral("Orvanti.log"), LogFilter);
    bool append = false;
    bool go = !path.isEmpty();
    if (go && QFileInfo(path).isDir()) {
        modal_.message(texts_.Warningtext,
                       QStringLiteral("The log file %1 cannot be opened: it is a folder.")
                           .arg(QDir::toNativeSeparators(path)));
        go = false;
    } else if (go && QFileInfo::exists(path)) {
        const FileExistsQuestion::Answer answer = ask(path, true);
        go = answer != FileExistsQuestion::Cancel;
        append = answer == FileExistsQuestion::Append;
    }
    if (go && open(path, append)) {
        station_.CaptureOn = true;
        showCaptions();
    }
    station_.ReceiveHold = false;
}

bool Capture::open(const QString& path, bool append)
{
    writer_.reset();
    file_.close();
    file_.setFileName(path);
    // Unbuffered: each batch reaches the file at once, and a short write shows in
    // write()'s result, not later at some flush.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered |
                                     (append ? QIODevice::Append : QIODevice::Truncate);
    if (!file_.open(mode)) {
        modal_.message(texts_.Warningtext,
                       QStringLiteral("The log file %1 cannot be opened: %2.")
                           .arg(QDir::toNativeSeparators(path), file_.errorString()));
        file_.setFileName(QString());
        return false;
    }
    // A new line starts unless the file being added to stops in the middle of one.
    stampDue_ = true;
    if (append && file_.size() > 0) {
        QFile tail(path);
        if (tail.open(QIODevice::ReadOnly) && tail.seek(tail.size() - 1)) {
            const QByteArray last = tail.read(1);
            stampDue_ = last.isEmpty() || isLineEnd(last.at(0));
        }
    }
    failure_.clear();
    return true;
}

void Capture::MenuCloseLogFileClick()
{
    if (!station_.CaptureOn)
        return;
    if (!held_.isEmpty()) {
        const QByteArray bytes = std::exchange(held_, {});
        if (!writeNow(bytes))
            return; // writeNow closed it
    } else if (!flush()) {
        return; // closed for the writer's failure
    }
    file_.close();
    station_.CaptureOn = false;
    showCaptions();
    status_.DiskLed(0);
}

void Capture::OpenLogFileClick()
{
    if (station_.CaptureOn)
        MenuCloseLogFileClick();
    else
        MenuOpenLogFileClick();
}

void Capture::MenuCaptureTimestampsClick()
{
    settings_.CaptureTimestamps = !settings_.CaptureTimestamps;
    view_.setChecked(Name::MenuCaptureTimestamps, settings_.CaptureTimestamps);
}

void Capture::showCaptions()
{
    const bool on = station_.CaptureOn;
    view_.setEnabled(Name::MenuOpenLogFile, !on);
    view_.setEnabled(Name::MenuCloseLogFile, on);
    // The captions name what the next press does.
    const QString caption = on ? orBuiltIn(texts_.CloseLogFileText, "Close Log")
                               : orBuiltIn(texts_.OpenLogText, "Open Log");
    view_.setCaption(Name::OpenLogFile, caption);
    view_.setHint(Name::OpenLogFile, caption);
    view_.setCaption(Name::PopUpOpenLogFile1, caption);
    view_.setLamp(Name::logLed, on);
    view_.setHint(Name::logLed,
                  on ? QStringLiteral("Log File: ") + QDir::toNativeSeparators(file_.fileName())
                     : QStringLiteral("Log File"));
}

FileExistsQuestion::Answer Capture::ask(const QString& path, bool appendAllowed)
{
    fileExists.caption = QFileInfo(path).fileName();
    fileExists.label1 = appendAllowed ? texts_.DeleteText : QString();
    fileExists.label2 = appendAllowed ? texts_.AppendText : QString();
    fileExists.appendEnabled = appendAllowed;
    fileExists.answer = FileExistsQuestion::Cancel;
    modal_.runDialog(Dialog::FileExists);
    if (fileExists.answer == FileExistsQuestion::Append && !appendAllowed)
        return FileExistsQuestion::Cancel;
    return fileExists.answer;
}

bool Capture::mayReplace(const QString& path)
{
    return ask(path, false) == FileExistsQuestion::Delete;
}

bool Capture::stillOurFile() const
{
#ifdef Q_OS_UNIX
    // Writes to a file removed (or replaced) under us would succeed and vanish.
    struct stat named {};
    struct stat open {};
    const QByteArray path = QFile::encodeName(file_.fileName());
    if (::stat(path.constData(), &named) != 0 || ::fstat(file_.handle(), &open) != 0)
        return false;
    return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
#else
    return QFileInfo::exists(file_.fileName());
#endif
}

bool Capture::write(QByteArrayView bytes)
{
    if (!file_.isOpen())
        return true; // the capture closed itself earlier in this block
    QByteArray stamped;
    QByteArrayView out = bytes;
    if (settings_.CaptureTimestamps) {
        const QByteArray stamp = utcTime().toString(QStringLiteral("HH:mm:ss ")).toLatin1();
        stamped.reserve(bytes.size() + stamp.size());
        for (const char c : bytes) {
            if (stampDue_ && !isLineEnd(c)) {
                stamped.append(stamp);
                stampDue_ = false;
            }
            stamped.append(c);
            if (isLineEnd(c))
                stampDue_ = true;
        }
        out = stamped;
    } else if (!bytes.isEmpty()) {
        stampDue_ = isLineEnd(bytes.back());
    }

    if (holding_) {
        if (held_.isEmpty())
            held_.reserve(heldRoom_);
        held_.append(out.data(), out.size());
        return true;
    }
    return writeNow(out);
}

void Capture::releaseWrites()
{
    holding_ = false;
    if (held_.isEmpty() || !file_.isOpen())
        return;
    heldRoom_ = held_.size();
    writer_.append(std::exchange(held_, {}));
}

bool Capture::flush()
{
    writer_.drain();
    const QString reason = writer_.failure();
    if (reason.isEmpty())
        return true;
    fail(reason);
    return false;
}

bool Capture::writeNow(QByteArrayView out)
{
    // Through the writer as well, so that it stays the only one writing to the file.
    writer_.append(out.toByteArray());
    return flush();
}

void Capture::fail(const QString& reason)
{
    failure_ = QStringLiteral("The log file %1 cannot be written: %2.\n"
                              "The log file is closed; what was written before is kept.")
                   .arg(QDir::toNativeSeparators(file_.fileName()), reason);
    held_.clear(); // what could not be written is not written later either
    writer_.reset();
    MenuCloseLogFileClick();
}

void Capture::reportFailure()
{
    if (station_.CaptureOn && file_.isOpen() && !writer_.failure().isEmpty())
        flush();
    if (failure_.isEmpty())
        return;
    const QString text = failure_;
    failure_.clear();
    modal_.message(texts_.Warningtext, text);
}

void Capture::SaveBufferClick()
{
    link_.StopTimers();
    const QString path =
        modal_.saveFileName(QStringLiteral("Save Receive Buffer"),
                            station_.ProgramDir + QStringLiteral("Orvanti.buf"), BufferFilter);
    bool go = !path.isEmpty();
    if (go && QFileInfo(path).isDir()) {
        modal_.message(texts_.Warningtext,
                       QStringLiteral("The receive buffer cannot be saved to %1: it is a folder.")
                           .arg(QDir::toNativeSeparators(path)));
        go = false;
    } else if (go && QFileInfo::exists(path)) {
        go = mayReplace(path);
    }
    if (go) {
        QString text = receiveWindow_.plainText();
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1); // the caret's empty line after the last one is no line
        QByteArray bytes;
        if (!text.isEmpty())
            bytes = Cp437::encode(text).replace('\n', "\r\n") + "\r\n";
        QString error;
        if (!writeFileAtomically(path, bytes, &error))
            modal_.message(texts_.Warningtext,
                           QStringLiteral("The receive buffer cannot be saved to %1: %2")
                               .arg(QDir::toNativeSeparators(path), error));
    }
    link_.StartTimers();
}
