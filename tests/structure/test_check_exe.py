#!/usr/bin/python3
"""Proves check_exe.py catches faults: damages copies of a built exe and expects each rejected.

Usage: test_check_exe.py EXE --bits 32|64
Every mutation must add a failure naming the damaged field that the intact exe
does not already have.
"""
import argparse
import os
import struct
import sys

import pefile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_exe  # noqa: E402


def DialogEntry(pe):
    """(language directory entry, file offset of the template) of the dialog."""
    for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if type_entry.id == check_exe.RT_DIALOG:
            language = type_entry.directory.entries[0].directory.entries[0]
            return language, pe.get_offset_from_rva(language.data.struct.OffsetToData)
    raise LookupError("no dialog resource")


def Poke(data, offset, fmt, value):
    struct.pack_into(fmt, data, offset, value)


def SetPopupStyle(data, pe):
    _, at = DialogEntry(pe)
    Poke(data, at, "<I", struct.unpack_from("<I", data, at)[0] | check_exe.WS_POPUP)


def SwapFirstPathEditId(data, pe):
    entry, at = DialogEntry(pe)
    template = bytes(data[at:at + entry.data.struct.Size])
    item = check_exe.ParseDialog(template)["items"][2]  # copy 1's path edit, id 1
    Poke(data, at + item["offset"] + 16, "<H", 2)


def ChangeBuildNumber(data, pe):
    old = "Build: 040803".encode("utf-16-le")
    at = data.index(old)
    data[at:at + len(old)] = "Build: 040830".encode("utf-16-le")


def TagDialogSpanish(data, pe):
    entry, _ = DialogEntry(pe)
    Poke(data, entry.struct.get_file_offset(), "<I", 0x080A)


def ImportWideMessageBox(data, pe):
    at = data.index(b"MessageBoxA\0")
    data[at + len("MessageBox")] = ord("W")


def ZeroIconDepth(data, pe):
    for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if type_entry.id == check_exe.RT_GROUP_ICON:
            group = type_entry.directory.entries[0].directory.entries[0].data.struct
            at = pe.get_offset_from_rva(group.OffsetToData)
            Poke(data, at + 6 + 6, "<H", 0)  # first entry's wBitCount
            return
    raise LookupError("no icon group")


def PadOverBudget(data, pe):
    data.extend(bytes(check_exe.SIZE_BUDGET))


MUTATIONS = [  # (name, damage, text the new failure must contain, bitness it applies to)
    ("dialog gains WS_POPUP", SetPopupStyle, "dialog style", (32, 64)),
    ("path edit 1 carries id 2", SwapFirstPathEditId, "dialog control 3 (EDIT '') id", (32, 64)),
    ("FileVersion build number", ChangeBuildNumber, "version FileVersion", (32, 64)),
    ("dialog tagged 0x080A", TagDialogSpanish, "resource 5/SETUPDIALOG languages", (32, 64)),
    ("MessageBoxW imported", ImportWideMessageBox, "MessageBoxW", (32, 64)),
    ("icon depth zeroed", ZeroIconDepth, "icon group 500 entry 1", (32, 64)),
    ("exe over 16 KiB", PadOverBudget, "size", (32,)),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("--bits", type=int, choices=(32, 64), required=True)
    args = parser.parse_args()
    with open(args.exe, "rb") as file:
        intact = file.read()
    before = set(check_exe.Check(intact, args.bits))
    pe = pefile.PE(data=intact)
    missed = 0
    for name, damage, expected, bitnesses in MUTATIONS:
        if args.bits not in bitnesses:
            continue
        data = bytearray(intact)
        damage(data, pe)
        new = [f for f in check_exe.Check(bytes(data), args.bits) if f not in before]
        caught = any(expected in f for f in new)
        print("%s %s: %s" % ("ok  " if caught else "MISS", name, new or "no new failure"))
        missed += not caught
    if missed:
        print("%d mutation(s) not caught (each needed a new failure naming the damaged field)" % missed)
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
