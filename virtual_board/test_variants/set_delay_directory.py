#!/usr/bin/env python3
"""Fills the delay-load directory of a test DLL linked by GNU ld, which
leaves it empty though the DLL holds delay-load descriptors (from dlltool's
delay-load library), as other linkers fill it: the virtual board reads that
directory to refuse a forward library that delay-loads k8055d.dll.

    set_delay_directory.py DLL
"""
import struct
import sys

import pefile

DELAY_IMPORT = 13
DESCRIPTOR_SIZE = 32
ADDRESSES_ARE_RVAS = 1


def is_descriptor(image, rva):
    """Whether a delay-load descriptor lies at rva: RVA attributes and the
    name of a .dll."""
    attributes, name = struct.unpack_from('<II', image, rva)
    end = image.find(b'\0', name) if attributes == ADDRESSES_ARE_RVAS and 0 < name < len(image) else -1
    return end > name and image[name:end].lower().endswith(b'.dll')


def descriptor_table(image):
    """The RVA and size of the descriptors, which dlltool's delay-load
    library leaves without an empty descriptor after them: code follows."""
    for rva in range(0, len(image) - DESCRIPTOR_SIZE, 4):
        if is_descriptor(image, rva):
            count = 1
            while is_descriptor(image, rva + DESCRIPTOR_SIZE * count):
                count += 1
            return rva, DESCRIPTOR_SIZE * count
    return None


def main(path):
    with open(path, 'rb') as file:
        pe = pefile.PE(data=file.read())
    table = descriptor_table(pe.get_memory_mapped_image())
    if table is None:
        sys.exit(f'{path}: no delay-load descriptor found')
    directory = pe.OPTIONAL_HEADER.DATA_DIRECTORY[DELAY_IMPORT]
    directory.VirtualAddress, directory.Size = table
    pe.write(path)


if __name__ == '__main__':
    main(sys.argv[1])
