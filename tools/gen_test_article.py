#!/usr/bin/env python3
"""Write the default test article: poems of 唐诗三百首 as Debian's fortunes-zh
package ships them (/usr/share/games/fortunes/tang300.u8), in GBK.

  gen_test_article.py OUTPUT.txt [--chars N]

Takes whole poems as they stand, title and poet first, until about N Chinese
characters of verse; the conversion reads whole characters, so the poems keep
their punctuation (《》：，。？). The katakana middle dot of some titles is
written as the GBK middle dot "·"; any other character without a GBK form
becomes "?", which the conversion drops.
"""
import argparse
import re
import sys

SOURCE = "/usr/share/games/fortunes/tang300.u8"
ANSI = re.compile(r"\x1b\[[0-9;]*m")


def poems(text):
    for block in text.split("\n%\n"):
        lines = [ANSI.sub("", l).strip() for l in block.strip().splitlines()]
        lines = [l for l in lines if l]
        if len(lines) >= 3:
            yield lines


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("output")
    ap.add_argument("--chars", type=int, default=600)
    ap.add_argument("--source", default=SOURCE)
    args = ap.parse_args()
    try:
        text = open(args.source, encoding="utf-8").read()
    except OSError as e:
        sys.exit(f"{args.source}: {e} (install the fortunes-zh package)")
    out, count = [], 0
    for lines in poems(text):
        poem = "\r\n".join(lines).replace("\u30fb", "\u00b7")
        out.append(poem.encode("gbk", errors="replace"))
        count += sum(1 for ch in "".join(lines[2:]) if "\u4e00" <= ch <= "\u9fff")
        if count >= args.chars:
            break
    with open(args.output, "wb") as f:
        f.write(b"\r\n\r\n".join(out) + b"\r\n")


if __name__ == "__main__":
    main()
