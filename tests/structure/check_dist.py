#!/usr/bin/python3
"""Checks the download zip: runs the generator twice into WORK and reads what it wrote.

Usage: check_dist.py GENERATOR EXE README WORK
Requires: exactly Corvanta.exe then LEAME.txt; the exe byte-identical to EXE; LEAME.txt in
code page 1252 (not UTF-8) with CR LF line ends only, holding the users' section and no
markdown; every entry dated 1980-01-01 00:00:00 with no extra field; both runs the same bytes.
Prints every failure; exits 1 when anything fails.
"""
import os
import shutil
import subprocess
import sys
import zipfile

DATE_TIME = (1980, 1, 1, 0, 0, 0)
# Texts of the users' section as they must appear in LEAME.txt, encoded here in cp1252.
KEY_TEXTS = ["Para los usuarios", "Configurar", "Sólo una Instacia", "configuración",
             "«Ruta Incorrecta»", r"C:\Windows\Corvanta.ini"]
# Texts of the README outside the users' section, which must not come along.
FOREIGN_TEXTS = ["make build", "For developers", "docs/main-window.png"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def main(generator, exe_path, readme, work):
    shutil.rmtree(work, ignore_errors=True)
    zips = []
    for run in ("first", "second"):
        output = os.path.join(work, run, "Corvanta-1.0.zip")
        subprocess.run([generator, exe_path, readme, output], check=True)
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
    check(text.startswith("Corvanta 1.0") and text.endswith("\r\n"),
          "LEAME.txt does not start with its title or does not end with a line end")
    for key in KEY_TEXTS:
        check(key.encode("cp1252") in leame, "LEAME.txt lacks %r as cp1252" % key)
    for foreign in FOREIGN_TEXTS:
        check(foreign not in text, "LEAME.txt holds %r from outside the users' section" % foreign)
    for marker in ("**", "`", "](", "## "):
        check(marker not in text, "LEAME.txt still holds markdown %r" % marker)

    for failure in failures:
        print("FAIL: " + failure)
    if not failures:
        print("dist zip: %d bytes, %d entries, LEAME.txt %d bytes; two runs identical"
              % (len(zips[0]), len(names), len(leame)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.split("\n\n")[1])
    sys.exit(main(*sys.argv[1:]))
