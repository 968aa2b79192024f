#include "SimEngine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <sstream>

namespace ptcsim {

namespace {

constexpr std::uint8_t kCtrlB = 2;
constexpr std::uint8_t kCtrlC = 3;
constexpr std::uint8_t kCtrlD = 4;
constexpr std::uint8_t kCtrlF = 6;
constexpr std::uint8_t kCtrlK = 11;
constexpr std::uint8_t kCtrlL = 12;
constexpr std::uint8_t kCtrlN = 14;
constexpr std::uint8_t kCtrlU = 21;
constexpr std::uint8_t kCtrlY = 25;
constexpr std::uint8_t kBackspace = 8;
constexpr std::uint8_t kLf = 10;
constexpr std::uint8_t kCr = 13;
constexpr std::uint8_t kXon = 17;
constexpr std::uint8_t kXoff = 19;
constexpr std::uint8_t kEsc = 27;
constexpr std::uint8_t kStatusRequest = 30;

constexpr char kClassSystem = 1;
constexpr char kClassRemote = 2;
constexpr char kClassEcho = 3;
constexpr char kClassPrompt = 4;

// Traffic field of the status byte.
constexpr unsigned kTrafficRequest = 1;
constexpr unsigned kTrafficData = 2;
constexpr unsigned kTrafficIdle = 3;
constexpr unsigned kTrafficNone = 7;

constexpr std::size_t kMaxLine = 256;
constexpr std::size_t kMaxTransmittedLines = 4096; // a long soak must not grow without end
constexpr std::size_t kMaxCommandsSeen = 4096;     // nor a long file sent as commands
// A packet station's first frame comes after the link frames, not in the same breath.
constexpr std::int64_t kPacketGreetingGapMs = 200;
constexpr int kPskOffsetLimitHz = 500;
constexpr std::size_t kDefaultBurst = 2000;
constexpr std::size_t kMaxBurst = 1 << 20;
constexpr std::size_t kFloodChunk = 64 * 1024;       // generated ahead in one go
constexpr std::size_t kMaxFloodPerTake = 256 * 1024; // bound for "take everything"

struct ModelText {
    Model model;
    const char* id;
    const char* name;     // what the program looks for
    const char* firmware; // made up
    const char* extra;    // further version lines
};

// The names are what the program's model recognition searches for; keep each free of
// the other models' markers.
constexpr ModelText kModels[] = {
    {Model::Z80, "z80", "Z80 PTC", "3.9", "Memory: 32k\r"},
    {Model::Plus, "plus", "PTC-Plus", "2.8", "Memory: 128k\r"},
    {Model::IIe, "iie", "PTC-IIe", "4.1", "Port 2: NO\r"},
    {Model::II, "ii", "PTC-II", "4.1", "Memory: 2M\r"},
    {Model::Pro, "pro", "PTC-IIpro", "4.1", "Memory: 4M\r"},
    {Model::Bios, "bios", "PTC-II BIOS", "1.4", ""},
    {Model::Silent, "silent", "", "", ""},
};

const ModelText& modelText(Model model)
{
    for (const auto& entry : kModels) {
        if (entry.model == model)
            return entry;
    }
    return kModels[0];
}

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A decimal number within [min, max]; false for anything else, signs and spaces included.
bool parseNumber(const std::string& text, long min, long max, long* value)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long parsed = std::stol(text);
    if (parsed < min || parsed > max)
        return false;
    *value = parsed;
    return true;
}

// The parameters set by "WORD n" alone, whatever the mode (each also in the command table).
struct NumericSetting {
    const char* word;
    long min;
    long max;
    int ModeSettings::*field;
    const char* name;
};

constexpr NumericSetting kNumericSettings[] = {
    {"PD", 0, 1, &ModeSettings::pactorDuplex, "Duplex"},
    {"TO", 0, 4, &ModeSettings::tones, "Tones"},
    {"MYL", 1, 3, &ModeSettings::pactorLevel, "Mylevel"},
    {"TR", 0, 3, &ModeSettings::trShift, "TR"},
    {"CWS", 5, 1200, &ModeSettings::cwTxSpeed, "CW speed"},
    {"CWW", 0, 255, &ModeSettings::cwWeight, "CW weight"},
    {"MC", 0, 6, &ModeSettings::monitorControl, "MC"},
};

constexpr const char* kOutOfRange = "*** ERROR: value out of range\r";
constexpr const char* kLinkInUse = "*** ERROR: link in use\r";
constexpr const char* kWrongMode = "*** ERROR: not in this mode\r";

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// A fix somewhere at sea off the Dutch coast; nobody's real position.
constexpr const char* kPosition = "N 52 13.45 E 005 07.12";
constexpr const char* kGgaBody = "GPGGA,101530.00,5213.450,N,00507.120,E,1,08,0.9,12.0,M,46.0,M,,";

std::string nmeaSentence(const std::string& body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail;
}

constexpr const char* kFloodWords[] = {
    "the",      "radio", "signal", "band",   "antenna",   "report", "weather", "station", "mail",
    "message",  "over",  "copy",   "thanks", "power",     "noise",  "fading",  "evening", "morning",
    "bulletin", "net",   "relay",  "check",  "frequency", "log",    "contact", "good",    "fine",
    "here",     "rig",   "wire",   "dipole", "vertical",  "storm",  "harbour", "ship",    "coast",
    "nach",     "und",   "mit",    "der",    "Wetter",    "heute",  "gut",     "schon",   "Gruss",
};

// Appends one line of made-up received text: words, now and then an umlaut code or a
// typo the sender corrected with a backspace, at most 80 characters and a CR.
void appendTextLine(std::string& out, std::mt19937& random)
{
    static constexpr char kGermanCodes[] = {14, 15, 16, 20, 21, 22, 23};
    const std::size_t start = out.size();
    const std::size_t target = 40 + random() % 41;
    while (out.size() - start < target) {
        if (out.size() > start)
            out.push_back(' ');
        const std::uint32_t pick = random();
        out += kFloodWords[pick % std::size(kFloodWords)];
        const std::uint32_t extra = (pick >> 8) % 64;
        if (extra < 3) {
            out.push_back(kGermanCodes[(pick >> 16) % std::size(kGermanCodes)]);
        } else if (extra == 3) {
            out.push_back(static_cast<char>('a' + (pick >> 16) % 26));
            out.push_back(static_cast<char>(kBackspace));
        }
    }
    if (out.size() - start > 80)
        out.resize(start + 80);
    out.push_back(static_cast<char>(kCr));
}

// The remote station's answers, taken in turn. Umlauts are the controller's codes
// (14 ae, 15 oe, 16 ue, 20 Ae, 21 Oe, 22 Ue, 23 sz); literals are split where a code
// would swallow the next letter as a hex digit.
constexpr const char* kReplies[] = {
    "Thanks {call}, copy all fine here.\r",
    "Sch\x0f"
    "ne Gr\x10\x17"
    "e aus dem Norden, bis sp\x0e"
    "ter.\r",
    "Rig here is a 100 W transceiverr\b and a wire dipole.\r",
    "\x16"
    "bertragung gut, kein \x14rger mit dem \x15l f\x10r den Generator.\r",
    "Band conditions are fading a bit on my side.\r",
    "Wetter heute Regen, morgen bessr\ber.\r",
};

} // namespace

