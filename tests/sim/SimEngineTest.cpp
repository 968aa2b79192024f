// The simulator is the stand-in the program's end-to-end tests talk to: these tests pin
// what they rely on (the command answers, status bytes, flow control, the flood, the
// mailbox dump) and what would make the stand-in lie about a real controller.

#include "SimEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using ptcsim::Model;
using ptcsim::Options;
using ptcsim::SimEngine;
using ptcsim::SimMode;

namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();
const std::string kEsc = "\x1b";
const std::string kStatusRequest = "\x1e";
const std::string kXoff = "\x13";
const std::string kXon = "\x11";
const std::string kCtrlY = "\x19";
const std::string kPrompt4 = "\x04"
                             "cmd: ";

Options withModel(Model model)
{
    Options options;
    options.model = model;
    return options;
}

// Sends bytes at nowMs and returns everything due by then.
std::string exchange(SimEngine& engine, const std::string& bytes, std::int64_t nowMs)
{
    engine.receive(bytes, nowMs);
    engine.advance(nowMs);
    return engine.takeOutput(nowMs, kAll);
}

std::string drain(SimEngine& engine, std::int64_t nowMs)
{
    engine.advance(nowMs);
    return engine.takeOutput(nowMs, kAll);
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool hasClassCode(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 1 && c <= 4; });
}

// The output split the way the program reads it after "Term 4".
struct Pieces {
    std::string byClass[5]; // text of classes 1..4, concatenated
    int classCodes[5] = {};
    int xon = 0;
    int xoff = 0;
};

Pieces parse(const std::string& output)
{
    Pieces pieces;
    int current = 0;
    for (std::size_t i = 0; i < output.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(output[i]);
        if (byte >= 1 && byte <= 4)
            ++pieces.classCodes[current = byte];
        else if (byte == 17)
            ++pieces.xon;
        else if (byte == 19)
            ++pieces.xoff;
        else if (byte == 30 && i + 1 < output.size())
            ++i;
        else
            pieces.byClass[current].push_back(static_cast<char>(byte));
    }
    return pieces;
}

std::string systemText(SimEngine& engine, const std::string& bytes, std::int64_t nowMs)
{
    return parse(exchange(engine, bytes, nowMs)).byClass[1];
}

// A Term 4 engine past its sign-on, with all output so far taken.
SimEngine term4Engine(Options options = {})
{
    SimEngine engine(options);
    exchange(engine, "\r" + kEsc + "Term 4\r", 0);
    return engine;
}

// A linked engine in the given mode, the greeting taken, at 1000 ms.
SimEngine linkedEngine(const std::string& entry)
{
    SimEngine engine = term4Engine();
    exchange(engine, entry + "C dk0xyz\r", 0);
    drain(engine, 1000);
    EXPECT_TRUE(engine.connected());
    return engine;
}

std::uint8_t statusAt(SimEngine& engine, std::int64_t nowMs)
{
    const std::string answer = exchange(engine, kStatusRequest, nowMs);
    EXPECT_EQ(answer.size(), 2u) << "status answer mixed with other output";
    EXPECT_EQ(answer.front(), '\x1e');
    return static_cast<std::uint8_t>(answer.back());
}

// Every backspace must have a letter of the same line to erase.
bool backspacesEraseLetters(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\b' && (i == 0 || !std::isalpha(static_cast<unsigned char>(text[i - 1]))))
            return false;
    }
    return true;
}

const std::string kGermanCodes = "\x0e\x0f\x10\x14\x15\x16\x17";

} // namespace

// --- models and the command prompt ----------------------------------------------------

