#include "ui/export_command.h"

#include <functional>
#include <string>

#include "core/calibration.h"
#include "core/csv_export.h"
#include "diagnosis/files.h"

namespace {

// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
// OFN_EXPLORER
constexpr DWORD kSaveDialogFlags = 0x88806;
static_assert(kSaveDialogFlags == (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                   OFN_NOREADONLYRETURN | OFN_EXPLORER),
              "the save dialog's flags");

const CSaveTexts kExportTexts = {"csv",
                                 "GammaRamp.csv",
                                 "Comma Separated Values (*.csv)|*.csv|",
                                 "Exporting current Gammaramp",
                                 "The list could not be exported, file open error.",
                                 "The list has been succesfully exported.",
                                 false};
const CSaveTexts kCalibrationTexts = {"cal",
                                      "GammaRamp.cal",
                                      "Calibration curves (*.cal)|*.cal|",
                                      "Saving current Gammaramp as calibration",
                                      "The calibration file could not be saved, file open error.",
                                      "The gamma ramp has been saved as a calibration file.",
                                      true};

}  // namespace

void SaveThroughDialog(CWnd* parent, CString& folder, const CSaveTexts& texts, CShell& shell,
                       const std::function<void(lumatab::ByteSink&)>& write) {
    shell.StartInDocuments(folder);
    const CFileDialogRequest request = {
        FALSE,        texts.defExt, texts.fileName, kSaveDialogFlags,
        texts.filter, parent,       folder,         texts.title};
    CString pathName;
    if (!shell.RunFileDialog(request, pathName)) {
        return;
    }
    // Export's result boxes are top-level, with no owner, as the program has always shown them.
    CWnd* const owner = texts.resultsOwned ? parent : nullptr;
    try {
        WriteFileWhole(static_cast<const char*>(pathName), write);
    } catch (const CFailure& failure) {
        if (!failure.NothingWritten()) {
            throw;
        }
        shell.ShowMessage(owner, texts.openError, MB_ICONERROR | MB_OK);
        return;
    }
    shell.ShowMessage(owner, texts.success, MB_ICONINFORMATION | MB_OK);
}

void ExportRampCommand(CWnd* parent, CString& folder, const lumatab::GammaRamp& ramp,
                       const lumatab::GammaTable& table, CShell& shell) {
    SaveThroughDialog(parent, folder, kExportTexts, shell,
                      [&](lumatab::ByteSink& sink) { lumatab::WriteRampCsv(sink, ramp, table); });
}

void SaveCalibrationCommand(CWnd* parent, CString& folder, const lumatab::GammaRamp& ramp,
                            const std::string& created, CShell& shell) {
    const std::string text = lumatab::WriteCalibration(ramp, created);
    SaveThroughDialog(parent, folder, kCalibrationTexts, shell,
                      [&](lumatab::ByteSink& sink) { sink.Write(text.data(), text.size()); });
}