bool parseModel(const std::string& text, Model* model)
{
    for (const auto& entry : kModels) {
        if (text == entry.id) {
            *model = entry.model;
            return true;
        }
    }
    return false;
}

const char* modelName(Model model)
{
    return modelText(model).id;
}

bool parseCallOutcome(const std::string& text, CallOutcome* outcome)
{
    static constexpr struct {
        const char* name;
        CallOutcome outcome;
    } kOutcomes[] = {{"answered", CallOutcome::Answered},
                     {"failed", CallOutcome::Failed},
                     {"unanswered", CallOutcome::Unanswered}};
    for (const auto& entry : kOutcomes) {
        if (text == entry.name) {
            *outcome = entry.outcome;
            return true;
        }
    }
    return false;
}

SimEngine::SimEngine(Options options)
    : options_(options), random_(options.seed), floodRandom_(options.seed ^ 0x5eedf100u),
      replyIndex_(options.seed % std::size(kReplies))
{
    if (options_.radioCharsPerSecond <= 0)
        options_.radioCharsPerSecond = 1;
    if (options_.echoDelayMs < 0)
        options_.echoDelayMs = 0;
    if (options_.replyDelayMs < 0)
        options_.replyDelayMs = 0;
    if (options_.connectDelayMs < 0)
        options_.connectDelayMs = 0;
    // An XON mark at or above the XOFF mark would answer every XOFF at once.
    if (options_.transmitLowWater >= options_.transmitHighWater)
        options_.transmitLowWater = options_.transmitHighWater / 2;
    if (options_.burstIntervalMs <= 0)
        options_.burstIntervalMs = 1;
    options_.burstBytes = std::min(options_.burstBytes, kMaxBurst);
}

// ---------------------------------------------------------------------------------------
// Input

void SimEngine::receive(const std::uint8_t* data, std::size_t count, std::int64_t nowMs)
{
    // Bring the radio and link up to date first: a status request must see them as of now.
    advance(nowMs);
    for (std::size_t i = 0; i < count; ++i)
        handleByte(data[i], nowMs);
}

void SimEngine::handleByte(std::uint8_t byte, std::int64_t nowMs)
{
    if (mailboxByte(byte, nowMs))
        return;
    switch (byte) {
    case kStatusRequest:
        if (answersStatus()) {
            std::string answer{static_cast<char>(kStatusRequest), static_cast<char>(statusByte())};
            emit(std::move(answer), nowMs);
        }
        return;
    case kXoff:
        programXoff_ = true;
        return;
    case kXon:
        programXoff_ = false;
        return;
    case kEsc:
        escapePending_ = true;
        lineBuffer_.clear();
        return;
    default:
        break;
    }
    if (modeControl(byte, nowMs))
        return;
    if (inConverse())
        converseByte(byte, nowMs);
    else
        lineByte(byte, nowMs);
}

bool SimEngine::inConverse() const
{
    return !escapePending_ && !silent_ && (connected_ || transmitting() || keyerSends());
}

bool SimEngine::keyerSends() const
{
    return mode_ == SimMode::Cw;
}

void SimEngine::lineByte(std::uint8_t byte, std::int64_t nowMs)
{
    if (byte == kCr) {
        finishLine(nowMs);
    } else if (byte == kBackspace) {
        if (!lineBuffer_.empty())
            lineBuffer_.pop_back();
    } else if (byte == kLf || byte < 32) {
        // Line feeds and stray control characters are not part of a command.
    } else if (lineBuffer_.size() < kMaxLine) {
        lineBuffer_.push_back(static_cast<char>(byte));
    }
}

void SimEngine::converseByte(std::uint8_t byte, std::int64_t nowMs)
{
    if (byte == kCtrlD) {
        endTransmission(nowMs);
        return;
    }
    // The AMTOR over sign is the controller's cue to turn the link, not text for the air.
    if (byte == '?' && mode_ == SimMode::Amtor && connected_ && !transmitQueue_.empty() &&
        transmitQueue_.back() == '+') {
        transmitQueue_.pop_back();
        updateTransmitFlow();
        handOver(nowMs);
        return;
    }
    queueTransmit(byte, nowMs);
}

// Control bytes that act on the mode, whether a line is being typed or text is going out.
// Returns false for a byte that is ordinary input here.
bool SimEngine::modeControl(std::uint8_t byte, std::int64_t nowMs)
{
    if (silent_ || options_.model == Model::Silent || options_.model == Model::Bios)
        return false;
    if (byte == kCtrlY) {
        // Never text for the air. A packet link has no change-over: dropped there.
        if (connected_ && mode_ != SimMode::Packet)
            changeOver(nowMs);
        else if (terminalMode() && !terminalTx_)
            terminalTx_ = true;
        else if (terminalMode())
            toReceive();
        return true;
    }
    switch (mode_) {
    case SimMode::Cw:
        if (byte != kCtrlF && byte != kCtrlU && byte != kCtrlD)
            return false;
        cwControl(byte, nowMs);
        return true;
    case SimMode::Psk31:
        if (byte != kCtrlL && byte != kCtrlK && byte != kCtrlC && byte != kCtrlN &&
            byte != kCtrlB && byte != kCtrlF && byte != kCtrlD)
            return false;
        pskControl(byte, nowMs);
        return true;
    case SimMode::Rtty:
        if (byte == kCtrlD) {
            toReceive();
            return true;
        }
        return byte == kCtrlB; // LTRS: forces letters; nothing to model
    case SimMode::Amtor:
        return byte == kCtrlB;
    default:
        return false;
    }
}

