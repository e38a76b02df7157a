#include "framework/file.h"

#include <gtest/gtest.h>

#include "tests/export/temp_folder.h"

namespace {

// Whether another opener, sharing everything itself, gets `access` to the file.
bool OthersCanOpen(const std::string& path, DWORD access) {
    const HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

void WriteText(CFile& file, const std::string& text) {
    file.Write(text.data(), static_cast<UINT>(text.size()));
}

TEST(CFileTest, CreateTruncatesAnExistingLongerFile) {
    TempFolder folder;
    const std::string path = folder.File("data.csv");
    WriteFileBytes(path, "0123456789 old and longer content");

    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_EQ(std::string(file.GetFilePath()), path);
    WriteText(file, "new\nbytes");
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "new\nbytes");  // no CR added either
}

TEST(CFileTest, CreateMakesAMissingFileAndNoTruncateKeepsTheRest) {
    TempFolder folder;
    const std::string path = folder.File("made.txt");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    WriteText(file, "0123456789");
    file.Close();

    ASSERT_TRUE(
        file.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    WriteText(file, "ab");
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "ab23456789");
}

TEST(CFileTest, ShareFlagsDecideWhatOthersMayOpen) {
    TempFolder folder;
    const std::string path = folder.File("shared.txt");
    WriteFileBytes(path, "x");
    struct Case {
        UINT flags;
        bool othersRead;
        bool othersWrite;
    };
    const Case cases[] = {
        {CFile::modeCreate | CFile::modeReadWrite, false, false},
        {CFile::modeRead | CFile::shareExclusive, false, false},
        {CFile::modeRead | CFile::shareDenyWrite, true, false},
        {CFile::modeRead | CFile::shareDenyRead, false, true},
        {CFile::modeRead | CFile::shareDenyNone, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), c.flags));
        EXPECT_EQ(OthersCanOpen(path, GENERIC_READ), c.othersRead);
        EXPECT_EQ(OthersCanOpen(path, GENERIC_WRITE), c.othersWrite);
    }
}

TEST(CFileTest, SecondOpenOfAnExclusiveFileFailsWithASharingViolation) {
    TempFolder folder;
    const std::string path = folder.File("held.csv");
    CFile holder;
    ASSERT_TRUE(holder.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));

    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(error.m_lOsError, ERROR_SHARING_VIOLATION);
    EXPECT_EQ(std::string(error.m_strFileName), path);
    EXPECT_EQ(static_cast<HANDLE>(second), INVALID_HANDLE_VALUE);
    // Without an error record the failure is only the result.
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
}

TEST(CFileTest, OpenOfAMissingFileReportsTheOsError) {
    TempFolder folder;
    const std::string path = folder.File("absent\\deeper.txt");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::genericException);
    EXPECT_EQ(error.m_lOsError, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(std::string(error.m_strFileName), path);

    // Access bits 3 name no access mode.
    EXPECT_FALSE(file.Open(path.c_str(), 3, &error));
    EXPECT_EQ(error.m_lOsError, ERROR_INVALID_PARAMETER);
}

TEST(CFileTest, FailedWriteThrowsNamingTheFile) {
    TempFolder folder;
    const std::string path = folder.File("readonly.txt");
    WriteFileBytes(path, "keep");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    try {
        WriteText(file, "lost");
        FAIL() << "a write through a read-only handle succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
        EXPECT_EQ(e.m_lOsError, ERROR_ACCESS_DENIED);
        EXPECT_EQ(std::string(e.m_strFileName), path);
        EXPECT_NE(std::string(e.GetErrorMessage()).find(path), std::string::npos);
    }
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "keep");
    EXPECT_THROW(WriteText(file, "closed"), CFileException);
}

TEST(CFileTest, WriteToAFullDeviceThrowsDiskFull) {
    if (!RunningUnderWine()) {
        GTEST_SKIP() << "needs Wine's view of /dev/full";
    }
    CFile file;
    ASSERT_TRUE(file.Open("Z:\\dev\\full", CFile::modeCreate | CFile::modeReadWrite));
    try {
        WriteText(file, "no room");
        FAIL() << "a write to a full device succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(std::string(e.m_strFileName), "Z:\\dev\\full");
    }
}

TEST(CFileTest, FailedCloseThrowsNamingTheFileAndReleasesTheObject) {
    TempFolder folder;
    const std::string path = folder.File("closed-twice.txt");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    // Closing the handle behind the object's back makes its own close fail.
    ASSERT_TRUE(CloseHandle(static_cast<HANDLE>(file)));
    try {
        file.Close();
        FAIL() << "closing an invalid handle succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_lOsError, ERROR_INVALID_HANDLE);
        EXPECT_EQ(std::string(e.m_strFileName), path);
    }
    EXPECT_EQ(static_cast<HANDLE>(file), INVALID_HANDLE_VALUE);
    EXPECT_NO_THROW(file.Close());
}

TEST(CFileTest, DestructorClosesAStillOpenFile) {
    TempFolder folder;
    const std::string path = folder.File("scoped.txt");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
        WriteText(file, "done");
        ASSERT_FALSE(OthersCanOpen(path, GENERIC_READ));
    }
    EXPECT_TRUE(OthersCanOpen(path, GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(ReadFileBytes(path), "done");
}

}  // namespace
