"""Copies a program with its application manifest (RT_MANIFEST 1, the one
Windows reads for a process) renumbered 2, which Windows ignores in an
.exe: the program as it would be without its manifest, all else the same.
    without_manifest.py PROGRAM COPY"""
import sys

import pefile

RT_MANIFEST = 24
program, copy = sys.argv[1:3]
pe = pefile.PE(program)
manifests = [t for t in pe.DIRECTORY_ENTRY_RESOURCE.entries if t.id == RT_MANIFEST]
if len(manifests) != 1 or [e.id for e in manifests[0].directory.entries] != [1]:
    sys.exit(f"{program}: no manifest 1 alone")
manifests[0].directory.entries[0].struct.Name = 2
pe.write(copy)
