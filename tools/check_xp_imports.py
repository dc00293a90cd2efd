#!/usr/bin/python3
"""Checks that PE files load on 32-bit Windows XP SP3. Lists each file's
imports, then fails it for an import from a DLL that is not a system DLL of
Windows XP, for a function of tools/post_xp_imports.txt (functions added
after Windows XP), and for a subsystem version above XP's 5.1, which XP's
loader refuses.

    tools/check_xp_imports.py FILE...

Exit status 0 when every file passes, 1 when one fails, 2 when one cannot
be read as a 32-bit PE file.
"""
import os
import sys
import textwrap

import pefile

XP_SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
    "oleaut32.dll", "psapi.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "version.dll", "winmm.dll",
    "ws2_32.dll",
}
XP_SUBSYSTEM_VERSION = (5, 1)
LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "post_xp_imports.txt")


def post_xp_functions():
    """{"dll!function" in lower case: the Windows version that added it}."""
    functions = {}
    with open(LIST) as file:
        for line in file:
            if line.strip() and not line.startswith("#"):
                entry, version = line.rstrip("\n").split(" ", 1)
                functions[entry.lower()] = version
    return functions


def imports(pe):
    """[(dll, [function names, "#ordinal" for one imported by ordinal])]."""
    return [(entry.dll.decode(), [i.name.decode() if i.name else f"#{i.ordinal}" for i in entry.imports])
            for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]


def check(path, post_xp):
    """Prints the file's imports and its faults; returns the faults."""
    pe = pefile.PE(path)
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        raise pefile.PEFormatError("not a 32-bit x86 file")
    header = pe.OPTIONAL_HEADER
    subsystem = (header.MajorSubsystemVersion, header.MinorSubsystemVersion)
    print(f"{path}: subsystem version {subsystem[0]}.{subsystem[1]}")
    faults = []
    if subsystem > XP_SUBSYSTEM_VERSION:
        faults.append(f"subsystem version {subsystem[0]}.{subsystem[1]} is above Windows XP's 5.1")
    for dll, functions in imports(pe):
        print(textwrap.fill(" ".join(functions), width=100, initial_indent=f"  {dll}: ",
                            subsequent_indent="    ", break_on_hyphens=False))
        if dll.lower() not in XP_SYSTEM_DLLS:
            faults.append(f"{dll} is not a system DLL of Windows XP")
        for function in functions:
            version = post_xp.get(f"{dll}!{function}".lower())
            if version:
                faults.append(f"{dll}!{function} came with {version}")
    for fault in faults:
        print(f"  FAIL: {fault}")
    print("  passes" if not faults else "  fails")
    return faults


def main(paths):
    if not paths:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    post_xp = post_xp_functions()
    failed = False
    for path in paths:
        try:
            failed |= bool(check(path, post_xp))
        except (OSError, pefile.PEFormatError) as error:
            print(f"{path}: cannot be read as a 32-bit PE file: {error}", file=sys.stderr)
            return 2
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
