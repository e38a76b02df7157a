// The save commands of the main window: Export (the listed table as CSV) and Save as .cal (the
// ramp as a calibration file), and the flow they share with the curves window's Save picture.
// Each asks for a file name, writes the file whole and reports.
#pragma once

#include <functional>
#include <string>

#include "core/csv_export.h"
#include "core/gamma_ramp.h"
#include "framework/string.h"
#include "framework/window.h"
#include "ui/shell.h"

// What one save command asks and says.
struct CSaveTexts {
    const char* defExt;
    const char* fileName;
    const char* filter;
    const char* title;
    const char* openError;
    const char* success;
    bool resultsOwned;  // the result boxes are owned by the dialog the command comes from
};

// The flow every save command shares: the documents folder, the save dialog, the file written
// whole, and the result message: the command's own when the file could not be created, and a
// failure to write it is thrown (CFailure) and shown as any failure is. `write` writes the file's
// content.
void SaveThroughDialog(CWnd* parent, CString& folder, const CSaveTexts& texts, CShell& shell,
                       const std::function<void(lumatab::ByteSink&)>& write);

// Asks for a file and writes `ramp` and `table` to it as CSV. `folder` holds the folder the
// dialog starts in; a successful documents-folder lookup replaces it first. A failed write
// throws CFailure, naming the file, shows no success message and leaves the file as it was.
void ExportRampCommand(CWnd* parent, CString& folder, const lumatab::GammaRamp& ramp,
                       const lumatab::GammaTable& table, CShell& shell = Win32Shell());

// Asks for a file and writes `ramp` to it as a calibration file, created at `created` ("Mon Dec
// 07 17:30:04 2026"); the folder and failures are handled as ExportRampCommand handles them.
void SaveCalibrationCommand(CWnd* parent, CString& folder, const lumatab::GammaRamp& ramp,
                            const std::string& created, CShell& shell = Win32Shell());
