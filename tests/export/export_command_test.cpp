#include "ui/export_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/csv_export.h"
#include "framework/exceptions.h"
#include "tests/export/modal_driver.h"
#include "tests/export/owner_window.h"
#include "tests/export/temp_folder.h"

namespace {

struct Message {
    std::string text;
    std::string caption;
    UINT type;
};

// Stands in for the shell: a scripted lookup and dialog answer, and a record of what was asked.
class FakeShell : public CExportShell {
public:
    BOOL GetDocumentsFolder(CString& folder) override {
        ++lookups;
        if (documents.empty()) {
            return FALSE;
        }
        folder = documents.c_str();
        return TRUE;
    }
    BOOL RunSaveDialog(const CSaveDialogRequest& request, CString& pathName) override {
        requests.push_back(request);
        if (chosenPath.empty()) {
            return FALSE;
        }
        pathName = chosenPath.c_str();
        return TRUE;
    }
    int ShowMessage(const char* text, const char* caption, UINT type) override {
        messages.push_back({text, caption, type});
        return IDOK;
    }

    std::string documents;   // empty: the lookup fails
    std::string chosenPath;  // empty: the user cancels
    int lookups = 0;
    std::vector<CSaveDialogRequest> requests;
    std::vector<Message> messages;
};

class StringSink : public lumatab::ByteSink {
public:
    void Write(const void* data, std::size_t size) override {
        bytes.append(static_cast<const char*>(data), size);
    }
    std::string bytes;
};

const char kOpenError[] = "The list could not be exported, file open error.";
const char kSuccess[] = "The list has been succesfully exported.";

class ExportRampCommandTest : public testing::Test {
protected:
    void SetUp() override {
        // A ramp and table whose every row differs, with negative and zero gamma values too.
        for (int i = 0; i < lumatab::kRampSize; ++i) {
            for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
                m_ramp.levels[ch][i] = static_cast<std::uint16_t>(i * 257 - ch * i);
                m_table.values[ch][i] = (i % 7 == 0) ? -1.25 : 0.01 * (i + 31 * ch);
            }
        }
        m_table.values[1][128] = 0.0;
    }

    std::string ExpectedCsv() const {
        StringSink sink;
        lumatab::WriteRampCsv(sink, m_ramp, m_table);
        return sink.bytes;
    }

    void Export(FakeShell& shell) {
        ExportRampCommand(&m_parent, m_folder, m_ramp, m_table, shell);
    }

    CWnd m_parent;
    CString m_folder = "C:\\Program Files\\Lumatab";
    lumatab::GammaRamp m_ramp{};
    lumatab::GammaTable m_table{};
    TempFolder m_temp;
};

TEST_F(ExportRampCommandTest, SaveDialogGetsTheExportRequestAndCancelDoesNothing) {
    FakeShell shell;
    shell.documents = "C:\\users\\someone\\Documents";
    Export(shell);

    ASSERT_EQ(shell.requests.size(), 1u);
    const CSaveDialogRequest& request = shell.requests[0];
    EXPECT_EQ(std::string(request.m_strDefExt), "csv");
    EXPECT_EQ(std::string(request.m_strFileName), "GammaRamp.csv");
    EXPECT_EQ(request.m_dwFlags, 0x88806u);
    EXPECT_EQ(std::string(request.m_strFilter), "Comma Separated Values (*.csv)|*.csv|");
    EXPECT_EQ(request.m_pParentWnd, &m_parent);
    EXPECT_EQ(std::string(request.m_strInitialDir), "C:\\users\\someone\\Documents");
    EXPECT_EQ(std::string(request.m_strTitle), "Exporting current Gammaramp");
    EXPECT_TRUE(request.m_bVistaStyle);
    // Cancelled: no file, no message; the folder string keeps the documents folder.
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(std::string(m_folder), "C:\\users\\someone\\Documents");
}

TEST_F(ExportRampCommandTest, FailedDocumentsLookupStartsInTheGivenFolder) {
    FakeShell shell;
    shell.chosenPath = m_temp.File("GammaRamp.csv");
    Export(shell);

    EXPECT_EQ(shell.lookups, 1);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(std::string(shell.requests[0].m_strInitialDir), "C:\\Program Files\\Lumatab");
    EXPECT_EQ(std::string(m_folder), "C:\\Program Files\\Lumatab");
}