void SimEngine::cwControl(std::uint8_t byte, std::int64_t nowMs)
{
    ModeSettings& s = settings_;
    if (byte == kCtrlF) {
        s.cwAutoSpeed = !s.cwAutoSpeed;
        emitSystem(s.cwAutoSpeed ? "*** AUTO-SPEED\r" : "*** FIX-SPEED\r", nowMs);
    } else if (byte == kCtrlU) {
        s.cwRxSpeed = std::min(s.cwRxSpeed + 1, 99);
    } else {
        s.cwRxSpeed = std::max(s.cwRxSpeed - 1, 5);
    }
}

void SimEngine::pskControl(std::uint8_t byte, std::int64_t nowMs)
{
    ModeSettings& s = settings_;
    switch (byte) {
    case kCtrlL:
        s.pskOffsetHz = std::min(s.pskOffsetHz + 1, kPskOffsetLimitHz);
        break;
    case kCtrlK:
        s.pskOffsetHz = std::max(s.pskOffsetHz - 1, -kPskOffsetLimitHz);
        break;
    case kCtrlC:
        s.pskSquelch = !s.pskSquelch;
        emitSystem(s.pskSquelch ? "*** SQUELCH ON\r" : "*** SQUELCH OFF\r", nowMs);
        break;
    case kCtrlN:
        s.pskNet = !s.pskNet;
        emitSystem(s.pskNet ? "*** NET ON\r" : "*** NET OFF\r", nowMs);
        break;
    case kCtrlB: {
        static constexpr const char* kNames[] = {"*** DBPSK\r", "*** DQPSK\r",
                                                 "*** DQPSK inverted\r"};
        const int next = (static_cast<int>(s.pskVariant) + 1) % 3;
        s.pskVariant = static_cast<PskVariant>(next);
        emitSystem(kNames[next], nowMs);
        break;
    }
    case kCtrlF:
        s.pskOffsetHz = 0;
        s.pskSquelch = false;
        s.pskNet = false;
        s.pskVariant = PskVariant::Bpsk;
        emitSystem("*** PSK31 defaults: DBPSK, SQUELCH OFF\r", nowMs);
        break;
    default: // Ctrl-D: back to receive
        toReceive();
        break;
    }
}

void SimEngine::finishLine(std::int64_t nowMs)
{
    const std::string line = trimmed(lineBuffer_);
    const bool escaped = escapePending_;
    lineBuffer_.clear();
    escapePending_ = false;
    if (commandsSeen_.size() == 2 * kMaxCommandsSeen)
        commandsSeen_.erase(commandsSeen_.begin(), commandsSeen_.begin() + kMaxCommandsSeen);
    commandsSeen_.push_back(line);
    if (silent_ || options_.model == Model::Silent)
        return;
    if (options_.model == Model::Bios) {
        handleBiosLine(line, nowMs);
        return;
    }
    if (!signedOn_) {
        signedOn_ = true;
        emitSystem(signOnText(), nowMs);
    }
    // ESC CR alone is the CW terminal's switch between type-ahead and immediate keying.
    if (escaped && line.empty() && mode_ == SimMode::Cw) {
        settings_.cwDelayed = !settings_.cwDelayed;
        emitSystem(settings_.cwDelayed ? "** DELAYED\r" : "** IMMEDIATE\r", nowMs);
    }
    handleCommandLine(line, nowMs);
}

bool SimEngine::answersStatus() const
{
    return !silent_ && options_.model != Model::Bios && options_.model != Model::Silent;
}

void SimEngine::handleBiosLine(const std::string& line, std::int64_t nowMs)
{
    std::istringstream words(line);
    std::string word;
    words >> word;
    const std::string& name = modelText(Model::Bios).name;
    if (upper(word) == "HE" || upper(word) == "HELP") {
        emit("\r" + name + " help\rHe    this text\rUpdate  load new firmware\r" +
                 "Systemtest  run the hardware test\r",
             nowMs);
        return;
    }
    emit("\r" + name + " V" + modelText(Model::Bios).firmware +
             " - Systemtest\rNo valid firmware found.\r",
         nowMs);
}

// ---------------------------------------------------------------------------------------
// Commands

const std::vector<SimEngine::CommandEntry>& SimEngine::commandTable()
{
    static const std::vector<CommandEntry> table = {
        {"VERSION", &SimEngine::cmdVersion},
        {"MYC", &SimEngine::cmdMyCall},
        {"L", &SimEngine::cmdListen},
        {"ESC", &SimEngine::cmdAccept},
        {"PAC", &SimEngine::cmdPacket},
        {"TERM", &SimEngine::cmdTerm},
        {"POS", &SimEngine::cmdPosition},
        {"RESET", &SimEngine::cmdReset},
        {"PT", &SimEngine::cmdPactor},
        {"Q", &SimEngine::cmdQuit},
        {"HE", &SimEngine::cmdHelp},
        {"HELP", &SimEngine::cmdHelp},
        {"U", &SimEngine::cmdUnproto},
        {"D", &SimEngine::cmdDisconnect},
        {"DD", &SimEngine::cmdDisconnectNow},
        {"C", &SimEngine::cmdConnect},
        {"BURST", &SimEngine::cmdBurst},
        {"AM", &SimEngine::cmdAmtor},
        {"BAU", &SimEngine::cmdBaudot},
        {"CWT", &SimEngine::cmdCwTerminal},
        {"PSKT", &SimEngine::cmdPskTerminal},
        {"AUD", &SimEngine::cmdAudio},
        {"CW", &SimEngine::cmdAudioFilter},
        {"NOTCH", &SimEngine::cmdAudioFilter},
        {"PEAK", &SimEngine::cmdAudioFilter},
        {"THROUGH", &SimEngine::cmdAudioFilter},
        {"B", &SimEngine::cmdBandwidth},
        {"MON", &SimEngine::cmdMonitor},
        {"P", &SimEngine::cmdPort},
        {"FEC", &SimEngine::cmdFec},
        {"PD", &SimEngine::cmdSetting},
        {"TO", &SimEngine::cmdSetting},
        {"MYL", &SimEngine::cmdSetting},
        {"TR", &SimEngine::cmdSetting},
        {"CWS", &SimEngine::cmdSetting},
        {"CWW", &SimEngine::cmdSetting},
        {"MC", &SimEngine::cmdSetting},
        {"CLR", &SimEngine::cmdClear},
        {"REM", &SimEngine::cmdMaildropSwitch},
        {"CM", &SimEngine::cmdMaildropSwitch},
        {"BOX", &SimEngine::cmdMaildropSwitch},
        {"LI", &SimEngine::cmdMailboxList},
        {"DIR", &SimEngine::cmdMailboxList},
        {"BAK", &SimEngine::cmdBackup},
        {"RELO", &SimEngine::cmdReload},
        {"NAVTEX", &SimEngine::cmdNavtexKind},
        {"NAV", &SimEngine::cmdNav},
    };
    return table;
}

