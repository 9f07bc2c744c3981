#!/usr/bin/python3
"""Checks the download zip: runs the generator twice into WORK and reads what it wrote.

Usage: check_dist.py GENERATOR EXE GUIDE WORK
Requires: exactly Corvanta.exe then LEAME.txt; the exe byte-identical to EXE; every entry dated
1980-01-01 00:00:00 with no extra field; both runs the same bytes.  LEAME.txt: code page 1252
(not UTF-8) with CR LF line ends only, the text of GUIDE line for line, no markdown.
Prints every failure; exits 1 when anything fails.
"""
import os
import shutil
import subprocess
import sys
import zipfile

DATE_TIME = (1980, 1, 1, 0, 0, 0)
TITLE = "Corvanta 1.0"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def check_guide(text, guide_path):
    with open(guide_path, encoding="utf-8") as f:
        guide = f.read().replace("\r\n", "\n")
    lines = text.split("\r\n")
    if lines[-1] == "":
        lines.pop()
    guide_lines = guide.rstrip("\n").split("\n")
    if lines != guide_lines:
        first = next((n for n, (a, b) in enumerate(zip(lines, guide_lines), 1) if a != b),
                     min(len(lines), len(guide_lines)) + 1)
        failures.append("LEAME.txt is not %s line for line: they part at line %d" % (guide_path, first))
    check(any(TITLE in line for line in lines[:3]), "LEAME.txt has no title %r on top" % TITLE)
    for marker in ("**", "`", "](", "## "):
        check(marker not in text, "LEAME.txt holds markdown %r" % marker)


def main(generator, exe_path, guide_path, work):
    shutil.rmtree(work, ignore_errors=True)
    zips = []
    for run in ("first", "second"):
        output = os.path.join(work, run, "Corvanta-1.0.zip")
        subprocess.run([generator, exe_path, guide_path, output], check=True)
        with open(output, "rb") as f:
            zips.append(f.read())
    check(zips[0] == zips[1], "two runs of the generator gave different bytes")

    with open(exe_path, "rb") as f:
        exe = f.read()
    with zipfile.ZipFile(os.path.join(work, "first", "Corvanta-1.0.zip")) as archive:
        infos = archive.infolist()
        names = [info.filename for info in infos]
        check(names == ["Corvanta.exe", "LEAME.txt"],
              "entries %s, expected Corvanta.exe then LEAME.txt" % names)
        for info in infos:
            check(info.date_time == DATE_TIME,
                  "%s dated %s, expected %s" % (info.filename, info.date_time, DATE_TIME))
            check(info.extra == b"", "%s has an extra field %r" % (info.filename, info.extra))
        check(archive.testzip() is None, "an entry fails its CRC")
        if "Corvanta.exe" in names:
            check(archive.read("Corvanta.exe") == exe, "Corvanta.exe in the zip differs from " + exe_path)
        leame = archive.read("LEAME.txt") if "LEAME.txt" in names else b""

    try:
        leame.decode("utf-8")
        failures.append("LEAME.txt is valid UTF-8; its accents must be single cp1252 bytes")
    except UnicodeDecodeError:
        pass
    try:
        text = leame.decode("cp1252")
    except UnicodeDecodeError as error:
        failures.append("LEAME.txt is not code page 1252: %s" % error)
        text = ""
    crlf = leame.count(b"\r\n")
    check(crlf > 0 and leame.count(b"\n") == crlf and leame.count(b"\r") == crlf,
          "LEAME.txt has %d CR LF, %d LF, %d CR: only CR LF line ends are allowed"
          % (crlf, leame.count(b"\n"), leame.count(b"\r")))
    check(text.endswith("\r\n"), "LEAME.txt does not end with a line end")
    if text:
        check_guide(text, guide_path)

    for failure in failures:
        print("FAIL: " + failure)
    if not failures:
        print("dist zip: %d bytes, %d entries, LEAME.txt %d bytes, %d lines; two runs identical"
              % (len(zips[0]), len(names), len(leame), crlf))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.split("\n\n")[1])
    sys.exit(main(*sys.argv[1:]))
