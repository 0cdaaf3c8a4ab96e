#include "app/start_screen.h"

#include "app/about_box.h"
#include "app/help_page_window.h"
#include "app/history_loader.h"
#include "app/results_address.h"
#include "articletest/article_test_window.h"
#include "history/history_service.h"
#include "platform/desktop_open.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/image_file.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/user_error.h"
#include "platform/window_setup.h"
#include "training/training_window.h"
#include "warmup/warmup_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QStandardPaths>
#include <QToolButton>

#include <algorithm>

Tpreface01* preface01 = nullptr;

namespace {

struct HotArea {
    int x, y, w, h;
};
// SpeedButton1 … SpeedButton9, over the labels of the background picture;
// the ninth, the learning history, below the module entries and the animation.
constexpr HotArea kHotAreas[10] = {
    {0, 0, 0, 0},       {83, 126, 106, 39}, {83, 186, 106, 39}, {83, 245, 106, 39},
    {83, 304, 106, 39}, {83, 363, 106, 39}, {731, 639, 78, 34}, {847, 639, 78, 34},
    {611, 639, 78, 34}, {83, 580, 106, 39},
};

// Where an arrow key moves among the entries: −1 back, +1 on, 0 for another
// key. The keypad's 8/4 and 2/6 are arrows with Num Lock on too.
int arrowStep(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (key == Qt::Key_Up || key == Qt::Key_Left ||
        (keypad && (key == Qt::Key_8 || key == Qt::Key_4)))
        return -1;
    if (key == Qt::Key_Down || key == Qt::Key_Right ||
        (keypad && (key == Qt::Key_2 || key == Qt::Key_6)))
        return 1;
    return 0;
}

} // namespace

Tpreface01::Tpreface01(QWidget* parent) : QWidget(parent) {
    setupWindow(this, QStringLiteral("Tarvo码输入法教学训练软件"), 1002, 712, Frame::Main);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 1002, 712);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);

    Image2 = new QLabel(this);
    Image2->setGeometry(208, 128, 297, 424);

    ShockwaveFlash1 = new QLabel(this);
    ShockwaveFlash1->setGeometry(72, 424, 129, 129);
    ShockwaveFlash1->setScaledContents(true);
    ShockwaveFlash1->hide();

    for (int i = 1; i <= 9; ++i) {
        auto* b = new QToolButton(this);
        const HotArea& a = kHotAreas[i];
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i));
        b->setGeometry(a.x, a.y, a.w, a.h);
        b->setAutoRaise(true);
        // Reached by Tab and the arrow keys as well as by the pointer: a
        // keypad learner opens every entry without the mouse.
        b->setFocusPolicy(Qt::TabFocus);
        b->setCursor(Qt::PointingHandCursor);
        b->setMouseTracking(true);
        b->setStyleSheet(QStringLiteral(
            "QToolButton { border: none; background: transparent; }"
            "QToolButton:hover { border: 1px solid rgba(255, 255, 255, 170); border-radius: 4px; }"
            "QToolButton:focus { border: 3px solid white; border-radius: 5px; }"
            "QToolButton:pressed { background: rgba(0, 0, 0, 40); }"));
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this,
                [this, i] { errors::guarded(this, [this, i] { SpeedButtonClick(i); }); });
        SpeedButton[static_cast<size_t>(i)] = b;
    }

    // The course's entry on the row of help, about and quit, drawn as the
    // module entries are; the plan under the preview.
    courseButton = new QToolButton(this);
    courseButton->setObjectName(QStringLiteral("courseButton"));
    courseButton->setText(QStringLiteral("学习路线"));
    courseButton->setGeometry(83, 639, 106, 34);
    courseButton->setFocusPolicy(Qt::TabFocus);
    courseButton->installEventFilter(this);
    courseButton->setCursor(Qt::PointingHandCursor);
    courseButton->setFont(fonts::song(18, true));
    courseButton->setToolTip(QStringLiteral("从零开始，一步一步学会Tarvo码"));
    courseButton->setStyleSheet(QStringLiteral(
        "QToolButton { color: #3a1e00; border: 1px solid #b86b00; border-radius: 6px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd27a, stop:1 #f2a019); }"
        "QToolButton:hover { border: 1px solid white; }"
        "QToolButton:focus { border: 3px solid #1a3a8a; }"
        "QToolButton:pressed { background: #e08e10; }"));
    courseButton->hide();
    connect(courseButton, &QToolButton::clicked, this, [this] {
        errors::guarded(this, [this] {
            if (makeModuleWindows)
                makeModuleWindows();
            if (openCourse)
                openCourse();
            updatePlan();
        });
    });
    planLabel = new QLabel(this);
    planLabel->setObjectName(QStringLiteral("planLabel"));
    planLabel->setGeometry(208, 562, 520, 28);
    planLabel->setFont(fonts::song(17, true));
    planLabel->setStyleSheet(QStringLiteral("color: #ffe9a8;"));
    planLabel->hide();

    const std::vector<QToolButton*> order = keyOrder();
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The screen itself holds the focus when it opens, so that it looks as
    // drawn (no entry framed, no preview) until a key or Tab picks an entry.
    setFocusPolicy(Qt::ClickFocus);
}

