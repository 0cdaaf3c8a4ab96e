#include "tests/gui/program_folder_fixture.h"

#include "app/about_box.h"
#include "app/create_windows.h"
#include "app/help_page_window.h"
#include "app/history_loader.h"
#include "app/start_screen.h"
#include "articletest/article_test_settings_window.h"
#include "articletest/article_test_window.h"
#include "classresults/join_dialog.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "history/history_window.h"
#include "platform/window_setup.h"
#include "tests/dictionary/dict_test_files.h"
#include "training/training_help_panel.h"
#include "training/training_window.h"
#include "warmup/warmup_window.h"

#include "tests/test_paths.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

class StartScreen : public StartScreenShownTest {
protected:
    // The pointer moves over a widget of the start screen.
    void pointerOver(QWidget* w) {
        QMouseEvent move(QEvent::MouseMove, QPointF(w->width() / 2, w->height() / 2),
                         w->mapToGlobal(QPointF(w->width() / 2, w->height() / 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    }
    QToolButton* entry(int i) { return preface01->SpeedButton[static_cast<size_t>(i)]; }
    // The colour in the middle of the preview, or an invalid colour when empty.
    QColor previewColour() {
        const QPixmap pm = preface01->Image2->pixmap();
        if (pm.isNull())
            return QColor();
        return pm.toImage().pixelColor(pm.width() / 2, pm.height() / 2);
    }
    static bool near(const QColor& a, const QColor& b) {
        return a.isValid() && std::abs(a.red() - b.red()) < 12 &&
               std::abs(a.green() - b.green()) < 12 && std::abs(a.blue() - b.blue()) < 12;
    }
};

TEST_F(StartScreen, WindowsAreCreatedOnceInTheirOrderBeforeTheDictionary) {
    destroyWindows();
    const std::vector<QWidget*> windows = createWindows();
    QStringList classes;
    for (QWidget* w : windows)
        classes << QString::fromLatin1(w->metaObject()->className());
    EXPECT_EQ(classes, (QStringList{"Tpreface01", "Tform_sz", "TForm2", "TForm_change",
                                    "TForm_result", "Tform_test", "TForm_color", "TFormstop",
                                    "Tformdelait", "TAbout", "TFormSM", "Tform_help", "Thighscore",
                                    "TFPhbin", "TFPhb", "TFhelp", "TFHot_Sort", "TFHot", "TForm1"}))
        << "the learning history's window is made when it is first opened";
    // The settings dialog painted its sample from the test window's colours
    // while it was created: blue input on white.
    const QTextBlock line2 = Form_color->example->document()->findBlockByNumber(1);
    EXPECT_EQ(line2.begin().fragment().charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(Form_color->example->palette().color(QPalette::Base), QColor(Qt::white));
    // The dictionary exists and has read nothing.
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->fileReads(), 0);
    EXPECT_EQ(two->dictDir(), path("hzlib").toStdString());

    preface01->show();
}

TEST_F(StartScreen, TheOtherWindowsAreMadeAfterTheFirstPaintOrWhenAnEntryNeedsThem) {
    destroyWindows();
    createStartScreen();
    ASSERT_NE(preface01, nullptr);
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(two, nullptr);
    preface01->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preface01));
    // Entered before the windows were made: they are made first, then it opens.
    QTimer::singleShot(0, [] { QTest::keyClick(About, Qt::Key_Escape); });
    QTest::mouseClick(entry(6), Qt::LeftButton);
    ASSERT_NE(Form1, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(form_test->HomeDir, path(QString()));
    EXPECT_EQ(Form1->HomeDir, path(QString()));
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
    // The plan line loads the history, but 学习记录's window (its charts)
    // waits for its first opening.
    preface01->updatePlan();
    EXPECT_NE(historyIfLoaded(), nullptr);
    EXPECT_EQ(FormHistory, nullptr);
}

TEST_F(StartScreen, AWindowIsCentredOnceThenKeepsItsPlace) {
    const QRect screen = About->screen()->availableGeometry();
    QTimer::singleShot(0, [] { About->close(); });
    About->exec();
    EXPECT_LE(std::abs(About->frameGeometry().center().x() - screen.center().x()), 2);
    About->move(About->pos() + QPoint(40, 30));
    const QPoint moved = About->pos();
    QTimer::singleShot(0, [] { About->close(); });
    About->exec();
    EXPECT_EQ(About->pos(), moved) << "shown again where the learner left it";

    // A window larger than the screen keeps its title bar on it.
    QWidget big;
    big.setFixedSize(screen.width() + 200, screen.height() + 150);
    centreOnScreen(&big);
    EXPECT_EQ(big.frameGeometry().topLeft(), screen.topLeft());
}

TEST_F(StartScreen, PreviewsAndAnimationFollowThePointer) {
    writeJpeg("images/1.jpg", Qt::red);
    writeJpeg("images/2.jpg", Qt::green);
    writeJpeg("images/3.jpg", Qt::blue);
    EXPECT_FALSE(preface01->ShockwaveFlash1->isVisible());
    EXPECT_FALSE(previewColour().isValid());

    pointerOver(entry(1));
    EXPECT_TRUE(near(previewColour(), Qt::red));
    EXPECT_TRUE(preface01->ShockwaveFlash1->isVisible());

    // Entries 2-5 after the course entry, without crossing the background:
    // the animation stays.
    pointerOver(entry(3));
    EXPECT_TRUE(near(previewColour(), Qt::blue));
    EXPECT_TRUE(preface01->ShockwaveFlash1->isVisible());
    pointerOver(entry(4)); // no picture: the last one stays
    EXPECT_TRUE(near(previewColour(), Qt::blue));

    pointerOver(preface01->Image1);
    EXPECT_FALSE(previewColour().isValid());
    EXPECT_FALSE(preface01->ShockwaveFlash1->isVisible());

    pointerOver(entry(2));
    EXPECT_TRUE(near(previewColour(), Qt::green));
    EXPECT_FALSE(preface01->ShockwaveFlash1->isVisible());

    // Read afresh at every movement: a replaced picture shows at once.
    writeJpeg("images/2.jpg", Qt::yellow);
    pointerOver(entry(2));
    EXPECT_TRUE(near(previewColour(), Qt::yellow));

    // The course entry without its picture: the animation shows, the
    // picture area keeps what it had.
    QFile::remove(path("images/1.jpg"));
    pointerOver(entry(1));
    EXPECT_TRUE(preface01->ShockwaveFlash1->isVisible());
    EXPECT_TRUE(near(previewColour(), Qt::yellow));
    EXPECT_TRUE(errorsShown.isEmpty());
}

TEST_F(StartScreen, ABrokenPictureIsReportedOnceUntilItIsReplaced) {
    writeJpeg("images/3.jpg", Qt::blue);
    writeFile("images/2.jpg", QByteArray("\xFF\xD8\xFF\xE0 this is not a picture", 26));
    pointerOver(entry(3));
    pointerOver(entry(2));
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("images/2.jpg"))) << errorsShown[0].toStdString();
    EXPECT_TRUE(errorsShown[0].contains(QStringLiteral("损坏"))) << errorsShown[0].toStdString();
    EXPECT_TRUE(near(previewColour(), Qt::blue));
    pointerOver(entry(2));
    pointerOver(entry(2));
    EXPECT_EQ(errorsShown.size(), 1) << "the same damaged picture is not reported again";
    pointerOver(entry(3));
    EXPECT_TRUE(near(previewColour(), Qt::blue));

