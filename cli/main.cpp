// lumatab-cli: the gamma ramp of a monitor on the console and in files, for scripts and for
// people without the window. Usage and output are described in README.md.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_error.h"
#include "cli/command_line.h"
#include "cli/text_table.h"
#include "core/calibration.h"
#include "core/csv_export.h"
#include "core/number_text.h"
#include "core/printable_text.h"
#include "core/ramp_stats.h"
#include "core/ramp_table.h"
#include "framework/file.h"
#include "platform/display_access.h"
#include "platform/monitor_profile.h"
#include "version.h"

namespace {

using lumatab::GammaRamp;

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// "monitor 1 (\\.\DISPLAY2)", as messages name it.
std::string MonitorName(int position, const MonitorEntry& monitor) {
    return "monitor " + std::to_string(position) + " (" +
           static_cast<const char*>(monitor.deviceName) + ")";
}

// The monitor at `position` in the list, and its name for messages.
struct Monitor {
    MonitorEntry entry;
    std::string name;
};

Monitor MonitorAt(int position) {
    const std::vector<MonitorEntry> monitors = ListMonitors();
    if (monitors.empty()) {
        throw CCliError("there is no monitor " + std::to_string(position) +
                        ": none is attached to the desktop");
    }
    if (position >= static_cast<int>(monitors.size())) {
        throw CCliError("there is no monitor " + std::to_string(position) +
                        ": the monitors are 0 to " + std::to_string(monitors.size() - 1));
    }
    return {monitors[position], MonitorName(position, monitors[position])};
}

// A monitor's ramp, the monitor, and its name for messages.
struct MonitorRamp {
    GammaRamp ramp;
    std::string monitorName;
    MonitorEntry monitor;
};

MonitorRamp ReadRampOf(int position) {
    const Monitor monitor = MonitorAt(position);
    MonitorRamp read{{}, monitor.name, monitor.entry};
    if (!ReadGammaRamp(monitor.entry.deviceName, read.ramp)) {
        throw CCliError("cannot read the gamma ramp of " + read.monitorName);
    }
    return read;
}

// The monitor's profile, read; an error for no profile or one that cannot be used.
MonitorProfile ProfileOf(const MonitorEntry& monitor, const std::string& monitorName) {
    MonitorProfile profile = ReadMonitorProfile(monitor);
    if (profile.status == MonitorProfile::Status::NoProfile) {
        throw CCliError("no profile is associated with " + monitorName);
    }
    if (profile.status == MonitorProfile::Status::Refused) {
        throw CCliError(profile.fault);
    }
    return profile;
}

void ListCommand() {
    CTextTable table(std::vector<CTextTable::Align>(4, CTextTable::Align::Left));
    table.AddRow({"Monitor", "Device", "Ramp", "Description"});
    const std::vector<MonitorEntry> monitors = ListMonitors();
    for (std::size_t position = 0; position < monitors.size(); ++position) {
        const MonitorEntry& monitor = monitors[position];
        GammaRamp ramp{};
        table.AddRow({std::to_string(position), static_cast<const char*>(monitor.deviceName),
                      ReadGammaRamp(monitor.deviceName, ramp) ? "readable" : "unreadable",
                      monitor.description.IsEmpty()
                          ? "(unknown)"
                          : static_cast<const char*>(monitor.description)});
    }
    Print(table.Text());
}

std::string StatsText(const GammaRamp& ramp) {
    CTextTable table({CTextTable::Align::Left, CTextTable::Align::Right, CTextTable::Align::Right,
                      CTextTable::Align::Right});
    table.AddRow(
        {"", lumatab::kChannelNames[0], lumatab::kChannelNames[1], lumatab::kChannelNames[2]});
    for (const lumatab::StatsRow& row : lumatab::FormatRampStats(ramp)) {
        table.AddRow({row.label, row.values[0], row.values[1], row.values[2]});
    }
    return table.Text();
}

// The window's headings and rows in columns; the blank that ends a number's cell in the list
// control is dropped.
void ShowCommand(const GammaRamp& ramp) {
    CTextTable table(
        std::vector<CTextTable::Align>(lumatab::kRampColumnCount, CTextTable::Align::Right));
    std::vector<std::string> headings;
    for (const lumatab::RampColumn& column : lumatab::kRampColumns) {
        headings.push_back(column.heading);
    }
    table.AddRow(headings);
    for (const lumatab::RampRow& row : lumatab::RampTableRows(ramp)) {
        std::vector<std::string> cells(row.begin(), row.end());
        for (std::string& cell : cells) {
            cell.erase(cell.find_last_not_of(' ') + 1);
        }
        table.AddRow(cells);
    }
    Print(table.Text() + "\n" + StatsText(ramp));
}

// Writes the file whole through `write`, as the window does: a failure leaves an existing file as
// it was. Then says which monitor's ramp went where.
void WriteRampFile(const MonitorRamp& read, const std::string& fileName,
                   const std::function<void(lumatab::ByteSink&)>& write) {
    CFile file;
    try {
        if (!file.Open(fileName.c_str())) {
            throw CFileException(static_cast<LONG>(GetLastError()), fileName.c_str());
        }
        write(file);
        file.Close();
    } catch (const CFileException& e) {
        throw CCliError("cannot write \"" + fileName +
                        "\": " + static_cast<const char*>(AfxSystemErrorText(e.m_lOsError)));
    }
    Print("Wrote the gamma ramp of " + read.monitorName + " to \"" +
          lumatab::PrintableText(fileName) + "\".\n");
}

void ExportCommand(const MonitorRamp& read, const std::string& fileName) {
    lumatab::GammaTable table;
    lumatab::BuildGammaTable(read.ramp, table);
    WriteRampFile(read, fileName,
                  [&](lumatab::ByteSink& file) { lumatab::WriteRampCsv(file, read.ramp, table); });
}

void SaveCommand(const MonitorRamp& read, const std::string& fileName) {
    const std::string text = lumatab::WriteCalibration(read.ramp, CalibrationTimeNow());
    WriteRampFile(read, fileName,
                  [&](lumatab::ByteSink& file) { file.Write(text.data(), text.size()); });
}

// Compares with the calibration of FILE, or with the monitor's profile's when there is none.
// Exit code 0 when the calibration is loaded, 1 when it is not.
int VerifyCommand(const MonitorRamp& read, const std::string& fileName) {
    std::string compared;
    bool hasCalibration = true;
    GammaRamp calibration{};
    if (fileName.empty()) {
        const MonitorProfile profile = ProfileOf(read.monitor, read.monitorName);
        compared = "Monitor profile \"" + profile.profile.description + "\" (" +
                   static_cast<const char*>(profile.path) + ")\n";
        hasCalibration = profile.profile.hasCalibration;
        calibration = profile.profile.calibration;
    } else {
        lumatab::CalibrationSource source;
        std::string error;
        if (!ReadCalibrationFile(fileName.c_str(), source, error)) {
            throw CCliError(error);
        }
        compared = "File \"" + lumatab::PrintableText(fileName) + "\"\n";
        hasCalibration = source.hasCalibration;
        calibration = source.calibration;
    }
    if (!hasCalibration) {
        compared += "no calibration in the profile: compared with a linear ramp\n";
    }
    const lumatab::Verification verification = lumatab::VerifyCalibration(read.ramp, calibration);
    CTextTable table({CTextTable::Align::Left, CTextTable::Align::Right, CTextTable::Align::Right});
    table.AddRow({"Channel", "Largest difference", "% of full scale"});
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        table.AddRow({lumatab::kChannelNames[ch], std::to_string(verification.maxDifference[ch]),
                      lumatab::FormatFixed(verification.maxPercent[ch], 2)});
    }
    Print(compared + table.Text() + (verification.loaded ? "loaded\n" : "not loaded\n"));
    return verification.loaded ? 0 : 1;
}

