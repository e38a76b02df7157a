// Files on disk through the layer: paths at the "A" calls' limit, files others hold, and names
// in the ANSI code page.
#include "framework/file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

// `length` characters in all: a folder of that length under `temp`, made by the wide call,
// which Wine takes beyond the "A" calls' folder limit.
std::string LongFolder(const TempFolder& temp, std::size_t length) {
    std::string folder = temp.path() + "\\";
    folder.append(length - folder.size(), 'f');
    std::filesystem::create_directory(folder);
    return folder;
}

// Every length below MAX_PATH is a legal target, so the temporary file beside it must fit too;
// only a name too short to take "~1" at the limit cannot.
TEST(CFile, WritesTargetsOfEveryLengthUpToTheLimitAndLeavesNothingElse) {
    TempFolder temp;
    const std::string folder = LongFolder(temp, 250);
    for (std::size_t length = 254; length < MAX_PATH; ++length) {
        const std::string target = folder + "\\" + std::string(length - folder.size() - 1, 'n');
        CFile file;
        ASSERT_TRUE(file.Open(target.c_str())) << length << ": " << GetLastError();
        file.Write("ramp", 4);
        file.Close();
        EXPECT_EQ(ReadFileBytes(target), "ramp") << length;
    }
    using std::filesystem::directory_iterator;  // no temporary file beside the targets
    EXPECT_EQ(std::distance(directory_iterator(folder), directory_iterator()), MAX_PATH - 254);
    CFile file;
    EXPECT_FALSE(file.Open((LongFolder(temp, 257) + "\\n").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST(ReadWholeFile, ReadsAFileAnotherProgramHasOpenForWriting) {
    TempFolder temp;
    const std::string name = temp.File("edited.cal");
    WriteFileBytes(name, "CAL\n");
    // An editor's handle: it writes, and lets others read.
    const HANDLE hEditor = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(name.c_str(), bytes, 100)) << GetLastError();
    CloseHandle(hEditor);
    EXPECT_EQ(bytes, "CAL\n");
}

// UTF-8 as the ANSI code page spells every character but a lone surrogate.
TEST(AfxWideToAnsi, GivesTheExactFormOrRefuses) {
    const struct {
        unsigned int codePage;
        const wchar_t* text;
        std::string ansi;
    } kCases[] = {
        {1252, L"caf\u00E9.csv", "caf\xE9.csv"},
        {CP_UTF8, L"sub\u2215.csv", "sub\xE2\x88\x95.csv"},
        {CP_UTF8, L"ramp\xD800.csv", "(refused)"},
    };
    for (const auto& c : kCases) {
        std::string ansi;
        EXPECT_EQ(AfxWideToAnsi(c.text, c.codePage, ansi) ? ansi : "(refused)", c.ansi);
    }
}

}  // namespace