// The program tells the models apart by these texts; the version answer alone must do
// it too, as the sign-on may be missed.
TEST(SimEngineModels, SignOnAndVersionCarryOnlyTheirOwnMarkers)
{
    const struct {
        Model model;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } rows[] = {
        {Model::Z80, {"Z80 PTC"}, {"Plus", "PTC-II", "Systemtest"}},
        {Model::Plus, {"PTC-Plus"}, {"PTC-II", "Z80 PTC", "Systemtest"}},
        {Model::IIe, {"PTC-IIe", "Port 2: NO"}, {"PTC-IIpro", "Plus", "Z80 PTC", "Systemtest"}},
        {Model::II, {"PTC-II"}, {"PTC-IIe", "PTC-IIpro", "Plus", "Systemtest", "Port 2: NO"}},
        {Model::Pro, {"PTC-IIpro"}, {"PTC-IIe", "Plus", "Z80 PTC", "Systemtest", "Port 2: NO"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(ptcsim::modelName(row.model));
        SimEngine engine(withModel(row.model));
        const std::string signOn = exchange(engine, "\r", 0);
        const std::string version = exchange(engine, "Version\r", 10);
        for (const auto& marker : row.present)
            EXPECT_TRUE(contains(version, marker)) << marker;
        for (const auto& marker : row.absent)
            EXPECT_FALSE(contains(signOn + version, marker)) << marker;
        EXPECT_TRUE(contains(signOn, row.present.front())) << signOn;
        EXPECT_TRUE(version.ends_with("cmd: "));
    }
}

TEST(SimEngineModels, BiosAnswersEveryLineWithSystemtestAndSilentSendsNothing)
{
    SimEngine bios(withModel(Model::Bios));
    for (const char* line : {"\r", "Version\r", "Term 4\r", "MYC DL1ABC\r"}) {
        const std::string answer = exchange(bios, line, 0);
        EXPECT_TRUE(contains(answer, "Systemtest")) << line;
        EXPECT_FALSE(hasClassCode(answer)) << line;
    }
    const std::string help = exchange(bios, "He\r", 0);
    EXPECT_GE(std::count(help.begin(), help.end(), '\r'), 3) << help;
    EXPECT_EQ(exchange(bios, kStatusRequest, 0), "");

    SimEngine silent(withModel(Model::Silent));
    std::string out = exchange(silent, "\rVersion\r" + kStatusRequest + kEsc + "Term 4\r", 0);
    out += exchange(silent, "C DL1ABC\r", 10) + drain(silent, 5000);
    EXPECT_EQ(out, "");
    EXPECT_EQ(silent.nextEventMs(5000), -1);
    EXPECT_EQ(silent.commandsSeen(),
              (std::vector<std::string>{"", "Version", "Term 4", "C DL1ABC"}));
}

TEST(SimEngineTerm, ClassCodesOnlyAfterTerm4)
{
    SimEngine engine({});
    EXPECT_FALSE(hasClassCode(exchange(engine, "\rVersion\r", 0)));
    EXPECT_EQ(exchange(engine, "Term 4\r", 0), kPrompt4);
    const std::string after = exchange(engine, "Version\r", 0);
    EXPECT_EQ(after.front(), '\x01');
    EXPECT_TRUE(after.ends_with(kPrompt4));
    EXPECT_EQ(exchange(engine, "Term 0\r", 0), "cmd: ");
    EXPECT_FALSE(engine.termMode4());
}

// --- status byte and modes ------------------------------------------------------------

TEST(SimEngineStatus, FollowsALinkFromCallToAnswer)
{
    SimEngine engine = term4Engine(); // 5 ms a byte, answers 1500 ms after a line
    exchange(engine, "C dl2xyz\r", 1000);
    EXPECT_EQ(statusAt(engine, 1999), 0x09) << "standby, sending connect frames, REQUEST";
    drain(engine, 2000);
    EXPECT_EQ(statusAt(engine, 2000), 0x23); // connected, IDLE
    engine.receive("hi\r", 2100);
    EXPECT_EQ(statusAt(engine, 2100), 0x2a); // transmitting, TRAFFIC
    drain(engine, 2200);                     // the CR left at 2115
    EXPECT_EQ(statusAt(engine, 2200), 0x21); // REQUEST until the station answers
    drain(engine, 3615);
    EXPECT_EQ(statusAt(engine, 3615), 0x23);
    exchange(engine, kEsc + "D\r", 3700);
    EXPECT_EQ(statusAt(engine, 3701), 0x07);
}

// Each row's steps are sent in turn after Term 4.
TEST(SimEngineModes, EntryAndExitShowInModeAndStatusByte)
{
    const struct {
        const char* name;
        std::vector<std::string> steps;
        SimMode mode;
        std::uint8_t status;
        bool error; // some step answers with an error line
    } rows[] = {
        {"PactorListen", {"Pt\r", "L 1\r"}, SimMode::Pactor, 0x67, false},
        {"PactorListenOff", {"Pt\r", "L 1\r", "L 0\r"}, SimMode::Pactor, 0x07, false},
        {"PactorUnproto10", {"Pt\r", "U 10\r"}, SimMode::Pactor, 0x4b, false},
        {"UnprotoLevel11", {"Pt\r", "U 11\r"}, SimMode::Pactor, 0x07, true},
        {"AmtorListen", {"Pt\r", "AM\r", kEsc + " MON\r"}, SimMode::Amtor, 0x67, false},
        {"AmtorListenOff", {"AM\r", kEsc + " MON\r", "Q\r"}, SimMode::Amtor, 0x07, false},
        {"AmtorFec", {"AM\r", kEsc + "FEC\r"}, SimMode::Amtor, 0x3b, false},
        {"AmtorFecStopped", {"AM\r", kEsc + "FEC\r", kEsc + "DD\r"}, SimMode::Amtor, 0x07, false},
        {"ResetEndsFec", {"AM\r", kEsc + "FEC\r", kEsc + "RESET\r"}, SimMode::Command, 0x07, false},
        {"FecOutsideAmtor", {"Pt\r", kEsc + "FEC\r"}, SimMode::Pactor, 0x07, true},
        {"RttyReceive", {kEsc + "BAU\r"}, SimMode::Rtty, 0x57, false},
        {"RttyTransmit", {kEsc + "BAU 45\r", kCtrlY}, SimMode::Rtty, 0x5b, false},
        {"RttyBackByCtrlY", {kEsc + "BAU\r", kCtrlY, kCtrlY}, SimMode::Rtty, 0x57, false},
        {"RttyBackByCtrlD", {kEsc + "BAU\r", kCtrlY, "\x04"}, SimMode::Rtty, 0x57, false},
        {"RttyQuit", {kEsc + "BAU\r", kCtrlY, kEsc + "Q\r"}, SimMode::Pactor, 0x07, false},
        {"RttyNoConnect", {kEsc + "BAU\r", "C DK0XYZ\r"}, SimMode::Rtty, 0x57, true},
        {"BaudNotANumber", {kEsc + "BAU abc\r"}, SimMode::Command, 0x07, true},
        {"CwTransmit", {"CWT\r", kCtrlY}, SimMode::Cw, 0x5b, false},
        {"CwStandby", {"CWT\r", kCtrlY, kEsc + "DD\r"}, SimMode::Cw, 0x57, false},
        {"CwSpeedTooLow", {"CWT\r", kEsc + "CWS 2\r"}, SimMode::Cw, 0x57, true},
        {"PskStandby", {"PSKT\r", kCtrlY, kEsc + "DD\r", "PSKT\r"}, SimMode::Psk31, 0x57, false},
        {"Audio", {"AUD\r"}, SimMode::Audio, 0x57, false},
        {"AudioQuit", {kEsc + "Aud\r", "Q\r"}, SimMode::Pactor, 0x07, false},
        {"Packet", {"PAC\r", "P 2\r"}, SimMode::Packet, 0x07, false},
        {"PacketMonitorOnly", {"Pac MON 6\r"}, SimMode::Command, 0x07, false},
        {"PacketQuit", {"PAC\r", kEsc + "Q\r"}, SimMode::Pactor, 0x07, false},
        {"HugeLine", {std::string(10000, 'B') + "\r"}, SimMode::Command, 0x07, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimEngine engine = term4Engine();
        std::string system;
        std::int64_t t = 10;
        for (const auto& step : row.steps)
            system += systemText(engine, step, t += 10);
        EXPECT_EQ(engine.mode(), row.mode);
        EXPECT_EQ(statusAt(engine, t + 1), row.status);
        EXPECT_EQ(contains(system, "*** ERROR"), row.error) << system;
    }
}

TEST(SimEngineModeCommands, MeaningDependsOnTheModeAndBadValuesKeepTheOldOne)
{
    SimEngine engine = term4Engine(withModel(Model::IIe));
    std::int64_t t = 10;
    auto errors = [&](const std::string& bytes) {
        return contains(systemText(engine, bytes, t += 10), "*** ERROR");
    };
    // In audio "C" and "B" set the filter, they do not call anyone.
    EXPECT_FALSE(errors("AUD\rCW\rC 800\rB 200\r"));
    EXPECT_FALSE(engine.calling());
    EXPECT_EQ(engine.settings().audioCentreHz, 800);
    EXPECT_EQ(engine.settings().audioBandwidthHz, 200);
    EXPECT_TRUE(errors("C 5000\r"));
    EXPECT_EQ(engine.settings().audioCentreHz, 800);
    EXPECT_FALSE(errors("notch\rQ\r"));
    EXPECT_TRUE(errors("CW\r")) << "a filter outside audio";
    EXPECT_EQ(engine.settings().audioFilter, ptcsim::AudioFilter::Notch);

    // Case-insensitive with or without ESC.
    EXPECT_FALSE(errors(kEsc + "Pd 1\rTO 3\rMyl 3\r" + kEsc + "CWW 60\r"));
    EXPECT_TRUE(errors(kEsc + "CWW 256\r"));
    EXPECT_EQ(engine.settings().pactorDuplex, 1);
    EXPECT_EQ(engine.settings().tones, 3);
    EXPECT_EQ(engine.settings().pactorLevel, 3);
    EXPECT_EQ(engine.settings().cwWeight, 60);
    EXPECT_TRUE(errors("PAC\rP 2\r")) << "the IIe has one packet port";
    EXPECT_FALSE(errors("RESET\r"));
    EXPECT_EQ(engine.settings().cwWeight, ptcsim::ModeSettings{}.cwWeight);
}

// The answers the program's CW and PSK31 pages watch for; the speed and offset controls
// act without a word, while transmitting too, and never reach the air.
TEST(SimEngineModeCommands, CwAndPskControlsAnswerWithTheirState)
{
    const struct {
        std::string entry;
        std::vector<std::pair<std::string, std::string>> steps; // bytes, whole class-1 answer
        std::string silentControls;                             // in sum one step up of:
        int ptcsim::ModeSettings::*tuned;
    } modes[] = {
        {"CWT\r",
         {{kEsc + "\r", "** DELAYED\r"},
          {kEsc + "\r", "** IMMEDIATE\r"},
          {"\x06", "*** FIX-SPEED\r"},
          {"\x06", "*** AUTO-SPEED\r"},
          {"\x03", ""}},
         "\x15\x15\x04",
         &ptcsim::ModeSettings::cwRxSpeed},
        {"PSKT\r",
         {{"\x03", "*** SQUELCH ON\r"},
          {"\x03", "*** SQUELCH OFF\r"},
          {"\x02", "*** DQPSK\r"},
          {"\x02", "*** DQPSK inverted\r"},
          {"\x02", "*** DBPSK\r"},
          {kEsc + "\r", ""}},
         "\x0c\x0c\x0b",
         &ptcsim::ModeSettings::pskOffsetHz},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.entry);
        SimEngine engine = term4Engine();
        exchange(engine, mode.entry, 0);
        for (const auto& [bytes, answer] : mode.steps)
            EXPECT_EQ(systemText(engine, bytes, 10), answer) << int(bytes.back());
        exchange(engine, kCtrlY + "ab" + mode.silentControls + "c", 20);
        EXPECT_EQ(parse(drain(engine, 500)).byClass[3], "abc");
        EXPECT_EQ(engine.settings().*mode.tuned, ptcsim::ModeSettings{}.*mode.tuned + 1);
    }
}

TEST(SimEngineModeCommands, GarbageInAnyModeLeavesAWorkingController)
{
    const std::string alphabet = "CDUQLPMBTOFEW0123456789 +?\r\x1b\x19\x04\x02\x03\x06\x0b\x0c"
                                 "\x0e\x15\x08\x7f\xff";
    std::mt19937 random(42);
    for (const std::string& entry :
         {"Pt\r", "AM\r", "PAC\r", "\033BAU\r", "CWT\r", "PSKT\r", "AUD\r"}) {
        SimEngine engine = term4Engine();
        exchange(engine, entry, 0);
        std::string garbage;
        for (int i = 0; i < 5000; ++i)
            garbage.push_back(alphabet[random() % alphabet.size()]);
        engine.receive(garbage, 10);
        drain(engine, 100000);
        exchange(engine, kEsc + "RESET\r", 100000);
        EXPECT_EQ(engine.mode(), SimMode::Command) << entry;
        EXPECT_EQ(statusAt(engine, 100001), 0x07) << entry;
        EXPECT_EQ(engine.nextEventMs(100001), -1) << entry;
    }
}

// --- links, calls and transmissions ---------------------------------------------------

// Text goes both ways; "D" and Ctrl-D wait until the text typed before them has gone out.
TEST(SimEngineLinks, CarryTextBothWaysAndEndWithTheModesWords)
{
    const struct {
        const char* name;
        std::string entry;
        std::string connectedText;
        std::string disconnect;
        std::string disconnectedText;
        bool waits = true; // for the text typed before it; "DD" ends at once
    } rows[] = {
        {"Pactor", "Pt\r", "*** CONNECTED TO DK0XYZ\r", kEsc + "D\r", "*** DISCONNECTED\r"},
        {"AmtorHard", "AM\r", "*** CONNECTED TO DK0XYZ\r", kEsc + "DD\r", "*** DISCONNECTED\r",
         false},
        {"Packet", "PAC\r", "*** CONNECTED to DK0XYZ\r", kEsc + "D\r",
         "*** DISCONNECTED fm DK0XYZ\r"},
        {"PacketCtrlD", "PAC\r", "*** CONNECTED to DK0XYZ\r", "\x04",
         "*** DISCONNECTED fm DK0XYZ\r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimEngine engine = term4Engine();
        exchange(engine, row.entry + "MYC dl1abc\r", 0);
        const SimMode mode = engine.mode();
        exchange(engine, "C dk0xyz\r", 10);
        const Pieces linked = parse(drain(engine, 1500));
        EXPECT_EQ(linked.byClass[1], row.connectedText);
        EXPECT_TRUE(contains(linked.byClass[2], "DK0XYZ")) << "greeting";
        EXPECT_TRUE(contains(linked.byClass[2], "DL1ABC")) << "greeting";
        ASSERT_TRUE(engine.connected());

        exchange(engine, "hi\r", 1500);
        const Pieces talk = parse(drain(engine, 4000));
        EXPECT_EQ(talk.byClass[3], "hi\r");
        EXPECT_FALSE(talk.byClass[2].empty()) << "the station answers";

        const std::string text = row.waits ? "bye\r" : "";
        const Pieces now = parse(exchange(engine, text + row.disconnect, 4000));
        EXPECT_EQ(engine.connected(), row.waits) << "ends once the text has gone out";
        const Pieces later = parse(drain(engine, 6000));
        EXPECT_EQ(now.byClass[3] + later.byClass[3], text);
        EXPECT_EQ(now.byClass[1] + later.byClass[1], row.disconnectedText);
        EXPECT_EQ(later.byClass[2], "") << "no answer once the link is down";
        EXPECT_FALSE(engine.connected());
        EXPECT_EQ(engine.mode(), mode);
        EXPECT_EQ(engine.nextEventMs(6000), -1);
    }
}

TEST(SimEngineCalls, CallComesUpFailsOrGoesOnAsChosen)
{
    using ptcsim::CallOutcome;
    const struct {
        std::string entry;
        CallOutcome outcome;
        std::string outcomeText; // class 1 once the connect delay is over
        std::uint8_t statusAfter;
        std::string disconnectText; // class 1 for a later ESC "D"
    } rows[] = {
        {"AM\r", CallOutcome::Answered, "*** CONNECTED TO DK0XYZ\r", 0x13, "*** DISCONNECTED\r"},
        {"Pt\r", CallOutcome::Failed, "*** NO ANSWER FROM DK0XYZ\r*** STBY\r", 0x07, ""},
        {"PAC\r", CallOutcome::Failed, "*** NO ANSWER FROM DK0XYZ\r*** DISCONNECTED fm DK0XYZ\r",
         0x07, ""},
        {"AM\r", CallOutcome::Unanswered, "", 0x09, "*** DISCONNECTED\r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry + std::to_string(static_cast<int>(row.outcome)));
        Options options;
        options.connectDelayMs = 300;
        options.callOutcome = row.outcome;
        SimEngine engine = term4Engine(options);
        exchange(engine, row.entry + kEsc + "C dk0xyz\r", 100);
        EXPECT_EQ(statusAt(engine, 399), 0x09) << "standby, sending, REQUEST while calling";
        EXPECT_EQ(parse(drain(engine, 399)).byClass[1], "");
        EXPECT_EQ(parse(drain(engine, 60000)).byClass[1], row.outcomeText);
        EXPECT_EQ(statusAt(engine, 60000), row.statusAfter);
        EXPECT_EQ(engine.calling(), row.outcome == CallOutcome::Unanswered);
        EXPECT_EQ(engine.nextEventMs(60000), -1) << "nothing to wait for, a call unanswered too";
        EXPECT_EQ(systemText(engine, kEsc + "D\r", 60000), row.disconnectText);
        EXPECT_EQ(statusAt(engine, 60001), 0x07);
    }
}

// Typed text fills the buffer past a small mark, goes out at 5 ms a byte, and the end
// waits for it. The far side reads the lines with the typo taken back.
TEST(SimEngineSending, TextGoesOutAndTheEndWaitsForIt)
{
    const struct {
        std::string entry;
        std::string start;       // switches the transmitter on
        std::uint8_t statusIdle; // on, nothing typed yet
        std::string end;         // sent straight after the text; "\r" goes on the air too
        std::uint8_t statusAfter;
        std::string systemText; // class 1 at the end, after the last echo
    } rows[] = {
        {"Pt\r", "U 1\r", 0x4b, "\x04", 0x07, "*** STBY\r"},
        {"AM\r", kEsc + "FEC\r", 0x3b, "\x04", 0x07, "*** STBY\r"},
        {kEsc + "BAU\r", kCtrlY, 0x5b, "\x04", 0x57, ""},
        {"PSKT\r", kCtrlY, 0x5b, kCtrlY, 0x57, ""},
        {"CWT\r", "", 0x57, "\r", 0x57, ""}, // the CW keyer sends what is typed
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.entry);
        Options options;
        options.transmitHighWater = 9;
        SimEngine engine = term4Engine(options);
        exchange(engine, row.entry + row.start, 0);
        const SimMode mode = engine.mode();
        EXPECT_EQ(statusAt(engine, 1), row.statusIdle);

        const std::string text = "cq de dl1abcc\b\r\rk";
        EXPECT_EQ(exchange(engine, text + row.end, 10), kXoff);
        EXPECT_EQ(statusAt(engine, 11), (row.statusIdle & 0xf0) | 0x0a) << "sending, TRAFFIC";
        const std::string echo = row.end == "\r" ? text + row.end : text;
        EXPECT_EQ(drain(engine, 5000),
                  kXon + "\x03" + echo + (row.systemText.empty() ? "" : "\x01" + row.systemText));
        EXPECT_EQ(statusAt(engine, 5000), row.statusAfter);

        // The CR is byte 15, the "k" byte 17 (18 behind the CW line's own CR).
        const std::vector<ptcsim::TransmittedLine> expected = {
            {85, mode, "", "cq de dl1abc"}, {row.end == "\r" ? 100 : 95, mode, "", "k"}};
        const auto& lines = engine.transmittedLines();
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), lines.begin(), lines.end()));
    }
}