    // Replaced by a good picture, it shows; damaged once more, it is reported once more.
    QFile::remove(path("images/2.jpg"));
    writeJpeg("images/2.jpg", Qt::red);
    QFile(path("images/2.jpg"))
        .setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
    pointerOver(entry(2));
    EXPECT_TRUE(near(previewColour(), Qt::red));
    writeFile("images/2.jpg", QByteArray("still not a picture"));
    QFile(path("images/2.jpg"))
        .setFileTime(QDateTime::currentDateTime().addSecs(20), QFileDevice::FileModificationTime);
    pointerOver(entry(2));
    pointerOver(entry(2));
    EXPECT_EQ(errorsShown.size(), 2);
}

TEST_F(StartScreen, ABrokenBackgroundIsReportedAndTheEntriesStillWork) {
    destroyWindows();
    writeFile("images/preface.jpg", QByteArray("not a picture"));
    writeFile("course.html", "<html></html>");
    createWindows();
    preface01->show();
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("images/preface.jpg")));
    QTest::mouseClick(entry(1), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(StartScreen, HelpEntriesOpenTheirPagesOnlyWhenPresent) {
    QTest::mouseClick(entry(1), Qt::LeftButton);
    QTest::mouseClick(entry(8), Qt::LeftButton);
    EXPECT_TRUE(opened.empty());

    writeFile("course.html", "<html></html>");
    writeFile("readme.html", "<html></html>");
    QTest::mouseClick(entry(1), Qt::LeftButton);
    QTest::mouseClick(entry(8), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(path("course.html")));
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(path("readme.html")));

    // Without a web browser the page shows in a window of our own, which
    // says so and names the file.
    desktopOpens = false;
    writeFile("course.html", "<html><body><p>口诀：撇与左钩都是零</p></body></html>");
    QString notice, text;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<HelpPageWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr) << "no window of our own";
        notice = window->notice->text();
        text = window->page->toPlainText();
        window->close();
    });
    QTest::mouseClick(entry(1), Qt::LeftButton);
    EXPECT_TRUE(notice.contains(path("course.html"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QStringLiteral("浏览器")));
    EXPECT_EQ(text, QStringLiteral("口诀：撇与左钩都是零"));
}

