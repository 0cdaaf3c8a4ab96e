#include "course/course.h"

#include "platform/regular_file.h"

#include <QDir>
#include <QStringDecoder>

#include <algorithm>
#include <set>

namespace course {

namespace {

// The step list and an item file are a few KB; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 1024 * 1024;
// A dictionary code: a character's code or short code, a word's six digits.
constexpr int kMaxCodeDigits = 6;

bool isDigits(const QString& s, int minSize, int maxSize) {
    if (s.size() < minSize || s.size() > maxSize)
        return false;
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A non-negative whole number written in digits only ("+3", " 3" are not).
bool readCount(const QString& s, int& value) {
    if (!isDigits(s, 1, 9))
        return false;
    value = s.toInt();
    return true;
}

bool readKind(const QString& s, StepKind& kind) {
    static const std::pair<const char16_t*, StepKind> kKinds[] = {
        {u"strokes", StepKind::StrokePictures}, {u"colour", StepKind::ColouredCharacters},
        {u"chars", StepKind::Characters},       {u"words", StepKind::Words},
        {u"article", StepKind::Article},
    };
    for (const auto& [name, k] : kKinds) {
        if (s == name) {
            kind = k;
            return true;
        }
    }
    return false;
}

bool hasItems(StepKind kind) {
    return kind == StepKind::Characters || kind == StepKind::Words;
}

// A fault of the course's files, naming the file and, from 1, the line.
struct Fault {
    QString message;
};
[[noreturn]] void fault(const QString& path, const QString& what, int line = 0) {
    throw Fault{QStringLiteral("学习路线的文件 %1 %2%3，学习路线打不开。")
                    .arg(regularfile::fullPath(path),
                         line > 0 ? QStringLiteral("第 %1 行").arg(line) : QString(), what)};
}

// The lines of a UTF-8 file, without a byte order mark or CR before the LF.
QStringList readLines(const QString& path) {
    const regularfile::Contents contents = regularfile::read(path, kMaxFileBytes);
    if (!contents.ok())
        fault(path, contents.status == regularfile::Contents::Status::Missing
                        ? QStringLiteral("没有找到")
                        : QStringLiteral("读不出来（%1）").arg(contents.reason));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(contents.bytes);
    if (utf8.hasError())
        fault(path, QStringLiteral("不是 UTF-8 编码"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    // The last line's end leaves an empty one.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// "number kind digits minSpeed title advice"; false for a malformed line.
bool readStep(const QString& line, Step& step) {
    const QStringList f = line.split(u'\t');
    if (f.size() != 6)
        return false;
    if (!readCount(f[0], step.number) || step.number < 1 || !readKind(f[1], step.kind) ||
        !readCount(f[3], step.minSpeed))
        return false;
    step.digits = f[2];
    if (step.kind == StepKind::StrokePictures ? !isDigits(step.digits, 1, 10)
                                              : !step.digits.isEmpty())
        return false;
    step.title = f[4].trimmed();
    step.advice = f[5].trimmed();
    return !step.title.isEmpty();
}

// "text code", further columns being notes; each text once.
void readItems(const QString& path, Step& step) {
    const QStringList lines = readLines(path);
    std::set<QString> seen;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QStringList f = lines[n].split(u'\t');
        const int line = static_cast<int>(n) + 1;
        if (f.size() < 2 || f[0].isEmpty() || f[0] != f[0].trimmed() ||
            !isDigits(f[1], 1, kMaxCodeDigits))
            fault(path, QStringLiteral("不是“字或词、Tab、编码”"), line);
        if (!seen.insert(f[0]).second)
            fault(path, QStringLiteral("的“%1”前面已经有了").arg(f[0]), line);
        step.items.emplace_back(f[0], f[1]);
    }
    if (step.items.empty())
        fault(path, QStringLiteral("里没有练习项目"));
}

// Nine in ten answers known: right, and not shown by F1 first.
bool knownEnough(int answered, int wrong, int hints) {
    return answered > 0 && wrong >= 0 && hints >= 0 && wrong + hints <= answered &&
           10 * (answered - wrong - hints) >= 9 * answered;
}

// A run that counts towards mastery: finished, enough answers known without
// F1, fast enough.
bool counts(const Step& step, const StepRun& run) {
    return run.step == step.number && run.finished && run.day.isValid() &&
           knownEnough(run.answered, run.wrong, run.hints) && run.speed >= step.minSpeed;
}

// The different days of the runs that count.
std::set<QDate> countedDaySet(const Step& step, const std::vector<StepRun>& runs) {
    std::set<QDate> days;
    for (const StepRun& run : runs)
        if (counts(step, run))
            days.insert(run.day);
    return days;
}

} // namespace

int countedDays(const Step& step, const std::vector<StepRun>& runs) {
    return static_cast<int>(countedDaySet(step, runs).size());
}

LoadedCourse loadCourse(const QString& folder) {
    const QDir dir(folder);
    const QString list = dir.filePath(QStringLiteral("steps.txt"));
    LoadedCourse course;
    try {
        const QStringList lines = readLines(list);
        std::set<int> numbers;
        for (qsizetype n = 0; n < lines.size(); ++n) {
            Step step;
            const int line = static_cast<int>(n) + 1;
            if (!readStep(lines[n], step))
                fault(list, QStringLiteral("不是“步号、种类、数字、速度、标题、说明”六项"), line);
            if (!numbers.insert(step.number).second)
                fault(list, QStringLiteral("的第 %1 步前面已经有了").arg(step.number), line);
            course.steps.push_back(std::move(step));
        }
        if (course.steps.empty())
            fault(list, QStringLiteral("里没有步骤"));
        std::sort(course.steps.begin(), course.steps.end(),
                  [](const Step& a, const Step& b) { return a.number < b.number; });
        // A step of items without them cannot be run: the course is then not
        // shown at all rather than with a hole.
        for (Step& step : course.steps)
            if (hasItems(step.kind))
                readItems(dir.filePath(QStringLiteral("step%1.txt").arg(step.number)), step);
    } catch (const Fault& f) {
        course.steps.clear();
        course.problem = f.message;
    }
    return course;
}

QString targetLine(const Step& step) {
    const QString pace =
        step.minSpeed > 0 ? QStringLiteral("，速度不低于 %1 字/分").arg(step.minSpeed) : QString();
    if (step.kind == StepKind::Article)
        return QStringLiteral("达标：打完一篇，正确率九成以上%1。不同的两天各达标一次，"
                              "这一步就掌握了。")
            .arg(pace);
    return QStringLiteral("达标：一次练到最后一项，答对九成以上（按 F1 看过的不算）%1。"
                          "不同的两天各达标一次，这一步就掌握了。")
        .arg(pace);
}

QStringList runVerdict(const Step& step, int answered, int wrong, int lookups, int speed,
                       const std::vector<StepRun>& earlier, QDate today) {
    const QString again = QStringLiteral("练完了。"), once = QStringLiteral("再练一次吧。");
    if (!knownEnough(answered, wrong, lookups))
        return {again, once, QStringLiteral("这次没达标："), QStringLiteral("答对不到九成。")};
    if (speed < step.minSpeed)
        return {again, once, QStringLiteral("这次没达标："),
                QStringLiteral("速度不到%1字/分。").arg(step.minSpeed)};
    const std::set<QDate> days = countedDaySet(step, earlier);
    const QString cheer = QStringLiteral("太棒了！");
    if (days.size() >= 2)
        return {cheer, QStringLiteral("这一步早已掌握。"), QStringLiteral("这次也达标了！"),
                QStringLiteral("可以学下一步。")};
    if (days.size() == 1 && today.isValid() && !days.count(today))
        return {cheer, QStringLiteral("这一步掌握了！"), QStringLiteral("两天都达标了，"),
                QStringLiteral("可以学下一步。")};
    if (today.isValid() && days.count(today))
        return {cheer, QStringLiteral("今天已经达标，"), QStringLiteral("这次也达标了！"),
                QStringLiteral("明天再练一次。")};
    return {cheer, QStringLiteral("继续训练吗？"), QStringLiteral("这次达标了！"),
            QStringLiteral("两天达标即掌握。")};
}

bool mastered(const Step& step, const std::vector<StepRun>& runs) {
    return countedDays(step, runs) >= 2;
}

Standing standing(const std::vector<Step>& steps, const std::vector<StepRun>& runs, QDate today) {
    for (const Step& step : steps) {
        const std::set<QDate> days = countedDaySet(step, runs);
        if (days.size() < 2)
            return {step.number, static_cast<int>(days.size()),
                    today.isValid() && days.count(today) > 0};
    }
    return {steps.empty() ? 1 : steps.back().number + 1, 0, false};
}

int streak(const std::vector<QDate>& practiceDays, QDate today) {
    const std::set<QDate> days(practiceDays.begin(), practiceDays.end());
    QDate day = days.count(today) ? today : today.addDays(-1);
    int count = 0;
    while (day.isValid() && days.count(day)) {
        ++count;
        day = day.addDays(-1);
    }
    return count;
}

QString planLine(int dueCharacters, int dueWords, int step, int stepCount, int streakDays,
                 bool stepCountedToday) {
    QStringList due;
    if (dueCharacters > 0)
        due << QStringLiteral("%1 个字").arg(dueCharacters);
    if (dueWords > 0)
        due << QStringLiteral("%1 个词").arg(dueWords);
    QStringList today;
    if (!due.isEmpty())
        today << QStringLiteral("复习 ") + due.join(u'、');
    // A learner with nothing behind them yet starts the course; others go on.
    const bool beginning = step <= 1 && due.isEmpty() && streakDays == 0;
    if (stepCount > 0)
        today << (step > stepCount ? QStringLiteral("路线已走完")
                  : beginning      ? QStringLiteral("从第 1 步开始")
                  : stepCountedToday ? QStringLiteral("第 %1 步今天已达标，明天再练一次").arg(step)
                                     : QStringLiteral("继续第 %1 步").arg(std::max(step, 1)));
    QStringList parts;
    if (!today.isEmpty())
        parts << QStringLiteral("今日：") + today.join(u'；');
    if (streakDays > 0)
        parts << QStringLiteral("已连续练习 %1 天").arg(streakDays);
    return parts.join(QChar(0x3000));
}

} // namespace course
