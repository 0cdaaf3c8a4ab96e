#include "course/course_codes.h"

#include "dictionary/two.h"
#include "platform/gbk_codec.h"
#include "platform/regular_file.h"

#include <QDir>

#include <algorithm>
#include <exception>

namespace course {

QString codesProblem(const std::vector<Step>& steps, const QString& folder, Ttwo& dictionary) {
    try {
        for (const Step& step : steps) {
            const bool words = step.kind == StepKind::Words;
            if (!words && step.kind != StepKind::Characters)
                continue;
            for (size_t i = 0; i < step.items.size(); ++i) {
                const auto& [text, code] = step.items[i];
                const std::string gbkText = gbk::fromUnicodeLossy(text);
                bool known = false;
                QString kept;
                if (words) {
                    dictionary.LookupCode(Ttwo::Scope::Words, code.toStdString());
                    const auto& found = dictionary.Candidates();
                    known = std::find(found.begin(), found.end(), gbkText) != found.end();
                } else {
                    const std::vector<std::string> codes = dictionary.CodesOfChar(gbkText);
                    known =
                        std::find(codes.begin(), codes.end(), code.toStdString()) != codes.end();
                    if (!codes.empty())
                        kept = QString::fromStdString(dictionary.FullCodeOfChar(gbkText));
                }
                if (known)
                    continue;
                // Items are one to a line, and a file with any other line is
                // refused when read: the item's index gives its line.
                const QString file =
                    QDir(folder).filePath(QStringLiteral("step%1.txt").arg(step.number));
                return QStringLiteral(
                           "学习路线的文件 %1 第 %2 行：“%3”的编码 %4 不是词库里的编码%5，"
                           "学习路线打不开。")
                    .arg(regularfile::fullPath(file))
                    .arg(i + 1)
                    .arg(text, code,
                         kept.isEmpty() ? QString() : QStringLiteral("（词库里是 %1）").arg(kept));
            }
        }
    } catch (const std::exception&) {
        return {};
    }
    return {};
}

} // namespace course
