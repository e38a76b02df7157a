// The program started without its resources: its dialog cannot be created from a template.
// Its boxes are captioned with the program's name.
#include <gtest/gtest.h>

#include "framework/app.h"
#include "tests/support/ui_driver.h"

TEST(AfxWinMain, AWindowThatCannotBeCreatedIsReportedAndFailsTheStart) {
    CMessageBoxWatcher watcher;
    EXPECT_EQ(AfxWinMain(), 1);
    EXPECT_EQ(watcher.m_texts, std::vector<std::string>{
                                   "The program's window could not be created.|lumatab_app_tests"});
}
