#!/usr/bin/env python3
"""Packs a release folder into a zip archive whose bytes depend only on the
files' contents and names: entries in a fixed order (sorted by path, the
folder's name first), every entry with the same time (SOURCE_DATE_EPOCH, the
commit's time, as UTC) and the same mode, no extra fields.

    release_zip.py FOLDER ARCHIVE
"""
import os
import sys
import time
import zipfile

ZIP_EARLIEST = 315532800  # 1980-01-01 00:00:00 UTC, the first time a zip entry can hold


def main(folder, archive):
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        sys.exit("release_zip.py: SOURCE_DATE_EPOCH is not set")
    date_time = time.gmtime(max(int(epoch), ZIP_EARLIEST))[:6]
    root = os.path.basename(os.path.normpath(folder))
    paths = sorted(os.path.relpath(os.path.join(base, name), folder).replace(os.sep, "/")
                   for base, _, names in os.walk(folder) for name in names)
    with zipfile.ZipFile(archive, "w") as zip_file:
        for path in paths:
            entry = zipfile.ZipInfo(f"{root}/{path}", date_time)
            entry.create_system = 3  # Unix, so that the mode below is read
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, path), "rb") as file:
                zip_file.writestr(entry, file.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    main(*sys.argv[1:])
