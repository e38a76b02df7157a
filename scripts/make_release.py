#!/usr/bin/env python3
"""Writes the release from two builds of the program: Lumatab-VERSION-win32.zip and
Lumatab-VERSION-win64.zip, each holding Lumatab-VERSION/ with Lumatab.exe, lumatab-cli.exe,
README.txt (the user sections of README.md as plain text) and LICENSE.txt, and SHA256SUMS beside
them. The same inputs give the same bytes: every entry has the time TIME (seconds since 1970, in
UTC), a fixed order and fixed permissions, and is deflated by Python's zlib, which with Debian 12's
zlib is the same everywhere (another zlib, such as zlib-ng, may deflate differently).

    make_release.py SOURCE_FOLDER VERSION TIME OUT_FOLDER WIN32_BUILD WIN64_BUILD
"""
import hashlib
import pathlib
import re
import sys
import time
import zipfile

# The sections of README.md that are the user's, by heading; the text before the first "## "
# heading is the user's too.
USER_SECTIONS = ["The window", "Command line", "Checking a download", "Licence"]

# Notepad in an older Windows takes a file without a byte-order mark in the ANSI code page, so
# README.txt is ASCII; these are the other characters README.md may use in its user sections.
ASCII_FORMS = {"\u00d7": "x", "\u2013": "-", "\u2014": "-", "\u2212": "-", "\u2019": "'",
               "\u00e9": "e", "\u2215": "/", "\u00bd": " 1/2"}


def sections(markdown):
    """(heading, lines) of each "## " section, the text before the first one under ""."""
    found, heading = {"": []}, ""
    for line in markdown.splitlines():
        if line.startswith("## "):
            heading = line[3:]
            found[heading] = []
        else:
            found[heading].append(line)
    return found


def plain_line(line):
    """A line of Markdown as plain text: no emphasis, code marks or links."""
    if line.startswith("    "):  # code and console output stay as they are
        return line
    line = re.sub(r"\*\*([^*]+)\*\*", r"\1", line)
    line = re.sub(r"\[([^]]+)\]\([^)]+\)", r"\1", line)
    return line.replace("`", "")


def readme_text(markdown):
    found = sections(markdown)
    missing = [heading for heading in USER_SECTIONS if heading not in found]
    if missing:
        sys.exit("make_release.py: README.md has no section " + ", ".join(missing))
    lines = []
    for heading in [""] + USER_SECTIONS:
        if heading:
            lines += ["", heading, "-" * len(heading)]
        for line in found[heading]:
            if line.startswith("# "):
                lines += [line[2:], "=" * (len(line) - 2)]
            elif not line.startswith("!["):  # pictures
                lines.append(plain_line(line))
    text = re.sub(r"\n{3,}", "\n\n", "\n".join(lines).strip() + "\n")
    text = "".join(ASCII_FORMS.get(c, c) for c in text)
    others = sorted({c for c in text if ord(c) > 126 or (ord(c) < 32 and c != "\n")})
    if others:
        sys.exit("make_release.py: README.md's user sections use " + repr(others) +
                 ", which README.txt has no ASCII form for")
    return text.replace("\n", "\r\n").encode("ascii")


def write_zip(path, folder, files, when):
    """The files (name, bytes) in this order under folder/, each with the time `when`."""
    stamp = time.gmtime(when)[:6]
    with zipfile.ZipFile(path, "w") as archive:
        entries = [(folder + "/", None)] + [(folder + "/" + name, data) for name, data in files]
        for name, data in entries:
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3  # Unix permissions in the upper half of external_attr
            if data is None:
                info.external_attr = (0o40755 << 16) | 0x10  # a folder, also for MS-DOS
                archive.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(info, data, compresslevel=9)


def main():
    source, version, when, out, win32, win64 = sys.argv[1:]
    source, out = pathlib.Path(source), pathlib.Path(out)
    out.mkdir(parents=True, exist_ok=True)
    readme = readme_text((source / "README.md").read_text(encoding="utf-8"))
    licence = (source / "LICENSE").read_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    folder = "Lumatab-" + version
    sums = []
    for arch, build in (("win32", win32), ("win64", win64)):
        build = pathlib.Path(build)
        files = [("Lumatab.exe", (build / "Lumatab.exe").read_bytes()),
                 ("lumatab-cli.exe", (build / "lumatab-cli.exe").read_bytes()),
                 ("README.txt", readme), ("LICENSE.txt", licence)]
        name = "%s-%s.zip" % (folder, arch)
        write_zip(out / name, folder, files, int(when))
        sums.append("%s  %s\n" % (hashlib.sha256((out / name).read_bytes()).hexdigest(), name))
    (out / "SHA256SUMS").write_text("".join(sums), encoding="ascii", newline="\n")


if __name__ == "__main__":
    main()