void SimEngine::handleCommandLine(const std::string& line, std::int64_t nowMs)
{
    CommandLine command;
    std::istringstream words(line);
    std::string firstWord;
    words >> firstWord;
    command.word = upper(firstWord);
    for (std::string arg; words >> arg;)
        command.args.push_back(arg);

    if (command.word.empty()) {
        emitPrompt(nowMs);
        return;
    }
    Reply reply{"*** ERROR: unknown command " + firstWord + "\r"};
    for (const auto& entry : commandTable()) {
        if (command.word == entry.word) {
            reply = (this->*entry.handler)(command, nowMs);
            break;
        }
    }
    if (!reply.text.empty())
        emitSystem(reply.text, nowMs);
    if (reply.prompt)
        emitPrompt(nowMs);
}

SimEngine::Reply SimEngine::cmdVersion(const CommandLine&, std::int64_t)
{
    return {versionText()};
}

SimEngine::Reply SimEngine::cmdMyCall(const CommandLine& line, std::int64_t)
{
    if (line.args.empty())
        return {"Mycall: " + myCall_ + "\r"};
    myCall_ = upper(line.args.front());
    return {};
}

SimEngine::Reply SimEngine::cmdListen(const CommandLine& line, std::int64_t)
{
    if (line.args.empty())
        return {std::string("Listen: ") + (listening_ ? "1" : "0") + "\r"};
    if (line.args.front() == "1")
        listening_ = true;
    else if (line.args.front() == "0")
        listening_ = false;
    else
        return {kOutOfRange};
    return {};
}

SimEngine::Reply SimEngine::cmdAccept(const CommandLine&, std::int64_t)
{
    return {};
}

SimEngine::Reply SimEngine::cmdPacket(const CommandLine& line, std::int64_t)
{
    // "PAC" alone switches to packet; "PAC MON n" sets the monitor from any mode, and
    // other packet parameters are taken without comment.
    if (line.args.empty())
        return enterMode(SimMode::Packet);
    if (upper(line.args.front()) != "MON")
        return {};
    long level = 0;
    if (line.args.size() < 2 || !parseNumber(line.args[1], 0, 6, &level))
        return {kOutOfRange};
    settings_.packetMonitor = static_cast<int>(level);
    return {};
}

SimEngine::Reply SimEngine::cmdTerm(const CommandLine& line, std::int64_t nowMs)
{
    if (line.args.empty())
        return {std::string("Term: ") + (term4_ ? "4" : "0") + "\r"};
    term4_ = line.args.front() == "4";
    nextBurstMs_ = term4_ && options_.burstBytes > 0 ? nowMs + options_.burstIntervalMs : -1;
    return {};
}

SimEngine::Reply SimEngine::cmdPosition(const CommandLine& line, std::int64_t)
{
    if (!line.args.empty() && upper(line.args.front()) == "NMEA")
        return {nmeaSentence(kGgaBody) + "\r"};
    return {std::string(kPosition) + "\r"};
}

SimEngine::Reply SimEngine::cmdReset(const CommandLine&, std::int64_t)
{
    // Own call and Term mode survive: the program set them and expects them kept.
    listening_ = false;
    connected_ = false;
    connectPending_ = false;
    replyPending_ = false;
    stopSending();
    settings_ = {};
    mode_ = SimMode::Command;
    return {"*** Parameters reset\r"};
}

SimEngine::Reply SimEngine::cmdPactor(const CommandLine&, std::int64_t)
{
    return enterMode(SimMode::Pactor);
}

SimEngine::Reply SimEngine::cmdQuit(const CommandLine&, std::int64_t)
{
    switch (mode_) {
    case SimMode::Rtty:
    case SimMode::Cw:
    case SimMode::Psk31:
    case SimMode::Audio:
    case SimMode::Packet:
        return enterMode(SimMode::Pactor);
    case SimMode::Amtor:
        // Ends AMTOR listen; AMTOR itself is left by "Pt".
        listening_ = false;
        return {};
    default:
        return {};
    }
}

SimEngine::Reply SimEngine::cmdHelp(const CommandLine&, std::int64_t)
{
    return {"C <call>   connect\rD          disconnect\rL 0/1      listen\r"
            "MYC <call> own call\rPOS        position\rU [1-10]   unproto\r"
            "Version    firmware version\rBURST [n]  n bytes of received text at once\r"
            "Pt AM PAC  PACTOR, AMTOR, packet\rBAU CWT PSKT AUD  RTTY, CW, PSK31, audio\r"
            "Q          back to the prompt\rFEC        AMTOR FEC transmit\r"};
}

SimEngine::Reply SimEngine::cmdUnproto(const CommandLine& line, std::int64_t)
{
    if (!pactorMode())
        return {kWrongMode};
    if (connected_ || connectPending_)
        return {kLinkInUse};
    long level = 1;
    if (!line.args.empty() && !parseNumber(line.args.front(), 1, 10, &level))
        return {kOutOfRange};
    settings_.unprotoLevel = static_cast<int>(level);
    unproto_ = true;
    return {};
}

SimEngine::Reply SimEngine::cmdDisconnect(const CommandLine&, std::int64_t nowMs)
{
    if (!connected_ && !connectPending_ && !transmitting())
        return {};
    endTransmission(nowMs);
    return {};
}

SimEngine::Reply SimEngine::cmdDisconnectNow(const CommandLine&, std::int64_t nowMs)
{
    if (!connected_ && !connectPending_ && !transmitting())
        return {};
    transmitQueue_.clear();
    updateTransmitFlow();
    goStandby(nowMs);
    return {};
}

