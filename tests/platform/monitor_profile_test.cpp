// Finding a monitor's profile against stand-ins for the colour-management calls, with the
// profiles themselves as real files; the real calls are tested by the command line's test.
#include "platform/monitor_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_display.h"
#include "tests/support/temp_folder.h"

namespace {

// Wcs calls that know one profile, in one scope, for one device key; GetICMProfileA's profile.
class CFakeColorProfiles : public CColorProfileApi {
public:
    bool wcsImplemented = true;
    BOOL perUser = FALSE;
    WCS_PROFILE_MANAGEMENT_SCOPE scope = WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE;
    std::wstring deviceKey = L"KEY", defaultProfile;  // empty: none
    std::string colorDirectory, contextProfile;       // empty: the call fails

    BOOL WcsGetUsePerUserProfiles(const wchar_t* device, DWORD deviceClass,
                                  BOOL* usePerUser) override {
        if (!wcsImplemented) {
            return NotImplemented();
        }
        *usePerUser = device == deviceKey && deviceClass == 0x6D6E7472 && perUser;
        return TRUE;
    }
    BOOL WcsGetDefaultColorProfileSize(WCS_PROFILE_MANAGEMENT_SCOPE s, const wchar_t* device,
                                       COLORPROFILETYPE type, COLORPROFILESUBTYPE subtype, DWORD id,
                                       DWORD* bytes) override {
        if (!Knows(s, device, type, subtype, id)) {
            return FALSE;
        }
        *bytes = static_cast<DWORD>((defaultProfile.size() + 1) * sizeof(wchar_t));
        return TRUE;
    }
    BOOL WcsGetDefaultColorProfile(WCS_PROFILE_MANAGEMENT_SCOPE s, const wchar_t* device,
                                   COLORPROFILETYPE type, COLORPROFILESUBTYPE subtype, DWORD id,
                                   DWORD bytes, wchar_t* name) override {
        if (!Knows(s, device, type, subtype, id) ||
            bytes < (defaultProfile.size() + 1) * sizeof(wchar_t)) {
            return FALSE;
        }
        defaultProfile.copy(name, defaultProfile.size());
        name[defaultProfile.size()] = L'\0';
        return TRUE;
    }
    BOOL GetColorDirectoryA(const char* machine, char* buffer, DWORD* bytes) override {
        return machine == nullptr && Copy(colorDirectory, buffer, bytes);
    }
    BOOL GetICMProfileA(HDC, DWORD* size, char* name) override {
        return Copy(contextProfile, name, size);
    }

private:
    static BOOL NotImplemented() {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    bool Knows(WCS_PROFILE_MANAGEMENT_SCOPE s, const wchar_t* device, COLORPROFILETYPE type,
               COLORPROFILESUBTYPE subtype, DWORD id) const {
        return wcsImplemented && !defaultProfile.empty() && s == scope && device == deviceKey &&
               type == CPT_ICC && subtype == CPST_NONE && id == 0;
    }
    // As the system does: a buffer too small gets nothing and is told the size needed.
    static BOOL Copy(const std::string& text, char* buffer, DWORD* size) {
        const DWORD needed = static_cast<DWORD>(text.size() + 1);
        if (text.empty() || *size < needed) {
            *size = text.empty() ? *size : needed;
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        text.copy(buffer, text.size());
        buffer[text.size()] = '\0';
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
    const std::string longName = folder.File(std::string(300, 'x').c_str());
    const struct {
        const char* what;
        bool wcsImplemented;
        BOOL perUser;
        WCS_PROFILE_MANAGEMENT_SCOPE scope;
        std::wstring defaultProfile;
        std::string contextProfile;
        MonitorProfile::Status status;
        std::string path;   // found or refused
        std::string fault;  // refused
    } cases[] = {
        {"the user's default, a bare name in the colour directory", true, TRUE,
         WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER, L"mine.icm", folder.File("junk.icm"),
         MonitorProfile::Status::Found, folder.File("mine.icm"), ""},
        {"the system's default when profiles are not per user", true, FALSE,
         WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"mine.icm", "", MonitorProfile::Status::Found,
         folder.File("mine.icm"), ""},
        {"no default in the scope asked: the device context's", true, FALSE,
         WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER, L"junk.icm", folder.File("mine.icm"),
         MonitorProfile::Status::Found, folder.File("mine.icm"), ""},
        {"no Wcs calls (Windows XP, Wine): the device context's", false, FALSE,
         WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"mine.icm", folder.File("mine.icm"),
         MonitorProfile::Status::Found, folder.File("mine.icm"), ""},
        {"none at all", false, FALSE, WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"", "",
         MonitorProfile::Status::NoProfile, "", ""},
        {"a name longer than MAX_PATH, asked for again", false, FALSE,
         WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"", longName, MonitorProfile::Status::Refused,
         longName, ""},
        {"a missing file", true, FALSE, WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"gone.icm", "",
         MonitorProfile::Status::Refused, folder.File("gone.icm"),
         "the profile \"" + folder.File("gone.icm") + "\" does not exist"},
        {"a file that cannot be read", false, FALSE, WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"",
         folder.path(), MonitorProfile::Status::Refused, folder.path(),
         "cannot read the profile \"" + folder.path() + "\": "},
        {"no profile in the file", false, FALSE, WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE, L"",
         folder.File("junk.icm"), MonitorProfile::Status::Refused, folder.File("junk.icm"),
         "\"" + folder.File("junk.icm") +
             "\" is not a valid ICC profile: the file has 13 bytes, fewer than a profile's header "
             "and tag count (132)"},
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
        if (c.status == MonitorProfile::Status::Found) {
            EXPECT_EQ(profile.profile.description, "mine.icm") << c.what;
        }
        // A device context, when one is made, is deleted.
        EXPECT_TRUE(display.log.empty() ||
                    display.log == "\\\\.\\DISPLAY1 \\\\.\\DISPLAY1; Delete \\\\.\\DISPLAY1; ")
            << c.what << ": " << display.log;
    }
}

}  // namespace
