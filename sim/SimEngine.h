#pragma once

// The simulated controller's behaviour, free of any I/O: bytes from the terminal
// program go in with receive(), bytes for the program come out of takeOutput(), and
// every time is a millisecond count the caller supplies. PtySimulator moves the bytes
// between this engine and a pseudo-terminal; tests can drive the engine directly.
//
// What it models (a "Term 4" controller of the PTC family as the program sees it):
//  - a sign-on text on the first CR and a version text for "Version", per model;
//  - the command prompt, commands with or without a leading ESC, case-insensitive;
//  - after "Term 4": class codes 1 (system text), 2 (received text), 3 (echo of
//    transmitted text) and 4 (prompt) in front of its output;
//  - the status request 30, answered by 30 and a status byte built from its state;
//  - text typed while a link is up or while it transmits: queued for the radio,
//    sent at the radio rate and echoed in class 3 after a short delay; each line that
//    leaves is kept as the far side reads it (transmittedLines());
//  - a remote station that greets on connect and answers each typed line, its texts
//    carrying the controller's umlaut codes (14..23) and corrected typos (8);
//  - XOFF/XON in both directions; a flood mode that streams received text, and
//    bursts of received text sent at once;
//  - the operating modes and their entry commands: "Pt", "AM", "PAC", "BAU [rate]",
//    "CWT", "PSKT", "AUD", left again with "Q" (AMTOR by "Pt"); in the status byte
//    FEC is 011, unproto 100, the RTTY/CW/PSK31/audio terminals 101, listen 110;
//  - links in PACTOR, AMTOR (upper-case "CONNECTED TO") and packet ("CONNECTED to",
//    "DISCONNECTED fm"), ended by "D", "DD" or Ctrl-D; change-over by Ctrl-Y and, in
//    AMTOR, by typing "+?", which flips the status byte's sending bit. A call shows as
//    standby with REQUEST and the sending bit until the link is up (PACTOR 010, AMTOR
//    001); the called station may also never answer or give up (CallOutcome). While
//    linked, a line without ESC is text for the other station, "C call" included;
//  - sending without a link: unproto "U n", AMTOR "FEC", and in RTTY/CW/PSK31 Ctrl-Y
//    between receive and transmit; "DD" ends each at once, Ctrl-D once the text has
//    gone (in CW Ctrl-D is the receive speed); "CLR" drops the text not yet sent. In
//    RTTY and PSK31 typed text goes to the radio only while transmitting, otherwise
//    lines are commands; the CW keyer sends whatever is typed, commands there need ESC;
//  - the mailbox (SimMailbox.cpp): a few messages; "REM", "CM" and "Box" switch the
//    maildrop parts, which "LI" (or "DIR") reports with the list; "BAK" answers the
//    banner "Backup Utility." and, at the next key, dumps the mailbox from "#" to a BEL;
//    "RELO" takes lines until "+", then answers "*** STBY" and a prompt ending in ">"
//    ("Q" before any line cancels it);
//  - mode parameters (see ModeSettings) and the CW and PSK31 control bytes with the
//    messages the program watches for ("** DELAYED", "FIX-SPEED", "*** SQUELCH ON",
//    "DBPSK"...);
//  - NAVTEX/AMTEX reception: "NAVTEX AMTEX 0/1" picks the kind, "Nav n" with n of 1
//    or more starts it and "Nav 0" stops it; while on, a message ("ZCZC" header, text,
//    "NNNN") arrives as received text every navtexIntervalMs. "Nav" with letters sets
//    the types, "Nav AREA", "Nav days" and "Nav Amtex 0" are taken as well.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace ptcsim {

enum class Model { Z80, Plus, IIe, II, Pro, Bios, Silent };

// What the called station does with a connect request.
enum class CallOutcome { Answered, Failed, Unanswered };

// Parses "z80", "plus", "iie", "ii", "pro", "bios", "silent"; false for anything else.
bool parseModel(const std::string& text, Model* model);
const char* modelName(Model model);