// Without ESC a line is a command only outside a transmission; while linked a "C call"
// is text for the other station.
TEST(SimEngineSending, EscMakesACommandWhileTransmitting)
{
    SimEngine engine = term4Engine();
    exchange(engine, "U\rhello" + kEsc + "MYC dl2xyz\r", 0);
    EXPECT_EQ(engine.myCall(), "DL2XYZ");
    EXPECT_EQ(engine.commandsSeen().back(), "MYC dl2xyz");
    exchange(engine, "MYC dl3aaa\r\x04", 0);
    EXPECT_EQ(engine.myCall(), "DL2XYZ");
    const Pieces pieces = parse(drain(engine, 5000));
    EXPECT_EQ(pieces.byClass[3], "helloMYC dl3aaa\r");
    EXPECT_TRUE(contains(pieces.byClass[1], "*** STBY\r")) << "Ctrl-D once the text has left";
    EXPECT_FALSE(engine.transmitting());

    SimEngine linked = linkedEngine("Pt\r");
    linked.receive("C DL9ZZZ\r", 1000);
    drain(linked, 2000);
    EXPECT_EQ(linked.transmittedLines(),
              (std::deque<ptcsim::TransmittedLine>{{1045, SimMode::Pactor, "DK0XYZ", "C DL9ZZZ"}}));
}

