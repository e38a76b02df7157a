// ICC colour profiles as far as a display's ramp needs them: the description and the video card
// calibration ('vcgt') that a calibration loader puts into the ramp. Also the one reading of a
// file that is either a profile or a .cal file, for everything that compares a ramp with one.
#pragma once

#include <string>
#include <string_view>

#include "core/gamma_ramp.h"

namespace lumatab {

// Whether the bytes are an ICC profile: 'acsp' at offset 36, whatever the file is called.
bool IsIccProfile(std::string_view bytes);

struct IccProfile {
    // The 'desc' tag: the ASCII part of a version 2 text description, or the en-US record of a
    // version 4 multi-localized text (else its first English record, else its first), each up to
    // its NUL; anything but printable ASCII shows as '?'. The file name stands in when there is
    // none.
    std::string description;
    // What the calibration is, for people: "vcgt table, 3 channels, 256 entries of 16 bits",
    // "vcgt formula, exponent 2.20 / 2.20 / 2.20" or "none (a linear ramp is expected)". A 3 x 256
    // table declared 8-bit in a tag of 1584 bytes holds 16-bit entries: "... of 16 bits (declared
    // as 8)".
    std::string calibrationText;
    // False when there is no 'vcgt': loaders then leave a linear ramp, which `calibration` holds.
    bool hasCalibration = false;
    GammaRamp calibration{};  // the 'vcgt' as 256 16-bit levels per channel
};

// Reads a profile (at most kMaxCalibrationFileBytes) named `fileName`. On failure returns false,
// leaves `profile` unchanged, and sets `error` to one line naming the place and the fault, such
// as "tag 'vcgt' at offset 1324: entry size 3 is not 1 or 2".
bool ReadIccProfile(std::string_view bytes, std::string_view fileName, IccProfile& profile,
                    std::string& error);

// What a display's ramp is compared with, from an ICC profile or a .cal file.
struct CalibrationSource {
    bool hasCalibration = false;  // false: a profile without 'vcgt', so a linear ramp
    GammaRamp calibration{};
};

// Reads the bytes of the file `fileName` as an ICC profile when IsIccProfile says so, otherwise
// as a .cal file. On failure returns false, leaves `source` unchanged, and sets `error` to one
// line naming the file and the fault:
//   "ramp.csv" is not a valid calibration file: line 1: expected the CAL identifier, ...
//   "my.icc" is not a valid ICC profile: tag 'vcgt' at offset 1324: entry size 3 is not 1 or 2
bool ReadCalibrationSource(std::string_view bytes, std::string_view fileName,
                           CalibrationSource& source, std::string& error);

}  // namespace lumatab
