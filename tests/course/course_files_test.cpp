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
    std::vector<course::Step> load() const { return course::loadCourse(dir.path()); }
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

TEST_F(CourseFiles, SkipsMalformedStepLines) {
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
        "1\tarticle\t\t10\t重复的第一步\t建议", // the number again
    };
    for (const char* line : malformed) {
        write("steps.txt", kGoodStep + line + "\n");
        const auto steps = load();
        ASSERT_EQ(steps.size(), 1u) << line;
        EXPECT_EQ(steps[0].kind, course::StepKind::StrokePictures) << line;
    }
}

TEST_F(CourseFiles, SkipsMalformedAndRepeatedItems) {
    write("steps.txt", "1\tchars\t\t10\t字\t建议\n");
    write("step1.txt", "的\t07600\n"
                       "一\n"          // no code
                       "\t1\n"         // no text
                       "二\t1x\n"      // not digits
                       "三\t1234567\n" // seven digits
                       "四\t\n"        // empty code
                       " 五\t1\n"      // space around the text
                       "的\t0\n"       // the text again
                       "是\t60801\n");
    const auto steps = load();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].items, items({{"的", "07600"}, {"是", "60801"}}));
}

TEST_F(CourseFiles, MissingOrEmptyFilesGiveNoCourse) {
    EXPECT_TRUE(course::loadCourse(QDir(dir.path()).filePath("none")).empty());
    EXPECT_TRUE(load().empty()) << "no steps.txt";
    write("steps.txt", kGoodStep + "2\tchars\t\t10\t字\t建议\n");
    EXPECT_TRUE(load().empty()) << "no step2.txt";
    write("step2.txt", "坏\t行\n");
    EXPECT_TRUE(load().empty()) << "a step of items without any";
    write("step2.txt", "的\t0\n");
    EXPECT_EQ(load().size(), 2u);
}

TEST_F(CourseFiles, AFolderInPlaceOfAFileGivesNoCourse) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("steps.txt"));
    EXPECT_TRUE(load().empty());
}

TEST_F(CourseFiles, StepsComeInNumberOrder) {
    write("steps.txt", "3\tarticle\t\t10\t三\t\n1\tstrokes\t12\t20\t一\t\n");
    const auto steps = load();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].number, 1);
    EXPECT_EQ(steps[1].number, 3);
}

} // namespace
