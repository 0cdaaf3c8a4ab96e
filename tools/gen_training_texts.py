#!/usr/bin/env python3
"""Write the training window's explanation texts as RTF the way Chinese word
processors write it (GBK bytes as \\'hh escapes, bold headings, a colour
table), into a folder:

  base.rtf    the panel of the page 基本编码: the stroke digits
  single.rtf  the panel of the page 字编码: a character's code from its corners
  word.rtf    the panel of the page 词编码: how word codes are formed
  tvmsm.rtf   the window's 说明: which keys and buttons do what

  gen_training_texts.py OUTPUT_DIR

The three panel texts are short: the panel shows them without a scroll bar.
"""
import os
import sys

TEXTS = {
    "base.rtf": ("基本编码训练", [
        (None, ["口诀：一横二竖三点捺，叉四插五方块六，七角八八九是小，撇与左钩都是零。"]),
        ("笔形和数字", [
            "横 1　　竖 2　　点、捺 3",
            "叉 4（十、乂）　　插 5（一笔穿过两笔以上：丰、扌）",
            "方块 6（口）　　角 7（折角：┐、└）",
            "八 8（八、人）　　小 9（小、忄）",
            "撇、左钩 0（丿、亅）",
            "点下带横（亠）、已经用过的笔画和空角也记作 0",
        ]),
        ("三种练习", [
            "简单：一个笔形；较难：一个部件，看它的形状打一个数字；",
            "彩色字：字的四角各有颜色，左上红、右上蓝、左下绿、右下紫，依次打出四个角的数字。",
        ]),
        (None, ["按“开始”，在图下的白框里用小键盘打数字，按回车确认。"]),
    ]),
    "single.rtf": ("字编码训练", [
        ("全码", [
            "依次看字的左上、右上、左下、右下四个角，每个角的笔形是一个数字；有的字再加第五位（附角）。",
            "例：中 50006，一 10000，人 80000，他 04210（左上是撇，附角是也的钩，都记 0）。",
        ]),
        ("四种练习", [
            "全码字：最常用的3500个字；稍难字：其余的字，都打全码。",
            "一键简码：最常用的十个字，只打一个数字；二键简码：常用字只打前两位。",
        ]),
        (None, ["红底的字是现在要打的字。打完编码按回车、空格或“/”确认，按F1看编码。"]),
    ]),
    "word.rtf": ("词编码训练", [
        ("词的编码都是六位", [
            "二字词：每字取全码的前三位，如 中国 500601；",
            "三字词：每字取前两位；",
            "四字词：前两字各取前两位，后两字各取第一位；",
            "多字词：第一字取前两位，第二、三字和最后两字各取第一位。",
        ]),
        ("一键词", ["最常用的十个二字词，只打一个数字。"]),
        (None, ["打完编码按回车、空格、“/”或“*”确认，按F1看编码。"]),
    ]),
    "tvmsm.rtf": ("字词训练 输入说明", [
        ("一、选练习", [
            "点上面的“基本编码”“字编码”“词编码”选一页，再点页下的按钮选一种练习，然后按“开始”。",
        ]),
        ("二、打编码", [
            "用小键盘打数字（主键盘上的数字也行）。输入框跟着要打的字或图走。",
            "按回车、空格或小键盘上的“/”确认；词编码页还可以按“*”。",
            "按小键盘上的“-”或“.”删去最后一位。",
            "打对了，输入框走到下一个；打错了，再想想。",
            "看图的练习错几次后会显示编码（“设置”里的自动提示）；字和词的练习不显示，想不起来就按F1看编码。",
        ]),
        ("三、F1 看编码", [
            "按F1，输入框里出现当前字词的编码，直接按回车就算打对。",
            "按过F1的字词会记下来，下次做同一种练习时先出现在最前面，方便复习。",
            "有编码图解的字，右边会出现“编码图解”按钮。",
        ]),
        ("四、时间和速度", [
            "上面的两条时间条走完，时间就到了；按“继续”可以接着练，已打的不会丢。",
            "“设置”里可以选级别：初级能手240秒，中级能手60秒，高级能手40.8秒，超级高手24秒。",
            "速度每十秒算一次（字/分）：不到30骑自行车，30以上开汽车，100以上坐飞机。",
        ]),
        ("五、按钮", [
            "暂停：休息一下，时间停住；设置：级别、背景颜色、音乐和提示；",
            "高手：看各种练习的最好成绩；退出：离开字词训练。",
        ]),
        ("六、复习和学习记录", [
            "“错字复习”“错词复习”从学习记录里取你打错过、按过F1的字词，今天错的先出；"
            "打对的字词隔 1、2、4、8 天再来，每次到期都打对就不再出现。",
            "“学习记录”显示每天的速度和正确率、最常打错的字词和笔形，可以导出成表格。",
        ]),
    ]),
}


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


def document(title, sections):
    parts = [
        "{\\rtf1\\ansi\\ansicpg936\\deff0",
        "{\\fonttbl{\\f0\\fnil\\fcharset134 " + esc("宋体") + ";}}",
        "{\\colortbl ;\\red139\\green0\\blue0;\\red0\\green0\\blue255;}",
        "\\viewkind4\\uc1\\pard\\f0\\fs36\\b\\cf1 " + esc(title) + "\\b0\\cf0\\fs24\\par",
    ]
    for heading, paras in sections:
        if heading:
            parts.append("{\\b\\cf2 " + esc(heading) + "}\\par")
        for p in paras:
            parts.append(esc(p) + "\\par")
    parts.append("}")
    return "\n".join(parts) + "\n"


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (title, sections) in TEXTS.items():
        with open(os.path.join(out, name), "w", encoding="ascii", newline="\r\n") as f:
            f.write(document(title, sections))


if __name__ == "__main__":
    main()
