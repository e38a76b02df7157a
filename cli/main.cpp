// lumatab-cli: the gamma ramp of a monitor on the console and in files, for scripts and for
// people without the window. Usage and output are described in README.md.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/text_table.h"
#include "cli/watch_command.h"
#include "core/calibration.h"
#include "core/csv_export.h"
#include "core/number_text.h"
#include "core/printable_text.h"
#include "core/ramp_stats.h"
#include "core/ramp_table.h"
#include "diagnosis/comparison.h"
#include "diagnosis/files.h"
#include "diagnosis/monitor.h"
#include "version.h"

namespace {

using lumatab::GammaRamp;

// Each line is written at once, so that a watch's log is complete at every moment.
void PrintLine(const std::string& line) {
    WriteOutput(line + "\n");
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
    WriteOutput(table.Text());
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
    WriteOutput(table.Text() + "\n" + StatsText(ramp));
}

// Writes the file whole, as the window does, then says which monitor's ramp went where.
void WriteRampFile(const Monitor& monitor, const std::string& fileName,
                   const std::function<void(lumatab::ByteSink&)>& write) {
    const std::string written = WriteFileWhole(fileName, write);
    WriteOutput("Wrote the gamma ramp of " + monitor.Name() + " to \"" +
                lumatab::PrintableText(written) + "\".\n");
}

void ExportCommand(const Monitor& monitor, const std::string& fileName) {
    const GammaRamp ramp = ReadRamp(monitor, Win32Platform()).ramp;
    lumatab::GammaTable table;
    lumatab::BuildGammaTable(ramp, table);
    WriteRampFile(monitor, fileName,
                  [&](lumatab::ByteSink& file) { lumatab::WriteRampCsv(file, ramp, table); });
}

void SaveCommand(const Monitor& monitor, const std::string& fileName) {
    const RampRead read = ReadRamp(monitor, Win32Platform());
    const std::string text = lumatab::WriteCalibration(read.ramp, CalibrationTimeText(read.time));
    WriteRampFile(monitor, fileName,
                  [&](lumatab::ByteSink& file) { file.Write(text.data(), text.size()); });
}

// Compares with the calibration of FILE, or with the monitor's profile's when there is none.
// Exit code 0 when the calibration is loaded, 1 when it is not.
int VerifyCommand(const Monitor& monitor, const std::string& fileName) {
    const RampRead read = ReadRamp(monitor, Win32Platform());
    const Comparison comparison = fileName.empty()
                                      ? CompareWithMonitorProfile(monitor, Win32Platform())
                                      : CompareWithFile(fileName);
    std::string text = comparison.name;
    text += fileName.empty() ? " (" + comparison.path + ")\n" : "\n";
    if (!comparison.hasCalibration) {
        text += std::string(kNoCalibration) + "\n";
    }
    const lumatab::Verification verification =
        lumatab::VerifyCalibration(read.ramp, comparison.calibration);
    CTextTable table({CTextTable::Align::Left, CTextTable::Align::Right, CTextTable::Align::Right});
    table.AddRow({"Channel", "Largest difference", "% of full scale"});
    for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
        table.AddRow({lumatab::kChannelNames[ch], std::to_string(verification.maxDifference[ch]),
                      lumatab::FormatFixed(verification.maxPercent[ch], 2)});
    }
    WriteOutput(text + table.Text() + (verification.loaded ? "loaded\n" : "not loaded\n") +
                RampIdentityLine(read.ramp, &comparison) + "\n");
    return verification.loaded ? 0 : 1;
}

void ProfileCommand(const Monitor& monitor) {
    const MonitorProfile profile = ProfileOf(monitor, Win32Platform());
    CTextTable table({CTextTable::Align::Left, CTextTable::Align::Left});
    table.AddRow({"Profile", static_cast<const char*>(profile.path)});
    table.AddRow({"Description", profile.profile.description});
    table.AddRow({"Calibration", profile.profile.calibrationText});
    WriteOutput(table.Text());
}

int RunCommand(const CliArguments& args) {
    switch (args.command) {
        case CliCommand::Help:
            WriteOutput(kUsage);
            return 0;
        case CliCommand::Version:
            WriteOutput("lumatab-cli " LUMATAB_VERSION "\n");
            return 0;
        case CliCommand::List:
            ListCommand();
            return 0;
        case CliCommand::Watch:
            return WatchCommand(args, Win32Platform(), Win32ProcessApi(), PrintLine);
        default:
            break;
    }
    const Monitor monitor = MonitorAt(args.monitor, Win32Platform());
    switch (args.command) {
        case CliCommand::Show:
            ShowCommand(ReadRamp(monitor, Win32Platform()).ramp);
            return 0;
        case CliCommand::Stats:
            WriteOutput(StatsText(ReadRamp(monitor, Win32Platform()).ramp));
            return 0;
        case CliCommand::Export:
            ExportCommand(monitor, args.fileName);
            return 0;
        case CliCommand::Save:
            SaveCommand(monitor, args.fileName);
            return 0;
        case CliCommand::Verify:
            return VerifyCommand(monitor, args.fileName);
        case CliCommand::Profile:
            ProfileCommand(monitor);
            return 0;
        default:
            return 2;
    }
}

void PrintError(const std::string& sentence) {
    WriteError("lumatab-cli: " + sentence + "\n");
}

}  // namespace

int main() {
    try {
        return RunCommand(ParseCommandLine(GetCommandLineW(), GetACP()));
    } catch (const CUsageError& e) {
        PrintError(e.Sentence());
        WriteError("\n" + std::string(kUsage));
    } catch (const CFailure& e) {
        PrintError(e.Sentence());
    } catch (const std::exception& e) {
        PrintError(CFailure(std::string("internal error: ") + e.what()).Sentence());
    }
    return 2;
}
