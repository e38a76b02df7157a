// Which ICC profile is a monitor's, the reading of calibration files and profiles from disk for
// the command line and the curves window, and the time a saved calibration file states. The
// colour-management calls sit behind CColorProfileApi so that the lookup can be tested with fakes.
#pragma once

#include <windows.h>

#include <icm.h>

#include <string>

#include "core/icc_profile.h"
#include "framework/string.h"
#include "platform/display_access.h"

// The calls that find a monitor's profile, named and shaped as the platform's. mscms.dll's are
// loaded at run time: where the system lacks one, it fails with ERROR_CALL_NOT_IMPLEMENTED.
class CColorProfileApi {
public:
    virtual ~CColorProfileApi() = default;
    virtual BOOL WcsGetUsePerUserProfiles(const wchar_t* deviceName, DWORD deviceClass,
                                          BOOL* usePerUser) = 0;
    virtual BOOL WcsGetDefaultColorProfileSize(WCS_PROFILE_MANAGEMENT_SCOPE scope,
                                               const wchar_t* deviceName, COLORPROFILETYPE type,
                                               COLORPROFILESUBTYPE subtype, DWORD profileId,
                                               DWORD* bytes) = 0;
    virtual BOOL WcsGetDefaultColorProfile(WCS_PROFILE_MANAGEMENT_SCOPE scope,
                                           const wchar_t* deviceName, COLORPROFILETYPE type,
                                           COLORPROFILESUBTYPE subtype, DWORD profileId,
                                           DWORD bytes, wchar_t* profileName) = 0;
    virtual BOOL GetColorDirectoryA(const char* machineName, char* buffer, DWORD* bytes) = 0;
    virtual BOOL GetICMProfileA(HDC dc, DWORD* size, char* fileName) = 0;
};

// The process's one real implementation: mscms.dll from the system folder, loaded on first use
// and kept for the life of the process; GetICMProfileA from gdi32.
CColorProfileApi& Win32ColorProfileApi();

struct MonitorProfile {
    enum class Status {
        Found,
        NoProfile,  // the system associates none with the monitor
        Refused,    // a missing file, a file that cannot be read, or no valid profile
    };
    Status status = Status::NoProfile;
    CString path;                 // the profile's full path, unless NoProfile
    lumatab::IccProfile profile;  // Found only
    // Refused: one line naming the file and the fault, such as
    // the profile "C:\...\color\x.icm" does not exist
    std::string fault;
};

// The monitor's default ICC profile (WcsGetDefaultColorProfile with its device key, in the user's
// scope when the system says profiles are per user), else the one GetICMProfileA gives for a
// device context of its adapter; a bare file name is taken from the colour directory. Then reads
// it. Not for the monitor switch: it reads a file.
MonitorProfile ReadMonitorProfile(const MonitorEntry& monitor,
                                  CColorProfileApi& colors = Win32ColorProfileApi(),
                                  CDisplayApi& display = Win32DisplayApi());

// Reads the file `path` as an ICC profile or a .cal file, as ReadCalibrationSource tells them
// apart. On failure returns false and `error` is one line naming the file and the fault:
//   cannot read "x.cal": File not found.
//   "x.icc" is not a valid ICC profile: tag 'vcgt' at offset 1324: entry size 3 is not 1 or 2
bool ReadCalibrationFile(const char* path, lumatab::CalibrationSource& source, std::string& error);

// The local time now, as a calibration file's CREATED states it: "Mon Dec 07 17:30:04 2026".
std::string CalibrationTimeNow();
