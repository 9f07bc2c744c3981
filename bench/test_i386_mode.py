#!/usr/bin/python3
"""Checks i386_mode.py: the binfmt_misc reading on made-up entries, the probe's verdict on programs
the kernel hands to an interpreter or refuses, and the live verdict against this machine's binfmt_misc.

Usage: test_i386_mode.py
"""
import os
import stat
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import i386_mode  # noqa: E402

# binfmt_misc entries as the kernel prints them (the i386 one as QEMU's own registration script makes it).
QEMU_I386 = """enabled
interpreter /usr/bin/qemu-i386
flags: OCF
offset 0
magic 7f454c4601010100000000000000000002000300
mask fffffffffffefe00fffffffffffffffffeffffff
"""
QEMU_ARM = """enabled
interpreter /usr/bin/qemu-arm
flags: OCF
offset 0
magic 7f454c4601010100000000000000000002002800
mask ffffffffffffff00fffffffffffffffffeffffff
"""
QEMU_X86_64 = """enabled
interpreter /usr/bin/qemu-x86_64
flags: OCF
offset 0
magic 7f454c4602010100000000000000000002003e00
mask fffffffffffefe00fffffffffffffffffeffffff
"""


def Executable(folder, name, content, mode="w"):
    path = os.path.join(folder, name)
    with open(path, mode) as out:
        out.write(content)
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)
    return path


class BinfmtReading(unittest.TestCase):
    def Folder(self, status="enabled", **entries):
        holder = tempfile.TemporaryDirectory(prefix="binfmt-")
        self.addCleanup(holder.cleanup)
        folder = holder.name
        with open(os.path.join(folder, "status"), "w") as out:
            out.write(status + "\n")
        with open(os.path.join(folder, "register"), "w") as out:
            out.write("")
        for name, text in entries.items():
            with open(os.path.join(folder, name.replace("_", "-")), "w") as out:
                out.write(text)
        return folder

    def testEnabledI386EntryIsFound(self):
        folder = self.Folder(qemu_arm=QEMU_ARM, qemu_i386=QEMU_I386)
        self.assertEqual(i386_mode.BinfmtI386Interpreters(folder), ["/usr/bin/qemu-i386"])

    def testDisabledEntryIsNot(self):
        folder = self.Folder(qemu_i386=QEMU_I386.replace("enabled", "disabled", 1))
        self.assertEqual(i386_mode.BinfmtI386Interpreters(folder), [])

    def testBinfmtMiscSwitchedOffTakesNothing(self):
        folder = self.Folder(status="disabled", qemu_i386=QEMU_I386)
        self.assertEqual(i386_mode.BinfmtI386Interpreters(folder), [])

    def testOtherMachinesAreNotI386(self):
        folder = self.Folder(qemu_arm=QEMU_ARM, qemu_x86_64=QEMU_X86_64)
        self.assertEqual(i386_mode.BinfmtI386Interpreters(folder), [])

    def testMagicAtAnotherOffsetIsNotAnElfHeader(self):
        folder = self.Folder(odd=QEMU_I386.replace("offset 0", "offset 4"))
        self.assertEqual(i386_mode.BinfmtI386Interpreters(folder), [])

    def testEntryUnderAnyNameCounts(self):
        folder = self.Folder(box=QEMU_I386.replace("/usr/bin/qemu-i386", "/opt/emu/run32"))
        self.assertEqual(i386_mode.BinfmtI386Interpreters(folder), ["/opt/emu/run32"])

    def testNoBinfmtMiscAtAll(self):
        self.assertEqual(i386_mode.BinfmtI386Interpreters("/nonexistent/binfmt_misc"), [])


class ProbeVerdict(unittest.TestCase):
    """RunProbe on programs that stand in for the probe. A script is run by the interpreter its first
    line names, just as binfmt_misc hands an i386 ELF to qemu-i386: /proc/PID/exe is the interpreter."""

    def setUp(self):
        holder = tempfile.TemporaryDirectory(prefix="probe-")
        self.addCleanup(holder.cleanup)
        self.folder = holder.name

    def testProgramRunByAnInterpreterIsEmulated(self):
        probe = Executable(self.folder, "probe", "#!/bin/sh\nsleep 0.3\nexit 7\n")
        mode, detail = i386_mode.RunProbe(probe)
        self.assertEqual(mode, "emulated")
        self.assertIn(os.path.realpath("/bin/sh"), detail)

    def testProbeThatEndsOtherwiseMeansNone(self):
        probe = Executable(self.folder, "probe", "#!/bin/sh\nexit 3\n")
        self.assertEqual(i386_mode.RunProbe(probe)[0], "none")

    def testFileTheKernelCannotStartMeansNone(self):
        probe = Executable(self.folder, "probe", b"\x7fELF\x01\x01\x01" + bytes(64), mode="wb")
        mode, detail = i386_mode.RunProbe(probe)
        self.assertEqual(mode, "none")
        self.assertIn("does not start", detail)

    def testRealProbeExitsWithItsCode(self):
        probe = i386_mode.BuildProbe(self.folder)
        if probe is None:
            self.skipTest("no i386 assembler and linker")
        mode, detail = i386_mode.RunProbe(probe)
        # Wherever it runs, it runs to its end with 7, unless no 32-bit code runs at all.
        if mode == "none":
            self.assertIn("does not start", detail)
        else:
            self.assertIn(mode, ("native", "emulated"))


class LiveVerdict(unittest.TestCase):
    def testVerdictAgreesWithBinfmtMisc(self):
        """An enabled binfmt_misc entry for i386 ELFs takes every 32-bit process: the probe must then
        say emulated; without one, it must not."""
        mode, detail = i386_mode.Mode()
        registered = i386_mode.BinfmtI386Interpreters()
        if registered:
            self.assertEqual(mode, "emulated", detail)
        else:
            self.assertIn(mode, ("native", "none"), detail)


if __name__ == "__main__":
    unittest.main()