// Drops the typed text still waiting for the radio; the transmission itself goes on.
SimEngine::Reply SimEngine::cmdClear(const CommandLine&, std::int64_t nowMs)
{
    transmitQueue_.clear();
    updateTransmitFlow();
    if (endPending_)
        goStandby(nowMs);
    return {};
}

SimEngine::Reply SimEngine::cmdConnect(const CommandLine& line, std::int64_t nowMs)
{
    if (mode_ == SimMode::Audio) {
        // "C n" is the audio filter's centre frequency there.
        long hz = 0;
        if (line.args.empty() || !parseNumber(line.args.front(), 300, 2700, &hz))
            return {kOutOfRange};
        settings_.audioCentreHz = static_cast<int>(hz);
        return {};
    }
    if (terminalMode())
        return {kWrongMode};
    if (line.args.empty())
        return {"*** ERROR: call missing\r"};
    if (connected_ || connectPending_ || unproto_ || fec_)
        return {kLinkInUse};
    listening_ = false;
    connectPending_ = true;
    connectCall_ = upper(line.args.front());
    connectOutcome_ = options_.callOutcome;
    connectDueMs_ = nowMs + options_.connectDelayMs;
    return {};
}

SimEngine::Reply SimEngine::cmdBurst(const CommandLine& line, std::int64_t nowMs)
{
    std::size_t bytes = kDefaultBurst;
    if (!line.args.empty()) {
        long value = 0;
        if (!parseNumber(line.args.front(), 1, kMaxBurst, &value))
            return {kOutOfRange};
        bytes = static_cast<std::size_t>(value);
    }
    sendBurst(bytes, nowMs);
    return {};
}

SimEngine::Reply SimEngine::cmdAmtor(const CommandLine&, std::int64_t)
{
    return enterMode(SimMode::Amtor);
}

SimEngine::Reply SimEngine::cmdBaudot(const CommandLine& line, std::int64_t)
{
    long baud = settings_.rttyBaud;
    if (!line.args.empty() && !parseNumber(line.args.front(), 20, 300, &baud))
        return {kOutOfRange};
    Reply reply = enterMode(SimMode::Rtty);
    if (reply.text.empty())
        settings_.rttyBaud = static_cast<int>(baud);
    return reply;
}

SimEngine::Reply SimEngine::cmdCwTerminal(const CommandLine&, std::int64_t)
{
    return enterMode(SimMode::Cw);
}

SimEngine::Reply SimEngine::cmdPskTerminal(const CommandLine&, std::int64_t)
{
    return enterMode(SimMode::Psk31);
}

SimEngine::Reply SimEngine::cmdAudio(const CommandLine&, std::int64_t)
{
    // The older controllers have no signal processor for the audio filters.
    if (options_.model == Model::Z80 || options_.model == Model::Plus)
        return {"*** ERROR: no audio mode on this controller\r"};
    return enterMode(SimMode::Audio);
}

SimEngine::Reply SimEngine::cmdAudioFilter(const CommandLine& line, std::int64_t)
{
    if (mode_ != SimMode::Audio)
        return {kWrongMode};
    if (line.word == "CW")
        settings_.audioFilter = AudioFilter::Cw;
    else if (line.word == "NOTCH")
        settings_.audioFilter = AudioFilter::Notch;
    else if (line.word == "PEAK")
        settings_.audioFilter = AudioFilter::Peak;
    else
        settings_.audioFilter = AudioFilter::Through;
    return {};
}

SimEngine::Reply SimEngine::cmdBandwidth(const CommandLine& line, std::int64_t)
{
    if (mode_ != SimMode::Audio)
        return {kWrongMode};
    long hz = 0;
    if (line.args.empty() || !parseNumber(line.args.front(), 30, 1000, &hz))
        return {kOutOfRange};
    settings_.audioBandwidthHz = static_cast<int>(hz);
    return {};
}

SimEngine::Reply SimEngine::cmdMonitor(const CommandLine& line, std::int64_t)
{
    // AMTOR listen, or the packet monitor's level.
    if (mode_ == SimMode::Amtor && line.args.empty()) {
        if (connected_ || connectPending_ || fec_)
            return {kLinkInUse};
        listening_ = true;
        return {};
    }
    if (mode_ != SimMode::Packet)
        return {kWrongMode};
    if (line.args.empty())
        return {"Monitor: " + std::to_string(settings_.packetMonitor) + "\r"};
    long level = 0;
    if (!parseNumber(line.args.front(), 0, 6, &level))
        return {kOutOfRange};
    settings_.packetMonitor = static_cast<int>(level);
    return {};
}

SimEngine::Reply SimEngine::cmdPort(const CommandLine& line, std::int64_t)
{
    if (mode_ != SimMode::Packet)
        return {kWrongMode};
    if (line.args.empty())
        return {"Port: " + std::to_string(settings_.packetPort) + "\r"};
    const bool twoPorts = options_.model == Model::II || options_.model == Model::Pro;
    long port = 0;
    if (!parseNumber(line.args.front(), 1, twoPorts ? 2 : 1, &port))
        return {kOutOfRange};
    settings_.packetPort = static_cast<int>(port);
    return {};
}

SimEngine::Reply SimEngine::cmdFec(const CommandLine&, std::int64_t)
{
    if (mode_ != SimMode::Amtor)
        return {kWrongMode};
    if (connected_ || connectPending_)
        return {kLinkInUse};
    listening_ = false;
    fec_ = true;
    return {};
}

SimEngine::Reply SimEngine::cmdSetting(const CommandLine& line, std::int64_t)
{
    for (const auto& setting : kNumericSettings) {
        if (line.word != setting.word)
            continue;
        int& field = settings_.*setting.field;
        if (line.args.empty())
            return {std::string(setting.name) + ": " + std::to_string(field) + "\r"};
        long value = 0;
        if (!parseNumber(line.args.front(), setting.min, setting.max, &value))
            return {kOutOfRange};
        field = static_cast<int>(value);
        return {};
    }
    return {"*** ERROR: unknown command " + line.word + "\r"};
}

SimEngine::Reply SimEngine::enterMode(SimMode mode)
{
    if (connected_ || connectPending_)
        return {kLinkInUse};
    if (mode_ != mode) {
        // A mode change ends whatever the old mode was sending or listening to.
        stopSending();
        listening_ = false;
        mode_ = mode;
    }
    return {};
}