void Tpreface01::keyPressEvent(QKeyEvent* event) {
    // Before any entry has the focus, an arrow puts it on the first.
    const std::vector<QToolButton*> order = keyOrder();
    if (!order.empty() && arrowStep(event->key(), event->modifiers()) != 0) {
        order.front()->setFocus(Qt::TabFocusReason);
        return;
    }
    QWidget::keyPressEvent(event);
}

std::vector<QToolButton*> Tpreface01::keyOrder() const {
    std::vector<QToolButton*> order;
    for (QToolButton* b :
         {SpeedButton[1], SpeedButton[2], SpeedButton[3], SpeedButton[4], SpeedButton[5],
          SpeedButton[9], courseButton, SpeedButton[8], SpeedButton[6], SpeedButton[7]})
        if (b && !b->isHidden())
            order.push_back(b);
    return order;
}

bool Tpreface01::entryKey(QToolButton* entry, int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        entry->click();
        return true;
    }
    const int step = arrowStep(key, modifiers);
    if (step == 0)
        return false;
    const std::vector<QToolButton*> order = keyOrder();
    const auto at = std::find(order.begin(), order.end(), entry);
    if (at == order.end())
        return false;
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t next = ((at - order.begin()) + step + n) % n;
    order[static_cast<size_t>(next)]->setFocus(Qt::TabFocusReason);
    return true;
}

void Tpreface01::updatePlan() {
    const QString line = plan ? plan() : QString();
    // A long plan is drawn smaller until it fits beside the picture, never cut.
    planLabel->setFont(fonts::fitting(fonts::song(17, true), line, planLabel->width(), 12));
    planLabel->setText(line);
    planLabel->setVisible(!line.isEmpty());
    courseButton->setVisible(static_cast<bool>(openCourse));
}

void Tpreface01::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        errors::guarded(this, [this] { FormShow(); });
}

void Tpreface01::FormShow() {
    if (!focusWidget())
        setFocus(Qt::OtherFocusReason);
    const QString home = programFolder();
    if (Form1) { // made once the start screen has been painted
        Form1->HomeDir = home;
        form_test->HomeDir = home;
    }

    const QString animation = home + QString::fromLatin1(kAnimation);
    // Only a regular file: the movie would wait for ever on a FIFO.
    if (!movie_ && QFileInfo(animation).isFile()) {
        movie_ = new QMovie(animation, QByteArray(), this);
        movie_->setCacheMode(QMovie::CacheAll);
        ShockwaveFlash1->setMovie(movie_);
    }

    const QString background = home + QString::fromLatin1(kBackground);
    if (Image1->pixmap().isNull() && QFile::exists(background))
        Image1->setPixmap(QPixmap::fromImage(readImageFileFor(background, devicePixelRatioF())));
}

