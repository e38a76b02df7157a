// A picture as PNG bytes, encoded by the Windows Imaging Component.
#pragma once

#include <string>

#include "framework/handles.h"

// The bitmap's pixels as a PNG file's bytes. Throws CFailure where the component cannot be
// created on this system or refuses the picture.
std::string EncodePng(const CMemoryBitmap& bitmap);
