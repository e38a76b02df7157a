// Reads back the resources of this test's own module, which links the program's resource script.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <initializer_list>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// Copy of one resource of this module, which owns the original for its lifetime; empty if absent.
std::string Load(LPCSTR type, int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(bytes, bytes + SizeofResource(nullptr, found));
}

// Little-endian reader over resource bytes; reading past the end throws, failing the test.
struct CReader {
    std::string m_bytes;
    size_t m_nAt = 0;

    std::vector<uint32_t> Fields(std::initializer_list<size_t> sizes) {
        std::vector<uint32_t> values;
        for (size_t size : sizes) {
            values.push_back(0);
            for (size_t i = 0; i < size; ++i) {
                const auto byte = static_cast<uint8_t>(m_bytes.at(m_nAt++));
                values.back() |= static_cast<uint32_t>(byte) << (8 * i);
            }
        }
        return values;
    }
    uint32_t Take(size_t size) { return Fields({size})[0]; }
};

// The main dialog's template, byte for byte: caption, font, styles, and the nine controls with
// their classes, texts, IDs, positions and sizes in tab order (windres upper-cases the list's
// class name, "SYSLISTVIEW32", which the system matches without regard to case).
TEST(Resources, TheMainDialogTemplateIsExactlyTheExpectedOne) {
    std::ifstream golden(LUMATAB_UI_GOLDEN_DIR "/main_dialog.template", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(golden), {}};
    ASSERT_FALSE(expected.empty()) << "missing golden template";
    EXPECT_EQ(Load(RT_DIALOG, IDD_LUMATAB_DIALOG), expected);
}

TEST(Resources, IconGroupHoldsEightImagesAndThe256OneIsPng) {
    CReader in{Load(RT_GROUP_ICON, IDI_APP_ICON)};
    EXPECT_EQ(in.Fields({2, 2, 2}), (std::vector<uint32_t>{0, 1, 8}));  // reserved, icon, count
    const uint32_t kImages[][2] = {{48, 8},  {32, 8},  {16, 8},  {256, 32},
                                   {64, 32}, {48, 32}, {32, 32}, {16, 32}};
    for (const auto& [size, bitCount] : kImages) {
        SCOPED_TRACE(size);
        // width, height (0 stands for 256), colours, reserved, planes, bit count
        EXPECT_EQ(in.Fields({1, 1, 1, 1, 2, 2}),
                  (std::vector<uint32_t>{size % 256, size % 256, 0, 0, 1, bitCount}));
        const uint32_t bytes = in.Take(4);
        const std::string image = Load(RT_ICON, static_cast<int>(in.Take(2)));
        EXPECT_EQ(image.size(), bytes);
        EXPECT_EQ(image.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0, size == 256);
    }
}

TEST(Resources, VersionBlockStringsAndTranslation) {
    // VerQueryValueA puts ANSI copies of the strings after the block, so it gets twice its size.
    std::string block = Load(RT_VERSION, VS_VERSION_INFO);
    block.resize(block.size() * 2);
    void* value = nullptr;
    UINT length = 0;
    const char* const kStrings[][2] = {
        {"FileDescription",
         "Read LUT of selected monitor, display LUT values, calculate and display effective "
         "gamma."},
        {"FileVersion", "1, 1, 0, 0"},
        {"CompanyName", "The Lumatab developers"},
        {"InternalName", "Lumatab"},
        {"OriginalFilename", "Lumatab.exe"},
        {"ProductName", "Lumatab"},
        {"ProductVersion", "1, 1, 0, 0"}};
    for (const auto& [name, text] : kStrings) {
        const std::string path = std::string("\\StringFileInfo\\000004b0\\") + name;
        ASSERT_TRUE(VerQueryValueA(block.data(), path.c_str(), &value, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(value), text);
    }
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    // Language neutral, code page 1200 (Unicode).
    EXPECT_EQ(std::string(static_cast<const char*>(value), length), std::string("\0\0\xB0\x04", 4));
}

TEST(Resources, ManifestAsksForCommonControls6OfThisBuildAndNoElevation) {
    ASSERT_NE(FindResourceExA(nullptr, RT_MANIFEST, MAKEINTRESOURCEA(1), 1033), nullptr);
    const std::string xml = Load(RT_MANIFEST, 1);
    const std::string dependency =
        std::string("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" ") +
        (sizeof(void*) == 8 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\"");
    EXPECT_NE(xml.find(dependency), std::string::npos) << xml;
    EXPECT_NE(xml.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos) << xml;
}

}  // namespace
