// What the built program promises about itself, read back from the resources of this test's own
// module, which links the program's resource script.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/support/temp_folder.h"

namespace {

// The main dialog's template byte for byte: caption, font, styles, and the nine controls with
// their classes, texts, IDs, positions and sizes in tab order. The resource is this module's.
TEST(Resources, TheMainDialogIsTheOneTheProgramPromises) {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_LUMATAB_DIALOG), RT_DIALOG);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(std::string(bytes, bytes + SizeofResource(nullptr, found)),
              ReadFileBytes(LUMATAB_UI_GOLDEN_DIR "/main_dialog.template"));
}

}  // namespace
