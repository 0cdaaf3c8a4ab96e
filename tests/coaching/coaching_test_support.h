#pragma once

#include "coaching/corner_table.h"
#include "tests/support/qt_printers.h"

#include <QString>

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}

// Rows of the program's corner table, as the tests' own small table.
inline const coaching::CornerTable& testCorners() {
    static const coaching::CornerTable table = coaching::CornerTable::fromText(
        QStringLiteral("啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角\n"
                       "大\t40030\t1 1 1 2 -\t叉 已用 已用 点 空角\n"
                       "的\t07600\t0 5 1 6 -\t撇 角 方 左钩 空角\n"
                       "共\t44801\t1 2 4 - 3\t叉 叉 八 空角 横\n"
                       "国\t60103\t0 - 0 - 5\t方 空角 横 空角 点\n"
                       "和\t06900\t0 6 3 7 6\t撇 方 小 已用 已用\n"
                       "华\t0440\t0 2 5 5\t撇 叉 叉 已用\n"
                       "他\t04210\t0 3 1 4 2\t撇 叉 竖 横 左钩\n"
                       "们\t0720\t0 4 1 4\t撇 角 竖 左钩\n"
                       "民\t77747\t2 0 2 4 1\t角 角 角 叉 角\n"
                       "人\t80000\t0 0 0 1 0\t八 已用 已用 已用 已用\n"
                       "我\t03550\t0 6 3 4 -\t撇 点 插 插 空角\n"
                       "学\t30407\t0 2 6 7 5\t点 撇 叉 已用 角\n"
                       "有\t40207\t1 0 2 3 4\t叉 已用 竖 左钩 角\n"
                       "在\t40214\t1 0 4 5 3\t叉 已用 竖 横 叉\n"
                       "中\t50006\t3 1 3 3 1\t插 已用 已用 已用 方\n"));
    return table;
}