struct Options {
    Model model = Model::II;
    std::uint32_t seed = 1;               // for the simulated station's texts
    bool flood = false;                   // stream class-2 text as fast as it is taken
    int echoDelayMs = 40;                 // delay from a byte's transmission to its echo
    int radioCharsPerSecond = 200;        // rate at which queued transmit text leaves
    std::size_t transmitHighWater = 1500; // queued transmit text above this: send XOFF
    std::size_t transmitLowWater = 200;   // back at or below this: XON (half the XOFF mark
                                          // when not below it)
    int replyDelayMs = 1500;              // from a typed line's CR on the air to the reply
    std::size_t burstBytes = 0;           // above 0: a burst this long every burstIntervalMs
    int burstIntervalMs = 5000;           // (the first one interval after "Term 4")
    int connectDelayMs = 1000;            // from the connect command to the link or failure
    CallOutcome callOutcome = CallOutcome::Answered; // what called stations do
    int navtexIntervalMs = 60000;                    // between two NAVTEX/AMTEX messages
};

// Operating state the status byte and tests read.
enum class SimMode { Command, Pactor, Amtor, Packet, Rtty, Cw, Audio, Psk31 };

// Parses "answered", "failed", "unanswered"; false for anything else.
bool parseCallOutcome(const std::string& text, CallOutcome* outcome);

// One line of text as it went over the air: backspaces applied, without its CR. A line
// still open when its transmission ends is kept as it stands.
struct TransmittedLine {
    std::int64_t atMs; // when its last byte left
    SimMode mode;
    std::string to; // the linked station; empty for unproto, FEC and the terminals
    std::string text;
    bool operator==(const TransmittedLine&) const = default;
};

enum class AudioFilter { Through, Cw, Notch, Peak };
enum class PskVariant { Bpsk, Qpsk, QpskInverted };

// Parameters the mode commands set; "RESET" brings back these defaults.
struct ModeSettings {
    int unprotoLevel = 1;                     // "U n", 1..10
    int pactorDuplex = 0;                     // "PD 0/1"
    int tones = 0;                            // "TO n"
    int pactorLevel = 2;                      // "MYL n", highest PACTOR level offered
    int trShift = 0;                          // "TR n", RTTY/AMTOR shift sense 0..3
    int rttyBaud = 45;                        // "BAU n"
    int cwTxSpeed = 20;                       // "CWS n"
    int cwWeight = 50;                        // "CWW n"
    bool cwDelayed = false;                   // ESC CR in CW: type-ahead instead of immediate
    bool cwAutoSpeed = true;                  // Ctrl-F in CW
    int cwRxSpeed = 20;                       // Ctrl-U / Ctrl-D in CW
    int pskOffsetHz = 0;                      // Ctrl-L / Ctrl-K in PSK31
    bool pskSquelch = false;                  // Ctrl-C
    bool pskNet = false;                      // Ctrl-N
    PskVariant pskVariant = PskVariant::Bpsk; // Ctrl-B
    AudioFilter audioFilter = AudioFilter::Through;
    int audioCentreHz = 1000;   // "C n" in audio
    int audioBandwidthHz = 300; // "B n" in audio
    int packetPort = 1;         // "P 1/2"
    int packetMonitor = 0;      // "MON n" in packet, "PAC MON n"
    int monitorControl = 0;     // "MC n"
};

class SimEngine {
public:
    explicit SimEngine(Options options);

