#!/usr/bin/python3
"""Checks the download zip: runs the generator twice into WORK and reads what it wrote.

Usage: check_dist.py GENERATOR EXE GUIDE TEXTS WORK
Requires: exactly Corvanta.exe then LEAME.txt; the exe byte-identical to EXE; every entry dated
1980-01-01 00:00:00 with no extra field; both runs the same bytes.  LEAME.txt: code page 1252
(not UTF-8) with CR LF line ends only and no other control character, the text of GUIDE line
for line, no line over 76 columns, no markdown; every heading underlined ('=' or '-', as long as
the heading, the title overlined too), so that a line standing alone with no end punctuation
counts as a heading left unmarked; every reference in curly quotes names a heading; the
program's texts from TEXTS (core/texts.h) quoted as the program shows them, each on one line,
and every box the program shows with a heading of its own.
Prints every failure; exits 1 when anything fails.
"""
import os
import re
import shutil
import subprocess
import sys
import zipfile

DATE_TIME = (1980, 1, 1, 0, 0, 0)
WIDTH = 76  # columns Notepad shows without wrapping in a window of ordinary size
TITLE = "Corvanta 1.0"
# Texts of core/texts.h the guide quotes as they appear on screen: the boxes' titles and texts,
# the buttons (their '&' marks the underlined letter and is not shown), the window's title, the
# managed program's title prefix, and the files and sections an administrator looks for.
QUOTED = ["ManagedRunningCaption", "ManagedRunningText", "LauncherRunningCaption",
          "LauncherRunningText", "BadPathCaption", "BadPathText", "SettingsNotSavedText",
          "SetupOpenFailedText", "WindowTitle", "NotDefined", "ManagedTitlePrefix",
          "AboutCaption", "ConfigureCaption", "ExitCaption", "SettingsFile", "LocationFileName",
          "PathSection", "DescriptionSection"]
# Every box has a heading that quotes what names it: its title, or its text where the title is
# the main window's.
BOX_NAMES = ["ManagedRunningCaption", "LauncherRunningCaption", "BadPathCaption",
             "SettingsNotSavedText", "SetupOpenFailedText"]
RULE = re.compile(r"^(=+|-+)$")
LIST_ITEM = re.compile(r"^(- |\d+\. )")

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def program_texts(path):
    """The char array constants of texts.h, C escapes and literal concatenation resolved, as
    the program shows them (code page 1252).  Its literals are ASCII, with escapes for the
    accented bytes; its comments may be UTF-8."""
    with open(path, encoding="utf-8") as f:
        source = f.read()
    texts = {}
    for name, literals in re.findall(
            r'constexpr char (\w+)\[\] =\s*((?:"(?:[^"\\]|\\.)*"\s*)+);', source):
        data = bytearray()
        for literal in re.findall(r'"((?:[^"\\]|\\.)*)"', literals):
            i = 0
            while i < len(literal):
                if literal[i] != "\\":
                    data.extend(literal[i].encode("ascii"))
                    i += 1
                elif literal[i + 1] == "x":
                    digits = re.match(r"[0-9A-Fa-f]+", literal[i + 2:]).group(0)
                    data.append(int(digits, 16))
                    i += 2 + len(digits)
                else:
                    data.extend({"n": b"\n", "r": b"\r", "0": b"\0"}.get(literal[i + 1], literal[i + 1].encode()))
                    i += 2
        texts[name] = data.decode("cp1252")
    return texts


def shown(name, text):
    """text as the user sees it: a caption's '&' mark dropped, a file name without the
    backslash the program joins it with."""
    if name.endswith("Caption"):
        text = text.replace("&", "")
    return text.lstrip("\\")


def check_layout(lines):
    """Headings marked, width, no control characters; returns the headings."""
    headings = []
    for number, line in enumerate(lines, 1):
        check(len(line) <= WIDTH, "LEAME.txt line %d is %d columns, over %d: %.60s..."
              % (number, len(line), WIDTH, line))
        bad = sorted({c for c in line if ord(c) < 0x20 or ord(c) == 0x7F})
        check(not bad, "LEAME.txt line %d holds control character(s) %r" % (number, bad))
    for i, line in enumerate(lines):
        if not RULE.match(line) or i == 0 or not lines[i - 1] or RULE.match(lines[i - 1]):
            continue
        heading = lines[i - 1]
        headings.append(heading)
        check(len(line) == len(heading), "LEAME.txt line %d: the heading %r is %d columns, its "
              "underline %d" % (i, heading, len(heading), len(line)))
        before = lines[i - 2] if i >= 2 else ""
        check(before == "" or (RULE.match(before) and before == line),
              "LEAME.txt line %d: the heading %r does not follow a blank line" % (i, heading))
    # A line standing alone that ends in no punctuation reads as a heading; unmarked, Notepad
    # shows it as a plain line.
    for i, line in enumerate(lines):
        alone = (i == 0 or not lines[i - 1]) and (i + 1 == len(lines) or not lines[i + 1])
        if (alone and line and not line.startswith(" ") and not LIST_ITEM.match(line)
                and not RULE.match(line) and line[-1] not in ".:;,!?"):
            failures.append("LEAME.txt line %d reads as a heading but is not underlined: %s"
                            % (i + 1, line))
    return headings


def check_guide(text, guide_path, texts):
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

    headings = check_layout(lines)
    for reference in re.findall(r"“([^”]*)”", text):
        check(reference in headings, "LEAME.txt refers to “%s”, which is no heading" % reference)
    for name in QUOTED:
        quoted = shown(name, texts[name])
        check(any(quoted in line for line in lines),
              "LEAME.txt does not quote %s, %r, on one line" % (name, quoted))
    for name in BOX_NAMES:
        check(any("«%s»" % texts[name] in heading for heading in headings),
              "LEAME.txt has no heading for the box «%s»" % texts[name])


def main(generator, exe_path, guide_path, texts_path, work):
    texts = program_texts(texts_path)
    missing = [name for name in QUOTED + BOX_NAMES if name not in texts]
    if missing:
        sys.exit("check_dist: %s lacks %s" % (texts_path, ", ".join(missing)))
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
        check_guide(text, guide_path, texts)

    for failure in failures:
        print("FAIL: " + failure)
    if not failures:
        print("dist zip: %d bytes, %d entries, LEAME.txt %d bytes, %d lines; two runs identical"
              % (len(zips[0]), len(names), len(leame), crlf))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__.split("\n\n")[1])
    sys.exit(main(*sys.argv[1:]))
