#!/usr/bin/env python3
"""Writes the expected CSV files of the core's tests from an independent Python model of the
effective-gamma arithmetic and the file format. Run it from this folder to regenerate them."""
import math


def entry_gamma(index, level):
    x = index * 257.0 / 65535.0
    y = math.pow(x, 2.2) + x
    a = y - level / 65535.0
    if a <= 0.0:
        return -2147483648 / 100.0
    scaled = math.log(a) / math.log(x) * 100.0 + 0.5
    if not -2147483648.0 <= scaled < 2147483648.0:
        return -2147483648 / 100.0
    return int(scaled) / 100.0


def gamma_text(gamma):
    return "---" if gamma <= 0.0 else "%1.2f" % gamma


def write_csv(name, channels):
    lines = ["Index,R hex,R dec,R gamma,G hex,G dec,G gamma,B hex,B dec,B gamma"]
    for i in range(256):
        fields = [str(i)]
        for levels in channels:
            level = levels[i]
            gamma = entry_gamma(i, level) if 1 <= i <= 254 else 0.0
            fields += ["0x%X" % level, "%u" % level, gamma_text(gamma)]
        lines.append(",".join(fields))
    with open(name, "wb") as f:
        f.write("\n".join(lines).encode("ascii"))


identity = [i * 257 for i in range(256)]
write_csv("identity.csv", [identity] * 3)
write_csv("zero.csv", [[0] * 256] * 3)
write_csv("full.csv", [[65535] * 256] * 3)
# Three different channels: a gamma-1.8 curve, an inverted ramp and a constant mid level.
curve = [round(65535 * (i / 255.0) ** (1.8 / 2.2)) for i in range(256)]
write_csv("three_channels.csv", [curve, [65535 - v for v in identity], [40000] * 256])
