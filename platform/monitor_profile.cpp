#include "platform/monitor_profile.h"

#include <string>
#include <vector>

#include "core/calibration.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/handles.h"

namespace {

// CLASS_MONITOR ('mntr'), which the header spells as a multi-character constant.
constexpr DWORD kMonitorClass = 0x6D6E7472;

// The functions of mscms.dll this program uses. Vista brought the Wcs ones; a system without
// them must still run the program, so nothing is imported from mscms.dll at link time.
class CWin32ColorProfileApi : public CColorProfileApi {
public:
    BOOL WcsGetUsePerUserProfiles(const wchar_t* deviceName, DWORD deviceClass,
                                  BOOL* usePerUser) override {
        return Call("WcsGetUsePerUserProfiles", deviceName, deviceClass, usePerUser);
    }
    BOOL WcsGetDefaultColorProfileSize(WCS_PROFILE_MANAGEMENT_SCOPE scope,
                                       const wchar_t* deviceName, COLORPROFILETYPE type,
                                       COLORPROFILESUBTYPE subtype, DWORD profileId,
                                       DWORD* bytes) override {
        return Call("WcsGetDefaultColorProfileSize", scope, deviceName, type, subtype, profileId,
                    bytes);
    }
    BOOL WcsGetDefaultColorProfile(WCS_PROFILE_MANAGEMENT_SCOPE scope, const wchar_t* deviceName,
                                   COLORPROFILETYPE type, COLORPROFILESUBTYPE subtype,
                                   DWORD profileId, DWORD bytes, wchar_t* profileName) override {
        return Call("WcsGetDefaultColorProfile", scope, deviceName, type, subtype, profileId, bytes,
                    profileName);
    }
    BOOL GetColorDirectoryA(const char* machineName, char* buffer, DWORD* bytes) override {
        return Call("GetColorDirectoryA", machineName, buffer, bytes);
    }
    BOOL GetICMProfileA(HDC dc, DWORD* size, char* fileName) override {
        return ::GetICMProfileA(dc, size, fileName);
    }

private:
    // The mscms.dll function `name`, whose parameters are the types of `args`.
    template <typename... Args>
    BOOL Call(const char* name, Args... args) {
        const auto function = m_mscms.Find<BOOL(WINAPI*)(Args...)>(name);
        if (function == nullptr) {
            SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
            return FALSE;
        }
        return function(args...);
    }

    const CSystemLibrary m_mscms{"mscms.dll"};
};

// The user's scope when the system keeps profiles per user, otherwise (or when it cannot say)
// the system's.
CString DefaultProfileName(const CString& deviceKey, CColorProfileApi& colors) {
    if (deviceKey.IsEmpty()) {
        return CString();
    }
    const std::wstring key = AfxAnsiToWide(deviceKey);
    BOOL perUser = FALSE;
    const WCS_PROFILE_MANAGEMENT_SCOPE scope =
        colors.WcsGetUsePerUserProfiles(key.c_str(), kMonitorClass, &perUser) && perUser
            ? WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER
            : WCS_PROFILE_MANAGEMENT_SCOPE_SYSTEM_WIDE;
    // The size first: Wine's WcsGetDefaultColorProfile is a stub that ends the process, while
    // the size query fails with ERROR_CALL_NOT_IMPLEMENTED.
    DWORD bytes = 0;
    if (!colors.WcsGetDefaultColorProfileSize(scope, key.c_str(), CPT_ICC, CPST_NONE, 0, &bytes)) {
        return CString();
    }
    std::vector<wchar_t> name(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!colors.WcsGetDefaultColorProfile(scope, key.c_str(), CPT_ICC, CPST_NONE, 0,
                                          static_cast<DWORD>((name.size() - 1) * sizeof(wchar_t)),
                                          name.data())) {
        return CString();
    }
    // The program's strings are ANSI. A character the code page lacks becomes '?', never a
    // look-alike that could name another file; that file is then not found, which is said.
    std::string ansi;
    AfxWideToAnsi(name.data(), GetACP(), ansi);
    return CString(ansi.c_str());
}

std::string ReasonText(DWORD error) {
    return static_cast<const char*>(AfxSystemErrorText(error));
}

// A bare file name is a profile of the colour directory.
std::string ProfilePath(const std::string& name, CColorProfileApi& colors) {
    if (name.find_first_of("\\/:") != std::string::npos) {
        return name;
    }
    char folder[MAX_PATH + 1] = {};
    DWORD bytes = MAX_PATH;
    if (!colors.GetColorDirectoryA(nullptr, folder, &bytes)) {
        throw CFailure("cannot find the colour directory of the profile \"" + name +
                       "\": " + ReasonText(GetLastError()));
    }
    return std::string(folder) + "\\" + name;
}

// The profile Windows' colour management gives the adapter's device context.
CString DeviceContextProfileName(const CString& deviceName, CColorProfileApi& colors,
                                 CDisplayApi& display) {
    const HDC dc = display.CreateDCA(deviceName, deviceName, nullptr, nullptr);
    if (!dc) {
        return CString();
    }
    char name[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    const BOOL ok = colors.GetICMProfileA(dc, &size, name);
    display.DeleteDC(dc);
    return ok ? CString(name) : CString();
}

}  // namespace

CColorProfileApi& Win32ColorProfileApi() {
    static CWin32ColorProfileApi api;
    return api;
}

MonitorProfile ReadMonitorProfile(const MonitorEntry& monitor, CColorProfileApi& colors,
                                  CDisplayApi& display) {
    MonitorProfile result;
    CString name = DefaultProfileName(monitor.deviceKey, colors);
    if (name.IsEmpty()) {
        name = DeviceContextProfileName(monitor.deviceName, colors, display);
    }
    if (name.IsEmpty()) {
        return result;
    }
    const std::string path = ProfilePath(static_cast<const char*>(name), colors);
    std::string bytes;
    if (!ReadWholeFile(path.c_str(), bytes, lumatab::kMaxCalibrationFileBytes)) {
        const DWORD reason = GetLastError();
        throw CFailure(reason == ERROR_FILE_NOT_FOUND || reason == ERROR_PATH_NOT_FOUND
                           ? "the profile \"" + path + "\" does not exist"
                           : "cannot read the profile \"" + path + "\": " + ReasonText(reason));
    }
    std::string fault;
    if (!lumatab::ReadIccProfile(bytes, path, result.profile, fault)) {
        throw CFailure("\"" + path + "\" is not a valid ICC profile: " + fault);
    }
    result.found = true;
    result.path = path.c_str();
    return result;
}

lumatab::CalibrationSource ReadCalibrationFile(const char* path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, lumatab::kMaxCalibrationFileBytes)) {
        throw CFailure(std::string("cannot read \"") + path + "\": " + ReasonText(GetLastError()));
    }
    lumatab::CalibrationSource source;
    std::string error;
    if (!lumatab::ReadCalibrationSource(bytes, path, source, error)) {
        throw CFailure(error);
    }
    return source;
}
