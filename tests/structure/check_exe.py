#!/usr/bin/python3
"""Structural checks of a built Corvanta.exe: headers, imports, resources and size.

Usage: check_exe.py EXE --bits 32|64 [--tree NAME] [--size-only]
Prints the size, then every failure with what was found and what was expected;
exits 1 when anything fails.  pefile reads the headers and the resource tree;
the dialog template and the version block are parsed here, byte by byte, because
pefile does not parse dialogs and loses the order of the version strings.
"""
import argparse
import struct
import sys

import pefile

SIZE_BUDGET = 16 * 1024  # bytes, for the shipped 32-bit exe

# Window, dialog and control styles used below.
WS_POPUP = 0x80000000  # left out of the dialog style on purpose; the exact match rejects it
WS_CHILD = 0x40000000
WS_VISIBLE = 0x10000000
WS_CAPTION = 0x00C00000
WS_BORDER = 0x00800000
WS_SYSMENU = 0x00080000
WS_GROUP = 0x00020000
WS_TABSTOP = 0x00010000
DS_SETFONT = 0x40
DS_MODALFRAME = 0x80
DS_CENTER = 0x800
BS_PUSHBUTTON = 0
BS_DEFPUSHBUTTON = 1
BS_GROUPBOX = 7
SS_LEFT = 0
ES_AUTOHSCROLL = 0x80

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24
LANGUAGE = 1033  # English (United States), the tag of every resource

MACHINES = {32: (0x014C, 0x10B, "i386, PE32"), 64: (0x8664, 0x20B, "AMD64, PE32+")}
# The file chooser's comdlg32 is loaded on first use, by name, not imported.
DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll"}
RUNTIME_SECTIONS = {".ctors", ".dtors", ".crt", ".tls"}

CLASS_ATOMS = {0x0080: "BUTTON", 0x0081: "EDIT", 0x0082: "STATIC"}

DIALOG_NAME = "SETUPDIALOG"
DIALOG_STYLE = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME | DS_SETFONT
# Texts are the program's code page 1252 bytes, decoded for comparison with the stored UTF-16.
DIALOG_CAPTION = b"Configuraci\xF3n de Corvanta".decode("cp1252")
DIALOG_FONT = (8, "MS Sans Serif")


