// Stands in for the whole platform of the shared tier: the fake monitors, colour management that
// knows the profiles a test gives it, and a clock a test sets.
#pragma once

#include <cstring>
#include <string>

#include "diagnosis/monitor.h"
#include "tests/support/fake_display.h"

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

// A clock at Mon Dec 07 17:30:04 2026, when the golden files were made, unless a test moves it.
class CFakeClock : public CClock {
public:
    SYSTEMTIME now = {2026, 12, 1, 7, 17, 30, 4, 0};
    SYSTEMTIME Now() override { return now; }
};

// The two fake monitors, and the rest.
struct CFakePlatform {
    CFakeMonitors display = TwoMonitors();
    CFakeColorProfiles colors;
    CFakeClock clock;
    CPlatform platform{display, colors, clock};
};
