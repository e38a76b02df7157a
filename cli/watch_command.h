// lumatab-cli watch: the ramps read every interval and the system's events, each line printed as
// it comes, until Ctrl+C (then a summary) or, with --until-change, the first change.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "cli/arguments.h"
#include "diagnosis/watch.h"

// Watches as `args` say; `print` writes one line and lets it be seen at once. Returns the exit
// code: 0 once stopped, 1 after the first change with --until-change. Throws CFailure for a
// monitor that does not exist.
int WatchCommand(const CliArguments& args, CPlatform& platform, CProcessApi& processes,
                 const std::function<void(const std::string&)>& print);

// The console's Ctrl+C, Ctrl+Break and close, as SetConsoleCtrlHandler calls it: stops a watch,
// which prints its summary. FALSE where no watch runs, so that the process ends as usual.
BOOL WINAPI StopWatching(DWORD event);