void ProfileCommand(int position) {
    const Monitor monitor = MonitorAt(position);
    const MonitorProfile profile = ProfileOf(monitor.entry, monitor.name);
    CTextTable table({CTextTable::Align::Left, CTextTable::Align::Left});
    table.AddRow({"Profile", static_cast<const char*>(profile.path)});
    table.AddRow({"Description", profile.profile.description});
    table.AddRow({"Calibration", profile.profile.calibrationText});
    Print(table.Text());
}

int RunCommand(const CliArguments& args) {
    switch (args.command) {
        case CliCommand::Help:
            Print(kUsage);
            return 0;
        case CliCommand::Version:
            Print("lumatab-cli " LUMATAB_VERSION "\n");
            return 0;
        case CliCommand::List:
            ListCommand();
            return 0;
        case CliCommand::Show:
            ShowCommand(ReadRampOf(args.monitor).ramp);
            return 0;
        case CliCommand::Stats:
            Print(StatsText(ReadRampOf(args.monitor).ramp));
            return 0;
        case CliCommand::Export:
            ExportCommand(ReadRampOf(args.monitor), args.fileName);
            return 0;
        case CliCommand::Save:
            SaveCommand(ReadRampOf(args.monitor), args.fileName);
            return 0;
        case CliCommand::Verify:
            return VerifyCommand(ReadRampOf(args.monitor), args.fileName);
        case CliCommand::Profile:
            ProfileCommand(args.monitor);
            return 0;
    }
    return 2;
}

// Control characters from a name or a file's line must not split the line or drive the terminal.
void PrintError(const std::string& message) {
    std::fputs(("lumatab-cli: " + lumatab::PrintableText(message) + "\n").c_str(), stderr);
}

}  // namespace

int main() {
    // LF stays LF: the output reads the same in a console, a pipe and a file.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    int exitCode = 2;
    try {
        exitCode = RunCommand(ParseCommandLine(GetCommandLineW(), GetACP()));
    } catch (const CCliError& e) {
        PrintError(e.Message());
        if (e.ShowUsage()) {
            std::fputs(("\n" + std::string(kUsage)).c_str(), stderr);
        }
    } catch (const std::exception& e) {
        PrintError(std::string("internal error: ") + e.what());
    }
    // Output lost to a full disk or a closed pipe must not pass for success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(std::string("cannot write the output: ") + std::strerror(errno));
        return 2;
    }
    return exitCode;
}