TEST(SimEngineChangeOver, CtrlYAndTheAmtorOverSignHandTheLinkOver)
{
    SimEngine engine = linkedEngine("Pt\r");
    engine.receive("\r" + kCtrlY + "\r", 1000);
    EXPECT_EQ(parse(drain(engine, 5000)).byClass[2], "") << "no answer while we hold it";
    EXPECT_EQ(statusAt(engine, 5000), 0x2b);
    engine.receive("\r" + kCtrlY + "\r", 5000);
    const Pieces after = parse(drain(engine, 8000));
    EXPECT_EQ(after.byClass[3], "\r\r") << "Ctrl-Y itself never goes on the air";
    EXPECT_FALSE(after.byClass[2].empty()) << "the other side got the link and answered";
    EXPECT_EQ(statusAt(engine, 8000), 0x23);

    SimEngine amtor = linkedEngine("AM\r");
    exchange(amtor, kCtrlY, 1000);
    EXPECT_EQ(statusAt(amtor, 1001) & 0x08, 0x08);
    amtor.receive("ok +?", 1100);
    const Pieces pieces = parse(drain(amtor, 4000));
    EXPECT_EQ(pieces.byClass[3], "ok ");
    EXPECT_FALSE(pieces.byClass[2].empty());
    EXPECT_EQ(statusAt(amtor, 4000) & 0x08, 0);
    exchange(amtor, "1+1=2?\r", 4000); // a "+" and "?" apart are text
    EXPECT_EQ(parse(drain(amtor, 4100)).byClass[3], "1+1=2?\r");
}

