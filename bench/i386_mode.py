#!/usr/bin/python3
"""Tells how this machine runs i386 code, and with it every process of a PE32 under 32-bit Wine.

Usage: i386_mode.py
Prints one line: "native", "emulated" or "none", a tab, and how that was found.

A static i386 ELF of three instructions and a pause is assembled and started. While it pauses,
/proc/PID/exe names the file the kernel really runs: the probe itself when the kernel runs i386
code, an interpreter such as qemu-i386 when binfmt_misc hands i386 ELFs to one (it then takes every
32-bit process, Wine's included, even where the kernel could run them). A probe that the kernel
refuses to start means no 32-bit code runs here at all. Without an i386 assembler and linker, the
enabled binfmt_misc entries for i386 ELFs decide alone.
"""
import os
import subprocess
import sys
import tempfile

BINFMT_MISC = "/proc/sys/fs/binfmt_misc"
PROBE_EXIT_CODE = 7
# nanosleep(0.5 s) so /proc/PID/exe can be read while it runs, then exit(7). Linux i386 system calls
# through int $0x80: 162 nanosleep, 1 exit.
PROBE_SOURCE = """\
        .globl _start
_start: movl $162, %eax
        movl $pause, %ebx
        xorl %ecx, %ecx
        int $0x80
        movl $1, %eax
        movl $7, %ebx
        int $0x80
        .data
pause:  .long 0, 500000000
"""

# The first bytes of an i386 executable as binfmt_misc prints an entry's magic, in hex: "\x7fELF",
# class 1 (32-bit), then 13 bytes, then e_machine 3 (EM_386) little-endian at offset 18.
ELF_PREFIX = "7f454c4601"
EM_386_AT_18 = "0300"


def BinfmtI386Interpreters(binfmt=BINFMT_MISC):
    """Interpreters of the enabled binfmt_misc entries that take i386 ELFs; [] when binfmt_misc is
    off, absent, or has none."""
    try:
        with open(os.path.join(binfmt, "status")) as status:
            if status.read().strip() != "enabled":
                return []
        names = sorted(os.listdir(binfmt))
    except OSError:
        return []
    interpreters = []
    for name in names:
        if name in ("register", "status"):
            continue
        try:
            with open(os.path.join(binfmt, name)) as entry:
                lines = entry.read().splitlines()
        except OSError:
            continue
        if not lines or lines[0] != "enabled":
            continue
        fields = dict(line.split(" ", 1) for line in lines[1:] if " " in line)
        magic = fields.get("magic", "")
        if (fields.get("offset") == "0" and magic.startswith(ELF_PREFIX)
                and magic[36:40] == EM_386_AT_18):
            interpreters.append(fields.get("interpreter", name))
    return interpreters


def Classify(probe, running_exe, exit_code):
    """(mode, detail) from what ran the probe: /proc/PID/exe read while it ran, and its exit code."""
    if exit_code != PROBE_EXIT_CODE:
        return "none", "the i386 probe started but ended with %s instead of %d" % (exit_code, PROBE_EXIT_CODE)
    if running_exe is not None and os.path.realpath(running_exe) == os.path.realpath(probe):
        return "native", "the kernel runs i386 code itself (/proc/PID/exe of the i386 probe is the probe)"
    return "emulated", "i386 code runs through %s (/proc/PID/exe of the i386 probe)" % running_exe


def BuildProbe(folder):
    """Path of the assembled probe, or None without an i386 assembler and linker."""
    source = os.path.join(folder, "probe.s")
    objfile = os.path.join(folder, "probe.o")
    probe = os.path.join(folder, "probe")
    with open(source, "w") as out:
        out.write(PROBE_SOURCE)
    try:
        subprocess.run(["as", "--32", "-o", objfile, source], check=True, capture_output=True)
        subprocess.run(["ld", "-m", "elf_i386", "-o", probe, objfile], check=True, capture_output=True)
    except (OSError, subprocess.CalledProcessError):
        return None
    return probe


def RunProbe(probe):
    """(mode, detail) from starting the probe."""
    try:
        # Popen returns once the exec has succeeded (or raises when it failed), so /proc/PID/exe
        # already names the new program: the probe, or the interpreter that took it.
        process = subprocess.Popen([probe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
    except OSError as error:
        return "none", "the kernel does not start the i386 probe (%s) and no emulator takes it" % error.strerror
    try:
        running_exe = os.readlink("/proc/%d/exe" % process.pid)
    except OSError:
        running_exe = None
    return Classify(probe, running_exe, process.wait(timeout=60))


def Mode(binfmt=BINFMT_MISC):
    with tempfile.TemporaryDirectory(prefix="i386-probe-") as folder:
        probe = BuildProbe(folder)
        if probe is not None:
            return RunProbe(probe)
    interpreters = BinfmtI386Interpreters(binfmt)
    if interpreters:
        return "emulated", "binfmt_misc hands i386 ELFs to %s (not probed: no i386 assembler)" % interpreters[0]
    return "native", "no binfmt_misc entry takes i386 ELFs (not probed: no i386 assembler)"


def main():
    if len(sys.argv) != 1:
        sys.exit(__doc__)
    mode, detail = Mode()
    print("%s\t%s" % (mode, detail))


if __name__ == "__main__":
    main()