// ---------------------------------------------------------------------------------------
// Modes

bool SimEngine::terminalMode() const
{
    return mode_ == SimMode::Rtty || mode_ == SimMode::Cw || mode_ == SimMode::Psk31;
}

// A terminal's transmit switched off: what is queued still goes out, then it receives.
void SimEngine::toReceive()
{
    terminalTx_ = false;
    if (transmitQueue_.empty() && !keyerSends())
        finishAiredLine();
}

bool SimEngine::pactorMode() const
{
    return mode_ == SimMode::Command || mode_ == SimMode::Pactor;
}

void SimEngine::stopSending()
{
    finishAiredLine();
    unproto_ = false;
    fec_ = false;
    terminalTx_ = false;
    holdsLink_ = false;
    endPending_ = false;
    transmitQueue_.clear();
    updateTransmitFlow();
}

// Ctrl-Y on a link: the sending side hands over, the receiving side takes the link.
void SimEngine::changeOver(std::int64_t nowMs)
{
    if (holdsLink_) {
        handOver(nowMs);
    } else {
        holdsLink_ = true;
        replyPending_ = false; // the station stops when we break in
    }
}

// The other station gets the link and answers once our queued text is out.
void SimEngine::handOver(std::int64_t nowMs)
{
    holdsLink_ = false;
    if (replyPending_)
        return;
    std::int64_t lastMs = nowMs;
    if (!transmitQueue_.empty()) {
        const std::int64_t intervalUs = 1'000'000 / options_.radioCharsPerSecond;
        const auto queued = static_cast<std::int64_t>(transmitQueue_.size());
        lastMs = (nextRadioUs_ + (queued - 1) * intervalUs + 999) / 1000;
    }
    replyPending_ = true;
    replyDueMs_ = lastMs + options_.replyDelayMs;
}

// ---------------------------------------------------------------------------------------
// Link and radio

void SimEngine::advance(std::int64_t nowMs)
{
    runRadio(nowMs);
    runLinkSetup(nowMs);
    runReply(nowMs);
    runBursts(nowMs);
    runNavtex(nowMs);
}

void SimEngine::queueTransmit(std::uint8_t byte, std::int64_t nowMs)
{
    if (transmitQueue_.empty() && nextRadioUs_ <= nowMs * 1000) {
        // The radio was idle: the first byte is on the air one character time from now.
        nextRadioUs_ = nowMs * 1000 + 1'000'000 / options_.radioCharsPerSecond;
    }
    transmitQueue_.push_back(byte);
    updateTransmitFlow();
}

std::int64_t SimEngine::radioDueMs() const
{
    return (nextRadioUs_ + 999) / 1000;
}

void SimEngine::runRadio(std::int64_t nowMs)
{
    const std::int64_t intervalUs = 1'000'000 / options_.radioCharsPerSecond;
    std::string sent;
    std::int64_t lastSentMs = 0;
    while (!transmitQueue_.empty() && nextRadioUs_ <= nowMs * 1000) {
        const std::uint8_t byte = transmitQueue_.front();
        sent.push_back(static_cast<char>(byte));
        transmitQueue_.pop_front();
        lastSentMs = radioDueMs();
        nextRadioUs_ += intervalUs;
        airByte(byte, lastSentMs);
        // A finished line turns the link round: the station answers once, however many
        // lines go out before its answer.
        if (byte == kCr && connected_ && !replyPending_ && !holdsLink_) {
            replyPending_ = true;
            replyDueMs_ = lastSentMs + options_.replyDelayMs;
        }
    }
    if (sent.empty())
        return;
    // One echo piece for the batch, due when the last byte of it is due.
    const std::int64_t echoDueMs = lastSentMs + options_.echoDelayMs;
    emitClass(kClassEcho, sent, echoDueMs);
    updateTransmitFlow();
    if (endPending_ && transmitQueue_.empty())
        goStandby(echoDueMs);
    // A terminal sent back to receive ends its line once the text is out. The CW keyer
    // runs dry between typed letters, which ends nothing.
    else if (!transmitting() && !connected_ && !keyerSends())
        finishAiredLine();
}

// What the other side reads: a backspace takes back the letter before it.
void SimEngine::airByte(std::uint8_t byte, std::int64_t atMs)
{
    airLineMs_ = atMs;
    if (byte == kCr) {
        finishAiredLine();
    } else if (byte == kBackspace) {
        if (!airLine_.empty())
            airLine_.pop_back();
    } else if (byte != kLf) {
        airLine_.push_back(static_cast<char>(byte));
    }
}

// Keeps the line on the air so far, unless nothing of it is left.
void SimEngine::finishAiredLine()
{
    if (airLine_.empty())
        return;
    TransmittedLine line{airLineMs_, mode_, connected_ ? remoteCall_ : std::string(), {}};
    line.text.swap(airLine_);
    if (transmitted_.size() == kMaxTransmittedLines)
        transmitted_.pop_front();
    transmitted_.push_back(std::move(line));
    if (onTransmittedLine_)
        onTransmittedLine_(transmitted_.back());
}

bool SimEngine::linkSetupDue() const
{
    return connectPending_ && connectOutcome_ != CallOutcome::Unanswered;
}

void SimEngine::runLinkSetup(std::int64_t nowMs)
{
    if (!linkSetupDue() || nowMs < connectDueMs_)
        return;
    connectPending_ = false;
    // Packet words it in mixed case; the program tells the modes apart by that.
    const bool packet = mode_ == SimMode::Packet;
    if (connectOutcome_ == CallOutcome::Failed) {
        emitSystem("*** NO ANSWER FROM " + connectCall_ + "\r" +
                       (packet ? "*** DISCONNECTED fm " + connectCall_ + "\r" : "*** STBY\r"),
                   connectDueMs_);
        return;
    }
    connected_ = true;
    remoteCall_ = connectCall_;
    emitSystem((packet ? "*** CONNECTED to " : "*** CONNECTED TO ") + remoteCall_ + "\r",
               connectDueMs_);
    static const char* const kGreetings[] = {
        "Hello %s, this is %s. Good to have you here.\r",
        "Good day %s, %s here. Go ahead.\r",
        "Welcome %s, you are connected to %s.\r",
    };
    const std::string me = myCall_.empty() ? "NOCALL" : myCall_;
    const char* format = kGreetings[random_() % std::size(kGreetings)];
    char text[160];
    std::snprintf(text, sizeof text, format, me.c_str(), remoteCall_.c_str());
    emitRemote(text, connectDueMs_ + (packet ? kPacketGreetingGapMs : 0));
}

