#include "SimEngine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <sstream>

namespace ptcsim {

namespace {

constexpr std::uint8_t kCtrlD = 4;
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
constexpr unsigned kTrafficPhase = 5;
constexpr unsigned kTrafficNone = 7;

constexpr std::size_t kMaxLine = 256;
constexpr std::int64_t kConnectDelayMs = 1000;
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
    if (inConverse())
        converseByte(byte, nowMs);
    else
        lineByte(byte, nowMs);
}

bool SimEngine::inConverse() const
{
    return !escapePending_ && !silent_ && (connected_ || transmitting());
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
    if (byte == kCtrlD)
        endTransmission(nowMs);
    else
        queueTransmit(byte, nowMs);
}

void SimEngine::finishLine(std::int64_t nowMs)
{
    const std::string line = trimmed(lineBuffer_);
    lineBuffer_.clear();
    escapePending_ = false;
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
        {"VERSION", &SimEngine::cmdVersion},  {"MYC", &SimEngine::cmdMyCall},
        {"L", &SimEngine::cmdListen},         {"ESC", &SimEngine::cmdAccept},
        {"PAC", &SimEngine::cmdPacket},       {"TERM", &SimEngine::cmdTerm},
        {"POS", &SimEngine::cmdPosition},     {"RESET", &SimEngine::cmdReset},
        {"PT", &SimEngine::cmdPactor},        {"Q", &SimEngine::cmdQuit},
        {"HE", &SimEngine::cmdHelp},          {"HELP", &SimEngine::cmdHelp},
        {"U", &SimEngine::cmdUnproto},        {"D", &SimEngine::cmdDisconnect},
        {"DD", &SimEngine::cmdDisconnectNow}, {"C", &SimEngine::cmdConnect},
        {"BURST", &SimEngine::cmdBurst},
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
        return {"*** ERROR: value out of range\r"};
    return {};
}

SimEngine::Reply SimEngine::cmdAccept(const CommandLine&, std::int64_t)
{
    return {};
}

SimEngine::Reply SimEngine::cmdPacket(const CommandLine& line, std::int64_t)
{
    // "PAC MON n" and other parameters are accepted; "PAC" alone switches to packet.
    if (line.args.empty())
        mode_ = SimMode::Packet;
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
    unproto_ = false;
    endPending_ = false;
    replyPending_ = false;
    transmitQueue_.clear();
    mode_ = SimMode::Command;
    updateTransmitFlow();
    return {"*** Parameters reset\r"};
}

SimEngine::Reply SimEngine::cmdPactor(const CommandLine&, std::int64_t)
{
    mode_ = SimMode::Pactor;
    return {};
}

SimEngine::Reply SimEngine::cmdQuit(const CommandLine&, std::int64_t)
{
    switch (mode_) {
    case SimMode::Rtty:
    case SimMode::Cw:
    case SimMode::Psk31:
    case SimMode::Audio:
    case SimMode::Packet:
        mode_ = SimMode::Pactor;
        break;
    default:
        break;
    }
    return {};
}

SimEngine::Reply SimEngine::cmdHelp(const CommandLine&, std::int64_t)
{
    return {"C <call>   connect\rD          disconnect\rL 0/1      listen\r"
            "MYC <call> own call\rPOS        position\rU          unproto\r"
            "Version    firmware version\rBURST [n]  n bytes of received text at once\r"};
}

SimEngine::Reply SimEngine::cmdUnproto(const CommandLine&, std::int64_t)
{
    if (connected_ || connectPending_)
        return {"*** ERROR: link in use\r"};
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

SimEngine::Reply SimEngine::cmdConnect(const CommandLine& line, std::int64_t nowMs)
{
    if (line.args.empty())
        return {"*** ERROR: call missing\r"};
    if (connected_ || connectPending_ || unproto_)
        return {"*** ERROR: link in use\r"};
    connectPending_ = true;
    connectCall_ = upper(line.args.front());
    connectDueMs_ = nowMs + kConnectDelayMs;
    return {};
}

SimEngine::Reply SimEngine::cmdBurst(const CommandLine& line, std::int64_t nowMs)
{
    std::size_t bytes = kDefaultBurst;
    if (!line.args.empty()) {
        const std::string& arg = line.args.front();
        if (arg.size() > 7 || arg.find_first_not_of("0123456789") != std::string::npos)
            return {"*** ERROR: value out of range\r"};
        bytes = std::stoul(arg);
        if (bytes == 0 || bytes > kMaxBurst)
            return {"*** ERROR: value out of range\r"};
    }
    sendBurst(bytes, nowMs);
    return {};
}

// ---------------------------------------------------------------------------------------
// Link and radio

void SimEngine::advance(std::int64_t nowMs)
{
    runRadio(nowMs);
    runLinkSetup(nowMs);
    runReply(nowMs);
    runBursts(nowMs);
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
        // A finished line turns the link round: the station answers once, however many
        // lines go out before its answer.
        if (byte == kCr && connected_ && !replyPending_) {
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
}

void SimEngine::runLinkSetup(std::int64_t nowMs)
{
    if (!connectPending_ || nowMs < connectDueMs_)
        return;
    connectPending_ = false;
    connected_ = true;
    remoteCall_ = connectCall_;
    emitSystem("*** CONNECTED TO " + remoteCall_ + "\r", connectDueMs_);
    static const char* const kGreetings[] = {
        "Hello %s, this is %s. Good to have you here.\r",
        "Good day %s, %s here. Go ahead.\r",
        "Welcome %s, you are connected to %s.\r",
    };
    const std::string me = myCall_.empty() ? "NOCALL" : myCall_;
    const char* format = kGreetings[random_() % std::size(kGreetings)];
    char text[160];
    std::snprintf(text, sizeof text, format, me.c_str(), remoteCall_.c_str());
    emitRemote(text, connectDueMs_);
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
    const bool linked = connected_ || connectPending_;
    connected_ = false;
    connectPending_ = false;
    unproto_ = false;
    endPending_ = false;
    replyPending_ = false;
    remoteCall_.clear();
    emitSystem(linked ? "*** DISCONNECTED\r" : "*** STBY\r", dueMs);
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
        modeField = 1;
        traffic = kTrafficPhase;
    } else if (connected_) {
        modeField = 2;
        traffic = sendingText ? kTrafficData : replyPending_ ? kTrafficRequest : kTrafficIdle;
    } else if (unproto_) {
        modeField = 4;
        traffic = sendingText ? kTrafficData : kTrafficIdle;
    } else if (mode_ == SimMode::Rtty || mode_ == SimMode::Cw || mode_ == SimMode::Psk31 ||
               mode_ == SimMode::Audio) {
        modeField = 5;
    } else if (listening_) {
        modeField = 6;
    }

    const unsigned sending = transmitting() ? 0x08 : 0;
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
    if (connectPending_)
        consider(connectDueMs_);
    if (replyPending_)
        consider(replyDueMs_);
    if (nextBurstMs_ >= 0)
        consider(nextBurstMs_);
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
