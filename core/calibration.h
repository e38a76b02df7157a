// Calibration files: a ramp as the CGATS ".cal" text that calibration loaders read and write,
// and the check of a display's ramp against one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/gamma_ramp.h"

namespace lumatab {

// The fewest and most data rows ReadCalibration accepts.
constexpr int kMinCalibrationRows = 2;
constexpr int kMaxCalibrationRows = 16384;
// Far more than a file of the most rows takes (about 700 KB): a larger file is no calibration.
constexpr unsigned kMaxCalibrationFileBytes = 16 * 1024 * 1024;

// The .cal text of a ramp. `created` is the CREATED value, such as "Mon Dec 07 17:30:04 2026";
// a double quote in it becomes a single quote and a control character a blank, so that the
// value stays one quoted string. Every number has seven decimals, LF line ends.
std::string WriteCalibration(const GammaRamp& ramp, const std::string& created);

// "Mon Dec 07 17:30:04 2026" from calendar fields, English names whatever the locale. A month or
// weekday out of range gives "???" in place of its name.
std::string FormatCalibrationTime(int year, int month /*1-12*/, int day, int weekday /*0=Sunday*/,
                                  int hour, int minute, int second);

// Parses a .cal text, resampled to 256 entries as 16-bit levels ((int)(65535*x + 0.5)). On failure
// returns false, leaves `ramp` unchanged, and sets `error` to one line such as
// "line 14: 'abc' is not a number".
//
// Requires the CAL identifier on line 1 (after a UTF-8 byte-order mark that starts the text, if
// any), DEVICE_CLASS "DISPLAY", a COLOR_REP starting with RGB, NUMBER_OF_SETS (2 to 16384) and a
// data format with RGB_I, RGB_R, RGB_G and RGB_B, all before BEGIN_DATA; NUMBER_OF_FIELDS, when
// present, must match the data format. Keywords come in any order; comments, KEYWORD
// declarations, unknown keywords and extra fields are skipped, and so is everything after
// END_DATA. Each data row is one line; RGB_I must be evenly spaced from 0 to 1 (within 0.0001) and
// every value of the four fields a number from 0 to 1.
bool ReadCalibration(std::string_view text, GammaRamp& ramp, std::string& error);

// The 256 entries of a ramp from `count` (2 to 65535) evenly spaced samples per channel, as
// fractions of full scale (0 to 1) held planar: `count` of red, then green, then blue. Entry i lies
// at position i * (count - 1) / 255 and is interpolated linearly between its two samples, then
// rounded to a 16-bit level.
GammaRamp ResampleToRamp(const std::vector<double>& planar, int count);

struct Verification {
    int maxDifference[kChannelCount];  // largest |ramp - calibration| per channel, 16-bit units
    double maxPercent[kChannelCount];  // the same in % of full scale (65535)
    bool loaded;                       // every difference <= 257
};

// Whether `ramp` (read from the display) is `calibration`: the display's 8-bit path may round
// each level by up to one 8-bit step (257), so that much difference still counts as loaded.
Verification VerifyCalibration(const GammaRamp& ramp, const GammaRamp& calibration);

// "Matches <expected> within 1/255" ("Matches the calibration within 1/255"), or the largest
// difference of each channel: "Largest differences: red 1234 (1.88%), green 0 (0.00%), blue 300
// (0.46%)".
std::string DescribeVerification(const Verification& verification, const std::string& expected);

}  // namespace lumatab
