#!/usr/bin/env python3
"""Write the input-method help of the article test, data/files/tvm.rtf, as RTF
the way Chinese word processors write it: GBK bytes as \\'hh escapes, bold
headings, a colour table.

  gen_rtf_help.py OUTPUT.rtf
"""
import sys

TITLE = "Tarvo码文章练习 输入说明"
SECTIONS = [
    ("一、输入单字", [
        "在编码框里输入汉字的Tarvo码（一到六位数字），按“空格”或小键盘上的“/”键结束。",
        "只有一个候选字时，它立即被打到文章下面；有几个候选字时，候选栏里列出“0.字 1.字 2.字……”，按候选字前面的数字选字，按“空格”选第一个。",
    ]),
    ("二、输入词语", [
        "输入词语的六位编码，按“*”键结束，候选栏里列出这个编码的词语。",
        "两字词每字取全码的前三位；三字词每字取前两位；四字词前两字各取前两位，后两字各取第一位；多字词取第一字的前两位，第二、三字和最后两字的第一位。",
    ]),
    ("三、翻页", [
        "候选字多时，候选栏两边出现箭头：按“+”键看下一页，按“-”键回到上一页。",
    ]),
    ("四、改正", [
        "按“退格”键或小键盘上的“.”键：编码框里有编码时删去最后一位数字；编码框空着时，收回刚打的一个字。",
        "编码框空着时按“空格”，表示跳过当前的字，这个字算打错。",
    ]),
    ("五、颜色", [
        "文章里打对的字、打错的字（红色）和没打的字颜色不同，当前要打的字反白显示。",
        "按“设置”可以改变颜色和练习时间；按“自动切词”可以把文章里的词语用紫色和蓝色标出来，方便按词输入。",
    ]),
]


def esc(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 0x80:
            out.append(ch)
        else:
            out.extend("\\'%02x" % b for b in ch.encode("gbk"))
    return "".join(out)


def main():
    parts = [
        "{\\rtf1\\ansi\\ansicpg936\\deff0",
        "{\\fonttbl{\\f0\\fnil\\fcharset134 " + esc("宋体") + ";}}",
        "{\\colortbl ;\\red139\\green0\\blue0;\\red0\\green0\\blue255;}",
        "\\viewkind4\\uc1\\pard\\f0\\fs36\\b\\cf1 " + esc(TITLE) + "\\b0\\cf0\\fs24\\par",
        "\\par",
    ]
    for heading, paras in SECTIONS:
        parts.append("{\\b\\cf2 " + esc(heading) + "}\\par")
        for p in paras:
            parts.append(esc("　　" + p) + "\\par")
        parts.append("\\par")
    parts.append("}")
    with open(sys.argv[1], "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(parts) + "\n")


if __name__ == "__main__":
    main()