// Every entry from the keys alone: the first arrow (the keypad's too, Num
// Lock on or off) takes the first entry, the arrows go round the entries in
// their order (hidden ones left out), the preview follows, and Enter or the
// keypad's Enter opens one.
TEST_F(StartScreen, TheKeysAloneReachAndOpenEveryEntry) {
    writeFile("readme.html", "<html></html>");
    writeJpeg("images/2.jpg", Qt::green);
    QWindow* window = preface01->windowHandle();
    ASSERT_TRUE(QTest::qWaitForWindowActive(preface01));
    EXPECT_EQ(QApplication::focusWidget(), preface01) << "no entry framed at first";
    QTest::keyClick(window, Qt::Key_2, Qt::KeypadModifier); // Num Lock on
    EXPECT_EQ(QApplication::focusWidget(), entry(1));
    QTest::keyClick(window, Qt::Key_Down, Qt::KeypadModifier); // Num Lock off
    EXPECT_EQ(QApplication::focusWidget(), entry(2));
    EXPECT_TRUE(near(previewColour(), Qt::green)) << "the preview follows the focus";
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), entry(3));
    const bool coursePresent = !preface01->courseButton->isHidden();
    const std::vector<QWidget*> rest =
        coursePresent ? std::vector<QWidget*>{entry(4), entry(5), entry(9), preface01->courseButton,
                                              entry(8), entry(6), entry(7), entry(1)}
                      : std::vector<QWidget*>{entry(4), entry(5), entry(9), entry(8),
                                              entry(6), entry(7), entry(1)};
    for (QWidget* next : rest) {
        QTest::keyClick(window, Qt::Key_Right);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClick(window, Qt::Key_Up); // round again from the first to the last
    EXPECT_EQ(QApplication::focusWidget(), entry(7));
    QTest::keyClick(window, Qt::Key_8, Qt::KeypadModifier);
    QTest::keyClick(window, Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), entry(8));
    QTest::keyClick(window, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(path("readme.html")));
    // Tab goes the same way.
    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), entry(6));
}

// The longest plan (reviews of both kinds, a step counted today, a long
// streak) shows whole beside the picture, drawn smaller.
TEST_F(StartScreen, ALongPlanShowsWhole) {
    const auto kept = preface01->plan;
    preface01->plan = [] {
        return QStringLiteral("今日：复习 118 个字、45 个词；第 12 步今天已达标，明天再练一次　"
                              "已连续练习 365 天");
    };
    preface01->updatePlan();
    const QLabel* plan = preface01->planLabel;
    EXPECT_LE(plan->fontMetrics().horizontalAdvance(plan->text()), plan->width());
    preface01->plan = kept;
    preface01->updatePlan();
}

TEST_F(StartScreen, ResultsPageComesFromServerIni) {
    struct Row {
        const char* name;
        QByteArray ini; // empty: no file
        bool opens;
        QString address;
    };
    const QByteArray longValue(5000, 'a');
    static const char kBinary[] = "\x00\xFF\x81\n[ServerSetup]\nAddress=\xFF\xFE\n";
    const Row rows[] = {
        {"no Server.ini", QByteArray(), false, QString()},
        {"no key", "[ServerSetup]\r\nPort=80\r\n", true,
         QStringLiteral("http://tarvo.example.com/tvm.asp?lxid=4")},
        {"empty value", "[ServerSetup]\r\nAddress=\r\n", false, QString()},
        {"a local file", "[ServerSetup]\r\nAddress=file:///etc/shadow\r\n", false, QString()},
        {"a script", "[ServerSetup]\r\nAddress=javascript:alert(1)\r\n", false, QString()},
        {"https", "[ServerSetup]\r\nAddress=https://s.example.org/r\r\n", true,
         QStringLiteral("https://s.example.org/r")},
        {"a value",
         "[other]\nAddress=http://wrong/\n[serversetup]\naddress = "
         "http://school.example.org/r.asp?a=1,2 \n",
         true, QStringLiteral("http://school.example.org/r.asp?a=1,2")},
        {"no section", "Address=http://x/\n", true,
         QStringLiteral("http://tarvo.example.com/tvm.asp?lxid=4")},
        {"binary bytes", QByteArray(kBinary, sizeof kBinary - 1), false, QString()},
        {"a very long value", "[ServerSetup]\nAddress=http://h/" + longValue + "\n", true,
         QStringLiteral("http://h/") + QString::fromLatin1(longValue)},
    };
    for (const Row& r : rows) {
        QFile::remove(path("Server.ini"));
        if (!r.ini.isEmpty())
            writeFile("Server.ini", r.ini);
        opened.clear();
        // The learner has joined no class: the join dialog offers the page of
        // Server.ini when there is one to open.
        bool offered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<JoinDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog) << r.name;
            offered = dialog->BtnPage->isEnabled();
            QTest::mouseClick(offered ? dialog->BtnPage : dialog->BtnCancel, Qt::LeftButton);
        });
        QTest::mouseClick(entry(5), Qt::LeftButton);
        EXPECT_EQ(offered, r.opens) << r.name;
        ASSERT_EQ(opened.size(), r.opens ? 1u : 0u) << r.name;
        if (r.opens) {
            EXPECT_EQ(opened[0].toString(), r.address) << r.name;
        }
    }
    EXPECT_TRUE(errorsShown.isEmpty());
}

