#!/usr/bin/env python3
"""Write the stroke class table the rhyme codes read: for every GB2312
character, the classes of its first strokes (at most five) as keys of the
five-class stroke table: m 横, / 竖, , 撇, . 点, n 折.

The classes come from stroke5.db of Debian's ibus-table-stroke5 package
(ibus-table-chinese, GPL-3.0-only), its longest key of each single
character. Only this small derived table is kept in the project
(tools/stroke_classes.txt), so that making the dictionary tables does not
depend on that package staying in the archive at one version:

    apt-get download ibus-table-stroke5 && dpkg-deb -x ibus-table-stroke5_*.deb x
    python3 tools/gen_stroke_classes.py x/usr/share/ibus-table/tables/stroke5.db
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_dict_sources  # noqa: E402
import rhyme_corners  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "stroke_classes.txt")
HEADER = """\
# The classes of the first strokes (at most five) of each GB2312 character:
# m 横, / 竖, , 撇, . 点, n 折. Derived by tools/gen_stroke_classes.py from
# stroke5.db of Debian's ibus-table-stroke5 1.8.12-1 (ibus-table-chinese;
# Copyright Yu Yuwei, Caius Chance, Ding-Yi Chen, Mike FABIAN;
# GPL-3.0-only). Only the classes are kept.
"""


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("stroke5_db")
    ap.add_argument("--out", default=OUT)
    args = ap.parse_args()
    keys = rhyme_corners.read_stroke_keys(args.stroke5_db)
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER)
        for ch in gen_dict_sources.gb2312_characters():
            if ch in keys:
                f.write(f"{ch}\t{keys[ch]}\n")


if __name__ == "__main__":
    main()
