// ptcsim: a simulated controller on a pseudo-terminal, for trying the program without
// a radio. Prints the device path, then serves it until SIGINT or SIGTERM.

#include "PtySimulator.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: ptcsim [--model z80|plus|iie|ii|pro|bios|silent] [--log FILE] [--flood]\n"
    "              [--burst N] [--burst-every MS] [--seed N] [--echo-delay MS]\n"
    "              [--reply-delay MS] [--connect-delay MS]\n"
    "              [--calls answered|failed|unanswered] [--radio-rate CPS]\n"
    "              [--xoff-above N] [--xon-at N] [--navtex-every MS] [--link PATH]\n"
    "              [--help]\n"
    "  --model       controller to simulate (default ii)\n"
    "  --log         append every byte received from the program to FILE\n"
    "  --flood       after \"Term 4\", send received text as fast as it is read\n"
    "  --burst       after \"Term 4\", send N bytes of received text at once every\n"
    "                --burst-every milliseconds (default 5000); the program can also\n"
    "                type \"BURST N\" at the prompt for one burst (default 2000 bytes)\n"
    "  --seed        seed for the simulated station's texts (default 1)\n"
    "  --echo-delay  milliseconds from sending a byte to its echo (default 40)\n"
    "  --reply-delay milliseconds from a typed line leaving to the connected\n"
    "                station's answer (default 1500)\n"
    "  --connect-delay milliseconds from a connect command to the link or the\n"
    "                failure (default 1000)\n"
    "  --calls       what called stations do: answered (default), failed (the call\n"
    "                gives up after the connect delay) or unanswered (it goes on until\n"
    "                a disconnect)\n"
    "  --radio-rate  characters a second the radio sends of the typed text (default 200)\n"
    "  --navtex-every milliseconds between two NAVTEX/AMTEX messages while reception\n"
    "                is on (default 60000)\n"
    "  --xoff-above  send XOFF when more than N typed bytes wait for the radio\n"
    "                (default 1500)\n"
    "  --xon-at      send XON again once N or fewer wait (default 200; half the\n"
    "                XOFF mark when N is not below it)\n"
    "  --link        also make PATH a symbolic link to the device\n";

struct Arguments {
    ptcsim::Options options;
    std::string logPath;
    std::string linkPath;
    bool help = false;
};

bool parseNumber(const char* text, long max, long* value)
{
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 0 || parsed > max)
        return false;
    *value = parsed;
    return true;
}

// Fills args from argv; on a bad option returns false with a message in error.
bool parseArguments(int argc, char** argv, Arguments* args, std::string* error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            args->help = true;
            continue;
        }
        if (option == "--flood") {
            args->options.flood = true;
            continue;
        }
        const bool takesValue =
            option == "--model" || option == "--log" || option == "--seed" ||
            option == "--echo-delay" || option == "--link" || option == "--burst" ||
            option == "--burst-every" || option == "--reply-delay" || option == "--connect-delay" ||
            option == "--calls" || option == "--radio-rate" || option == "--xoff-above" ||
            option == "--xon-at" || option == "--navtex-every";
        if (!takesValue) {
            *error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= argc) {
            *error = option + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        long number = 0;
        if (option == "--model") {
            if (!ptcsim::parseModel(value, &args->options.model)) {
                *error = std::string("unknown model ") + value;
                return false;
            }
        } else if (option == "--log") {
            args->logPath = value;
        } else if (option == "--link") {
            args->linkPath = value;
        } else if (option == "--seed") {
            if (!parseNumber(value, 0xffffffffL, &number)) {
                *error = std::string("bad seed ") + value;
                return false;
            }
            args->options.seed = static_cast<std::uint32_t>(number);
        } else if (option == "--echo-delay") {
            if (!parseNumber(value, 60000, &number)) {
                *error = std::string("bad echo delay ") + value;
                return false;
            }
            args->options.echoDelayMs = static_cast<int>(number);
        } else if (option == "--reply-delay") {
            if (!parseNumber(value, 600000, &number)) {
                *error = std::string("bad reply delay ") + value;
                return false;
            }
            args->options.replyDelayMs = static_cast<int>(number);
        } else if (option == "--connect-delay") {
            if (!parseNumber(value, 600000, &number)) {
                *error = std::string("bad connect delay ") + value;
                return false;
            }
            args->options.connectDelayMs = static_cast<int>(number);
        } else if (option == "--calls") {
            if (!ptcsim::parseCallOutcome(value, &args->options.callOutcome)) {
                *error = std::string("unknown call outcome ") + value;
                return false;
            }
        } else if (option == "--radio-rate") {
            if (!parseNumber(value, 1000000, &number) || number == 0) {
                *error = std::string("bad radio rate ") + value + " (1 to 1000000)";
                return false;
            }
            args->options.radioCharsPerSecond = static_cast<int>(number);
        } else if (option == "--xoff-above" || option == "--xon-at") {
            if (!parseNumber(value, 1L << 20, &number)) {
                *error = std::string("bad ") + option.substr(2) + " count " + value;
                return false;
            }
            (option == "--xoff-above" ? args->options.transmitHighWater
                                      : args->options.transmitLowWater) =
                static_cast<std::size_t>(number);
        } else if (option == "--burst") {
            if (!parseNumber(value, 1L << 20, &number) || number == 0) {
                *error = std::string("bad burst size ") + value + " (1 to 1048576)";
                return false;
            }
            args->options.burstBytes = static_cast<std::size_t>(number);
        } else if (option == "--navtex-every") {
            if (!parseNumber(value, 3600000, &number) || number == 0) {
                *error = std::string("bad navtex interval ") + value;
                return false;
            }
            args->options.navtexIntervalMs = static_cast<int>(number);
        } else if (option == "--burst-every") {
            if (!parseNumber(value, 3600000, &number) || number == 0) {
                *error = std::string("bad burst interval ") + value;
                return false;
            }
            args->options.burstIntervalMs = static_cast<int>(number);
        }
    }
    return true;
}

// Points linkPath at the device; an existing symbolic link there is replaced, anything
// else is left alone.
bool makeLink(const std::string& linkPath, const std::string& device)
{
    struct stat info {};
    if (::lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            std::fprintf(stderr, "ptcsim: %s exists and is not a symbolic link\n",
                         linkPath.c_str());
            return false;
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(device.c_str(), linkPath.c_str()) != 0) {
        std::fprintf(stderr, "ptcsim: cannot create link %s: %s\n", linkPath.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Arguments args;
    std::string error;
    if (!parseArguments(argc, argv, &args, &error)) {
        std::fprintf(stderr, "ptcsim: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (args.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    // Block the signals before the simulator's thread exists so only sigwait sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ptcsim::PtySimulator simulator(args.options, args.logPath);
    if (!simulator.open(&error)) {
        std::fprintf(stderr, "ptcsim: %s\n", error.c_str());
        return 1;
    }
    if (!args.linkPath.empty() && !makeLink(args.linkPath, simulator.devicePath()))
        return 1;
    std::printf("%s\n", simulator.devicePath().c_str());
    std::fflush(stdout);

    simulator.start();
    int received = 0;
    while (sigwait(&signals, &received) != 0) {
    }
    simulator.stop();
    if (!args.linkPath.empty())
        ::unlink(args.linkPath.c_str());
    return 0;
}
