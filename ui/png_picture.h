// A picture as PNG bytes, encoded by the Windows Imaging Component.
#pragma once

#include <string>

#include "ui/curve_plot.h"

enum class PngResult { Encoded, NoImagingComponent, Failed };

// Encodes the bitmap's pixels into `png`. NoImagingComponent when the component cannot be
// created on this system, Failed when it refuses the picture; `png` is then empty.
PngResult EncodePng(const CPlotBitmap& bitmap, std::string& png);
