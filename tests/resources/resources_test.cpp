// Reads back the resources of this test's own module, which links the program's resource script.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
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
    // A NUL-terminated UTF-16 string of ASCII, or 0xFFFF and an ordinal, returned as "#N".
    std::string Text() {
        std::string text;
        for (uint32_t c = Take(2); c != 0; c = Take(2)) {
            if (c == 0xFFFF) {
                return "#" + std::to_string(Take(2));
            }
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return text;
    }
};

TEST(Resources, DialogTemplateHoldsTheNineControlsInTabOrder) {
    CReader in{Load(RT_DIALOG, IDD_LUMATAB_DIALOG)};
    // dlgVer, DLGTEMPLATEEX signature, helpID, exStyle, style, item count, x, y, cx, cy
    EXPECT_EQ(in.Fields({2, 2, 4, 4, 4, 2, 2, 2, 2, 2}),
              (std::vector<uint32_t>{1, 0xFFFF, 0, 0x00040000, 0x90C800C0, 9, 0, 0, 494, 361}));
    EXPECT_EQ(in.Text(), "");  // no menu
    EXPECT_EQ(in.Text(), "");  // the default dialog class
    EXPECT_EQ(in.Text(), "Lumatab");
    // point size, weight, italic, charset, face
    EXPECT_EQ(in.Fields({2, 2, 1, 1}), (std::vector<uint32_t>{8, FW_DONTCARE, 0, DEFAULT_CHARSET}));
    EXPECT_EQ(in.Text(), "MS Sans Serif");

    const struct {
        const char* cls;  // "#N": a predefined class by atom
        const char* text;
        std::vector<uint32_t> fields;  // helpID, exStyle, style, x, y, cx, cy, id
    } kItems[] = {
        {"#128", "Exit", {0, 0, 0x50010000, 424, 122, 55, 18, 2}},
        {"#133", "", {0, 0, 0x50210102, 7, 19, 402, 109, 1005}},
        {"SysListView32", "List2", {0, 0x1004, 0x50808005, 7, 39, 402, 315, 1001}},
        {"#130", "Select Monitor", {0, 0, 0x50020000, 8, 8, 264, 8, 0xFFFFFFFF}},
        {"#128", "Gamma [128]", {0, 0, 0x50000007, 424, 16, 55, 63, 0xFFFFFFFF}},
        {"#130", "gamma red", {0, 0, 0x50001201, 430, 28, 44, 15, 1006}},
        {"#130", "gamma green", {0, 0, 0x50001201, 430, 43, 44, 15, 1007}},
        {"#130", "gamma blue", {0, 0, 0x50001201, 430, 58, 44, 15, 1008}},
        {"#128", "Export", {0, 0, 0x50010000, 424, 92, 55, 18, 3}},
    };
    for (const auto& want : kItems) {
        SCOPED_TRACE(want.text);
        in.m_nAt = (in.m_nAt + 3) & ~size_t{3};  // items start on a DWORD boundary
        EXPECT_EQ(in.Fields({4, 4, 4, 2, 2, 2, 2, 4}), want.fields);
        // windres upper-cases class names; the system compares them case-insensitively.
        EXPECT_EQ(lstrcmpiA(in.Text().c_str(), want.cls), 0);
        EXPECT_EQ(in.Text(), want.text);
        EXPECT_EQ(in.Take(2), 0u);  // no creation data
    }
    EXPECT_LE(in.m_bytes.size() - in.m_nAt, 3u) << "bytes after the last control";
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
        {"InternalName", "Lumatab"},
        {"OriginalFilename", "Lumatab.exe"},
        {"ProductName", "Lumatab"},
        {"ProductVersion", "1, 1, 0, 0"}};
    for (const auto& [name, text] : kStrings) {
        const std::string path = std::string("\\StringFileInfo\\000004b0\\") + name;
        ASSERT_TRUE(VerQueryValueA(block.data(), path.c_str(), &value, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(value), text);
    }
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
