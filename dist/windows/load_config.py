# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes _load_config_used (app/loadconfig.cpp) the program file's load configuration, which
GNU ld, unlike Microsoft's and LLVM's linkers, leaves unset: the data directory is pointed at
the structure, whose address the linker's map gives, with the size its first field says, as
Windows requires of a load configuration it uses. The file's checksum is then made anew, as
the linker made it for the file before.

   /usr/bin/python3 load_config.py PROGRAM.exe LINKER_MAP"""

import re
import sys

import pefile

program, linker_map = sys.argv[1:]
with open(linker_map, encoding="utf-8") as lines:
    address = int(re.search(r"^\s+0x([0-9a-f]+)\s+_load_config_used$", lines.read(),
                            re.MULTILINE).group(1), 16)
pe = pefile.PE(program, fast_load=True)
rva = address - pe.OPTIONAL_HEADER.ImageBase
directory = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
    pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG"]]
directory.VirtualAddress = rva
directory.Size = pe.get_dword_at_rva(rva)
patched = pefile.PE(data=pe.write(), fast_load=True)
pe.close()
patched.OPTIONAL_HEADER.CheckSum = patched.generate_checksum()
patched.write(program)
