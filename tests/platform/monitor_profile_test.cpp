// Finding a monitor's profile against stand-ins for the colour-management calls, with the
// profiles themselves as real files; the real calls are tested by the command line's test.
#include "platform/monitor_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/exceptions.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

// A profile of no tags: valid, described by its file name, no calibration.
const std::string kEmptyProfile =
    std::string("\0\0\0\x84", 4) + std::string(32, '\0') + "acsp" + std::string(92, '\0');

TEST(ReadMonitorProfile, FindsTheDefaultProfileElseTheDeviceContextsAndSaysWhatFails) {
    const TempFolder folder;
    WriteFileBytes(folder.File("mine.icm"), kEmptyProfile);
    WriteFileBytes(folder.File("junk.icm"), "not a profile");
    const auto user = WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER;
    const auto system = WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE;
    const std::string mine = folder.File("mine.icm"), junk = folder.File("junk.icm"),
                      gone = folder.File("gone.icm");
    const struct {
        const char* what;
        bool wcsImplemented;
        BOOL perUser;
        WCS_PROFILE_MANAGEMENT_SCOPE scope;  // the one the default profile is in
        std::wstring defaultProfile;
        std::string contextProfile;
        std::string read;  // the path found, "none", or how the failure starts
    } cases[] = {
        {"the user's default, a bare name", true, TRUE, user, L"mine.icm", junk, mine},
        {"the system's scope: no default there", true, FALSE, user, L"junk.icm", mine, mine},
        {"no Wcs calls (Windows XP, Wine)", false, FALSE, system, L"mine.icm", mine, mine},
        {"none at all", false, FALSE, system, L"", "", "none"},
        {"a missing file", true, FALSE, system, L"gone.icm", "",
         "the profile \"" + gone + "\" does not exist"},
        {"no profile in the file", false, FALSE, system, L"", junk,
         "\"" + junk + "\" is not a valid ICC profile: the file has 13 bytes"},
    };
    for (const auto& c : cases) {
        CFakeMonitors display = TwoMonitors();
        CFakeColorProfiles colors;
        colors.wcsImplemented = c.wcsImplemented;
        colors.perUser = c.perUser;
        colors.scope = c.scope;
        colors.defaultProfile = c.defaultProfile;
        colors.contextProfile = c.contextProfile;
        colors.colorDirectory = folder.path();
        const MonitorEntry monitor{"Same Model", "\\\\.\\DISPLAY1", "KEY"};
        std::string read;
        try {
            const MonitorProfile profile = ReadMonitorProfile(monitor, colors, display);
            read = profile.found ? std::string(profile.path) : "none";
            EXPECT_TRUE(!profile.found || profile.profile.description == "mine.icm") << c.what;
        } catch (const CFailure& failure) {
            read = failure.Sentence();
        }
        EXPECT_EQ(read.substr(0, c.read.size()), c.read) << c.what;
        // A device context, when one is made, is deleted.
        EXPECT_TRUE(display.log.empty() ||
                    display.log == "\\\\.\\DISPLAY1 \\\\.\\DISPLAY1; Delete \\\\.\\DISPLAY1; ")
            << c.what << ": " << display.log;
    }
}

}  // namespace
