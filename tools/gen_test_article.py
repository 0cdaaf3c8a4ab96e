#!/usr/bin/env python3
"""Write the default test article: poems of 唐诗三百首 as Debian's fortunes-zh
package ships them (/usr/share/games/fortunes/tang300.u8), in GBK.

  gen_test_article.py OUTPUT.txt [--chars N]

Takes whole poems, title and poet first, until about N Chinese characters.
Only the characters a test file keeps are written (GB2312 hanzi of rows up to
0xF0) with the punctuation "，。、" between them, so the conversion reads every
character on its boundary.
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


def kept(ch):
    try:
        b = ch.encode("gbk")
    except UnicodeEncodeError:
        return False
    return len(b) == 2 and (0xB0 <= b[0] <= 0xF0 and 0xA1 <= b[1] <= 0xFE or ch in "，。、")


def clean(line):
    return "".join(ch for ch in line if kept(ch))


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
        title, poet, body = lines[0], lines[1].replace("作者：", ""), lines[2:]
        chunk = [clean(title) + "，" + clean(poet) + "。"] + [clean(l) for l in body]
        out.append("\r\n".join(chunk).encode("gbk"))
        count += sum(1 for ch in "".join(body) if "\u4e00" <= ch <= "\u9fff")
        if count >= args.chars:
            break
    with open(args.output, "wb") as f:
        f.write(b"\r\n\r\n".join(out) + b"\r\n")


if __name__ == "__main__":
    main()
