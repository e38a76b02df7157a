#include "ui/export_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "tests/support/string_sink.h"
#include "tests/support/fake_shell.h"
#include "tests/support/temp_folder.h"

namespace {

// Top-level boxes: no owner.
const std::string kSuccess = "The list has been succesfully exported.|" +
                             std::to_string(MB_ICONINFORMATION | MB_OK) + "|(none)";
const std::string kOpenError = "The list could not be exported, file open error.|" +
                               std::to_string(MB_ICONERROR | MB_OK) + "|(none)";

class ExportRampCommandTest : public testing::Test {
protected:
    ExportRampCommandTest() {
        for (int i = 0; i < lumatab::kRampSize; ++i) {  // every row differs
            m_ramp.levels[0][i] = m_ramp.levels[2][i] = static_cast<std::uint16_t>(i * 257);
            m_table.values[1][i] = 0.01 * i;
        }
        lumatab::WriteRampCsv(m_expected, m_ramp, m_table);
    }
    void Export() { ExportRampCommand(&m_parent, m_folder, m_ramp, m_table, m_shell); }
    // `folder` holds `name` alone: no temporary file was left behind.
    static void ExpectOnlyFile(const std::string& folder, const char* name) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, std::vector<std::string>{name});
    }

    CWnd m_parent;
    CString m_folder = "C:\\Program Files\\Lumatab";
    lumatab::GammaRamp m_ramp{};
    lumatab::GammaTable m_table{};
    lumatab::StringSink m_expected;
    CFakeShell m_shell;
    TempFolder m_temp;
};

TEST_F(ExportRampCommandTest, AsksWithTheSaveDialogAndWritesOneCopyOverAnOldFile) {
    m_shell.documents = "C:\\users\\someone\\Documents";
    Export();  // cancelled
    ASSERT_EQ(m_shell.requests.size(), 1u);
    const CFileDialogRequest& r = m_shell.requests[0];
    std::string texts;
    for (const CString* text :
         {&r.m_strDefExt, &r.m_strFileName, &r.m_strFilter, &r.m_strInitialDir, &r.m_strTitle}) {
        texts += std::string(*text) + "|";
    }
    EXPECT_EQ(texts,
              "csv|GammaRamp.csv|Comma Separated Values (*.csv)|*.csv||"
              "C:\\users\\someone\\Documents|Exporting current Gammaramp|");
    EXPECT_TRUE(r.m_dwFlags == 0x88806 && r.m_pParentWnd == &m_parent && !r.m_bOpenFileDialog);
    EXPECT_TRUE(m_shell.messages.empty());

    // Now the lookup fails: the folder found before stays, and the dialog starts there again.
    m_shell.documents.clear();
    m_shell.chosenPath = m_temp.File("GammaRamp.csv");
    WriteFileBytes(m_shell.chosenPath, std::string(20000, 'x'));
    Export();
    Export();
    EXPECT_EQ(ReadFileBytes(m_shell.chosenPath), m_expected.bytes);
    EXPECT_EQ(m_shell.messages, std::vector<std::string>({kSuccess, kSuccess}));
    EXPECT_EQ(std::string(m_shell.requests.back().m_strInitialDir),
              "C:\\users\\someone\\Documents");
    ExpectOnlyFile(m_temp.path(), "GammaRamp.csv");
}

// A target held open elsewhere, a read-only file and a folder are refused before anything is
// written, and stay exactly as they were.
TEST_F(ExportRampCommandTest, ATargetThatCannotBeReplacedGivesTheOpenErrorAndStaysAsItWas) {
    m_shell.chosenPath = m_temp.File("held.csv");
    WriteFileBytes(m_shell.chosenPath, "held elsewhere");
    const HANDLE held = CreateFileA(m_shell.chosenPath.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    Export();
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(m_shell.chosenPath), "held elsewhere");

    SetFileAttributesA(m_shell.chosenPath.c_str(), FILE_ATTRIBUTE_READONLY);
    Export();
    SetFileAttributesA(m_shell.chosenPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(m_shell.chosenPath), "held elsewhere");
    ExpectOnlyFile(m_temp.path(), "held.csv");

    m_shell.chosenPath = m_temp.path();
    Export();
    EXPECT_EQ(m_shell.messages, std::vector<std::string>({kOpenError, kOpenError, kOpenError}));
}

// A disk that fills up while the file is written: the old file stays whole, no part of the new
// one is left, and the failure names the file. LUMATAB_SMALL_DISK is a folder on a tiny file
// system that the test command mounts.
TEST_F(ExportRampCommandTest, AFullDiskLeavesTheOldFileWholeAndNamesTheFile) {
    const char* disk = std::getenv("LUMATAB_SMALL_DISK");
    if (disk == nullptr) {
        GTEST_SKIP() << "no small disk to fill (LUMATAB_SMALL_DISK): the test command mounts one";
    }
    const std::string folder = disk;
    m_shell.chosenPath = folder + "\\GammaRamp.csv";
    WriteFileBytes(m_shell.chosenPath, "the old export");
    const std::string filler = folder + "\\filler";
    const HANDLE file =
        CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string block(1024, 'f');
    for (DWORD written = 0; WriteFile(file, block.data(), 1024, &written, nullptr) && written;) {
    }
    CloseHandle(file);
    try {
        Export();
        ADD_FAILURE() << "the export to a full disk reported no failure";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_lOsError, ERROR_DISK_FULL);
        EXPECT_NE(std::string(e.GetErrorMessage()).find(m_shell.chosenPath), std::string::npos);
    }
    DeleteFileA(filler.c_str());
    EXPECT_TRUE(m_shell.messages.empty());
    EXPECT_EQ(ReadFileBytes(m_shell.chosenPath), "the old export");
    ExpectOnlyFile(folder, "GammaRamp.csv");
    DeleteFileA(m_shell.chosenPath.c_str());
}

}  // namespace