// --- the remote station and timing ------------------------------------------------------

TEST(SimEngineRemote, AnswersEachTypedLineAfterTheReplyDelayWithUmlautsAndTypos)
{
    SimEngine engine = linkedEngine("");
    engine.receive("hello", 1000);
    EXPECT_EQ(parse(drain(engine, 1400)).byClass[3], "hello");
    EXPECT_FALSE(engine.replyPending()) << "text without a CR is no reason to answer";

    engine.receive("\r", 1400); // on the air at 1405
    drain(engine, 1500);
    EXPECT_EQ(engine.nextEventMs(1500), 2905);
    EXPECT_EQ(drain(engine, 2904), "");
    const std::string answer = drain(engine, 2905);
    ASSERT_GT(answer.size(), 2u);
    EXPECT_EQ(answer, "\x02" + engine.lastRemoteText());
    EXPECT_TRUE(answer.ends_with("\r"));

    // Over a run of lines the answers use every umlaut code and correct a typo.
    std::string answers;
    for (std::int64_t t = 3000; t < 23000; t += 2000) {
        engine.receive("ok\r", t);
        const Pieces pieces = parse(drain(engine, t + 1999));
        EXPECT_EQ(pieces.classCodes[2], 1) << t;
        answers += pieces.byClass[2];
    }
    for (char code : kGermanCodes)
        EXPECT_TRUE(contains(answers, std::string(1, code))) << int(code);
    EXPECT_TRUE(contains(answers, "\b"));
    EXPECT_TRUE(backspacesEraseLetters(answers)) << answers;

    const std::string injected = kGermanCodes + " Gr\x10\x17" + "e, gutt\b\r";
    engine.injectRemoteText(injected, 30000);
    EXPECT_EQ(engine.takeOutput(30000, kAll), "\x02" + injected) << "passed on unchanged";
}

