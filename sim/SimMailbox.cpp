// The simulated controller's mailbox: the maildrop switches, the listing, the backup
// dump and the reload. Apart from SimEngine.cpp so the mailbox stays in one place.

#include "SimEngine.h"

namespace ptcsim {

namespace {

constexpr std::uint8_t kLf = 10;
constexpr std::uint8_t kCr = 13;
constexpr std::uint8_t kXon = 17;
constexpr std::uint8_t kXoff = 19;
constexpr std::uint8_t kStatusRequest = 30;
constexpr char kBell = 7;
constexpr char kClassPrompt = 4;
constexpr std::size_t kMaxReloadLine = 64 * 1024;

} // namespace

std::vector<std::string> SimEngine::MailboxState::defaultLines()
{
    // A long line, a "%%" and a code-page-437 letter: a reload must give each back as
    // it is.
    return {
        "### PTC mailbox backup",
        "#1 DL1ABC>MYCALL 17.05.24 09:12 Sked",
        "Hello, shall we meet on 14.070 MHz at 18 UTC? I will call you with 100%% of my "
        "power, which is 100 W into a dipole at 12 m above ground near the river.",
        "73 de DL1ABC",
        "#2 PA3XYZ>MYCALL 18.05.24 21:40 Gr\x81\xe1"
        "e",
        "Thanks for the QSO. Your signal was S9 here.",
        "",
        "#3 OH2QQ>ALL 19.05.24 06:05 Net",
        "The net starts at 19 UTC on 3.580 MHz.",
    };
}

std::string SimEngine::mailboxDump() const
{
    std::string dump;
    for (const std::string& line : mailbox_.lines)
        dump += line + "\r";
    return dump;
}

bool SimEngine::mailboxByte(std::uint8_t byte, std::int64_t nowMs)
{
    using Transfer = MailboxState::Transfer;
    if (mailbox_.transfer == Transfer::None || byte == kStatusRequest || byte == kXon ||
        byte == kXoff)
        return false;
    if (mailbox_.transfer == Transfer::BackupKey) {
        // Any key starts the dump; a status reply cannot come inside it.
        mailbox_.transfer = Transfer::None;
        emitSystem(mailboxDump() + kBell, nowMs);
        emitPrompt(nowMs);
        return true;
    }
    if (byte == kCr)
        finishReloadLine(nowMs);
    else if (byte != kLf && mailbox_.line.size() < kMaxReloadLine)
        mailbox_.line.push_back(static_cast<char>(byte));
    return true;
}

void SimEngine::finishReloadLine(std::int64_t nowMs)
{
    std::string line;
    line.swap(mailbox_.line);
    if (line == "Q" && mailbox_.reloading.empty()) {
        mailbox_.transfer = MailboxState::Transfer::None;
        emitSystem("*** Reload cancelled\r", nowMs);
        emitPrompt(nowMs);
        return;
    }
    if (line != "+") {
        mailbox_.reloading.push_back(std::move(line));
        return;
    }
    mailbox_.transfer = MailboxState::Transfer::None;
    mailbox_.lines = mailbox_.reloading;
    mailbox_.reloaded.swap(mailbox_.reloading);
    mailbox_.reloading.clear();
    emitSystem("\r*** STBY\r", nowMs);
    emitClass(kClassPrompt, "cmd:>", nowMs);
}

SimEngine::Reply SimEngine::cmdMaildropSwitch(const CommandLine& line, std::int64_t)
{
    if (line.args.empty() || (line.args[0] != "0" && line.args[0] != "1"))
        return {"*** ERROR: " + line.word + " 0 or 1\r"};
    const bool on = line.args[0] == "1";
    if (line.word == "REM")
        mailbox_.remote = on;
    else if (line.word == "CM")
        mailbox_.connectMessages = on;
    else
        mailbox_.box = on;
    return {"*** " + line.word + " " + line.args[0] + "\r"};
}

SimEngine::Reply SimEngine::cmdMailboxList(const CommandLine&, std::int64_t)
{
    std::string text = mailbox_.box ? "Maildrop ON\r" : "Maildrop OFF\r";
    std::size_t count = 0;
    for (const std::string& line : mailbox_.lines) {
        if (line.size() > 1 && line[0] == '#' && line[1] != '#') {
            text += line.substr(1) + "\r";
            ++count;
        }
    }
    text += std::to_string(count) + " messages\r";
    return {text};
}

SimEngine::Reply SimEngine::cmdBackup(const CommandLine&, std::int64_t)
{
    mailbox_.transfer = MailboxState::Transfer::BackupKey;
    return {"Backup Utility.\rPress any key to start.\r", false};
}

SimEngine::Reply SimEngine::cmdReload(const CommandLine&, std::int64_t)
{
    mailbox_.transfer = MailboxState::Transfer::Reload;
    mailbox_.reloading.clear();
    mailbox_.line.clear();
    return {"Reload: send the backup, end with +\r", false};
}

} // namespace ptcsim