bool Tpreface01::eventFilter(QObject* watched, QEvent* event) {
    auto* entry = qobject_cast<QToolButton*>(watched);
    if (entry && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        bool taken = false;
        errors::guarded(this, [&] { taken = entryKey(entry, key->key(), key->modifiers()); });
        if (taken)
            return true;
    }
    if (entry && event->type() == QEvent::FocusIn) {
        // The preview follows the focus as it follows the pointer.
        const auto found = std::find(SpeedButton.begin(), SpeedButton.end(), entry);
        const int i = static_cast<int>(found - SpeedButton.begin());
        errors::guarded(this, [&] {
            if (i >= 1 && i <= 5)
                SpeedButtonMouseMove(i);
            else
                Image1MouseMove();
        });
    }
    if (event->type() == QEvent::MouseMove) {
        if (watched == Image1) {
            errors::guarded(this, [this] { Image1MouseMove(); });
        } else {
            for (int i = 1; i <= 5; ++i) {
                if (watched == SpeedButton[static_cast<size_t>(i)])
                    errors::guarded(this, [this, i] { SpeedButtonMouseMove(i); });
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tpreface01::setAnimationVisible(bool visible) {
    ShockwaveFlash1->setVisible(visible);
    if (movie_) {
        if (visible && movie_->state() != QMovie::Running)
            movie_->start();
        else if (!visible)
            movie_->stop();
    }
}

void Tpreface01::Image1MouseMove() {
    Image2->clear();
    setAnimationVisible(false);
}

void Tpreface01::SpeedButtonMouseMove(int entry) {
    // The course entry shows the animation whether or not its picture exists.
    if (entry == 1)
        setAnimationVisible(true);
    // Read afresh at every movement: a picture replaced on disk shows at once.
    const QString picture = programFolder() + QStringLiteral("images/%1.jpg").arg(entry);
    if (!QFile::exists(picture))
        return;
    const QDateTime modified = QFileInfo(picture).lastModified();
    const auto damaged = damagedPreviews_.constFind(picture);
    if (damaged != damagedPreviews_.cend() && *damaged == modified)
        return;
    try {
        Image2->setPixmap(QPixmap::fromImage(readImageFileFor(picture, devicePixelRatioF())));
        damagedPreviews_.remove(picture);
    } catch (const UserError&) {
        damagedPreviews_.insert(picture, modified);
        throw;
    }
}

void Tpreface01::SpeedButtonClick(int entry) {
    if (makeModuleWindows)
        makeModuleWindows();
    switch (entry) {
    case 1:
        openHelpFile(kCourse);
        break;
    case 2:
        FHot->exec();
        break;
    case 3:
        Form1->exec();
        break;
    case 4:
        form_test->exec();
        break;
    case 5:
        openResultsPage();
        break;
    case 6:
        About->exec();
        break;
    case 7:
        close();
        break;
    case 8:
        openHelpFile(kReadme);
        break;
    case 9:
        if (HistoryService* history = loadedHistory())
            history->showWindow();
        break;
    }
    // Back from practice or the history, the plan says what is left for today.
    if (entry == 2 || entry == 3 || entry == 4 || entry == 9)
        updatePlan();
}

void Tpreface01::openHelpFile(const char* name) {
    const QString path = programFolder() + QString::fromLatin1(name);
    if (!QFile::exists(path))
        return;
    if (desktop::open(QUrl::fromLocalFile(path)))
        return;
    // No web browser: the page in a window of our own, saying so.
    HelpPageWindow window(this);
    window.load(path);
    window.exec();
}

void Tpreface01::openResultsPage() {
    // The learner's own Server.ini ($XDG_CONFIG_HOME/tarvo/) before the program's.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/tarvo/");
    const std::optional<QString> address = resultsAddress(programFolder(), config);
    const std::optional<QUrl> page = address ? webAddress(*address) : std::nullopt;
    // The class and its join dialog come with the learning history; without
    // it the page of Server.ini opens as it is.
    if (HistoryService* history = loadedHistory())
        history->openClass(this, page);
    else if (page)
        desktop::open(*page);
}

void Tpreface01::closeEvent(QCloseEvent* event) {
    // Records the learning history could not take are lost with the
    // program: the question says so instead of the usual one.
    HistoryService* history = historyIfLoaded();
    QString question = history ? history->lostOnClosing() : QString();
    if (question.isEmpty())
        question = QStringLiteral("您是否确定要退出系统？");
    if (prompts::askYesNo(this, windowTitle(), question, prompts::Style::Warning))
        event->accept();
    else
        event->ignore();
}