// Bursts come periodically, whole, never late, free of bytes the program would take for
// control codes, and also on request at the prompt.
TEST(SimEngineRemote, BurstsComeWholeAtTheSizeAsked)
{
    Options options;
    options.burstBytes = 1500;
    options.burstIntervalMs = 1000;
    SimEngine engine = term4Engine(options);
    EXPECT_EQ(drain(engine, 999), "");
    const std::string burst = drain(engine, 1000);
    ASSERT_EQ(burst, "\x02" + engine.lastRemoteText());
    EXPECT_EQ(burst.size(), 1501u);
    EXPECT_TRUE(std::none_of(burst.begin() + 1, burst.end(), [](char c) {
        return (c >= 1 && c <= 4) || c == 17 || c == 19 || c == 30;
    }));
    EXPECT_TRUE(backspacesEraseLetters(burst));
    EXPECT_EQ(drain(engine, 3500).size(), 1501u) << "late bursts are not caught up";
    const std::string typed = exchange(engine, "BURST 1200\r", 3700);
    EXPECT_EQ(typed.size(), 1201u + kPrompt4.size());
    EXPECT_TRUE(typed.ends_with(kPrompt4));
    EXPECT_TRUE(contains(exchange(engine, "BURST 0\r", 3800), "ERROR"));
}

