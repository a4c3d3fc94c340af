# SPDX-License-Identifier: GPL-3.0-or-later
"""The built vertex2.exe as Windows reads it: a GUI program for x86-64 that needs no DLL but
Windows' own, and loads those from System32 alone, with high-entropy ASLR and DEP; its version
record, and its icon, the very image of assets/vertex2.ico.

   /usr/bin/python3 check_program_file.py VERTEX2_EXE VERSION ICON_FILE"""

import struct
import sys

import pefile

program, version, icon_file = sys.argv[1:]
failed = False


def check(what, holds, found=None):
    global failed
    failed |= not holds
    print(("ok: " if holds else "FAILED: ") + what + ("" if holds else f" (found {found!r})"))


pe = pefile.PE(program)
check("an x86-64 program", pe.FILE_HEADER.Machine == 0x8664, hex(pe.FILE_HEADER.Machine))
check("a GUI program, with no console", pe.OPTIONAL_HEADER.Subsystem == 2,
      pe.OPTIONAL_HEADER.Subsystem)

# Windows' own libraries: the system's, and its C run-time. No Qt, GMP, MPFR or compiler DLL.
# Qt 6.8 draws through Direct3D 12 where it can, which Windows has had since Windows 10.
WINDOWS = {"advapi32", "comdlg32", "d3d11", "d3d12", "d3d9", "dwmapi", "dwrite", "dxgi", "gdi32",
           "imm32", "kernel32", "msvcrt", "netapi32", "ole32", "oleaut32", "setupapi", "shell32",
           "shlwapi", "user32", "userenv", "uxtheme", "version", "winmm", "ws2_32", "wtsapi32",
           "authz", "comctl32", "mpr", "crypt32", "bcrypt", "ntdll", "secur32", "rpcrt4", "shcore"}
imported = sorted(entry.dll.decode().lower().removesuffix(".dll")
                  for entry in pe.DIRECTORY_ENTRY_IMPORT)
foreign = [dll for dll in imported if dll not in WINDOWS and not dll.startswith("api-ms-win-")]
check("only Windows' own DLLs: " + ", ".join(imported), not foreign, foreign)

# Those DLLs from System32 alone, never from the program's folder: the load configuration's
# DependentLoadFlags, which Windows' loader takes only from a structure that reaches GuardFlags
# (0x94 bytes) and whose size the data directory repeats, read at its offset (pefile names the
# field differently from one version to the next); and SetDefaultDllDirectories for what Qt
# loads later. Signing tools and scanners read the checksum, which the patch makes anew.
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
directory = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
    pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG"]]
size = directory.VirtualAddress and pe.get_dword_at_rva(directory.VirtualAddress)
check("a load configuration that reaches GuardFlags", size >= 0x94, size)
check("its data directory's size, its own", directory.Size == size, (directory.Size, size))
flags = size and pe.get_word_at_rva(directory.VirtualAddress + 0x4E)
check("DependentLoadFlags LOAD_LIBRARY_SEARCH_SYSTEM32", flags == LOAD_LIBRARY_SEARCH_SYSTEM32,
      flags)
check("a valid checksum", pe.verify_checksum(), pe.OPTIONAL_HEADER.CheckSum)
functions = {function.name.decode() for entry in pe.DIRECTORY_ENTRY_IMPORT
             if entry.dll.decode().lower() == "kernel32.dll"
             for function in entry.imports if function.name}
check("SetDefaultDllDirectories imported", "SetDefaultDllDirectories" in functions)
characteristics = pe.OPTIONAL_HEADER.DllCharacteristics
for name, bit in {"high-entropy ASLR": 0x20, "ASLR": 0x40, "DEP": 0x100}.items():
    check(name, characteristics & bit == bit, hex(characteristics))

# No folder of the machine that built it, which Windows would read on the program's own drive,
# where anyone may make it: Qt's prefix is left empty, and its paths are the program's (qt.conf).
contents = pe.__data__
prefix = contents.find(b"qt_prfxpath=")
check("no prefix of Qt's", prefix < 0 or contents[prefix + 12] == 0,
      contents[prefix:prefix + 80].split(b"\0")[0])
for folder in (b"/var/cache/", b"vertex2-windows", b"/root/", b"/tmp/"):
    check(f"no folder {folder.decode()} named", folder not in contents)

# The version record: the fixed numbers, the strings of the U.S. English, Unicode table and the
# translation that names it.
major, minor = (int(part) for part in version.split("."))
fixed = pe.VS_FIXEDFILEINFO[0]
for name in ("FileVersion", "ProductVersion"):
    numbers = (getattr(fixed, name + "MS"), getattr(fixed, name + "LS"))
    check(f"{name} {major},{minor},0,0", numbers == (major << 16 | minor, 0), numbers)
strings, translations = {}, []
for info in pe.FileInfo[0]:
    for table in getattr(info, "StringTable", []):
        strings[table.LangID.decode().upper()] = {
            key.decode(): value.decode() for key, value in table.entries.items()}
    for var in getattr(info, "Var", []):
        translations.append(var.entry.get(b"Translation"))
table = strings.get("040904B0", {})
check("a string table 040904B0", bool(table), sorted(strings))
for key, value in {"ProductName": "Vertex2", "InternalName": "Vertex2_1", "FileVersion": version,
                   "ProductVersion": version, "OriginalFilename": "vertex2.exe"}.items():
    check(f'{key} "{value}"', table.get(key) == value, table.get(key))
check("the translation 0409, 04B0", "0x0409 0x04b0" in translations, translations)

# The icon: one group of one 32 x 32, 16-colour image, the same bytes as the .ico file's.
resources = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}


def data_of(resource_type):
    entry = resources[resource_type].directory.entries[0].directory.entries[0]
    return pe.get_data(entry.data.struct.OffsetToData, entry.data.struct.Size)


group = data_of(pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
_, kind, count = struct.unpack_from("<HHH", group)
width, height, colours, _, planes, bits, size, _ = struct.unpack_from("<BBBBHHIH", group, 6)
check("one icon in the group", (kind, count) == (1, 1), (kind, count))
check("32 x 32 in 16 colours", (width, height, colours, bits) == (32, 32, 16, 4),
      (width, height, colours, bits))
with open(icon_file, "rb") as ico:
    icon = ico.read()
image_size, image_at = struct.unpack_from("<II", icon, 14)
check("the image of assets/vertex2.ico",
      data_of(pefile.RESOURCE_TYPE["RT_ICON"]) == icon[image_at:image_at + image_size])
sys.exit(1 if failed else 0)
