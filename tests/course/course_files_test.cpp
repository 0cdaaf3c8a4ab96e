#include "course/course.h"
#include "tests/course/course_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CourseFiles : public testing::Test {
protected:
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::vector<course::Step> load() const { return course::loadCourse(dir.path()).steps; }
    // The fault named when the course is not loaded ("" when it is).
    QString problem() const {
        const course::LoadedCourse c = course::loadCourse(dir.path());
        EXPECT_EQ(c.steps.empty(), !c.problem.isEmpty());
        return c.problem;
    }
    QString full(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

using Items = std::vector<std::pair<QString, QString>>;

Items items(std::initializer_list<std::pair<const char*, const char*>> list) {
    Items result;
    for (const auto& [text, code] : list)
        result.emplace_back(u(text), u(code));
    return result;
}

const QByteArray kGoodStep = "1\tstrokes\t12\t20\t认识笔形\t横是1，竖是2。\n";

TEST_F(CourseFiles, ReadsEveryKindOfStep) {
    write("steps.txt", kGoodStep + "2\tcolour\t\t10\t彩色字\t按四个角打。\r\n"
                                   "3\tchars\t\t10\t字\t\n"
                                   "4\twords\t\t8\t词\t先想第一个字。\n"
                                   "5\tarticle\t\t10\t文章测试\t打一篇短文。");
    write("step3.txt", "\xEF\xBB\xBF的\t07600\t9.3\n一\t1\r\n");
    write("step4.txt", "我们\t035072\n");
    const auto steps = load();
    ASSERT_EQ(steps.size(), 5u);
    const course::StepKind kinds[] = {
        course::StepKind::StrokePictures, course::StepKind::ColouredCharacters,
        course::StepKind::Characters, course::StepKind::Words, course::StepKind::Article};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(steps[i].number, i + 1);
        EXPECT_EQ(steps[i].kind, kinds[i]);
    }
    EXPECT_EQ(steps[0].digits, u"12");
    EXPECT_EQ(steps[0].minSpeed, 20);
    EXPECT_EQ(steps[0].title, u("认识笔形"));
    EXPECT_EQ(steps[1].advice, u("按四个角打。"));
    EXPECT_EQ(steps[2].items, items({{"的", "07600"}, {"一", "1"}}));
    EXPECT_EQ(steps[3].items, items({{"我们", "035072"}}));
}

// Any fault is named by its file and line, and no course is shown: a step
// left out or an item's code misread would teach the wrong thing.
TEST_F(CourseFiles, AMalformedStepLineIsNamedByItsLine) {
    const char* const malformed[] = {
        "",
        "2\tstrokes\t34\t20\t标题",             // five fields
        "2\tstrokes\t34\t20\t标题\t建议\t多余", // seven fields
        "0\tstrokes\t34\t20\t标题\t建议",       // step 0
        "-2\tstrokes\t34\t20\t标题\t建议",      // negative
        "x\tstrokes\t34\t20\t标题\t建议",       // no number
        "2\tpictures\t34\t20\t标题\t建议",      // unknown kind
        "2\tstrokes\t\t20\t标题\t建议",         // pictures of no digits
        "2\tstrokes\t3a\t20\t标题\t建议",       // not digits
        "2\tarticle\t34\t10\t标题\t建议",       // digits where none belong
        "2\tstrokes\t34\tfast\t标题\t建议",     // no speed
        "2\tstrokes\t34\t-5\t标题\t建议",       // negative speed
        "2\tstrokes\t34\t20\t \t建议",          // no title
    };
    for (const char* line : malformed) {
        write("steps.txt", kGoodStep + line + "\n3\tarticle\t\t10\t文章\t\n");
        EXPECT_EQ(problem(), QStringLiteral("学习路线的文件 %1 第 2 行不是“步号、种类、数字、速度、"
                                            "标题、说明”六项，学习路线打不开。")
                                 .arg(full("steps.txt")))
            << line;
    }
    write("steps.txt", kGoodStep + "1\tarticle\t\t10\t重复的第一步\t建议\n");
    EXPECT_TRUE(problem().contains(QStringLiteral("第 2 行的第 1 步前面已经有了")));
    // Another encoding (GBK) is named, not shown garbled.
    write("steps.txt", "1\tstrokes\t12\t20\t\xC8\xCF\xCA\xB6\t\xBA\xE1\n");
    EXPECT_TRUE(problem().contains(QStringLiteral("不是 UTF-8 编码")));
}

TEST_F(CourseFiles, AMalformedOrRepeatedItemIsNamedByItsFileAndLine) {
    write("steps.txt", "1\tchars\t\t10\t字\t建议\n");
    const char* const malformed[] = {
        "一",          // no code
        "\t1",         // no text
        "二\t1x",      // not digits
        "三\t1234567", // seven digits
        "四\t",        // empty code
        " 五\t1",      // space around the text
    };
    for (const char* line : malformed) {
        write("step1.txt", QByteArray("的\t07600\n") + line + "\n是\t60801\n");
        EXPECT_EQ(problem(), QStringLiteral("学习路线的文件 %1 第 2 行不是“字或词、Tab、编码”，"
                                            "学习路线打不开。")
                                 .arg(full("step1.txt")))
            << line;
    }
    write("step1.txt", "的\t07600\n是\t60801\n的\t0\n");
    EXPECT_TRUE(problem().contains(QStringLiteral("第 3 行的“的”前面已经有了")));
    write("step1.txt", "的\t07600\t9.3\r\n是\t60801\n");
    EXPECT_EQ(problem(), QString());
    EXPECT_EQ(load()[0].items, items({{"的", "07600"}, {"是", "60801"}}));
}

TEST_F(CourseFiles, AMissingEmptyOrUnreadableFileIsNamed) {
    EXPECT_TRUE(course::loadCourse(QDir(dir.path()).filePath("none"))
                    .problem.contains(QStringLiteral("steps.txt 没有找到")));
    EXPECT_TRUE(problem().contains(full("steps.txt") + QStringLiteral(" 没有找到")));
    write("steps.txt", "");
    EXPECT_TRUE(problem().contains(QStringLiteral("里没有步骤")));
    write("steps.txt", kGoodStep + "2\tchars\t\t10\t字\t建议\n");
    EXPECT_TRUE(problem().contains(full("step2.txt") + QStringLiteral(" 没有找到")))
        << "the step's own file, not steps.txt";
    write("step2.txt", "");
    EXPECT_TRUE(problem().contains(QStringLiteral("step2.txt 里没有练习项目")));
    write("step2.txt", "的\t0\n");
    EXPECT_EQ(load().size(), 2u);
    QFile::remove(full("steps.txt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("steps.txt"));
    EXPECT_TRUE(problem().contains(QStringLiteral("读不出来（这是一个文件夹，不是文件）")));
}

TEST_F(CourseFiles, StepsComeInNumberOrder) {
    write("steps.txt", "3\tarticle\t\t10\t三\t\n1\tstrokes\t12\t20\t一\t\n");
    const auto steps = load();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].number, 1);
    EXPECT_EQ(steps[1].number, 3);
}

} // namespace
