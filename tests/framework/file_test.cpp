// Files on disk through the layer: targets that cannot be replaced, a full disk, paths at the "A"
// calls' limit and files others hold. The commands that write files rely on these cases and test
// only their own flow.
#include "framework/file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "framework/exceptions.h"
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

std::ptrdiff_t FileCount(const std::string& folder) {
    using std::filesystem::directory_iterator;
    return std::distance(directory_iterator(folder), directory_iterator());
}

// A target held open elsewhere, a read-only file and a folder are refused before anything is
// written: the old file stays as it was, and nothing else is left beside it.
TEST(CFile, RefusesATargetItCannotReplaceAndLeavesItAsItWas) {
    for (const DWORD refusal :
         {DWORD{0}, DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_DIRECTORY}}) {
        TempFolder temp;
        const std::string old = temp.File("ramp.csv");
        WriteFileBytes(old, "old");
        SetFileAttributesA(old.c_str(), refusal & FILE_ATTRIBUTE_READONLY);
        const HANDLE hHeld = refusal == 0 ? CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                        nullptr, OPEN_EXISTING, 0, nullptr)
                                          : INVALID_HANDLE_VALUE;
        CFile file;
        EXPECT_FALSE(
            file.Open(refusal == FILE_ATTRIBUTE_DIRECTORY ? temp.path().c_str() : old.c_str()))
            << refusal;
        CloseHandle(hHeld);
        SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(old), "old") << refusal;
        EXPECT_EQ(FileCount(temp.path()), 1) << refusal;
    }
}

// Another's file where the temporary file would go is left alone; the next name is taken.
TEST(CFile, LeavesAnothersFileOfTheTemporaryName) {
    TempFolder temp;
    WriteFileBytes(temp.File("ramp.c~1"), "another's");
    CFile file;
    ASSERT_TRUE(file.Open(temp.File("ramp.csv").c_str()));
    file.Write("new", 3);
    file.Close();
    EXPECT_EQ(ReadFileBytes(temp.File("ramp.csv")), "new");
    EXPECT_EQ(ReadFileBytes(temp.File("ramp.c~1")), "another's");
    EXPECT_EQ(FileCount(temp.path()), 2);
}

// A disk that fills up while the file is written: the failure names the file, the old file stays
// whole and no part of the new one is left. LUMATAB_SMALL_DISK is a folder on a tiny file system
// that the test command mounts, empty.
TEST(CFile, AFullDiskLeavesTheOldFileWholeAndNamesTheFile) {
    const char* disk = std::getenv("LUMATAB_SMALL_DISK");
    if (disk == nullptr) {
        GTEST_SKIP() << "no small disk to fill (LUMATAB_SMALL_DISK): the test command mounts one";
    }
    const std::string target = std::string(disk) + "\\GammaRamp.csv";
    const std::string filler = std::string(disk) + "\\filler";
    WriteFileBytes(target, "the old export");
    const HANDLE hFiller =
        CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string block(1024, 'f');
    for (DWORD written = 0; WriteFile(hFiller, block.data(), 1024, &written, nullptr) && written;) {
    }
    CloseHandle(hFiller);
    try {
        CFile file;
        ASSERT_TRUE(file.Open(target.c_str())) << GetLastError();
        const std::string bytes(20000, 'x');
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        ADD_FAILURE() << "writing to a full disk reported no failure";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_lOsError, ERROR_DISK_FULL);
        EXPECT_EQ(std::string(e.m_strFileName), target);
    }
    DeleteFileA(filler.c_str());
    EXPECT_EQ(ReadFileBytes(target), "the old export");
    EXPECT_EQ(FileCount(disk), 1);
    DeleteFileA(target.c_str());
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
    EXPECT_EQ(FileCount(folder), MAX_PATH - 254);  // no temporary file beside the targets
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

}  // namespace
