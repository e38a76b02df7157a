#!/usr/bin/env python3
"""Writes the expected CSV and .cal files of the core's tests, and the ICC profiles they read,
from an independent Python model of the effective-gamma arithmetic and the file formats. Run it
from this folder to regenerate them, or as `make_golden.py csv|cal|icc R0..R255 G0..G255
B0..B255` to print the file of one ramp (a .cal file then says it was created on Mon Dec 07
17:30:04 2026; an ICC profile is described as "Test Display" and holds a 16-bit 'vcgt' table)."""
import datetime
import math
import pathlib
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


def icc(tags):
    """A profile of these (signature, data) tags, in this order, each 4-byte aligned after the
    tag table."""
    table, data = struct.pack(">I", len(tags)), b""
    for signature, body in tags:
        table += struct.pack(">4sII", signature, 132 + 12 * len(tags) + len(data), len(body))
        data += body + bytes(-len(body) % 4)
    return struct.pack(">I32s4s88s", 128 + len(table) + len(data), b"", b"acsp", b"") + table + data


def desc(text):  # version 2: the ASCII text, its NUL among the unused Unicode and Script parts
    return b"desc" + bytes(4) + struct.pack(">I", len(text) + 1) + text + bytes(79)


def mluc(records):  # version 4: (language and country, text) records, the texts UTF-16BE
    head, texts = b"mluc" + bytes(4) + struct.pack(">II", len(records), 12), b""
    for locale, text in records:
        encoded = text.encode("utf-16-be")
        head += locale + struct.pack(">II", len(encoded), 16 + 12 * len(records) + len(texts))
        texts += encoded
    return head + texts


def vcgt_table(channels, count, size, values, declared=None):  # size 1: 8-bit entries, 2: 16-bit
    form = ">3H%d%s" % (len(values), "BH"[size - 1])
    return b"vcgt" + bytes(8) + struct.pack(form, channels, count, declared or size, *values)


def vcgt_formula(values):  # gamma, min and max of red, green and blue, as s15Fixed16Number
    return b"vcgt" + bytes(4) + struct.pack(">I9i", 1, *[round(v * 65536) for v in values])


def icc_profile(channels):
    return icc([(b"desc", desc(b"Test Display")), (b"vcgt", vcgt_table(3, 256, 2, sum(channels, [])))])


def write_golden_files():
    def write(name, data):
        pathlib.Path(name).write_bytes(data)

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
    # Profiles of every form the reader takes. The 8-bit one holds the tests' ThreeChannelRamp:
    # red rises, green falls, blue zigzags.
    zigzag = [list(range(256)), [255 - i for i in range(256)], [(i * 37 + 50) % 256 for i in range(256)]]
    write("wide_gamut.icc", icc([(b"desc", desc(b"Wide\x01\xe9 gamut")),
                                 (b"vcgt", vcgt_table(3, 256, 2, sum(three_channels, [])))]))
    write("eight_bit.icc", icc([(b"vcgt", vcgt_table(3, 256, 1, sum(zigzag, [])))]))
    write("one_channel.icc", icc([(b"vcgt", vcgt_table(1, 2, 2, [0, 65535]))]))
    # As Adobe's software writes them: 16-bit entries declared as 8-bit, the tag 1584 bytes long.
    write("declared_eight_bit.icc", icc([(b"vcgt", vcgt_table(3, 256, 2, sum(three_channels, []),
                                                              declared=1).ljust(1584, b"\0"))]))
    write("en_us.icc", icc([(b"desc", mluc([(b"deDE", "Bildschirm"), (b"enGB", "Screen"),
                                            (b"enUS", "Caf\u00e9 \U0001F600!")]))]))
    write("name.icc", icc([(b"desc", desc(b"Name"))]))
    write("en_gb.icc", icc([(b"desc", mluc([(b"deDE", "Bildschirm"), (b"enGB", "Screen")]))]))
    write("no_english.icc", icc([(b"desc", mluc([(b"frFR", "\u00c9cran"), (b"deDE", "B")]))]))
    write("nul_ended.icc", icc([(b"desc", mluc([(b"enUS", "Monitor\0")]))]))
    write("formula.icc", icc([(b"vcgt", vcgt_formula([2.2, 0, 1, 1, 0.1, 0.9, 0.5, 0.5, 0.5]))]))
    # Small profiles of each tag type, for the tests that edit them at random.
    write("small_table.icc", icc([(b"desc", desc(b"Display")), (b"vcgt", vcgt_table(3, 16, 2, [999] * 48))]))
    write("mluc_formula.icc", icc([(b"desc", mluc([(b"deDE", "A"), (b"enUS", "B")])),
                                   (b"vcgt", vcgt_formula([2.2, 0, 1] * 3))]))


if __name__ == "__main__":
    if sys.argv[1:2] in (["csv"], ["cal"], ["icc"]):
        levels = [int(v) for v in sys.argv[2:]]
        write = {"csv": csv_text, "cal": cal_text, "icc": icc_profile}[sys.argv[1]]
        sys.stdout.buffer.write(write([levels[0:256], levels[256:512], levels[512:768]]))
    else:
        write_golden_files()
