#!/usr/bin/env python3
"""Gives every text file below a folder Windows line ends (CR LF), so that
every Notepad shows it as written, or checks that each has them. A text
file is one whose bytes hold no NUL and read as UTF-8; programs, libraries
and pictures are not text.

    text_line_ends.py FOLDER            every line end of every text file becomes CR LF
    text_line_ends.py --check FOLDER    fails on a text file with any other line end
"""
import os
import sys


def text_files(folder):
    for base, _, names in sorted(os.walk(folder)):
        for name in sorted(names):
            path = os.path.join(base, name)
            with open(path, "rb") as file:
                content = file.read()
            if b"\0" in content:
                continue
            try:
                content.decode("utf-8")
            except UnicodeDecodeError:
                continue
            yield path, content


def windows_line_ends(content):
    return content.replace(b"\r\n", b"\n").replace(b"\r", b"\n").replace(b"\n", b"\r\n")


def main(arguments):
    check = arguments[:1] == ["--check"]
    if check:
        arguments = arguments[1:]
    if len(arguments) != 1:
        sys.exit(__doc__.strip())
    folder = arguments[0]
    files = list(text_files(folder))
    if not files:
        sys.exit(f"text_line_ends.py: no text file in {folder}")
    wrong = [path for path, content in files if windows_line_ends(content) != content]
    if check:
        for path in wrong:
            print(f"{os.path.relpath(path, folder)}: a line end other than CR LF", file=sys.stderr)
        if wrong:
            sys.exit(1)
        print(f"{len(files)} text files, every line end CR LF: "
              + ", ".join(os.path.relpath(path, folder) for path, _ in files))
        return
    for path, content in files:
        if path in wrong:
            with open(path, "wb") as file:
                file.write(windows_line_ends(content))


if __name__ == "__main__":
    main(sys.argv[1:])