TEST_F(ExportRampCommandTest, WritesTheCsvAndReportsSuccess) {
    FakeShell shell;
    shell.chosenPath = m_temp.File("GammaRamp.csv");
    Export(shell);

    EXPECT_EQ(ReadFileBytes(shell.chosenPath), ExpectedCsv());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, kSuccess);
    EXPECT_EQ(shell.messages[0].caption, "Lumatab");
    EXPECT_EQ(shell.messages[0].type, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
}

TEST_F(ExportRampCommandTest, ExportingTwiceToTheSameNameLeavesOneCopy) {
    FakeShell shell;
    shell.chosenPath = m_temp.File("twice.csv");
    WriteFileBytes(shell.chosenPath, std::string(20000, 'x'));
    Export(shell);
    Export(shell);

    EXPECT_EQ(ReadFileBytes(shell.chosenPath), ExpectedCsv());
    EXPECT_EQ(shell.messages.size(), 2u);
}

TEST_F(ExportRampCommandTest, FileHeldOpenElsewhereGivesTheOpenErrorAndStaysUntouched) {
    FakeShell shell;
    shell.chosenPath = m_temp.File("held.csv");
    WriteFileBytes(shell.chosenPath, "held elsewhere");
    const HANDLE held = CreateFileA(shell.chosenPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Export(shell);
    CloseHandle(held);

    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, kOpenError);
    EXPECT_EQ(shell.messages[0].caption, "Lumatab");
    EXPECT_EQ(shell.messages[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(ReadFileBytes(shell.chosenPath), "held elsewhere");
}

TEST_F(ExportRampCommandTest, WriteFailureThrowsNamingTheFileAndShowsNoSuccess) {
    if (!RunningUnderWine()) {
        GTEST_SKIP() << "needs Wine's view of /dev/full";
    }
    FakeShell shell;
    shell.chosenPath = "Z:\\dev\\full";
    try {
        Export(shell);
        FAIL() << "the export to a full device reported no failure";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_NE(std::string(e.GetErrorMessage()).find("Z:\\dev\\full"), std::string::npos);
    }
    EXPECT_TRUE(shell.messages.empty());
}

// The real shell under Wine.
class Win32ExportShellTest : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(Win32ExportShellTest, DocumentsFolderExists) {
    CString folder = "unchanged";
    ASSERT_TRUE(Win32ExportShell().GetDocumentsFolder(folder));
    const DWORD attributes = GetFileAttributesA(folder);
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << folder;
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(Win32ExportShellTest, MessageBoxHasNoOwner) {
    std::string text;
    HWND owner = reinterpret_cast<HWND>(1);
    ModalDriver driver({AnswerMessageBox("Lumatab", IDOK, &text, &owner)});
    EXPECT_EQ(Win32ExportShell().ShowMessage(kSuccess, "Lumatab", MB_ICONINFORMATION | MB_OK),
              IDOK);
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(text, kSuccess);
    EXPECT_EQ(owner, nullptr);
}

TEST_F(Win32ExportShellTest, SaveDialogStartsInTheRequestedFolder) {
    TempFolder temp;
    OwnerWindow parent;
    const CSaveDialogRequest request = {
        "csv",        "GammaRamp.csv",     0x88806,       "Comma Separated Values (*.csv)|*.csv|",
        parent.wnd(), temp.path().c_str(), "Save a ramp", TRUE};
    CString path = "unchanged";
    {
        ModalDriver driver({PressCancel("Save a ramp")});
        EXPECT_FALSE(Win32ExportShell().RunSaveDialog(request, path));
        EXPECT_TRUE(driver.Finished());
        EXPECT_EQ(std::string(path), "unchanged");
    }
    ModalDriver driver({EnterFileName("Save a ramp", L"by-shell")});
    ASSERT_TRUE(Win32ExportShell().RunSaveDialog(request, path));
    EXPECT_TRUE(driver.Finished());
    EXPECT_STRCASEEQ(path, temp.File("by-shell.csv").c_str());
}

}  // namespace
