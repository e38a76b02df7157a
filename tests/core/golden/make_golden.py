#!/usr/bin/env python3
"""Writes the expected CSV and .cal files of the core's tests from an independent Python model of
the effective-gamma arithmetic and the two file formats. Run it from this folder to regenerate
them, or as `make_golden.py csv|cal|icc R0..R255 G0..G255 B0..B255` to print the file of one
ramp (a .cal file then says it was created on Mon Dec 07 17:30:04 2026; an ICC profile is
described as "Test Display" and holds the ramp as a 16-bit 'vcgt' table)."""
import datetime
import math
import struct
import sys


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


def csv_text(channels):
    lines = ["Index,R hex,R dec,R gamma,G hex,G dec,G gamma,B hex,B dec,B gamma"]
    for i in range(256):
        fields = [str(i)]
        for levels in channels:
            level = levels[i]
            gamma = entry_gamma(i, level) if 1 <= i <= 254 else 0.0
            fields += ["0x%X" % level, "%u" % level, gamma_text(gamma)]
        lines.append(",".join(fields))
    return "\n".join(lines).encode("ascii")


# Python leaves LC_TIME at "C", so the names are English.
CREATED = datetime.datetime(2026, 12, 7, 17, 30, 4).strftime("%a %b %d %H:%M:%S %Y")


def cal_text(channels, created=CREATED):
    lines = ["CAL    ", "", 'DESCRIPTOR "Lumatab video LUT"', 'ORIGINATOR "Lumatab"',
             'CREATED "%s"' % created, 'DEVICE_CLASS "DISPLAY"', 'COLOR_REP "RGB"', "",
             "NUMBER_OF_FIELDS 4", "BEGIN_DATA_FORMAT", "RGB_I RGB_R RGB_G RGB_B",
             "END_DATA_FORMAT", "", "NUMBER_OF_SETS 256", "BEGIN_DATA"]
    for i in range(256):
        values = [i / 255.0] + [levels[i] / 65535.0 for levels in channels]
        lines.append(" ".join("%.7f" % v for v in values))
    lines.append("END_DATA")
    return ("\n".join(lines) + "\n").encode("ascii")


def icc_profile(channels):
    # A version 2 'desc' and a 'vcgt' table of three 256-entry 16-bit channels, planar.
    desc = b"desc" + bytes(4) + struct.pack(">I", 13) + b"Test Display\0" + bytes(71)
    vcgt = b"vcgt" + bytes(8) + struct.pack(">3H768H", 3, 256, 2, *sum(channels, []))
    tags = struct.pack(">I4sII4sII", 2, b"desc", 156, len(desc), b"vcgt", 156 + len(desc),
                       len(vcgt))
    header = struct.pack(">I32s4s88s", 156 + len(desc) + len(vcgt), b"", b"acsp", b"")
    return header + tags + desc + vcgt


def write_golden_files():
    def write(name, data):
        with open(name, "wb") as f:
            f.write(data)

    identity = [i * 257 for i in range(256)]
    # Three different channels: a gamma-1.8 curve, an inverted ramp and a constant mid level.
    curve = [round(65535 * (i / 255.0) ** (1.8 / 2.2)) for i in range(256)]
    three_channels = [curve, [65535 - v for v in identity], [40000] * 256]
    write("identity.csv", csv_text([identity] * 3))
    write("zero.csv", csv_text([[0] * 256] * 3))
    write("full.csv", csv_text([[65535] * 256] * 3))
    write("three_channels.csv", csv_text(three_channels))
    write("identity.cal", cal_text([identity] * 3))
    write("three_channels.cal", cal_text(three_channels))


if __name__ == "__main__":
    if sys.argv[1:2] in (["csv"], ["cal"], ["icc"]):
        levels = [int(v) for v in sys.argv[2:]]
        write = {"csv": csv_text, "cal": cal_text, "icc": icc_profile}[sys.argv[1]]
        sys.stdout.buffer.write(write([levels[0:256], levels[256:512], levels[512:768]]))
    else:
        write_golden_files()
