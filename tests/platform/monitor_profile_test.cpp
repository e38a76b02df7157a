// Finding a monitor's profile against stand-ins for the colour-management calls, with the
// profiles themselves as real files; the real calls are tested by the command line's test.
#include "platform/monitor_profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/fake_display.h"
#include "tests/support/temp_folder.h"

namespace {

// Wcs calls that know one profile, in one scope, for the device key "KEY"; GetICMProfileA's
// profile; the colour directory. An empty name: the call fails.
class CFakeColorProfiles : public CColorProfileApi {
public:
    bool wcsImplemented = true;
    BOOL perUser = FALSE;
    WCS_PROFILE_MANAGEMENT_SCOPE scope = WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE;
    std::wstring defaultProfile;
    std::string contextProfile, colorDirectory;

    BOOL WcsGetUsePerUserProfiles(const wchar_t* device, DWORD deviceClass, BOOL* user) override {
        *user = perUser;
        return Wcs(std::wstring(device) == L"KEY" && deviceClass == 0x6D6E7472);
    }
    BOOL WcsGetDefaultColorProfileSize(WCS_PROFILE_MANAGEMENT_SCOPE s, const wchar_t* device,
                                       COLORPROFILETYPE type, COLORPROFILESUBTYPE, DWORD,
                                       DWORD* bytes) override {
        *bytes = static_cast<DWORD>((defaultProfile.size() + 1) * sizeof(wchar_t));
        return Wcs(!defaultProfile.empty() && s == scope && std::wstring(device) == L"KEY" &&
                   type == CPT_ICC);
    }
    BOOL WcsGetDefaultColorProfile(WCS_PROFILE_MANAGEMENT_SCOPE s, const wchar_t*, COLORPROFILETYPE,
                                   COLORPROFILESUBTYPE, DWORD, DWORD bytes,
                                   wchar_t* name) override {
        if (bytes < (defaultProfile.size() + 1) * sizeof(wchar_t)) {
            return Fail(ERROR_INSUFFICIENT_BUFFER);
        }
        name[defaultProfile.copy(name, defaultProfile.size())] = L'\0';
        return Wcs(s == scope);
    }
    BOOL GetColorDirectoryA(const char*, char* buffer, DWORD* bytes) override {
        return Copy(colorDirectory, buffer, *bytes);
    }
    BOOL GetICMProfileA(HDC, DWORD* size, char* name) override {
        return Copy(contextProfile, name, *size);
    }

private:
    static BOOL Fail(DWORD error) {
        SetLastError(error);
        return FALSE;
    }
    BOOL Wcs(bool known) const {
        return !wcsImplemented ? Fail(ERROR_CALL_NOT_IMPLEMENTED)
                               : known || Fail(ERROR_FILE_NOT_FOUND);
    }
    static BOOL Copy(const std::string& text, char* buffer, DWORD size) {
        if (text.empty() || size <= text.size()) {
            return Fail(ERROR_FILE_NOT_FOUND);
        }
        std::strcpy(buffer, text.c_str());
        return TRUE;
    }
};

// A profile of no tags: valid, described by its file name, no calibration.
const std::string kEmptyProfile =
    std::string("\0\0\0\x84", 4) + std::string(32, '\0') + "acsp" + std::string(92, '\0');

TEST(ReadMonitorProfile, FindsTheDefaultProfileElseTheDeviceContextsAndSaysWhatFails) {
    const TempFolder folder;
    WriteFileBytes(folder.File("mine.icm"), kEmptyProfile);
    WriteFileBytes(folder.File("junk.icm"), "not a profile");
    using Status = MonitorProfile::Status;
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
        Status status;
        std::string path;   // found or refused
        std::string fault;  // refused: how it starts
    } cases[] = {
        {"the user's default, a bare name", true, TRUE, user, L"mine.icm", junk, Status::Found,
         mine, ""},
        {"the system's scope: no default there", true, FALSE, user, L"junk.icm", mine,
         Status::Found, mine, ""},
        {"no Wcs calls (Windows XP, Wine)", false, FALSE, system, L"mine.icm", mine, Status::Found,
         mine, ""},
        {"none at all", false, FALSE, system, L"", "", Status::NoProfile, "", ""},
        {"a missing file", true, FALSE, system, L"gone.icm", "", Status::Refused, gone,
         "the profile \"" + gone + "\" does not exist"},
        {"no profile in the file", false, FALSE, system, L"", junk, Status::Refused, junk,
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
        MonitorEntry monitor{"Same Model", "\\\\.\\DISPLAY1", "KEY"};
        const MonitorProfile profile = ReadMonitorProfile(monitor, colors, display);
        EXPECT_EQ(profile.status, c.status) << c.what;
        EXPECT_EQ(std::string(profile.path), c.path) << c.what;
        EXPECT_EQ(profile.fault.substr(0, c.fault.size()), c.fault) << c.what;
        if (c.status == Status::Found) {
            EXPECT_EQ(profile.profile.description, "mine.icm") << c.what;
        }
        // A device context, when one is made, is deleted.
        EXPECT_TRUE(display.log.empty() ||
                    display.log == "\\\\.\\DISPLAY1 \\\\.\\DISPLAY1; Delete \\\\.\\DISPLAY1; ")
            << c.what << ": " << display.log;
    }
}

}  // namespace
