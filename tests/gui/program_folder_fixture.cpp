#include "tests/gui/program_folder_fixture.h"

#include "app/create_windows.h"
#include "app/history_loader.h"
#include "app/start_screen.h"
#include "articletest/article_test_settings_window.h"
#include "articletest/article_test_window.h"
#include "history/history_service_impl.h"
#include "platform/desktop_open.h"
#include "platform/error_report.h"
#include "platform/loaded_sound_player.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/sdl_sound_player.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

void ProgramFolderTest::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    QDir(folder_.path()).mkpath(QStringLiteral("images"));
    QDir(folder_.path()).mkpath(QStringLiteral("hzlib"));
    QDir(folder_.path()).mkpath(QStringLiteral("files"));
    writeFile(QStringLiteral("files/record.dat"), QByteArray());
    setProgramFolder(folder_.path());
    // The learner's own settings (Server.ini, the class) in the folder too.
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
    // The tests link the history in; the program loads it as a module (its
    // own test runs the program).
    useLinkedHistory(&historyService());
    useLinkedSoundPlayer([](SoundUnavailable unavailable) -> std::unique_ptr<SoundPlayer> {
        return std::make_unique<SdlSoundPlayer>(std::move(unavailable));
    });
    desktop::setOpener([this](const QUrl& url) {
        opened.push_back(url);
        return desktopOpens;
    });
    prompts::setAnswerer([this](const QString& text) {
        questions << text;
        return answerYes;
    });
    errors::setReporter([this](QWidget*, const QString& message) { errorsShown << message; });
    prompts::setTextAnswerer([this](const QString& title) -> std::optional<QString> {
        questions << title;
        return typedName;
    });
    prompts::setNotifier([this](const QString& text) { notices << text; });
    createWindows();
    watchdog_ = new QTimer;
    watchdog_->setSingleShot(true);
    QObject::connect(watchdog_, &QTimer::timeout, [] {
        ADD_FAILURE() << "a window stayed open for " << kLongestTestMs / 1000
                      << " s: closed by the watchdog";
        // Closes the modal windows from the top down, every 100 ms, so that
        // the test's nested loops return and it ends with its failure.
        auto* closer = new QTimer;
        QObject::connect(closer, &QTimer::timeout, closer, [closer] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->hide();
            else if (QWidget* p = QApplication::activePopupWidget())
                p->hide();
            else
                closer->deleteLater();
        });
        closer->start(100);
    });
    watchdog_->start(kLongestTestMs);
    // No real file or colour dialog may open in a test: they would wait for a person.
    form_test->openDialog = [] { return QString(); };
    form_test->ChangeDialog = [] { return QString(); };
    Form_color->pickColour = [](const QColor&) { return QColor(); };
}

void ProgramFolderTest::TearDown() {
    delete watchdog_;
    watchdog_ = nullptr;
    destroyWindows();
    desktop::setOpener({});
    prompts::setAnswerer({});
    prompts::setTextAnswerer({});
    prompts::setNotifier({});
    errors::setReporter({});
    setProgramFolder(QString());
    qputenv("XDG_CONFIG_HOME", oldConfig_);
}

void ProgramFolderTest::writeJpeg(const QString& relative, const QColor& colour, int w,
                                  int h) const {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    ASSERT_TRUE(img.save(path(relative), "JPG")) << relative.toStdString();
}

void ProgramFolderTest::writeFile(const QString& relative, const QByteArray& bytes) const {
    QFile f(path(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void StartScreenShownTest::SetUp() {
    ProgramFolderTest::SetUp();
    preface01->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preface01));
}

void StartScreenShownTest::TearDown() {
    answerYes = true;
    preface01->close();
    ProgramFolderTest::TearDown();
}
