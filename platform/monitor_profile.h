// Which ICC profile is a monitor's, and the reading of calibration files and profiles from disk.
// The colour-management calls sit behind CColorProfileApi so that the lookup can be tested with
// fakes. What cannot be read is a CFailure naming the file and the fault.
#pragma once

#include <windows.h>

#include <icm.h>

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
    bool found = false;  // false: the system associates no profile with the monitor
    CString path;        // the profile's full path
    lumatab::IccProfile profile;
};

// The monitor's default ICC profile (WcsGetDefaultColorProfile with its device key, in the user's
// scope when the system says profiles are per user), else the one GetICMProfileA gives for a
// device context of its adapter; a bare file name is taken from the colour directory. Then reads
// it. Throws CFailure for a profile that is missing, cannot be read or is not valid:
//   the profile "C:\...\color\x.icm" does not exist
// Not for the monitor switch: it reads a file.
MonitorProfile ReadMonitorProfile(const MonitorEntry& monitor, CColorProfileApi& colors,
                                  CDisplayApi& display);

// Reads the file `path` as an ICC profile or a .cal file, as ReadCalibrationSource tells them
// apart. Throws CFailure naming the file and the fault:
//   cannot read "x.cal": File not found.
//   "x.icc" is not a valid ICC profile: tag 'vcgt' at offset 1324: entry size 3 is not 1 or 2
lumatab::CalibrationSource ReadCalibrationFile(const char* path);
