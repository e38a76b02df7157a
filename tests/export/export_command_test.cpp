#include "ui/export_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/csv_export.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "tests/export/temp_folder.h"

namespace {

const std::string kSuccess =
    "The list has been succesfully exported.|Lumatab|" + std::to_string(MB_ICONINFORMATION | MB_OK);
const std::string kOpenError = "The list could not be exported, file open error.|Lumatab|" +
                               std::to_string(MB_ICONERROR | MB_OK);

// Stands in for the shell: a scripted documents folder and dialog answer, and a record of what
// was asked and shown. Out-parameters are written even on failure, which must not matter.
class FakeShell : public CExportShell {
public:
    BOOL GetDocumentsFolder(CString& folder) override {
        folder = documents.c_str();
        return !documents.empty();
    }
    BOOL RunSaveDialog(const CSaveDialogRequest& request, CString& pathName) override {
        requests.push_back(request);
        pathName = path.c_str();
        return !cancel;
    }
    int ShowMessage(const char* text, const char* caption, UINT type) override {
        messages.push_back(std::string(text) + "|" + caption + "|" + std::to_string(type));
        return IDOK;
    }

    std::string documents;  // empty: the lookup fails
    std::string path;
    bool cancel = false;
    std::vector<CSaveDialogRequest> requests;
    std::vector<std::string> messages;  // text|caption|type
};

class ExportRampCommandTest : public testing::Test {
protected:
    ExportRampCommandTest() {
        for (int i = 0; i < lumatab::kRampSize; ++i) {  // every row differs
            m_ramp.levels[0][i] = m_ramp.levels[2][i] = static_cast<std::uint16_t>(i * 257);
            m_table.values[1][i] = 0.01 * i;
        }
    }
    void Export() { ExportRampCommand(&m_parent, m_folder, m_ramp, m_table, m_shell); }

    CWnd m_parent;
    CString m_folder = "C:\\Program Files\\Lumatab";
    lumatab::GammaRamp m_ramp{};
    lumatab::GammaTable m_table{};
    FakeShell m_shell;
    TempFolder m_temp;
};

TEST_F(ExportRampCommandTest, CancelWritesNothingAndOkWritesOneCopyOfTheCsv) {
    m_shell.documents = "C:\\users\\someone\\Documents";
    m_shell.path = m_temp.File("GammaRamp.csv");
    m_shell.cancel = true;
    Export();
    ASSERT_EQ(m_shell.requests.size(), 1u);
    const CSaveDialogRequest& request = m_shell.requests[0];
    EXPECT_EQ(std::string(request.m_strDefExt), "csv");
    EXPECT_EQ(std::string(request.m_strFileName), "GammaRamp.csv");
    EXPECT_EQ(request.m_dwFlags, 0x88806u);
    EXPECT_EQ(std::string(request.m_strFilter), "Comma Separated Values (*.csv)|*.csv|");
    EXPECT_EQ(request.m_pParentWnd, &m_parent);
    EXPECT_EQ(std::string(request.m_strInitialDir), "C:\\users\\someone\\Documents");
    EXPECT_EQ(std::string(request.m_strTitle), "Exporting current Gammaramp");
    EXPECT_TRUE(request.m_bVistaStyle);
    EXPECT_TRUE(m_shell.messages.empty());
    EXPECT_EQ(ReadFileBytes(m_shell.path), "<missing>");

    // Now the lookup fails: the folder found before stays, and the dialog starts there again.
    m_shell.documents.clear();
    m_shell.cancel = false;
    WriteFileBytes(m_shell.path, std::string(20000, 'x'));
    Export();
    Export();
    struct : lumatab::ByteSink {
        void Write(const void* data, std::size_t size) override {
            bytes.append(static_cast<const char*>(data), size);
        }
        std::string bytes;
    } expected;
    lumatab::WriteRampCsv(expected, m_ramp, m_table);
    EXPECT_EQ(ReadFileBytes(m_shell.path), expected.bytes);
    EXPECT_EQ(m_shell.messages, std::vector<std::string>({kSuccess, kSuccess}));
    EXPECT_EQ(std::string(m_folder), "C:\\users\\someone\\Documents");
    EXPECT_EQ(std::string(m_shell.requests.back().m_strInitialDir), std::string(m_folder));
}

TEST_F(ExportRampCommandTest, FileHeldOpenElsewhereGivesTheOpenErrorAndStaysUntouched) {
    m_shell.path = m_temp.File("held.csv");
    WriteFileBytes(m_shell.path, "held elsewhere");
    CFile held;
    ASSERT_TRUE(held.Open(m_shell.path.c_str(), CFile::modeRead | CFile::shareDenyNone));
    Export();
    held.Close();

    EXPECT_EQ(m_shell.messages, std::vector<std::string>({kOpenError}));
    EXPECT_EQ(ReadFileBytes(m_shell.path), "held elsewhere");
}

TEST_F(ExportRampCommandTest, WriteFailureThrowsNamingTheFileAndShowsNoSuccess) {
    if (!RunningUnderWine()) {
        GTEST_SKIP() << "needs Wine's view of /dev/full";
    }
    m_shell.path = "Z:\\dev\\full";
    try {
        Export();
        ADD_FAILURE() << "the export to a full device reported no failure";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(std::string(e.m_strFileName), "Z:\\dev\\full");
        EXPECT_NE(std::string(e.GetErrorMessage()).find("Z:\\dev\\full"), std::string::npos);
    }
    EXPECT_TRUE(m_shell.messages.empty());
}

// The file the command writes: created or truncated, and held exclusively while open.
TEST(CFileTest, CreateTruncatesALongerFileAndHoldsItExclusively) {
    TempFolder folder;
    const std::string path = folder.File("data.csv");
    WriteFileBytes(path, "0123456789 old and longer content");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(std::string(error.m_strFileName), path);
    file.Write("new\nbytes", 9);
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "new\nbytes");  // no CR added either
}

}  // namespace