    // Bytes the program sent, arriving at nowMs.
    void receive(const std::uint8_t* data, std::size_t count, std::int64_t nowMs);
    void receive(const std::string& bytes, std::int64_t nowMs)
    {
        receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), nowMs);
    }

    // Advances time: moves queued transmit text to the radio, schedules echoes and
    // the simulated station's replies. Call it before takeOutput.
    void advance(std::int64_t nowMs);

    // Up to maxBytes of output due at nowMs. Returns nothing while the program has
    // sent XOFF (until its XON), except the controller's own XON/XOFF bytes. The flood
    // fills the room left, but at most 256 KiB per call however large maxBytes is.
    std::string takeOutput(std::int64_t nowMs, std::size_t maxBytes);

    // The earliest time at which advance() has work to do, or -1 when nothing is
    // scheduled. Output already due counts as "now".
    std::int64_t nextEventMs(std::int64_t nowMs) const;

    // Text the simulated remote station sends, due at nowMs: class 2 after "Term 4",
    // every byte passed on as given.
    void injectRemoteText(const std::string& text, std::int64_t nowMs);
    // Received text of exactly `bytes` bytes (lines of words ending in CR, with umlaut
    // codes and corrected typos) in one class-2 piece due at nowMs.
    void sendBurst(std::size_t bytes, std::int64_t nowMs);
    // Stops answering anything (a controller switched off mid-run). Output not yet
    // taken is dropped: a switched-off controller does not finish its sentences.
    void setSilent(bool silent);
    // Turns the flood of received text on or off (it starts once "Term 4" was seen).
    void setFlood(bool flood) { options_.flood = flood; }
    // For the calls made from now on.
    void setCallOutcome(CallOutcome outcome) { options_.callOutcome = outcome; }
    // Called with each line as it goes over the air, in the caller of advance/receive.
    void setTransmittedLineHandler(std::function<void(const TransmittedLine&)> handler)
    {
        onTransmittedLine_ = std::move(handler);
    }

    // Only the controller's own pending XON/XOFF bytes, which go out even while the
    // program has sent XOFF. takeOutput() returns them too, ahead of everything else.
    std::string takeFlowControl();
    // Like nextEventMs() but only for work that changes state (radio, link set-up),
    // ignoring output that is ready: for a caller that cannot write right now.
    std::int64_t nextTimerMs(std::int64_t nowMs) const;

    // The mailbox: its lines as a backup holds them (without line ends), the dump that
    // "BAK" sends between its "#" and its BEL, the lines the last reload received, and
    // whether the maildrop is on ("Box 1").
    const std::vector<std::string>& mailboxLines() const { return mailbox_.lines; }
    std::string mailboxDump() const;
    const std::vector<std::string>& reloadedLines() const { return mailbox_.reloaded; }
    bool maildropOn() const { return mailbox_.box; }

    // State, for tests and for the status byte.
    std::uint8_t statusByte() const;
    bool termMode4() const { return term4_; }
    bool programXoff() const { return programXoff_; } // program asked us to stop
    bool sentXoff() const { return sentXoff_; }       // we asked the program to stop
    SimMode mode() const { return mode_; }
    bool listening() const { return listening_; }
    bool connected() const { return connected_; }
    bool calling() const { return connectPending_; } // link set-up under way
    // The remote station's answer to a typed line is on its way.
    bool replyPending() const { return replyPending_; }
    // The last greeting, reply, burst or injected text (flood text aside).
    const std::string& lastRemoteText() const { return lastRemoteText_; }
    // This station is the sending side: unproto, FEC or a terminal's transmit is on,
    // it holds a link after a change-over, or typed text still waits for the radio.
    bool transmitting() const
    {
        return unproto_ || fec_ || terminalTx_ || holdsLink_ || !transmitQueue_.empty();
    }
    const ModeSettings& settings() const { return settings_; }
    const std::string& myCall() const { return myCall_; }
    std::size_t queuedTransmitBytes() const { return transmitQueue_.size(); }
    // The command lines seen, oldest first; at least the last 4096 are kept.
    const std::vector<std::string>& commandsSeen() const { return commandsSeen_; }
    // NAVTEX/AMTEX reception: on, which kind, the types asked for, messages sent.
    bool navtexReceiving() const { return nextNavtexMs_ >= 0; }
    bool navtexAmtex() const { return navtexAmtex_; }
    const std::string& navtexTypes() const { return navtexTypes_; }
    int navtexMessages() const { return navtexSerial_; }
    // The most recent lines that went over the air, oldest first (kept up to a limit).
    const std::deque<TransmittedLine>& transmittedLines() const { return transmitted_; }

