// The program started without its resources: its dialog cannot be created from a template.
// Its boxes are captioned with the program's name.
#include <gtest/gtest.h>

#include "framework/app.h"
#include "tests/support/ui_driver.h"

TEST(AfxWinMain, AWindowThatCannotBeCreatedIsReportedAndFailsTheStart) {
    std::vector<std::string> boxes;
    AnswerMessageBox(boxes);
    EXPECT_EQ(AfxWinMain(), 1);
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "The program's window could not be created.|lumatab_app_tests|(none)"});
}
