#!/usr/bin/env python3
"""Prints a typical calibration ramp as 768 levels (red, green, blue), for loading into the
dummy X server. Every level is a multiple of 257, which the server stores exactly."""

# Each channel's correction, as the exponent applied to the input level.
EXPONENTS = (1.12, 1.0, 1.05)

levels = []
for exponent in EXPONENTS:
    levels += [round(255 * (i / 255) ** exponent) * 257 for i in range(256)]
print(" ".join(str(level) for level in levels))
