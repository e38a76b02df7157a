// Reads back the resources of this test's own module, which links the program's resource script.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
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

// The main dialog's template, byte for byte: caption, font, styles, and the nine controls with
// their classes, texts, IDs, positions and sizes in tab order (windres upper-cases the list's
// class name, "SYSLISTVIEW32", which the system matches without regard to case).
TEST(Resources, TheMainDialogTemplateIsExactlyTheExpectedOne) {
    std::ifstream golden(LUMATAB_UI_GOLDEN_DIR "/main_dialog.template", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(golden), {}};
    ASSERT_FALSE(expected.empty()) << "missing golden template";
    EXPECT_EQ(Load(RT_DIALOG, IDD_LUMATAB_DIALOG), expected);
}

// Eight images of the listed sizes and colour depths; the 256-pixel one is stored as PNG.
TEST(Resources, TheIconGroupHoldsEightImagesOfTheListedSizes) {
#pragma pack(push, 2)
    struct Entry {  // GRPICONDIRENTRY
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    const std::string group = Load(RT_GROUP_ICON, IDI_APP_ICON);
    const int kImages[][2] = {{48, 8},  {32, 8},  {16, 8},  {256, 32},
                              {64, 32}, {48, 32}, {32, 32}, {16, 32}};
    ASSERT_EQ(group.size(), 6 + sizeof kImages / sizeof kImages[0] * sizeof(Entry));
    for (std::size_t n = 0; n < 8; ++n) {
        Entry entry;
        std::memcpy(&entry, group.data() + 6 + n * sizeof entry, sizeof entry);
        const std::string image = Load(RT_ICON, entry.id);
        EXPECT_EQ(entry.width, kImages[n][0] % 256) << n;  // 0 stands for 256
        EXPECT_EQ(entry.bitCount, kImages[n][1]) << n;
        EXPECT_EQ(image.size(), entry.bytes) << n;
        EXPECT_EQ(image.rfind("\x89PNG", 0) == 0, kImages[n][0] == 256) << n;
    }
}

TEST(Resources, VersionBlockStringsAndTranslation) {
    // VerQueryValueA puts ANSI copies of the strings after the block, so it gets twice its size.
    std::string block = Load(RT_VERSION, VS_VERSION_INFO);
    block.resize(block.size() * 2);
    std::string strings;
    void* value = nullptr;
    UINT length = 0;
    for (const char* name : {"FileDescription", "FileVersion", "CompanyName", "InternalName",
                             "OriginalFilename", "ProductName", "ProductVersion"}) {
        const std::string path = std::string("\\StringFileInfo\\000004b0\\") + name;
        strings += VerQueryValueA(block.data(), path.c_str(), &value, &length)
                       ? static_cast<const char*>(value) + std::string("|")
                       : "<missing>|";
    }
    EXPECT_EQ(strings,
              "Read LUT of selected monitor, display LUT values, calculate and display effective "
              "gamma.|1, 1, 0, 0|The Lumatab developers|Lumatab|Lumatab.exe|Lumatab|1, 1, 0, 0|");
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
