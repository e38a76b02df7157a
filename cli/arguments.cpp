#include "cli/arguments.h"

#include <charconv>
#include <string_view>

const char kUsage[] =
    "usage: lumatab-cli COMMAND [-m N] [FILE]\n"
    "\n"
    "Shows the hardware gamma ramp of a monitor; never changes it.\n"
    "\n"
    "Commands:\n"
    "  list                the monitors, and whether the ramp of each can be read\n"
    "  show [-m N]         the 256 entries as in the window, then the statistics\n"
    "  stats [-m N]        the statistics of each channel of the ramp\n"
    "  export [-m N] FILE  writes the ramp to FILE as CSV, as the window exports it\n"
    "  save [-m N] FILE    writes the ramp to FILE as a calibration (.cal) file\n"
    "  verify [-m N] [FILE]\n"
    "                      compares the ramp with the calibration of the monitor's\n"
    "                      profile, or of FILE (an ICC profile or a .cal file)\n"
    "  profile [-m N]      the monitor's profile, its description and calibration\n"
    "  watch [-m N] [--interval SECONDS] [--until-change]\n"
    "                      watches the ramp of every monitor, or of monitor N, and\n"
    "                      tells when it changes, to what, and what had started;\n"
    "                      Ctrl+C ends it\n"
    "\n"
    "Options:\n"
    "  -m N, --monitor N   the monitor at position N in the list (0 unless given)\n"
    "  --interval SECONDS  watch: how often the ramps are read, from 0.1 to 3600\n"
    "                      (1 unless given)\n"
    "  --until-change      watch: ends after the first change\n"
    "  -h, --help, /?      shows this text\n"
    "  -V, --version       shows the program's version\n"
    "\n"
    "Exit codes: 0 done (verify: loaded), 1 verify: not loaded, watch: changed\n"
    "(--until-change), 2 error.\n";

namespace {

struct CommandName {
    const char* name;
    CliCommand command;
};

const CommandName kCommands[] = {
    {"list", CliCommand::List},       {"show", CliCommand::Show},   {"stats", CliCommand::Stats},
    {"export", CliCommand::Export},   {"save", CliCommand::Save},   {"verify", CliCommand::Verify},
    {"profile", CliCommand::Profile}, {"watch", CliCommand::Watch},
};

bool TakesFile(CliCommand command) {
    return command == CliCommand::Export || command == CliCommand::Save ||
           command == CliCommand::Verify;
}

// Command names match in any case, as Windows commands do.
bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    if (text.size() != lowerCase.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerCase[i]) {
            return false;
        }
    }
    return true;
}

const CommandName& FindCommand(std::string_view text) {
    for (const CommandName& command : kCommands) {
        if (EqualsIgnoringCase(text, command.name)) {
            return command;
        }
    }
    throw CUsageError("unknown command '" + std::string(text) + "'");
}

// Seconds from 0.1 to 3600, with a full stop for decimals in every locale: digits and at most one
// full stop, nothing else.
double ParseInterval(std::string_view text) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, seconds, std::chars_format::fixed);
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos ||
        result.ec != std::errc() || result.ptr != end || !(seconds >= 0.1 && seconds <= 3600)) {
        throw CUsageError("the interval must be from 0.1 to 3600 seconds, not '" +
                          std::string(text) + "'");
    }
    return seconds;
}

// Decimal digits only: no sign, no blanks.
int ParseMonitor(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] < '0' || text[0] > '9' || result.ec != std::errc() ||
        result.ptr != end) {
        throw CUsageError("'" + std::string(text) + "' is not a monitor number");
    }
    return value;
}

// What has been read of the command line so far.
struct Reading {
    CliArguments args;
    const CommandName* command = nullptr;
    bool monitorGiven = false;
    bool fileGiven = false;
    bool watchOptions = false;
};

// The value after the option at argv[i], which `i` then points at.
std::string_view ValueAfter(int argc, const char* const* argv, int& i, const char* what) {
    if (i + 1 == argc) {
        throw CUsageError(std::string(argv[i]) + " needs " + what);
    }
    return argv[++i];
}

void ReadArgument(int argc, const char* const* argv, int& i, Reading& reading) {
    CliArguments& args = reading.args;
    const std::string_view arg = argv[i];
    if (arg == "-m" || arg == "--monitor") {
        if (reading.monitorGiven) {
            throw CUsageError("the monitor is given twice");
        }
        args.monitor = ParseMonitor(ValueAfter(argc, argv, i, "a monitor number"));
        reading.monitorGiven = true;
    } else if (arg == "--interval" || arg == "--until-change") {
        if (arg == "--interval") {
            args.interval = ParseInterval(ValueAfter(argc, argv, i, "a number of seconds"));
        }
        args.untilChange = args.untilChange || arg == "--until-change";
        reading.watchOptions = true;
    } else if (!arg.empty() && arg[0] == '-') {
        throw CUsageError("unknown option '" + std::string(arg) + "'");
    } else if (!reading.command) {
        reading.command = &FindCommand(arg);
        args.command = reading.command->command;
    } else if (TakesFile(args.command) && !reading.fileGiven) {
        args.fileName = arg;
        reading.fileGiven = true;
    } else {
        throw CUsageError("unexpected argument '" + std::string(arg) + "'");
    }
}

// What a command needs and what it does not take.
void CheckComplete(const Reading& reading) {
    const CliArguments& args = reading.args;
    if (!reading.command) {
        throw CUsageError("no command given");
    }
    if (TakesFile(args.command) && !reading.fileGiven && args.command != CliCommand::Verify) {
        throw CUsageError(std::string(reading.command->name) + " needs a file name");
    }
    if (reading.fileGiven && args.fileName.empty()) {
        throw CUsageError("the file name is empty");
    }
    if (args.command == CliCommand::List && reading.monitorGiven) {
        throw CUsageError("list takes no monitor: it lists them all");
    }
    if (reading.watchOptions && args.command != CliCommand::Watch) {
        throw CUsageError("--interval and --until-change are options of watch");
    }
}

}  // namespace

CliArguments ParseArguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "/?") {
            return CliArguments{};
        }
        if (arg == "-V" || arg == "--version") {
            CliArguments version;
            version.command = CliCommand::Version;
            return version;
        }
    }
    Reading reading;
    for (int i = 1; i < argc; ++i) {
        ReadArgument(argc, argv, i, reading);
    }
    CheckComplete(reading);
    if (reading.args.command == CliCommand::Watch && !reading.monitorGiven) {
        reading.args.monitor = -1;
    }
    return reading.args;
}