private:
    struct Pending {
        std::int64_t dueMs;
        std::string bytes;
    };
    // A command line split into its first word (upper case) and the rest as typed.
    struct CommandLine {
        std::string word;
        std::vector<std::string> args;
    };
    // What a command answers: system text (may be empty), normally then the prompt.
    struct Reply {
        std::string text;
        bool prompt = true;
    };
    using Handler = Reply (SimEngine::*)(const CommandLine& line, std::int64_t nowMs);
    struct CommandEntry {
        const char* word; // upper case
        Handler handler;
    };
    static const std::vector<CommandEntry>& commandTable();

    // Input.
    void handleByte(std::uint8_t byte, std::int64_t nowMs);
    bool inConverse() const;
    void lineByte(std::uint8_t byte, std::int64_t nowMs);
    void converseByte(std::uint8_t byte, std::int64_t nowMs);
    void finishLine(std::int64_t nowMs);
    void handleCommandLine(const std::string& line, std::int64_t nowMs);
    void handleBiosLine(const std::string& line, std::int64_t nowMs);
    bool answersStatus() const;
    bool modeControl(std::uint8_t byte, std::int64_t nowMs);
    void cwControl(std::uint8_t byte, std::int64_t nowMs);
    void pskControl(std::uint8_t byte, std::int64_t nowMs);

    // Commands.
    Reply cmdVersion(const CommandLine& line, std::int64_t nowMs);
    Reply cmdMyCall(const CommandLine& line, std::int64_t nowMs);
    Reply cmdListen(const CommandLine& line, std::int64_t nowMs);
    Reply cmdAccept(const CommandLine& line, std::int64_t nowMs);
    Reply cmdPacket(const CommandLine& line, std::int64_t nowMs);
    Reply cmdTerm(const CommandLine& line, std::int64_t nowMs);
    Reply cmdPosition(const CommandLine& line, std::int64_t nowMs);
    Reply cmdReset(const CommandLine& line, std::int64_t nowMs);
    Reply cmdPactor(const CommandLine& line, std::int64_t nowMs);
    Reply cmdQuit(const CommandLine& line, std::int64_t nowMs);
    Reply cmdHelp(const CommandLine& line, std::int64_t nowMs);
    Reply cmdUnproto(const CommandLine& line, std::int64_t nowMs);
    Reply cmdDisconnect(const CommandLine& line, std::int64_t nowMs);
    Reply cmdDisconnectNow(const CommandLine& line, std::int64_t nowMs);
    Reply cmdClear(const CommandLine& line, std::int64_t nowMs);
    Reply cmdConnect(const CommandLine& line, std::int64_t nowMs);
    Reply cmdBurst(const CommandLine& line, std::int64_t nowMs);
    Reply cmdAmtor(const CommandLine& line, std::int64_t nowMs);
    Reply cmdBaudot(const CommandLine& line, std::int64_t nowMs);
    Reply cmdCwTerminal(const CommandLine& line, std::int64_t nowMs);
    Reply cmdPskTerminal(const CommandLine& line, std::int64_t nowMs);
    Reply cmdAudio(const CommandLine& line, std::int64_t nowMs);
    Reply cmdAudioFilter(const CommandLine& line, std::int64_t nowMs);
    Reply cmdBandwidth(const CommandLine& line, std::int64_t nowMs);
    Reply cmdMonitor(const CommandLine& line, std::int64_t nowMs);
    Reply cmdPort(const CommandLine& line, std::int64_t nowMs);
    Reply cmdFec(const CommandLine& line, std::int64_t nowMs);
    Reply cmdSetting(const CommandLine& line, std::int64_t nowMs);
    Reply cmdNavtexKind(const CommandLine& line, std::int64_t nowMs);
    Reply cmdNav(const CommandLine& line, std::int64_t nowMs);
    Reply enterMode(SimMode mode);

    // The mailbox (SimMailbox.cpp).
    bool mailboxByte(std::uint8_t byte, std::int64_t nowMs);
    void finishReloadLine(std::int64_t nowMs);
    Reply cmdMaildropSwitch(const CommandLine& line, std::int64_t nowMs);
    Reply cmdMailboxList(const CommandLine& line, std::int64_t nowMs);
    Reply cmdBackup(const CommandLine& line, std::int64_t nowMs);
    Reply cmdReload(const CommandLine& line, std::int64_t nowMs);
    struct MailboxState {
        enum class Transfer { None, BackupKey, Reload } transfer = Transfer::None;
        std::vector<std::string> lines = defaultLines();
        std::vector<std::string> reloading; // the reload under way
        std::vector<std::string> reloaded;  // the last reload that ended with "+"
        std::string line;                   // the reload line being received
        bool remote = false;                // "REM 1"
        bool connectMessages = false;       // "CM 1"
        bool box = false;                   // "Box 1": the maildrop
        static std::vector<std::string> defaultLines();
    };

    // Modes.
    bool terminalMode() const; // RTTY, CW or PSK31: Ctrl-Y switches transmit
    bool pactorMode() const;   // the command prompt counts as PACTOR standby
    void stopSending();
    void toReceive();
    void changeOver(std::int64_t nowMs);
    void handOver(std::int64_t nowMs);

    // Link and radio.
    void queueTransmit(std::uint8_t byte, std::int64_t nowMs);
    void runRadio(std::int64_t nowMs);
    bool linkSetupDue() const; // a call under way that will come to an end
    void runLinkSetup(std::int64_t nowMs);
    void runReply(std::int64_t nowMs);
    void runBursts(std::int64_t nowMs);
    void runNavtex(std::int64_t nowMs);
    std::string replyText();
    void endTransmission(std::int64_t nowMs);
    void goStandby(std::int64_t dueMs);
    void updateTransmitFlow();
    std::int64_t radioDueMs() const;
    void airByte(std::uint8_t byte, std::int64_t atMs);
    void finishAiredLine();
    bool keyerSends() const; // CW sends typed text without a Ctrl-Y

    // Output.
    void emit(std::string bytes, std::int64_t dueMs);
    void emitClass(char classCode, const std::string& text, std::int64_t dueMs);
    void emitSystem(const std::string& text, std::int64_t nowMs);
    void emitPrompt(std::int64_t nowMs);
    void emitRemote(const std::string& text, std::int64_t dueMs);
    void moveDueOutput(std::int64_t nowMs);
    bool outputReady(std::int64_t nowMs) const;
    bool floodActive() const;
    void appendFlood(std::string& out, std::size_t room);
    void refillFlood(std::size_t needed);
    std::string signOnText() const;
    std::string versionText() const;

    Options options_;
    std::mt19937 random_;      // the simulated station's texts
    std::mt19937 floodRandom_; // apart, so the flood does not depend on other traffic
    bool silent_ = false;
    bool signedOn_ = false;
    bool term4_ = false;
    bool programXoff_ = false;
    bool sentXoff_ = false;
    bool escapePending_ = false; // an ESC started a one-line command
    SimMode mode_ = SimMode::Command;
    bool listening_ = false;
    bool connected_ = false;
    bool unproto_ = false;    // unproto transmit switched on
    bool fec_ = false;        // AMTOR FEC transmit switched on
    bool terminalTx_ = false; // RTTY/CW/PSK31 switched to transmit
    bool holdsLink_ = false;  // took the sending side of a link by a change-over
    ModeSettings settings_;
    bool endPending_ = false; // end the transmission once the queue has drained
    bool connectPending_ = false;
    CallOutcome connectOutcome_ = CallOutcome::Answered; // of the call under way
    std::int64_t connectDueMs_ = 0;
    std::string connectCall_;
    std::string remoteCall_;
    bool replyPending_ = false;
    std::int64_t replyDueMs_ = 0;
    std::size_t replyIndex_ = 0; // next answer in the station's list
    std::string lastRemoteText_;
    std::int64_t nextBurstMs_ = -1;  // -1: no periodic burst
    bool navtexAmtex_ = false;       // AMTEX rather than NAVTEX
    std::string navtexTypes_;        // the type letters last set; empty for all
    std::int64_t nextNavtexMs_ = -1; // -1: reception off
    int navtexSerial_ = 0;           // messages sent so far
    std::string myCall_;
    std::string lineBuffer_;
    std::deque<std::uint8_t> transmitQueue_;
    std::int64_t nextRadioUs_ = 0; // when the next queued byte leaves (microseconds)
    std::deque<Pending> output_;   // ordered by dueMs
    std::string ready_;            // due output not yet taken, from readyPos_ on
    std::size_t readyPos_ = 0;
    std::string flowControl_; // our own XON/XOFF bytes not yet taken
    std::string floodBuffer_; // pre-generated flood lines, consumed from floodPos_
    std::size_t floodPos_ = 0;
    bool floodContinues_ = false; // the last output byte was flood text
    std::vector<std::string> commandsSeen_;
    std::string airLine_;        // the line on the air so far
    std::int64_t airLineMs_ = 0; // when its last byte left
    std::deque<TransmittedLine> transmitted_;
    std::function<void(const TransmittedLine&)> onTransmittedLine_;
    MailboxState mailbox_;
};

} // namespace ptcsim
