#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
    static int counter = 0;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    m_path = std::string(base) + "lumatab-test-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
    // Wine reuses process numbers: a folder an earlier run could not remove may be there.
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
    EXPECT_TRUE(CreateDirectoryA(m_path.c_str(), nullptr)) << m_path;
}

TempFolder::~TempFolder() {
    std::error_code ignored;  // a folder left behind is removed by the next run of its name
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    EXPECT_TRUE((file << bytes).flush().good()) << path;
}
