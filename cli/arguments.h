// The command line of lumatab-cli: a command, an optional monitor and a file for the commands that
// take one.
#pragma once

#include <string>

#include "framework/exceptions.h"

enum class CliCommand { Help, Version, List, Show, Stats, Export, Save, Verify, Profile, Watch };

struct CliArguments {
    CliCommand command = CliCommand::Help;
    int monitor = 0;           // position in the monitor list; watch: -1 for every monitor
    std::string fileName;      // export and save; verify's, empty for the monitor's profile
    double interval = 1.0;     // watch: seconds between reads
    bool untilChange = false;  // watch: ends after the first change
};

// A command line the program cannot take: its sentence, then the usage.
class CUsageError : public CFailure {
public:
    using CFailure::CFailure;
};

// The usage text, ending in a line feed.
extern const char kUsage[];

// Reads argv[1..argc-1]. Options may stand before or after the command; a help or version option
// anywhere gives CliCommand::Help or CliCommand::Version. Throws CUsageError for anything it cannot
// take.
CliArguments ParseArguments(int argc, const char* const* argv);
