#include "coaching/code_explanation.h"
#include "course/course.h"
#include "course/course_codes.h"
#include "dictionary/two.h"
#include "tests/course/course_test_support.h"
#include "tests/test_paths.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const QString kCourseDir = QStringLiteral(TARVO_SOURCE_DIR "/data/course");

// The lines of a committed UTF-8 table, split at tabs.
std::vector<QStringList> rows(const QString& path) {
    QFile file(path);
    std::vector<QStringList> result;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        result.push_back(line.split(u'\t'));
    return result;
}

// Character -> main code, from the table the dictionary is made from.
const QHash<QString, QString>& mainCodes() {
    static const QHash<QString, QString> codes = [] {
        QHash<QString, QString> c;
        for (const QStringList& r :
             rows(QStringLiteral(TARVO_SOURCE_DIR "/data/dictsrc/corners.txt")))
            if (r.size() > 1)
                c.insert(r[0], r[1]);
        return c;
    }();
    return codes;
}

// The word's code by the word rule, as the coaching explains it, from the
// characters' main codes in the table the dictionary is made from.
QString wordCode(const QString& word) {
    QStringList codes;
    for (QChar ch : word)
        codes << mainCodes().value(QString(ch));
    return coaching::wordCode(codes);
}

class CommittedCourse : public testing::Test {
protected:
    static void SetUpTestSuite() { steps = course::loadCourse(kCourseDir).steps; }
    static std::vector<course::Step> steps;
};
std::vector<course::Step> CommittedCourse::steps;

TEST_F(CommittedCourse, TeachesEveryStrokeBeforeTheFirstCharacter) {
    ASSERT_EQ(steps.size(), 16u);
    QString taught;
    for (const course::Step& step : steps) {
        EXPECT_FALSE(step.title.isEmpty()) << step.number;
        EXPECT_FALSE(step.advice.isEmpty()) << step.number;
        if (step.kind == course::StepKind::StrokePictures) {
            EXPECT_EQ(step.minSpeed, 20) << step.number;
            taught += step.digits;
            continue;
        }
        std::sort(taught.begin(), taught.end());
        ASSERT_EQ(taught, u"0123456789") << "before step " << step.number;
    }
    EXPECT_EQ(steps.back().kind, course::StepKind::Article);
    EXPECT_TRUE(steps.back().items.empty());
}

TEST_F(CommittedCourse, EveryItemLineIsReadAndNoneRepeats) {
    for (const course::Step& step : steps) {
        if (step.kind != course::StepKind::Characters && step.kind != course::StepKind::Words)
            continue;
        const auto lines = rows(kCourseDir + QStringLiteral("/step%1.txt").arg(step.number));
        EXPECT_EQ(lines.size(), step.items.size()) << step.number;
        EXPECT_GE(step.items.size(), 40u) << step.number;
    }
}

TEST_F(CommittedCourse, CharacterCodesAreTheMainCodesAndShortCodesTheirPrefixes) {
    ASSERT_GE(steps.size(), 12u);
    for (int number = 7; number <= 12; ++number) {
        const course::Step& step = steps[number - 1];
        ASSERT_EQ(step.kind, course::StepKind::Characters) << number;
        QSet<QString> shortCodes;
        for (const auto& [text, code] : step.items) {
            const QString full = mainCodes().value(text);
            ASSERT_FALSE(full.isEmpty()) << number << " " << text.toStdString();
            if (number < 12) {
                EXPECT_EQ(code, full) << text.toStdString();
                continue;
            }
            EXPECT_TRUE(code.size() <= 2 && full.startsWith(code)) << text.toStdString();
            EXPECT_FALSE(shortCodes.contains(code))
                << "two characters under " << code.toStdString();
            shortCodes.insert(code);
        }
    }
}

TEST_F(CommittedCourse, ComponentStepsHoldOnlyTheirComponent) {
    struct Component {
        int step;
        const char* radical; // kRSUnicode's radical number
        QChar topLeft, bottomLeft;
    };
    const Component components[] = {{8, "9", u'0', u'2'},
                                    {9, "85", u'3', u'1'},
                                    {10, "30", u'6', u'0'},
                                    {11, "64", u'5', u'0'}};
    for (const Component& c : components) {
        const auto lines = rows(kCourseDir + QStringLiteral("/step%1.txt").arg(c.step));
        ASSERT_FALSE(lines.empty()) << c.step;
        for (const QStringList& r : lines) {
            ASSERT_EQ(r.size(), 3) << c.step;
            const QStringList radical = r[2].split(u'.');
            ASSERT_EQ(radical.size(), 2) << r.join(u' ').toStdString();
            EXPECT_EQ(radical[0], QString::fromLatin1(c.radical)) << r[0].toStdString();
            EXPECT_GT(radical[1].toInt(), 0) << "the radical alone: " << r[0].toStdString();
            ASSERT_GE(r[1].size(), 4);
            EXPECT_EQ(r[1][0], c.topLeft) << r[0].toStdString();
            EXPECT_EQ(r[1][2], c.bottomLeft) << r[0].toStdString();
        }
    }
}

TEST_F(CommittedCourse, WordCodesFollowTheWordRule) {
    const std::pair<int, int> lengths[] = {{2, 2}, {3, 3}, {4, 99}};
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(steps.size(), size_t(12 + i));
        const course::Step& step = steps[12 + i];
        ASSERT_EQ(step.kind, course::StepKind::Words) << step.number;
        EXPECT_EQ(step.minSpeed, 8);
        for (const auto& [text, code] : step.items) {
            EXPECT_GE(text.size(), lengths[i].first) << text.toStdString();
            EXPECT_LE(text.size(), lengths[i].second) << text.toStdString();
            EXPECT_EQ(code, wordCode(text)) << text.toStdString();
        }
    }
}

} // namespace

namespace {

// Every item of the course has its code in the built dictionary; an item
// given another code (的 as 99999) is named by its step's file and line.
TEST(CourseCodes, EveryItemHasTheDictionarysCodeAndAWrongOneIsNamed) {
    if (!QFile::exists(QStringLiteral(TARVO_PROGRAM_DIR "/hzlib/zh1")))
        GTEST_SKIP() << "built without the dictionary";
    Ttwo dictionary(TARVO_PROGRAM_DIR "/hzlib", Ttwo::ChangeCheck::FileIdentity);
    std::vector<course::Step> steps = course::loadCourse(kCourseDir).steps;
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(course::codesProblem(steps, kCourseDir, dictionary), QString());
    for (course::Step& step : steps) {
        if (step.kind != course::StepKind::Characters)
            continue;
        ASSERT_GE(step.items.size(), 3u);
        step.items[2].second = QStringLiteral("99999");
        EXPECT_EQ(course::codesProblem(steps, kCourseDir, dictionary),
                  QStringLiteral("学习路线的文件 %1/step%2.txt 第 3 行：“%3”的编码 99999 "
                                 "不是词库里的编码（词库里是 %4），学习路线打不开。")
                      .arg(kCourseDir)
                      .arg(step.number)
                      .arg(step.items[2].first, mainCodes().value(step.items[2].first)));
        break;
    }
}

} // namespace
