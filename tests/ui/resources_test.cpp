// What the built program promises about itself, read back from the resources of this test's own
// module, which links the program's resource script.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "res/resource.h"

namespace {

// Copy of one resource of this module, which owns the original for its lifetime; empty if absent.
std::string Load(LPCSTR type, int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(bytes, bytes + SizeofResource(nullptr, found));
}

// The main dialog's template byte for byte (caption, font, styles, and the nine controls with
// their classes, texts, IDs, positions and sizes in tab order); the version block's texts and
// numbers; the icon group's eight images; the manifest's common controls and no elevation.
TEST(Resources, AreTheOnesTheProgramPromises) {
    std::ifstream golden(LUMATAB_UI_GOLDEN_DIR "/main_dialog.template", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(golden), {}};
    ASSERT_FALSE(expected.empty()) << "missing golden template";
    EXPECT_EQ(Load(RT_DIALOG, IDD_LUMATAB_DIALOG), expected);

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
    EXPECT_EQ(static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, 0x00010001u);
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    EXPECT_EQ(std::string(static_cast<const char*>(value), length), std::string("\0\0\xB0\x04", 4));

    // GRPICONDIR: a 6-byte header whose last word counts the 14-byte entries.
    const std::string group = Load(RT_GROUP_ICON, IDI_APP_ICON);
    ASSERT_EQ(group.size(), 6u + 8 * 14);
    EXPECT_EQ(group[4], 8);
    for (std::size_t entry = 6; entry < group.size(); entry += 14) {
        DWORD bytes = 0;
        WORD id = 0;
        std::memcpy(&bytes, group.data() + entry + 8, sizeof bytes);
        std::memcpy(&id, group.data() + entry + 12, sizeof id);
        EXPECT_EQ(Load(RT_ICON, id).size(), bytes) << "image " << id;
    }

    const std::string xml = Load(RT_MANIFEST, 1);
    EXPECT_NE(xml.find(std::string("name=\"Microsoft.Windows.Common-Controls\" "
                                   "version=\"6.0.0.0\" processorArchitecture=\"") +
                       (sizeof(void*) == 8 ? "amd64\"" : "x86\"")),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos) << xml;
}

}  // namespace