void SimEngine::runReply(std::int64_t nowMs)
{
    if (!replyPending_ || nowMs < replyDueMs_)
        return;
    replyPending_ = false;
    emitRemote(replyText(), replyDueMs_);
}

std::string SimEngine::replyText()
{
    std::string text = kReplies[replyIndex_];
    replyIndex_ = (replyIndex_ + 1) % std::size(kReplies);
    const auto at = text.find("{call}");
    if (at != std::string::npos)
        text.replace(at, 6, myCall_.empty() ? "NOCALL" : myCall_);
    return text;
}

void SimEngine::runBursts(std::int64_t nowMs)
{
    if (nextBurstMs_ < 0 || nowMs < nextBurstMs_)
        return;
    sendBurst(options_.burstBytes, nextBurstMs_);
    // One burst per call: a controller that was held up does not catch up on missed ones.
    const std::int64_t interval = options_.burstIntervalMs;
    nextBurstMs_ += ((nowMs - nextBurstMs_) / interval + 1) * interval;
}

SimEngine::Reply SimEngine::cmdNavtexKind(const CommandLine& line, std::int64_t)
{
    // "NAVTEX AMTEX 0" or "NAVTEX AMTEX 1".
    if (line.args.size() != 2 || upper(line.args[0]) != "AMTEX" ||
        (line.args[1] != "0" && line.args[1] != "1"))
        return {kOutOfRange};
    navtexAmtex_ = line.args[1] == "1";
    return {};
}

SimEngine::Reply SimEngine::cmdNav(const CommandLine& line, std::int64_t nowMs)
{
    if (line.args.empty()) {
        navtexTypes_.clear();
        return {};
    }
    const std::string first = upper(line.args.front());
    if (first == "AMTEX") {
        if (line.args.size() > 1 && line.args[1] == "0")
            navtexAmtex_ = false;
        return {};
    }
    if (first == "AREA" || first == "DAYS")
        return {};
    long files = 0;
    if (parseNumber(line.args.front(), 0, 255, &files)) {
        nextNavtexMs_ = files > 0 ? nowMs + options_.navtexIntervalMs : -1;
        return {"Navtex: " + std::to_string(files) + " files\r"};
    }
    const std::string letters = navtexAmtex_ ? "EGKPSX" : "ABCDEFGHIJKL";
    if (first.find_first_not_of(letters) != std::string::npos)
        return {kOutOfRange};
    navtexTypes_ = first;
    return {};
}

void SimEngine::runNavtex(std::int64_t nowMs)
{
    if (nextNavtexMs_ < 0 || nowMs < nextNavtexMs_ || options_.navtexIntervalMs <= 0)
        return;
    // The types asked for take turns; with none asked for, the first of the table.
    const std::string letters = navtexTypes_.empty() ? (navtexAmtex_ ? "E" : "A") : navtexTypes_;
    const char type = letters[static_cast<std::size_t>(navtexSerial_) % letters.size()];
    ++navtexSerial_;
    char header[32];
    std::snprintf(header, sizeof header, "ZCZC E%c%02d\r", type, navtexSerial_ % 100);
    std::string text = header;
    text += navtexAmtex_ ? "QST DE W1AW AMTEX BULLETIN\r" : "ROGALAND RADIO NAVIGATIONAL WARNING\r";
    appendTextLine(text, random_);
    text += "NNNN\r";
    emitRemote(text, nextNavtexMs_);
    const std::int64_t interval = options_.navtexIntervalMs;
    nextNavtexMs_ += ((nowMs - nextNavtexMs_) / interval + 1) * interval;
}

void SimEngine::sendBurst(std::size_t bytes, std::int64_t nowMs)
{
    if (bytes == 0)
        return;
    std::string text;
    while (text.size() < bytes)
        appendTextLine(text, random_);
    // Cut to size but end on a whole line.
    text.resize(bytes - 1);
    text.push_back(static_cast<char>(kCr));
    emitRemote(text, nowMs);
}

void SimEngine::endTransmission(std::int64_t nowMs)
{
    if (transmitQueue_.empty())
        goStandby(nowMs);
    else
        endPending_ = true; // ends once the queued text has gone out
}

void SimEngine::goStandby(std::int64_t dueMs)
{
    finishAiredLine();
    const bool linked = connected_ || connectPending_;
    const std::string call = connected_ ? remoteCall_ : connectCall_;
    connected_ = false;
    connectPending_ = false;
    unproto_ = false;
    fec_ = false;
    terminalTx_ = false;
    holdsLink_ = false;
    endPending_ = false;
    replyPending_ = false;
    remoteCall_.clear();
    if (!linked)
        emitSystem("*** STBY\r", dueMs);
    else if (mode_ == SimMode::Packet)
        emitSystem("*** DISCONNECTED fm " + call + "\r", dueMs);
    else
        emitSystem("*** DISCONNECTED\r", dueMs);
}

void SimEngine::updateTransmitFlow()
{
    if (silent_ || options_.model == Model::Silent)
        return;
    const std::size_t queued = transmitQueue_.size();
    if (!sentXoff_ && queued > options_.transmitHighWater) {
        sentXoff_ = true;
        flowControl_.push_back(static_cast<char>(kXoff));
    } else if (sentXoff_ && queued <= options_.transmitLowWater) {
        sentXoff_ = false;
        flowControl_.push_back(static_cast<char>(kXon));
    }
}

std::uint8_t SimEngine::statusByte() const
{
    const bool sendingText = !transmitQueue_.empty();
    unsigned modeField = 0;
    unsigned traffic = kTrafficNone;
    if (connectPending_) {
        // Standby until the other side answers; our connect frames keep the sending bit on.
        traffic = kTrafficRequest;
    } else if (connected_) {
        modeField = mode_ == SimMode::Amtor ? 1 : 2;
        traffic = sendingText ? kTrafficData : replyPending_ ? kTrafficRequest : kTrafficIdle;
    } else if (fec_) {
        modeField = 3;
        traffic = sendingText ? kTrafficData : kTrafficIdle;
    } else if (unproto_) {
        modeField = 4;
        traffic = sendingText ? kTrafficData : kTrafficIdle;
    } else if (terminalMode() || mode_ == SimMode::Audio) {
        modeField = 5;
        if (transmitting())
            traffic = sendingText ? kTrafficData : kTrafficIdle;
    } else if (listening_) {
        modeField = 6;
    }

    const unsigned sending = transmitting() || connectPending_ ? 0x08 : 0;
    return static_cast<std::uint8_t>(modeField << 4 | sending | traffic);
}