def ExpectedControls():
    """The 26 controls in template order: (id, class, text, x, y, cx, cy, style beyond WS_CHILD|WS_VISIBLE)."""
    controls = []
    for k in range(1, 5):
        d = 48 * (k - 1)
        controls += [
            (65535, "BUTTON", "Copia %d del SUA" % k, 5, 2 + d, 292, 45, BS_GROUPBOX),
            (65535, "STATIC", "Ruta:", 14, 14 + d, 40, 10, SS_LEFT | WS_GROUP),
            (3 * k - 2, "EDIT", "", 60, 12 + d, 212, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
            (3 * k - 1, "BUTTON", "...", 276, 12 + d, 14, 12, BS_PUSHBUTTON | WS_TABSTOP),
            (65535, "STATIC", b"Descripci\xF3n:".decode("cp1252"), 14, 30 + d, 40, 10, SS_LEFT | WS_GROUP),
            (3 * k, "EDIT", "", 60, 28 + d, 230, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
        ]
    controls += [
        (13, "BUTTON", "&Aceptar", 172, 196, 60, 16, BS_DEFPUSHBUTTON | WS_TABSTOP),
        (14, "BUTTON", "&Cancelar", 237, 196, 60, 16, BS_PUSHBUTTON | WS_TABSTOP),
    ]
    return controls


VERSION_MS, VERSION_LS = (1 << 16) | 26, (4 << 16) | 2004  # 1.26.4.2004
VERSION_FIXED = [  # (field, index among the VS_FIXEDFILEINFO DWORDs, expected)
    ("signature", 0, 0xFEEF04BD),
    ("file version (high)", 2, VERSION_MS),
    ("file version (low)", 3, VERSION_LS),
    ("product version (high)", 4, VERSION_MS),
    ("product version (low)", 5, VERSION_LS),
    ("file flags mask", 6, 0),
    ("file flags", 7, 0),
    ("file OS", 8, 0x4),  # VOS__WINDOWS32
    ("file type", 9, 0x1),  # VFT_APP
    ("file subtype", 10, 0),
    ("file date (high)", 11, 0),
    ("file date (low)", 12, 0),
]
STRING_TABLE = "080A04E4"  # Spanish (Mexico), code page 1252
# In stored order, each with its exact text, NONEMPTY for any text but "", or None for any text.
NONEMPTY = object()
VERSION_STRINGS = [
    ("CompanyName", NONEMPTY),
    ("FileDescription", "Maneja varias copias del WinSUA"),
    ("FileVersion", "Corvanta  Build: 040803"),
    ("ProductVersion", "Version 1.0"),
    ("InternalName", "Corvanta"),
    ("OriginalFilename", "Corvanta.exe"),
    ("ProductName", "Corvanta"),
    ("LegalCopyright", None),
    ("Comments", None),
]
TRANSLATION = (0x080A, 1252)


class Failures(list):
    """Failure lines, each naming the field with what was found and what was expected."""

    def Expect(self, what, got, expected, hexadecimal=False):
        if got != expected:
            self.append("%s: got %s, expected %s" % (what, Show(got, hexadecimal), Show(expected, hexadecimal)))

    def Check(self, what, ok, detail):
        if not ok:
            self.append("%s: %s" % (what, detail))


def Show(value, hexadecimal):
    return "0x%X" % value if hexadecimal and isinstance(value, int) else repr(value)


# ---- byte readers -----------------------------------------------------------

def ReadText(data, pos):
    """A zero-terminated UTF-16LE text at pos: (text, position after the terminator)."""
    end = pos
    while data[end:end + 2] != b"\0\0":
        end += 2
        if end >= len(data):
            raise ValueError("unterminated UTF-16 text at %d" % pos)
    return data[pos:end].decode("utf-16-le"), end + 2


def ReadSzOrOrd(data, pos):
    """A dialog sz_Or_Ord field: an int for an ordinal (0xFFFF, n), else the text."""
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    return ReadText(data, pos)


def Align4(pos):
    return (pos + 3) & ~3


# ---- dialog template --------------------------------------------------------

def ParseDialog(data):
    """A classic DLGTEMPLATE and its DLGITEMTEMPLATEs, as dictionaries; item offsets kept."""
    style, exstyle, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data, 0)
    pos = 18
    menu, pos = ReadSzOrOrd(data, pos)
    klass, pos = ReadSzOrOrd(data, pos)
    caption, pos = ReadText(data, pos)
    font = None
    if style & DS_SETFONT:
        (points,) = struct.unpack_from("<H", data, pos)
        name, pos = ReadText(data, pos + 2)
        font = (points, name)
    dialog = dict(style=style, exstyle=exstyle, count=count, rect=(x, y, cx, cy),
                  menu=menu, klass=klass, caption=caption, font=font, items=[])
    for _ in range(count):
        pos = Align4(pos)
        start = pos
        istyle, iexstyle, ix, iy, icx, icy, iid = struct.unpack_from("<IIhhhhH", data, pos)
        pos += 18
        iclass, pos = ReadSzOrOrd(data, pos)
        text, pos = ReadSzOrOrd(data, pos)
        (extra,) = struct.unpack_from("<H", data, pos)
        pos += 2 + extra
        dialog["items"].append(dict(offset=start, style=istyle, exstyle=iexstyle,
                                    rect=(ix, iy, icx, icy), id=iid, klass=iclass,
                                    text=text, extra=extra))
    return dialog


def ClassName(klass):
    if isinstance(klass, int):
        return CLASS_ATOMS.get(klass, "atom 0x%04X" % klass)
    return klass.upper()


def CheckDialog(failures, data):
    (first,) = struct.unpack_from("<I", data, 0)
    if first == 0xFFFF0001:
        failures.append("dialog: stored as an extended template (DLGTEMPLATEEX), expected the classic form")
        return
    try:
        dialog = ParseDialog(data)
    except (ValueError, struct.error, UnicodeDecodeError) as error:
        failures.append("dialog: template does not parse: %s" % error)
        return
    failures.Expect("dialog style", dialog["style"], DIALOG_STYLE, hexadecimal=True)
    failures.Expect("dialog extended style", dialog["exstyle"], 0, hexadecimal=True)
    failures.Expect("dialog position and size", dialog["rect"], (10, 10, 302, 216))
    failures.Expect("dialog menu", dialog["menu"], "")
    failures.Expect("dialog class", dialog["klass"], "")
    failures.Expect("dialog caption", dialog["caption"], DIALOG_CAPTION)
    failures.Expect("dialog font", dialog["font"], DIALOG_FONT)
    expected = ExpectedControls()
    failures.Expect("dialog control count", dialog["count"], len(expected))
    for index, (item, want) in enumerate(zip(dialog["items"], expected), 1):
        wid, wclass, wtext, wx, wy, wcx, wcy, wstyle = want
        label = "dialog control %d (%s %r)" % (index, wclass, wtext)
        failures.Expect(label + " id", item["id"], wid)
        failures.Expect(label + " class", ClassName(item["klass"]), wclass)
        failures.Expect(label + " text", item["text"], wtext)
        failures.Expect(label + " rectangle", item["rect"], (wx, wy, wcx, wcy))
        failures.Expect(label + " style", item["style"], WS_CHILD | WS_VISIBLE | wstyle, hexadecimal=True)
        failures.Expect(label + " extended style", item["exstyle"], 0, hexadecimal=True)
        failures.Expect(label + " creation data bytes", item["extra"], 0)


# ---- version block ----------------------------------------------------------

def ParseVersionNode(data, pos):
    """One VS_VERSIONINFO-style node: dict(key, type, value bytes, children), and its end."""
    length, value_length, kind = struct.unpack_from("<HHH", data, pos)
    if length < 6 or pos + length > len(data):
        raise ValueError("node at %d has length %d" % (pos, length))
    end = pos + length
    key, cursor = ReadText(data, pos + 6)
    cursor = Align4(cursor)
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[cursor:min(cursor + value_bytes, end)]
    cursor = Align4(cursor + value_bytes)
    children = []
    while cursor < end:
        child, cursor = ParseVersionNode(data, cursor)
        children.append(child)
        cursor = Align4(cursor)
    return dict(key=key, type=kind, value=value, children=children), end


def NodeText(node):
    return node["value"].decode("utf-16-le").split("\0")[0]


def CheckVersion(failures, data):
    try:
        root, _ = ParseVersionNode(data, 0)
    except (ValueError, struct.error, UnicodeDecodeError) as error:
        failures.append("version block: does not parse: %s" % error)
        return
    failures.Expect("version block key", root["key"], "VS_VERSION_INFO")
    if len(root["value"]) < 52:
        failures.append("version block: fixed file info is %d bytes, expected 52" % len(root["value"]))
    else:
        fixed = struct.unpack_from("<13I", root["value"])
        for field, index, want in VERSION_FIXED:
            failures.Expect("version " + field, fixed[index], want, hexadecimal=True)

    blocks = {child["key"]: child for child in root["children"]}
    failures.Expect("version blocks", sorted(blocks), ["StringFileInfo", "VarFileInfo"])
    if "StringFileInfo" in blocks:
        tables = blocks["StringFileInfo"]["children"]
        failures.Expect("version string tables", [t["key"].upper() for t in tables], [STRING_TABLE])
        if tables:
            strings = tables[0]["children"]
            failures.Expect("version string names, in order", [s["key"] for s in strings],
                            [name for name, _ in VERSION_STRINGS])
            found = {s["key"]: NodeText(s) for s in strings}
            for name, want in VERSION_STRINGS:
                if name not in found or want is None:
                    continue
                if want is NONEMPTY:
                    failures.Check("version " + name, found[name] != "", "is empty")
                else:
                    failures.Expect("version " + name, found[name], want)
    if "VarFileInfo" in blocks:
        entries = blocks["VarFileInfo"]["children"]
        failures.Expect("version VarFileInfo entries", [e["key"] for e in entries], ["Translation"])
        if entries:
            value = entries[0]["value"]
            pairs = [struct.unpack_from("<HH", value, i) for i in range(0, len(value) - 3, 4)]
            failures.Expect("version translation", pairs, [TRANSLATION])


# ---- icons ------------------------------------------------------------------

def CheckIcons(failures, pe, resources):
    groups = resources.get(RT_GROUP_ICON, {})
    failures.Expect("icon groups", sorted(groups, key=str), [500])
    if 500 not in groups:
        return
    data = groups[500]
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    failures.Expect("icon group 500 header (reserved, type)", (reserved, kind), (0, 1))
    failures.Expect("icon group 500 image count", count, 2)
    images = resources.get(RT_ICON, {})
    depths = []
    for index in range(count):
        width, height, colours, _, planes, bits, size, image_id = struct.unpack_from(
            "<BBBBHHIH", data, 6 + 14 * index)
        label = "icon group 500 entry %d" % (index + 1)
        failures.Expect(label + " size", (width, height), (32, 32))
        failures.Expect(label + " planes", planes, 1)
        failures.Check(label + " depth", bits in (4, 8), "got %d bits per pixel, expected 4 or 8" % bits)
        failures.Expect(label + " colour count", colours, {4: 16, 8: 0}.get(bits, colours))
        depths.append(bits)
        if image_id not in images:
            failures.append("%s: icon image %d is missing" % (label, image_id))
            continue
        image = images[image_id]
        failures.Expect(label + " byte count", size, len(image))
        header = struct.unpack_from("<IiiHHI", image, 0)
        failures.Expect(label + " image header (size, width, height, planes, bits, compression)",
                        header, (40, 32, 64, 1, bits, 0))
        # Header, palette, 32 rows of colour, then the 1-bpp mask with rows padded to 4 bytes.
        if bits in (4, 8):
            failures.Expect(label + " image bytes", len(image),
                            40 + 4 * (1 << bits) + 32 * 32 * bits // 8 + 32 * 4)
    failures.Expect("icon group 500 depths", sorted(depths), [4, 8])
    listed = {struct.unpack_from("<H", data, 6 + 14 * i + 12)[0] for i in range(count)}
    failures.Expect("icon images", sorted(images, key=str), sorted(listed))


# ---- the whole file ---------------------------------------------------------

def ReadResources(failures, pe):
    """{type: {name: bytes}}, checking every entry's language on the way."""
    resources = {}
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    if directory is None:
        failures.append("resources: none")
        return resources
    for type_entry in directory.entries:
        kind = type_entry.id if type_entry.name is None else str(type_entry.name)
        for name_entry in type_entry.directory.entries:
            name = name_entry.id if name_entry.name is None else str(name_entry.name)
            languages = name_entry.directory.entries
            failures.Expect("resource %s/%s languages" % (kind, name),
                            [lang.id for lang in languages], [LANGUAGE])
            if languages:
                entry = languages[0].data.struct
                resources.setdefault(kind, {})[name] = pe.get_data(entry.OffsetToData, entry.Size)
    return resources


def CheckHeaders(failures, pe, bits):
    machine, magic, label = MACHINES[bits]
    failures.Expect("machine (%s)" % label, pe.FILE_HEADER.Machine, machine, hexadecimal=True)
    failures.Expect("optional header magic (%s)" % label, pe.OPTIONAL_HEADER.Magic, magic, hexadecimal=True)
    failures.Expect("subsystem (2 = Windows GUI)", pe.OPTIONAL_HEADER.Subsystem, 2)
    names = [s.Name.rstrip(b"\0").decode("latin-1") for s in pe.sections]
    stray = [n for n in names if n.lower() in RUNTIME_SECTIONS]
    failures.Expect("start-up library sections", stray, [])
    failures.Check("TLS directory", not hasattr(pe, "DIRECTORY_ENTRY_TLS"), "present")
    entry = pe.OPTIONAL_HEADER.AddressOfEntryPoint
    text = [s for s in pe.sections if s.Name.rstrip(b"\0") == b".text"]
    failures.Check("entry point", bool(text) and text[0].contains_rva(entry),
                   "0x%X is not inside .text (sections %s)" % (entry, names))


def CheckImports(failures, pe):
    imported = getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
    dlls = [d.dll.decode("latin-1").lower() for d in imported]
    failures.Expect("imported DLLs", sorted(dlls), sorted(DLLS))
    for d in imported:
        dll = d.dll.decode("latin-1")
        for symbol in d.imports:
            if symbol.name is None:
                failures.append("import %s ordinal %d: imported by ordinal, expected by name" % (dll, symbol.ordinal))
                continue
            name = symbol.name.decode("latin-1")
            failures.Check("import %s!%s" % (dll, name), not name.endswith("W"), "a wide-character entry point")


def Check(data, bits):
    """Every failure found in the exe image `data` built for `bits` (32 or 64)."""
    failures = Failures()
    try:
        pe = pefile.PE(data=data)
    except pefile.PEFormatError as error:
        return ["not a PE file: %s" % error]
    CheckHeaders(failures, pe, bits)
    CheckImports(failures, pe)
    resources = ReadResources(failures, pe)
    failures.Expect("resource types", sorted(resources, key=str),
                    sorted([RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION], key=str))
    failures.Check("manifest", RT_MANIFEST not in resources, "an RT_MANIFEST resource is present")
    CheckIcons(failures, pe, resources)
    dialogs = resources.get(RT_DIALOG, {})
    failures.Expect("dialog templates", sorted(dialogs, key=str), [DIALOG_NAME])
    if DIALOG_NAME in dialogs:
        CheckDialog(failures, dialogs[DIALOG_NAME])
    versions = resources.get(RT_VERSION, {})
    failures.Expect("version resources", len(versions), 1)
    for block in versions.values():
        CheckVersion(failures, block)
    if bits == 32:
        failures.Check("size", len(data) <= SIZE_BUDGET,
                       "%d bytes, over the budget of %d" % (len(data), SIZE_BUDGET))
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("--bits", type=int, choices=(32, 64), required=True)
    parser.add_argument("--tree", help="build tree named in the size line (default win32/win64)")
    parser.add_argument("--size-only", action="store_true", help="print the size line and stop")
    args = parser.parse_args()
    with open(args.exe, "rb") as file:
        data = file.read()
    print("Corvanta.exe (%s): %d bytes" % (args.tree or "win%d" % args.bits, len(data)))
    if args.size_only:
        return 0
    failures = Check(data, args.bits)
    for failure in failures:
        print("FAIL " + failure)
    if failures:
        print("%d structural check(s) failed" % len(failures))
        return 1
    print("all structural checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