TEST(SimEngineTiming, EchoComesOnlyAfterTheEchoDelayAndReceivedTextOvertakesIt)
{
    Options options;
    options.echoDelayMs = 40;
    SimEngine engine = term4Engine(options); // a byte every 5 ms
    exchange(engine, "U\r", 0);
    engine.receive("A", 100);
    EXPECT_EQ(engine.nextEventMs(100), 105);
    engine.advance(105);
    EXPECT_EQ(engine.nextEventMs(105), 145);
    EXPECT_EQ(engine.takeOutput(144, kAll), "");
    engine.injectRemoteText("hi\r", 120);
    EXPECT_EQ(engine.takeOutput(120, kAll), "\x02hi\r");
    EXPECT_EQ(engine.takeOutput(145, kAll), "\x03"
                                            "A");
    EXPECT_EQ(engine.nextEventMs(145), -1);
}

// --- flow control and the flood -----------------------------------------------------------

TEST(SimEngineFlow, ProgramXoffHoldsOutputUntilXon)
{
    SimEngine engine = term4Engine();
    SimEngine reference = term4Engine();
    const std::string expected = exchange(reference, "Version\r", 0);

    engine.receive(kXoff + "Version\r", 0);
    EXPECT_EQ(drain(engine, 10), "");
    EXPECT_EQ(engine.nextEventMs(10), -1) << "held output is no reason to wake up";
    EXPECT_EQ(exchange(engine, kXon, 20), expected);
    EXPECT_EQ(drain(engine, 30), "") << "released output must come exactly once";
}

TEST(SimEngineFlow, TransmitQueueSendsOneXoffAndOneXon)
{
    Options options;
    options.transmitHighWater = 1500;
    options.transmitLowWater = 200;
    SimEngine engine = term4Engine(options);
    exchange(engine, "U\r", 0);

    // The program is holding our output, yet our own XOFF must reach it.
    engine.receive(kXoff, 0);
    std::string typed;
    for (int i = 0; i < 1600; ++i)
        typed.push_back(static_cast<char>('a' + i % 26));
    engine.receive(typed, 0);
    EXPECT_EQ(engine.takeOutput(0, kAll), kXoff);
    engine.receive(kXon, 0);

    std::string output;
    std::size_t queuedBefore = engine.queuedTransmitBytes();
    for (std::int64_t t = 5; engine.nextEventMs(t) >= 0 && t < 20000; t += 5) {
        engine.advance(t);
        const std::string part = engine.takeOutput(t, kAll);
        if (contains(part, kXon)) {
            EXPECT_LE(engine.queuedTransmitBytes(), 200u);
            EXPECT_GT(queuedBefore, 200u) << "XON came later than the crossing";
        }
        queuedBefore = engine.queuedTransmitBytes();
        output += part;
    }
    const Pieces pieces = parse(output);
    EXPECT_EQ(pieces.xoff, 0);
    EXPECT_EQ(pieces.xon, 1);
    EXPECT_EQ(pieces.byClass[3], typed) << "every byte typed must be echoed once";
}

// ESC "CLR" empties the transmit buffer: the XOFF is lifted, unproto stays on, and the
// far side reads only what left before it.
TEST(SimEngineFlow, ClrDropsTheWaitingTextButNotTheTransmission)
{
    SimEngine engine = term4Engine();
    exchange(engine, "U\r", 0);
    EXPECT_EQ(exchange(engine, "first\r" + std::string(1600, 'x'), 0), kXoff);
    drain(engine, 100); // 20 bytes at 5 ms each have left
    EXPECT_TRUE(contains(exchange(engine, kEsc + "CLR\r", 100), kXon));
    EXPECT_EQ(engine.queuedTransmitBytes(), 0u);
    EXPECT_EQ(statusAt(engine, 101), 0x4b) << "still sending unproto";
    EXPECT_TRUE(contains(exchange(engine, "\x04", 5000), "*** STBY\r"));
    std::vector<std::string> read;
    for (const auto& line : engine.transmittedLines())
        read.push_back(line.text);
    EXPECT_EQ(read, (std::vector<std::string>{"first", std::string(14, 'x')}));
}

TEST(SimEngineFlow, FloodStartsWithTerm4AndFillsTheRoomLeft)
{
    Options options;
    options.flood = true;
    SimEngine engine(options);
    EXPECT_TRUE(exchange(engine, "\r", 0).ends_with("cmd: ")) << "no flood before Term 4";
    EXPECT_EQ(engine.nextEventMs(0), -1);

    engine.receive("Term 4\r", 0);
    const std::string out = engine.takeOutput(0, 5000);
    ASSERT_EQ(out.size(), 5000u);
    ASSERT_TRUE(out.starts_with(kPrompt4 + "\x02"));
    // Asking for everything of an endless stream must still return a bounded amount.
    const std::string plenty = engine.takeOutput(0, kAll);
    EXPECT_GT(plenty.size(), 4096u);
    EXPECT_LE(plenty.size(), 1u << 20);
}