// ---------------------------------------------------------------------------------------
// Output

void SimEngine::emit(std::string bytes, std::int64_t dueMs)
{
    if (silent_ || options_.model == Model::Silent || bytes.empty())
        return;
    // Keep output_ ordered by due time; equal times keep the order they were made in.
    auto it = output_.end();
    while (it != output_.begin() && std::prev(it)->dueMs > dueMs)
        --it;
    output_.insert(it, Pending{dueMs, std::move(bytes)});
}

void SimEngine::emitClass(char classCode, const std::string& text, std::int64_t dueMs)
{
    if (term4_)
        emit(std::string(1, classCode) + text, dueMs);
    else
        emit(text, dueMs);
}

void SimEngine::emitSystem(const std::string& text, std::int64_t nowMs)
{
    emitClass(kClassSystem, text, nowMs);
}

void SimEngine::emitPrompt(std::int64_t nowMs)
{
    emitClass(kClassPrompt, "cmd: ", nowMs);
}

void SimEngine::emitRemote(const std::string& text, std::int64_t dueMs)
{
    lastRemoteText_ = text;
    emitClass(kClassRemote, text, dueMs);
}

void SimEngine::injectRemoteText(const std::string& text, std::int64_t nowMs)
{
    emitRemote(text, nowMs);
}

void SimEngine::setSilent(bool silent)
{
    silent_ = silent;
    if (!silent)
        return;
    output_.clear();
    ready_.clear();
    readyPos_ = 0;
    flowControl_.clear();
}

void SimEngine::moveDueOutput(std::int64_t nowMs)
{
    if (readyPos_ > 0 && readyPos_ == ready_.size()) {
        ready_.clear();
        readyPos_ = 0;
    }
    while (!output_.empty() && output_.front().dueMs <= nowMs) {
        ready_ += output_.front().bytes;
        output_.pop_front();
    }
}

bool SimEngine::outputReady(std::int64_t nowMs) const
{
    return readyPos_ < ready_.size() || (!output_.empty() && output_.front().dueMs <= nowMs) ||
           floodActive();
}

bool SimEngine::floodActive() const
{
    return options_.flood && term4_ && !silent_ && options_.model != Model::Silent;
}

std::string SimEngine::takeFlowControl()
{
    std::string bytes;
    bytes.swap(flowControl_);
    return bytes;
}

std::string SimEngine::takeOutput(std::int64_t nowMs, std::size_t maxBytes)
{
    std::string out;
    if (silent_ || maxBytes == 0)
        return out;
    const std::size_t control = std::min(maxBytes, flowControl_.size());
    out.assign(flowControl_, 0, control);
    flowControl_.erase(0, control);
    if (programXoff_)
        return out;

    moveDueOutput(nowMs);
    const std::size_t take = std::min(maxBytes - out.size(), ready_.size() - readyPos_);
    if (take > 0) {
        out.append(ready_, readyPos_, take);
        readyPos_ += take;
        floodContinues_ = false;
    }
    // Compact once most of the buffer has been taken, so it does not grow without bound.
    if (readyPos_ > 0 && readyPos_ * 2 >= ready_.size()) {
        ready_.erase(0, readyPos_);
        readyPos_ = 0;
    }
    // A caller asking for "everything" gets a bounded helping of an endless stream.
    if (floodActive() && out.size() < maxBytes)
        appendFlood(out, std::min(maxBytes - out.size(), kMaxFloodPerTake));
    return out;
}

std::int64_t SimEngine::nextTimerMs(std::int64_t nowMs) const
{
    std::int64_t next = -1;
    auto consider = [&](std::int64_t at) {
        at = std::max(at, nowMs);
        if (next < 0 || at < next)
            next = at;
    };
    if (!transmitQueue_.empty())
        consider(radioDueMs());
    if (linkSetupDue())
        consider(connectDueMs_);
    if (replyPending_)
        consider(replyDueMs_);
    if (nextBurstMs_ >= 0)
        consider(nextBurstMs_);
    if (nextNavtexMs_ >= 0)
        consider(nextNavtexMs_);
    return next;
}

std::int64_t SimEngine::nextEventMs(std::int64_t nowMs) const
{
    if (silent_)
        return -1;
    if (!flowControl_.empty())
        return nowMs;
    if (!programXoff_) {
        if (outputReady(nowMs))
            return nowMs;
        if (!output_.empty()) {
            const std::int64_t timer = nextTimerMs(nowMs);
            const std::int64_t due = output_.front().dueMs;
            return timer < 0 ? due : std::min(timer, due);
        }
    }
    return nextTimerMs(nowMs);
}

// ---------------------------------------------------------------------------------------
// Flood

void SimEngine::appendFlood(std::string& out, std::size_t room)
{
    if (!floodContinues_) {
        out.push_back(kClassRemote);
        --room;
        floodContinues_ = true;
    }
    if (room == 0)
        return;
    refillFlood(room);
    out.append(floodBuffer_, floodPos_, room);
    floodPos_ += room;
}

void SimEngine::refillFlood(std::size_t needed)
{
    if (floodBuffer_.size() - floodPos_ >= needed)
        return;
    floodBuffer_.erase(0, floodPos_);
    floodPos_ = 0;
    while (floodBuffer_.size() < needed + kFloodChunk)
        appendTextLine(floodBuffer_, floodRandom_);
}

// ---------------------------------------------------------------------------------------
// Texts

std::string SimEngine::signOnText() const
{
    const ModelText& text = modelText(options_.model);
    return std::string("\r") + text.name + " firmware V" + text.firmware + " (simulated)\r" +
           "Orvanti controller simulator, made for testing\r";
}

std::string SimEngine::versionText() const
{
    const ModelText& text = modelText(options_.model);
    return std::string(text.name) + " Version " + text.firmware + ".07 (simulated)\r" + text.extra;
}

} // namespace ptcsim
