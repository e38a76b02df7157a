// What the built program promises about itself, read back from the resources of this test's own
// module, which links the program's resource script.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/support/temp_folder.h"

namespace {

// Copy of one resource of this module, which owns the original for its lifetime; empty if absent.
std::string Load(LPCSTR type, int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(bytes, bytes + SizeofResource(nullptr, found));
}

// The main dialog's template byte for byte (caption, font, styles, and the nine controls with
// their classes, texts, IDs, positions and sizes in tab order), and the manifest's common controls
// and no elevation.
TEST(Resources, AreTheOnesTheProgramPromises) {
    EXPECT_EQ(Load(RT_DIALOG, IDD_LUMATAB_DIALOG),
              ReadFileBytes(LUMATAB_UI_GOLDEN_DIR "/main_dialog.template"));

    const std::string xml = Load(RT_MANIFEST, 1);
    EXPECT_NE(xml.find(std::string("name=\"Microsoft.Windows.Common-Controls\" "
                                   "version=\"6.0.0.0\" processorArchitecture=\"") +
                       (sizeof(void*) == 8 ? "amd64\"" : "x86\"")),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos) << xml;
}

}  // namespace
