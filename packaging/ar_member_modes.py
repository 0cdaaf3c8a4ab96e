#!/usr/bin/env python3
"""Gives every member of an ar archive (a .deb) mode 644, in place.

  ar_member_modes.py DEB...

Each member has a header of 60 bytes: name (16), time (12), owner (6), group
(6), mode (8, octal text), size (10, decimal text), "`\\n"; its bytes follow,
padded to an even length. Exits 1, naming the file, on anything else.
"""
import sys


def fix(path):
    with open(path, "r+b") as f:
        data = f.read()
        if not data.startswith(b"!<arch>\n"):
            sys.exit(f"{path}: not an ar archive")
        at = 8
        while at < len(data):
            header = data[at:at + 60]
            if len(header) != 60 or header[58:60] != b"`\n" or not header[48:58].strip().isdigit():
                sys.exit(f"{path}: damaged ar member header at byte {at}")
            size = int(header[48:58])
            f.seek(at + 40)
            f.write(b"100644  ")
            at += 60 + size + (size & 1)


if __name__ == "__main__":
    for deb in sys.argv[1:]:
        fix(deb)