TEST(SimEngineFlow, FloodIsDeterministicAndStopsForXoff)
{
    Options options;
    options.seed = 7;
    SimEngine a = term4Engine(options);
    SimEngine b = term4Engine(options);
    options.seed = 8;
    SimEngine other = term4Engine(options);
    for (SimEngine* engine : {&a, &b, &other})
        engine->setFlood(true);

    const std::string first = a.takeOutput(0, 30000);
    EXPECT_EQ(b.takeOutput(0, 30000), first);
    EXPECT_NE(other.takeOutput(0, 30000), first);

    a.receive(kXoff, 1);
    EXPECT_EQ(a.takeOutput(1, 1000), "");
    EXPECT_EQ(a.nextEventMs(1), -1);
    a.receive(kXon, 2);
    EXPECT_EQ(a.nextEventMs(2), 2);
    // After the pause the stream goes on where it stopped, without a new class code.
    EXPECT_EQ(a.takeOutput(2, 1000), b.takeOutput(2, 1000));
    a.setFlood(false);
    EXPECT_EQ(a.takeOutput(3, 1000), "");
}

// --- mailbox and NAVTEX ------------------------------------------------------------------

TEST(SimEngineMailbox, MaildropSwitchesShowInTheListing)
{
    SimEngine engine = term4Engine();
    EXPECT_TRUE(contains(systemText(engine, kEsc + "LI\r", 10), "Maildrop OFF\r"));
    for (const char* command : {"REM 1\r", "CM 1\r", "Box 1\r"})
        exchange(engine, kEsc + command, 20);
    EXPECT_TRUE(engine.maildropOn());
    const std::string listing = systemText(engine, kEsc + "LI\r", 30);
    EXPECT_TRUE(contains(listing, "Maildrop ON\r"));
    EXPECT_TRUE(contains(listing, "3 messages\r")) << listing;
    exchange(engine, kEsc + "Box 0\r", 40);
    EXPECT_FALSE(engine.maildropOn());
}

TEST(SimEngineMailbox, BackupDumpsAtTheKeyAndReloadReplacesTheMailbox)
{
    SimEngine engine = term4Engine();
    // The banner first, the dump only at the next key, between "#" and a BEL.
    const Pieces banner = parse(exchange(engine, "BAK\r", 10));
    EXPECT_EQ(banner.byClass[1], "Backup Utility.\rPress any key to start.\r");
    EXPECT_TRUE(banner.byClass[4].empty()) << "no prompt before the dump";
    const std::string dump = systemText(engine, "\r", 20);
    ASSERT_EQ(dump, engine.mailboxDump() + '\x07');
    EXPECT_EQ(dump.substr(0, 4), "### ");

    // "Q" before any line cancels; the mailbox stays.
    exchange(engine, "RELO\r", 30);
    EXPECT_TRUE(contains(systemText(engine, "Q\r", 40), "Reload cancelled"));
    EXPECT_EQ(engine.mailboxDump() + '\x07', dump);

    // Lines as they come, status requests aside, until "+".
    exchange(engine, "RELO\r", 50);
    EXPECT_EQ(exchange(engine, "###\rQ\r" + kStatusRequest + "a%%b\xe1\r", 60).size(), 2u)
        << "only the status reply while lines come";
    const Pieces end = parse(exchange(engine, "+\r", 70));
    EXPECT_TRUE(contains(end.byClass[1], "*** STBY"));
    EXPECT_EQ(end.byClass[4], "cmd:>");
    EXPECT_EQ(engine.reloadedLines(), (std::vector<std::string>{"###", "Q", "a%%b\xe1"}));
    EXPECT_EQ(engine.mailboxDump(), "###\rQ\ra%%b\xe1\r");
    EXPECT_TRUE(contains(parse(exchange(engine, "Pt\r", 80)).byClass[4], "cmd: "))
        << "commands again after the reload";
}

TEST(SimEngineNavtex, TheProgramsCommandsStartMessagesOfTheTypesAskedAndOffStopsThem)
{
    Options options;
    options.navtexIntervalMs = 1000;
    SimEngine engine = term4Engine(options);
    // What "Navtex On" sends, types B and D, 3 files; nothing arrives before that.
    exchange(engine, "\x1bPd 0\rNAVTEX AMTEX 0\rNav BD\r", 10);
    EXPECT_EQ(drain(engine, 5000), "");
    EXPECT_TRUE(contains(systemText(engine, "Nav 3\r", 5000), "3 files"));
    EXPECT_EQ(engine.nextEventMs(5001), 6000);

    std::string received = parse(drain(engine, 6000)).byClass[2];
    received += parse(drain(engine, 7000)).byClass[2];
    EXPECT_EQ(received.find("ZCZC EB01\r"), 0u);
    const std::size_t second = received.find("ZCZC ED02\r");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(received.find("NNNN\r"), second - 5) << "each message ends before the next";
    EXPECT_TRUE(received.ends_with("NNNN\r"));

    // "Nav-Amt Off": no more messages.
    exchange(engine, "Nav Amtex 0\rNav 0\r", 7100);
    EXPECT_FALSE(engine.navtexReceiving());
    EXPECT_EQ(parse(drain(engine, 20000)).byClass[2], "");

    // AMTEX with no types asked: its first type; letters outside its table refused.
    exchange(engine, "NAVTEX AMTEX 1\r", 20000);
    EXPECT_TRUE(contains(exchange(engine, "Nav A\r", 20000), "ERROR"));
    exchange(engine, "Nav\rNav 1\r", 20000);
    EXPECT_EQ(parse(drain(engine, 21000)).byClass[2].substr(0, 10), "ZCZC EE03\r");
}
