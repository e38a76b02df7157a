// The save flow above CFile: what the dialog is asked, and which box follows. What CFile refuses,
// and what a full disk leaves, is tested on CFile itself; the bytes, by the end-to-end test.
#include "ui/export_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "tests/support/fake_shell.h"
#include "tests/support/temp_folder.h"

namespace {

using Texts = std::vector<std::string>;

TEST(ExportRampCommand, AsksInTheDocumentsFolderAndKeepsItWhenTheLookupFails) {
    CWnd parent;
    CString folder = "C:\\Program Files\\Lumatab";
    CFakeShell shell;
    shell.documents = "C:\\users\\someone\\Documents";
    const lumatab::GammaRamp ramp{};
    const lumatab::GammaTable table{};
    ExportRampCommand(&parent, folder, ramp, table, shell);  // cancelled
    shell.documents.clear();
    ExportRampCommand(&parent, folder, ramp, table, shell);
    ASSERT_EQ(shell.requests.size(), 2u);
    for (const CFileDialogRequest& r : shell.requests) {
        std::string texts;
        for (const CString* text : {&r.m_strDefExt, &r.m_strFileName, &r.m_strFilter,
                                    &r.m_strInitialDir, &r.m_strTitle}) {
            texts += std::string(*text) + "|";
        }
        EXPECT_EQ(texts,
                  "csv|GammaRamp.csv|Comma Separated Values (*.csv)|*.csv||"
                  "C:\\users\\someone\\Documents|Exporting current Gammaramp|");
        EXPECT_TRUE(r.m_pParentWnd == &parent && !r.m_bOpenFileDialog);
    }
    EXPECT_TRUE(shell.messages.empty());
}

// A chosen file is replaced by what the command writes, then the success box; a file that cannot
// be opened gets the open-error box and nothing is written; a cancel writes nothing either.
TEST(SaveThroughDialog, WritesTheChosenFileThenSaysSoOrSaysItCannotBeOpened) {
    TempFolder temp;
    CWnd parent;
    CString folder;
    const std::string file = temp.File("ramp.txt");
    WriteFileBytes(file, std::string(20000, 'x'));
    const struct {
        std::string chosen;
        std::string bytes;
        Texts messages;
    } kCases[] = {
        {"", std::string(20000, 'x'), {}},
        {temp.path(), std::string(20000, 'x'), {"open error|16|(none)"}},
        {file, "written", {"success|64|(none)"}},
    };
    for (const auto& c : kCases) {
        CFakeShell shell;
        shell.chosenPath = c.chosen;
        const CSaveTexts texts = {
            "txt", "ramp.txt", "Text (*.txt)|*.txt|", "Save", "open error", "success", false};
        int writes = 0;
        SaveThroughDialog(&parent, folder, texts, shell, [&](lumatab::ByteSink& sink) {
            sink.Write("written", 7);
            ++writes;
        });
        EXPECT_EQ(ReadFileBytes(file), c.bytes) << c.chosen;
        EXPECT_EQ(shell.messages, c.messages) << c.chosen;
        EXPECT_EQ(writes, c.bytes == "written" ? 1 : 0) << c.chosen;
    }
    // A device's name, which the save dialog hands on, is refused as one.
    CFakeShell shell;
    shell.chosenPath = temp.File("com1.csv");
    const CSaveTexts texts = {"csv", "", "", "", "open error", "success", false};
    try {
        SaveThroughDialog(&parent, folder, texts, shell, [](lumatab::ByteSink&) {});
        ADD_FAILURE() << "a device's name was taken";
    } catch (const CFailure& failure) {
        EXPECT_EQ(failure.Sentence(),
                  "\"" + shell.chosenPath + "\" is the name of a device, not of a file");
    }
}

}  // namespace