TEST_F(StartScreen, QuitAsksAndNoKeepsTheProgramRunning) {
    answerYes = false;
    QTest::mouseClick(entry(7), Qt::LeftButton);
    EXPECT_TRUE(preface01->isVisible());
    preface01->close(); // the title bar's close box
    EXPECT_TRUE(preface01->isVisible());
    EXPECT_EQ(questions, (QStringList{"您是否确定要退出系统？", "您是否确定要退出系统？"}));
    answerYes = true;
    QTest::mouseClick(entry(7), Qt::LeftButton);
    EXPECT_FALSE(preface01->isVisible());
}

TEST_F(StartScreen, ModuleWindowsFindTheProgramFolderFromAnyWorkingDirectory) {
    EXPECT_EQ(Form1->HomeDir, path(QString()));
    EXPECT_EQ(form_test->HomeDir, path(QString()));
    // The tests run in the build folder, not in the program folder: the
    // windows read the program folder's files by their full paths, and the
    // working folder stays as it was.
    const QString working = QDir::currentPath();
    ASSERT_NE(QDir(working).canonicalPath(), QDir(path(QString())).canonicalPath());
    writeFile("test.tvm", QByteArray::fromStdString(dicttest::fortyCharacterTest().testFile));
    writeFile("files/base.rtf", "{\\rtf1\\ansi strokes explained\\par}");
    QString testFileShown, panelShown;
    QTimer::singleShot(0, [&] {
        testFileShown = form_test->Label_file->text();
        answerYes = true; // "确定退出吗"
        form_test->close();
    });
    QTest::mouseClick(entry(4), Qt::LeftButton);
    EXPECT_EQ(testFileShown, QStringLiteral("test.tvm"));
    EXPECT_FALSE(questions.contains(QStringLiteral("没有找到测试文件，要亲自找吗")));

    QTimer::singleShot(0, [&] {
        panelShown = FormSM->RichEdit1->toPlainText();
        Form1->close();
    });
    QTest::mouseClick(entry(3), Qt::LeftButton);
    EXPECT_TRUE(panelShown.contains(QStringLiteral("strokes explained")))
        << panelShown.toStdString();
    EXPECT_EQ(QDir::currentPath(), working);

    // The warm-up and the about box open modally and come back.
    bool warmupShown = false;
    QTimer::singleShot(0, [&] {
        warmupShown = FHot->isVisible();
        FHot->close();
    });
    QTest::mouseClick(entry(2), Qt::LeftButton);
    EXPECT_TRUE(warmupShown);
    QTimer::singleShot(0, [&] { QTest::keyClick(About, Qt::Key_Escape); });
    QTest::mouseClick(entry(6), Qt::LeftButton);
    EXPECT_FALSE(About->isVisible());
}

TEST_F(StartScreen, AnimationPlaysOnlyWhileShown) {
    destroyWindows();
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TARVO_PROGRAM_DIR "/images/show.gif"), path("images/show.gif")));
    createWindows();
    preface01->show();
    ASSERT_NE(preface01->movie(), nullptr);
    EXPECT_TRUE(preface01->movie()->isValid());
    EXPECT_GT(preface01->movie()->frameCount(), 1);
    EXPECT_FALSE(preface01->ShockwaveFlash1->isVisible());
    pointerOver(entry(1));
    EXPECT_EQ(preface01->movie()->state(), QMovie::Running);
    pointerOver(preface01->Image1);
    EXPECT_NE(preface01->movie()->state(), QMovie::Running);
}

// The windows carry the menu entry's name and icon, so that a desktop groups
// them under the entry.
TEST_F(StartScreen, TheWindowsCarryTheMenuEntrysNameAndIcon) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.tarvo.tutor"));
    const QPixmap icon = preface01->windowIcon().pixmap(48, 48);
    ASSERT_FALSE(icon.isNull());
    EXPECT_NE(icon.toImage().pixelColor(24, 24).alpha(), 0) << "the icon is drawn";
}

} // namespace
