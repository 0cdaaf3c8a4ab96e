#include "training/training_window.h"

#include "dictionary/character_codes.h"
#include "training/review_items.h"

#include "coaching/corner_table.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "platform/chinese_clock.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/gbk_codec.h"
#include "platform/image_file.h"
#include "platform/keypad_key.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/regular_file.h"
#include "platform/rtf_reader.h"
#include "platform/score_files.h"
#include "platform/window_setup.h"
#include "records/record_holders_file.h"
#include "records/record_holders_window.h"
#include "records/record_name_entry_window.h"
#include "shared_windows/help_text_window.h"
#include "training/encoding_diagram.h"
#include "training/foreword_window.h"
#include "training/history_link.h"
#include "training/pause_notice.h"
#include "training/stroke_outlines.h"
#include "training/training_help_panel.h"
#include "training/training_settings_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QThread>

#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <random>

#include <utility>

using namespace training;

namespace {
// The height of the note on a wrong code when it is short.
constexpr int kCoachTextHeight = 124;
} // namespace

TForm1* Form1 = nullptr;

Q_LOGGING_CATEGORY(trainingLog, "tarvo.training")

namespace {

const QColor kTeal(0, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);

// Exercise buttons by kind: name and place on their page.
struct ButtonPlace {
    const char* name;
    int x;
};
constexpr ButtonPlace kButtons[kKinds] = {
    {"SpeedButton8", 8},
    {"SpeedButton10", 96},
    {"SpeedButton9", 184},
    {"SpeedButton12", 8},
    {"SpeedButton17", 100},
    {"SpeedButton13", 192},
    {"SpeedButton18", 284},
    {"SpeedButton4", 8},
    {"SpeedButton6", 92},
    {"SpeedButton5", 176},
    {"SpeedButton7", 260},
    {"SpeedButton2", 344},
    {"SpeedButtonCharReview", 376},
    {"SpeedButtonWordReview", 428},
};

const char* const kCueFiles[8] = {"",
                                  "sound/Jiayou.wav",
                                  "sound/Hero.wav",
                                  "sound/Zaixiang.wav",
                                  "sound/start.wav",
                                  "sound/Gxgx.wav",
                                  "sound/win.wav",
                                  "sound/backmid.mid"};

void paintBackground(QWidget* w, const QColor& colour) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QFrame* gridPanel(QWidget* page, const QColor& colour) {
    auto* panel = new QFrame(page);
    panel->setGeometry(2, 2, 644, 456);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    paintBackground(panel, colour);
    return panel;
}

QLineEdit* inputBox(QWidget* panel, int width, bool redDigits) {
    auto* box = new QLineEdit(panel);
    box->resize(width, 22);
    if (redDigits) {
        box->setFrame(false);
        box->setMaxLength(7);
        box->setFont(fonts::sans(20));
        box->setToolTip(QStringLiteral("Tarvo码输入"));
        box->setStyleSheet(QStringLiteral("QLineEdit { background: red; color: white; }"));
    } else {
        box->resize(width, 18);
        box->setFont(fonts::sans(14));
        box->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: black; }"));
    }
    // The training takes every key of the box: no pasting, dropping or
    // composing of text past the digit rules.
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->hide();
    return box;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("字词训练窗口"), 843, 620, Frame::Dialog);
    setFont(fonts::song(12));
    flow_ = std::make_unique<TrainingFlow>(static_cast<TrainingHost&>(*this));
    flow_->setReviewProvider([this](bool words, int count, const auto& frequent) {
        return training::reviewItems(training::historyLink(), words, count, frequent,
                                     CheckFullReview[0] && CheckFullReview[0]->isChecked(),
                                     dictionary::codesOfCharacter);
    });
    flow_->setDrillProvider([](const auto& target, int count, const QStringList& byFrequency) {
        return training::drillItems(training::historyLink(), target, count, byFrequency);
    });
    flow_->setRunObserver(&training::linkedRuns());
    buildPages();
    buildSidePanel();
    connectDiagram();

    auto timer = [this](int ms, bool once, void (TForm1::*handler)()) {
        auto* t = new QTimer(this);
        t->setInterval(ms);
        t->setSingleShot(once);
        if (handler)
            connect(t, &QTimer::timeout, this, [this, handler] { (this->*handler)(); });
        return t;
    };
    Timer1 = timer(1200, false, &TForm1::Timer1Timer);
    Timer2 = timer(100, true, &TForm1::Timer2Timer);
    Timer3 = timer(1000, false, &TForm1::Timer3Timer);
    Timer4 = timer(200, false, &TForm1::Timer4Timer); // the mascot's animation
    Timertime = timer(1000, false, &TForm1::TimertimeTimer);

    connect(TabbedNotebook2, &QTabWidget::currentChanged, this,
            [this](int index) { run([&] { flow_->choosePage(static_cast<Page>(index)); }); });
    for (int k = 0; k < kKinds; ++k)
        connect(exerciseButtons[static_cast<size_t>(k)], &QToolButton::clicked, this, [this, k] {
            run([&] { flow_->chooseExercise(exerciseKind(k)); });
            showDueCounts();
        });
    auto on = [this](QPushButton* b, void (TrainingFlow::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { run([&] { ((*flow_).*handler)(); }); });
    };
    on(SBtnStart, &TrainingFlow::start);
    on(SBtnPause, &TrainingFlow::pause);
    on(sbHelp, &TrainingFlow::openHelp);
    on(SBtnSetup, &TrainingFlow::openSettings);
    on(sbAbout, &TrainingFlow::openRecordHolders);
    on(SBtnQuit, &TrainingFlow::quit);
    on(BitBtn1, &TrainingFlow::openDiagram);
    on(SBtnHistory, &TrainingFlow::openHistory);
    connect(SBtnDrill, &QPushButton::clicked, this,
            [this] { run([this] { flow_->startDrill(std::nullopt); }); });
    if (Form_sz)
        Form_sz->setHost(this);
    refresh();
}

TForm1::~TForm1() = default;

void TForm1::buildPages() {
    TabbedNotebook2 = new QTabWidget(this);
    TabbedNotebook2->setGeometry(4, 4, 652, 612);
    TabbedNotebook2->setFont(fonts::song(14));
    QWidget* pages[kPages];
    for (int p = 0; p < kPages; ++p) {
        pages[p] = new QWidget;
        TabbedNotebook2->addTab(pages[p], QString::fromUtf16(page(static_cast<Page>(p)).caption));
        groups_[static_cast<size_t>(p)] = new QButtonGroup(this);
        groups_[static_cast<size_t>(p)]->setExclusive(true);
    }

    // The picture grid: white, 6 rows of 10 pictures.
    Panel1 = gridPanel(pages[0], Qt::white);
    for (int i = 0; i < kPictureItems; ++i) {
        auto* item = new QLabel(Panel1);
        item->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        item->setGeometry(kPictureGrid.left + (i % kPictureColumns) * kPictureGrid.dx,
                          kPictureGrid.top + (i / kPictureColumns) * kPictureGrid.dy, 49, 48);
        item->setScaledContents(true);
        item->hide();
        pictureItems[static_cast<size_t>(i)] = item;
    }
    Labelhint1 = inputBox(Panel1, 58, false);
    Labelhint1->setObjectName(QStringLiteral("Labelhint1"));

    // The character grid: teal, 7 rows of 17 characters.
    Panel5 = gridPanel(pages[1], kTeal);
    for (int i = 0; i < kCharItems; ++i) {
        auto* item = new QLabel(Panel5);
        item->setObjectName(QStringLiteral("Label%1").arg(i + 6));
        item->setGeometry(kCharGrid.left + (i % kCharColumns) * kCharGrid.dx,
                          kCharGrid.top + (i / kCharColumns) * kCharGrid.dy, 34, 36);
        item->setAlignment(Qt::AlignCenter);
        item->setFont(fonts::kai(32));
        item->hide();
        characterItems[static_cast<size_t>(i)] = item;
    }
    Editinput = inputBox(Panel5, 76, true); // seven digits, and inside the page at a row's end
    Editinput->setObjectName(QStringLiteral("Editinput"));

    // The word grid: teal, 9 rows of 5 words.
    Panel12 = gridPanel(pages[2], kTeal);
    for (int i = 0; i < kWordItems; ++i) {
        auto* item = new QLabel(Panel12);
        item->setObjectName(i == 0 ? QStringLiteral("word00")
                                   : QStringLiteral("Label%1").arg(i + 124));
        item->move(kWordGrid.left + (i % kWordColumns) * kWordGrid.dx,
                   kWordGrid.top + (i / kWordColumns) * kWordGrid.dy);
        item->setFont(fonts::kai(27));
        item->hide();
        wordItems[static_cast<size_t>(i)] = item;
    }
    Editinput2 = inputBox(Panel12, 119, true);
    Editinput2->setObjectName(QStringLiteral("Editinput2"));

    // The exercise buttons under each grid.
    for (int k = 0; k < kKinds; ++k) {
        const int p = static_cast<int>(pageOf(exerciseKind(k)));
        auto* b = new QToolButton(pages[p]);
        b->setObjectName(QString::fromLatin1(kButtons[k].name));
        b->setText(QString::fromUtf16(kind(exerciseKind(k)).caption));
        b->setCheckable(true);
        b->setFont(fonts::song(16, true));
        b->setGeometry(kButtons[k].x, 466, p == 1 ? 88 : 80, 34);
        b->setFocusPolicy(Qt::NoFocus);
        groups_[static_cast<size_t>(p)]->addButton(b, k);
        exerciseButtons[static_cast<size_t>(k)] = b;
    }
    for (int p = 0; p < kPages; ++p)
        groups_[static_cast<size_t>(p)]
            ->button(numberOf(page(static_cast<Page>(p)).defaultKind))
            ->setChecked(true);

    // What is due today, in a badge on each review button's corner.
    for (int i = 0; i < 2; ++i) {
        QToolButton* review = exerciseButtons[static_cast<size_t>(
            numberOf(i == 0 ? ExerciseKind::CharacterReview : ExerciseKind::WordReview))];
        // On the button's top right edge, in the gap above it, so that it
        // covers the frame and never the caption's last character.
        auto* badge = new QLabel(review->parentWidget());
        badge->setObjectName(i == 0 ? QStringLiteral("dueCharacters") : QStringLiteral("dueWords"));
        badge->setGeometry(review->geometry().right() - 17, review->y() - 8, 22, 12);
        badge->setAlignment(Qt::AlignCenter);
        badge->setFont(fonts::sans(9, true));
        badge->setStyleSheet(
            QStringLiteral("QLabel { color: white; background: #d01010; border-radius: 6px; }"));
        badge->setAttribute(Qt::WA_TransparentForMouseEvents);
        badge->hide();
        dueBadges[static_cast<size_t>(i)] = badge;
    }

    for (int i = 0; i < 2; ++i) {
        auto* box = new QCheckBox(QStringLiteral("补满"), pages[i + 1]);
        box->setObjectName(QStringLiteral("CheckFullReview%1").arg(i));
        box->setToolTip(QStringLiteral("要复习的不够一页时，用常用的补满"));
        box->setFont(fonts::song(15, true));
        box->setGeometry(i == 0 ? 570 : kButtons[numberOf(ExerciseKind::WordReview)].x + 86, 470,
                         70, 28);
        box->setFocusPolicy(Qt::NoFocus);
        CheckFullReview[static_cast<size_t>(i)] = box;
    }
    for (int i = 0; i < 2; ++i)
        connect(CheckFullReview[static_cast<size_t>(i)], &QCheckBox::toggled, this,
                [this, i](bool on) {
                    QCheckBox* other = CheckFullReview[static_cast<size_t>(1 - i)];
                    if (other->isChecked() != on)
                        other->setChecked(on);
                });

    // The drill of the weak corners, beside the reviews on the character page.
    SBtnDrill = new QPushButton(QStringLiteral("弱点练习"), pages[1]);
    SBtnDrill->setObjectName(QStringLiteral("SBtnDrill"));
    SBtnDrill->setToolTip(QStringLiteral("练最常读错的角"));
    SBtnDrill->setFont(fonts::song(16, true));
    SBtnDrill->setGeometry(kButtons[numberOf(ExerciseKind::CharacterReview)].x + 92, 466, 96, 34);
    SBtnDrill->setFocusPolicy(Qt::NoFocus);
    SBtnDrill->setAutoDefault(false);

    // The rhyme of the stroke digits on the basic page.
    const QString lines[2] = {QStringLiteral("一横二竖三点捺，叉四插五方块六，"),
                              QStringLiteral("七角八八九是小，撇与左钩都是零。")};
    QLabel* rhymes[2];
    for (int i = 0; i < 2; ++i) {
        rhymes[i] = placeLabel(pages[0], lines[i], 8, 512 + i * 32, 630, 30);
        rhymes[i]->setFont(fonts::kai(24, true));
        rhymes[i]->setStyleSheet(QStringLiteral("color: #800000;"));
    }
    rhyme1 = rhymes[0];
    rhyme2 = rhymes[1];
}

void TForm1::buildSidePanel() {
    const int left = 660, width = 179;
    auto* side = new QFrame(this);
    side->setGeometry(left, 4, width, 612);
    side->setFrameShape(QFrame::Panel);
    side->setFrameShadow(QFrame::Raised);
    side->lower();

    Imagefaceclose = placeLabel(this, QString(), left + 54, 10, 72, 72);
    Imagefaceclose->setToolTip(QStringLiteral("别摸我的脸"));
    Imagefaceopen = placeLabel(this, QString(), left + 54, 10, 72, 72);
    Imagefaceopen->setToolTip(QStringLiteral("不要摸我脸嘛"));
    Imagefaceopen->hide();

    Labelplay1 = placeLabel(this, QString(), left, 86, width, 22);
    Labelplay2 = placeLabel(this, QString(), left, 108, width, 30);
    Labelplay2->setFont(fonts::hei(20, true));
    Labelplay3 = placeLabel(this, QString(), left, 140, width, 22);
    Labelplay4 = placeLabel(this, QString(), left, 162, width, 22);
    for (QLabel* l : {Labelplay1, Labelplay2, Labelplay3, Labelplay4}) {
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("color: #000080;"));
    }
    Labelplay1->setFont(fonts::song(15));
    Labelplay3->setFont(fonts::song(15));
    Labelplay4->setFont(fonts::song(15));

    BitBtn1 = placeButton(this, QStringLiteral("编码图解"), left + 30, 192, 120, 28);
    BitBtn1->hide();

    // The note on a wrong code, left of the message lines over the grid's
    // corner; it never takes the focus, the keys stay in the answer box.
    coachPanel = new QFrame(this);
    coachPanel->setObjectName(QStringLiteral("coachPanel"));
    // Wide enough for a whole sentence of the rhyme on one line.
    coachPanel->setGeometry(left - 364, 60, 360, 132);
    coachPanel->setFrameShape(QFrame::Box);
    coachPanel->setFocusPolicy(Qt::NoFocus);
    paintBackground(coachPanel, QColor(255, 255, 225));
    coachText = placeLabel(coachPanel, QString(), 6, 4, 252, kCoachTextHeight);
    coachText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    coachText->setWordWrap(true);
    coachText->setTextFormat(Qt::RichText);
    coachText->setFont(fonts::song(15, true));
    coachText->setStyleSheet(QStringLiteral("color: #800000;"));
    coachStroke = placeLabel(coachPanel, QString(), 260, 16, 96, 96);
    coachStroke->setObjectName(QStringLiteral("coachStroke"));
    coachPanel->hide();

    struct Command {
        QPushButton** button;
        const char16_t* caption;
        const char16_t* hint;
    };
    const Command commands[] = {
        {&sbHelp, u"说明", u"输入说明"},  {&SBtnStart, u"开始", u"开 始"},
        {&SBtnPause, u"暂停", u"暂 停"},  {&SBtnSetup, u"设置", u"设 置"},
        {&sbAbout, u"高手", u"关于系统"}, {&SBtnQuit, u"退出", u"退 出"},
    };
    for (int i = 0; i < 6; ++i) {
        auto* b = placeButton(this, QString::fromUtf16(commands[i].caption),
                              left + 6 + (i % 2) * 86, 228 + (i / 2) * 36, 82, 32);
        b->setToolTip(QString::fromUtf16(commands[i].hint));
        b->setFont(fonts::song(16, true));
        b->setAutoDefault(false);
        *commands[i].button = b;
    }

    // The speed box.
    auto* speedBox = new QFrame(this);
    speedBox->setGeometry(left + 6, 340, width - 12, 76);
    speedBox->setFrameShape(QFrame::Box);
    placeLabel(speedBox, QStringLiteral("速度"), 6, 6, 40, 24)->setFont(fonts::song(15, true));
    Labeljifen = placeLabel(speedBox, QStringLiteral("0"), 46, 4, 60, 28);
    Labeljifen->setAlignment(Qt::AlignCenter);
    Labeljifen->setFont(fonts::sans(22, true));
    Labeljifen->setStyleSheet(QStringLiteral("color: red;"));
    placeLabel(speedBox, QStringLiteral("字/分"), 110, 6, 50, 24)->setFont(fonts::song(15, true));
    Imagebike = placeLabel(speedBox, QString(), 52, 36, 64, 36);
    Imagecar = placeLabel(speedBox, QString(), 52, 36, 64, 36);
    Imageplane = placeLabel(speedBox, QString(), 52, 36, 64, 36);
    for (QLabel* l : {Imagebike, Imagecar, Imageplane})
        l->setScaledContents(true);
    Imagecar->hide();
    Imageplane->hide();

    // The clock and the decorative picture.
    clockPicture = placeLabel(this, QString(), left + 8, 424, 24, 24);
    clockPicture->setScaledContents(true);
    Label1 = placeLabel(this, QString(), left + 36, 424, width - 42, 24);
    Label1->setFont(fonts::song(14));
    Image61 = placeLabel(this, QString(), left + 4, 454, width - 8, 158);
    Image61->setScaledContents(true);
    // The learning history, over the foot of the decorative picture.
    SBtnHistory = placeButton(this, QStringLiteral("学习记录"), left + 6, 578, width - 12, 32);
    SBtnHistory->setToolTip(QStringLiteral("速度、错字和复习"));
    SBtnHistory->setFont(fonts::song(16, true));
    SBtnHistory->setAutoDefault(false);
    // No button of the window ever takes the focus: after a click the keys
    // still reach the answer box (Space never presses the button again, and
    // the keypad's arrows with Num Lock off never walk between buttons).
    for (QPushButton* b :
         {sbHelp, SBtnStart, SBtnPause, SBtnSetup, sbAbout, SBtnQuit, BitBtn1, SBtnHistory})
        b->setFocusPolicy(Qt::NoFocus);

    // The time gauge above the notebook, beside its tabs.
    gaugePanel = new QFrame(this);
    gaugePanel->setGeometry(300, 7, 352, 18);
    gaugePanel->setToolTip(QStringLiteral("进度条"));
    gaugePanel->setFrameShape(QFrame::Panel);
    gaugePanel->setFrameShadow(QFrame::Sunken);
    Gauge1 = new QProgressBar(gaugePanel);
    Gauge1->setGeometry(2, 2, 348, 6);
    Gauge2 = new QProgressBar(gaugePanel);
    Gauge2->setGeometry(2, 10, 348, 6);
    for (QProgressBar* g : {Gauge1, Gauge2}) {
        g->setRange(0, 100);
        g->setTextVisible(false);
        g->setStyleSheet(QStringLiteral("QProgressBar { background: #800000; border: none; }"
                                        "QProgressBar::chunk { background: palette(button); }"));
    }
    gaugePanel->raise();
}

void TForm1::loadPictures() {
    if (!Imagefaceclose->pixmap().isNull())
        return;
    struct Picture {
        QLabel* label;
        const char* file;
    };
    const Picture list[] = {
        {Imagefaceclose, "images/faceclose.png"}, {Imagefaceopen, "images/faceopen.png"},
        {Imagebike, "images/bike.png"},           {Imagecar, "images/car.png"},
        {Imageplane, "images/plane.png"},         {clockPicture, "images/clock.png"},
        {Image61, "images/trainside.png"},
    };
    for (const Picture& p : list) {
        const QString path = programFolder() + QString::fromLatin1(p.file);
        if (QFile::exists(path))
            p.label->setPixmap(QPixmap::fromImage(readImageFileFor(path, devicePixelRatioF())));
    }
}

template <typename Event> void TForm1::run(Event&& event) {
    pullTimers();
    errors::guarded(this, [&] {
        try {
            event();
        } catch (...) {
            refresh();
            throw;
        }
    });
    refresh();
}

void TForm1::pullTimers() {
    TrainingFlow& f = *flow_;
    f.clocks.gauge = Timer1->isActive();
    f.clocks.speed = Timer3->isActive();
    f.clocks.face = Timer4->isActive();
    f.clocks.timeOfDay = Timertime->isActive();
    f.clocks.panelDelay = Timer2->isActive();
}

void TForm1::showEvent(QShowEvent* event) {
    // The training reads its exercises and texts in the program folder.
    flow_->setProgramFolder(HomeDir);
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    closing_ = false;
    // A click anywhere in the window closes the explanation panel, also
    // where the window manager leaves the activation with the window.
    qApp->installEventFilter(this);
    errors::guarded(this, [this] { loadPictures(); });
    // The corner table names the strokes of a wrong code; without it the
    // rhyme's names are used.
    QString tableProblem;
    if (!flow_->coach.hasTable())
        flow_->coach.setTable(coaching::CornerTable::shared(
            programFolder() + QLatin1String(coaching::kCornerTableFile), &tableProblem));
    pictures_.clear();
    pictureError_.clear();
    pictureErrorShown_ = false;
    if (!tableProblem.isEmpty())
        errors::report(this, tableProblem + QStringLiteral("。"));
    strokeErrorShown_ = false;
    recordFileNotice_.clear();
    run([this] {
        flow_->opened();
        flow_->tickTimeOfDay(chinese_clock::timeOfDay(QTime::currentTime()));
    });
    showDueCounts();
    if (requestedDrill_)
        QTimer::singleShot(0, this, [this] { startRequestedDrill(); });
    if (requestedCourseRun_)
        QTimer::singleShot(0, this, [this] {
            if (!requestedCourseRun_ || !isVisible())
                return;
            const training::CourseRun step = *std::exchange(requestedCourseRun_, std::nullopt);
            run([&] { flow_->startCourseStep(step); });
        });
}

void TForm1::closeEvent(QCloseEvent* event) {
    pullTimers();
    flow_->closed();
    refresh();
    closing_ = true;
    QDialog::closeEvent(event);
}

void TForm1::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        // The explanation panel closes at the first key, as at a click.
        if (FormSM->isVisible())
            run([this] { flow_->activated(); });
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool inBox = watched == Labelhint1 || watched == Editinput || watched == Editinput2;
        if (inBox) {
            lastBoxKey_.start();
        } else if ((key == Qt::Key_Enter || key == Qt::Key_Return) && SBtnStart->isEnabled() &&
                   SBtnStart->text() == QStringLiteral("开始") &&
                   (!lastBoxKey_.isValid() || lastBoxKey_.elapsed() > 600)) {
            // No run going and no box taking keys: Enter starts one (not the
            // Enter still coming from the answer that ended the last run).
            SBtnStart->click();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // At time-up Enter presses "继续" also from the picture box, which
        // stays on (it would take the Enter as an empty, wrong answer).
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Enter || key == Qt::Key_Return) && watched == Labelhint1 &&
            flow_->runState() == TrainingFlow::RunState::TimeUp)
            return timeUpKey(static_cast<QKeyEvent*>(event));
        for (QLineEdit* box : {Labelhint1, Editinput, Editinput2})
            if (watched == box)
                return boxKey(box, static_cast<QKeyEvent*>(event));
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this &&
            flow_->runState() == TrainingFlow::RunState::TimeUp)
            return timeUpKey(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::MouseButtonPress && FormSM->isVisible() &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this)
        run([this] { flow_->activated(); });
    return QDialog::eventFilter(watched, event);
}

void TForm1::reject() {
    // Esc does not leave the training; the close box and "退出" do.
    if (closing_)
        QDialog::reject();
}

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && isVisible())
        run([this] { flow_->activated(); });
    return QDialog::event(e);
}

bool TForm1::timeUpKey(QKeyEvent* event) {
    // At time-up the answer box is off and the focus has gone elsewhere in
    // the window: Enter (main or keypad) presses "继续", Tab still moves the
    // focus, and no other key reaches the page tabs or a button, where a
    // keypad arrow (Num Lock off) would switch the page and end the run.
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    if ((key == Qt::Key_Enter || key == Qt::Key_Return) && SBtnStart->isEnabled())
        SBtnStart->click();
    return true;
}

bool TForm1::boxKey(QLineEdit* box, QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false; // the focus may leave the box
    const PadKeyPress pad = padKeyOf(*event);
    AnswerKey k;
    k.key = pad.key;
    k.digit = pad.digit;
    k.keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    k.f1 = key == Qt::Key_F1;
    if (!event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        k.text = event->text();
    const Box b = box == Labelhint1 ? Box::Picture : box == Editinput ? Box::Character : Box::Word;
    run([&] { flow_->boxKeyPress(b, k); });
    return true;
}

void TForm1::Timer1Timer() {
    run([this] { flow_->tickGauge(); });
}

void TForm1::Timer2Timer() {
    run([this] { flow_->tickPanelDelay(); });
}

void TForm1::Timer3Timer() {
    run([this] { flow_->tickSpeedClock(); });
}

void TForm1::Timer4Timer() {
    run([this] { flow_->tickFace(); });
}

void TForm1::TimertimeTimer() {
    run([this] { flow_->tickTimeOfDay(chinese_clock::timeOfDay(QTime::currentTime())); });
}

QPixmap TForm1::pictureOf(const QString& path) {
    auto it = pictures_.find(path);
    if (it != pictures_.end())
        return *it;
    QPixmap pixmap;
    try {
        // The pictures' white ground is left out: a pending picture shows
        // the panel through it, an answered one the ground of answered items.
        QImage image = readImageFile(path).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                    line[x] = qRgba(0, 0, 0, 0);
        }
        pixmap = QPixmap::fromImage(image);
    } catch (const std::exception& e) {
        // The item stays answerable by its code; the learner hears of the
        // first damaged picture, the developer's log of each.
        qCWarning(trainingLog) << "picture not drawn:" << path << errors::messageOf(e);
        if (!pictureErrorShown_ && pictureError_.isEmpty())
            pictureError_ = errors::messageOf(e);
    }
    pictures_.insert(path, pixmap);
    return pixmap;
}

void TForm1::drawItems() {
    const Grids& g = flow_->grids;
    // Only items that changed since they were last drawn are drawn again.
    if (drawnColour_ != itemTextColour) {
        drawn_ = {};
        drawnColour_ = itemTextColour;
    }
    auto unchanged = [this](const GridItem& item, QLabel* l) {
        auto [it, fresh] = drawn_.try_emplace(l, item);
        if (!fresh && it->second == item)
            return true;
        it->second = item;
        return false;
    };
    for (size_t i = 0; i < g.pictures.size(); ++i) {
        const GridItem& item = g.pictures[i];
        QLabel* l = pictureItems[i];
        if (unchanged(item, l))
            continue;
        if (item.visible) {
            if (l->property("picture").toString() != item.picturePath) {
                l->setPixmap(pictureOf(item.picturePath));
                l->setProperty("picture", item.picturePath);
            }
            l->setToolTip(item.code);
            // Pending pictures show the panel through; answered ones get their own ground.
            if (item.look == ItemLook::Answered)
                paintBackground(l, QColor(200, 210, 240));
            else
                l->setAutoFillBackground(false);
        }
        l->setVisible(item.visible);
    }
    auto drawText = [&](const GridItem& item, QLabel* l, bool widen) {
        if (unchanged(item, l))
            return;
        if (item.visible) {
            l->setText(gbk::toUnicode(item.text));
            l->setToolTip(item.code);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, itemTextColour);
            switch (item.look) {
            case ItemLook::Pending:
                pal.setColor(QPalette::Window, kTeal);
                break;
            case ItemLook::Current:
                pal.setColor(QPalette::Window, kRed);
                break;
            case ItemLook::Answered:
                pal.setColor(QPalette::Window, kNavy);
                break;
            }
            l->setPalette(pal);
            l->setAutoFillBackground(item.look != ItemLook::Pending);
            if (widen) {
                l->adjustSize();
                l->resize(l->width(), 30);
            }
        } else {
            l->setAutoFillBackground(false);
        }
        l->setVisible(item.visible);
    };
    for (size_t i = 0; i < g.characters.size(); ++i)
        drawText(g.characters[i], characterItems[i], false);
    for (size_t i = 0; i < g.words.size(); ++i)
        drawText(g.words[i], wordItems[i], true);
}

void TForm1::refresh() {
    TrainingFlow& f = *flow_;
    {
        const QSignalBlocker block(TabbedNotebook2);
        TabbedNotebook2->setCurrentIndex(static_cast<int>(f.activePage));
    }
    exerciseButtons[static_cast<size_t>(numberOf(f.exercise))]->setChecked(true);
    // A line wider than the panel (a course step's title) is drawn smaller
    // until it fits, never cut at both ends.
    static const std::array<QFont, 4> fontsOfLines = {fonts::song(15), fonts::hei(20, true),
                                                      fonts::song(15), fonts::song(15)};
    QLabel* const lines[4] = {Labelplay1, Labelplay2, Labelplay3, Labelplay4};
    for (size_t i = 0; i < 4; ++i) {
        // Fitted only when the line changes: the window is redrawn at every
        // key and five times a second.
        const QString& text = f.messages[i];
        if (lines[i]->text() == text)
            continue;
        lines[i]->setFont(fonts::fitting(fontsOfLines[i], text, lines[i]->width() - 4, 11));
        lines[i]->setText(text);
    }
    Gauge1->setValue(std::clamp(f.gauges.first, 0, 100));
    Gauge2->setValue(std::clamp(f.gauges.second, 0, 100));
    gaugePanel->setVisible(f.gauges.shown);
    Labeljifen->setText(f.speedText);
    Imagebike->setVisible(f.vehicle == Vehicle::Bike);
    Imagecar->setVisible(f.vehicle == Vehicle::Car);
    Imageplane->setVisible(f.vehicle == Vehicle::Plane);
    Label1->setText(f.timeOfDay);
    SBtnStart->setText(f.buttons.startCaption);
    SBtnStart->setEnabled(f.buttons.startEnabled);
    SBtnPause->setEnabled(f.buttons.pauseEnabled);
    SBtnSetup->setEnabled(f.buttons.settingsEnabled);
    sbAbout->setEnabled(f.buttons.recordsEnabled);
    BitBtn1->setVisible(f.buttons.diagramShown);
    if (f.coachNote != drawnNote_) {
        drawnNote_ = f.coachNote;
        // The Song font's own line spacing lets wrapped lines touch: each
        // sentence is a paragraph of its own, with room between its lines.
        QString html;
        for (const QString& line : f.coachNote.lines)
            html += QStringLiteral("<p style=\"margin:0 0 3px 0; line-height:120%;\">%1</p>")
                        .arg(line.toHtmlEscaped());
        coachText->setText(html);
        // A long note (a word's parts and every corner of each) makes the
        // panel taller instead of losing its last lines.
        const int textHeight =
            std::max(kCoachTextHeight, coachText->heightForWidth(coachText->width()));
        coachText->resize(coachText->width(), textHeight);
        coachPanel->resize(coachPanel->width(), textHeight + 8);
        // The character's strokes are read when a note names one, not at
        // every drawing of the window.
        QString strokeProblem;
        const QImage drawn =
            drawStrokes(strokeOutlines(programFolder() + QLatin1String(kStrokeOutlineFile),
                                       f.coachNote.character, &strokeProblem),
                        f.coachNote.stroke, coachStroke->width());
        coachStroke->setPixmap(QPixmap::fromImage(drawn));
        coachStroke->setVisible(!drawn.isNull());
        if (!strokeProblem.isEmpty() && !std::exchange(strokeErrorShown_, true))
            pictureError_ = strokeProblem; // told below, once while the window is shown
    }
    coachPanel->setVisible(!f.coachNote.lines.isEmpty());
    if (coachPanel->isVisible())
        coachPanel->raise();
    Imagefaceclose->setVisible(f.face.closedShown);
    Imagefaceopen->setVisible(f.face.openShown);
    drawItems();
    if (!pictureError_.isEmpty()) {
        const QString message = std::exchange(pictureError_, QString());
        pictureErrorShown_ = true; // once while the window is shown
        errors::report(this, message);
    }

    QLineEdit* boxes[3] = {Labelhint1, Editinput, Editinput2};
    for (size_t i = 0; i < 3; ++i) {
        InputBox& b = f.boxes[i];
        boxes[i]->move(b.pos);
        if (boxes[i]->text() != b.text)
            boxes[i]->setText(b.text);
        // A kept answer stays selected through every redraw (the mascot's
        // clock redraws five times a second: it blinked).
        if (b.selected) {
            if (boxes[i]->selectedText() != b.text)
                boxes[i]->selectAll();
        } else if (boxes[i]->hasSelectedText()) {
            boxes[i]->deselect();
        }
        boxes[i]->setEnabled(b.enabled);
        boxes[i]->setVisible(b.visible);
        if (b.visible)
            boxes[i]->raise();
    }
    if (f.focusBox >= 0 && boxes[f.focusBox]->isVisible() && boxes[f.focusBox]->isEnabled()) {
        // Also after a dialog of the training closed: the keys come here.
        if (!isActiveWindow())
            activateWindow();
        boxes[f.focusBox]->setFocus();
    }
    f.focusBox = -1;

    auto sync = [](QTimer* t, bool on) {
        if (on && !t->isActive())
            t->start();
        else if (!on && t->isActive())
            t->stop();
    };
    sync(Timer1, f.clocks.gauge);
    sync(Timer2, f.clocks.panelDelay);
    sync(Timer3, f.clocks.speed);
    sync(Timer4, f.clocks.face);
    sync(Timertime, f.clocks.timeOfDay);
}

// TrainingSettingsHost

std::array<QColor, 3> TForm1::panelColours() const {
    return {Panel1->palette().color(QPalette::Window), Panel5->palette().color(QPalette::Window),
            Panel12->palette().color(QPalette::Window)};
}

void TForm1::setPanelColours(const std::array<QColor, 3>& colours) {
    paintBackground(Panel1, colours[0]);
    paintBackground(Panel5, colours[1]);
    paintBackground(Panel12, colours[2]);
}

void TForm1::setItemTextColour(const QColor& colour) {
    itemTextColour = colour;
    refresh();
}

void TForm1::setLevel(int levelStep, const QString& levelName) {
    flow_->levelStep = levelStep;
    flow_->levelName = levelName;
}

void TForm1::setHintAfter(int wrongAnswers) {
    flow_->hintAfter = wrongAnswers;
}

void TForm1::setWithoutLevel(bool withoutLevel) {
    run([&] {
        TrainingFlow& f = *flow_;
        f.gauges.shown = !withoutLevel;
        if (withoutLevel)
            f.clocks.gauge = false;
        else if (!f.buttons.startEnabled)
            f.clocks.gauge = true; // a run is under way
    });
}

// TrainingHost

bool TForm1::soundOptionTicked() const {
    return Form_sz && Form_sz->CheckBox1->isChecked();
}

void TForm1::disableSoundOption() {
    Form_sz->CheckBox1->setChecked(false);
    Form_sz->CheckBox1->setEnabled(false);
    // Greyed out with a word why: no sound file at all, or no device.
    const QStringList present =
        QDir(programFolder() + QStringLiteral("sound"))
            .entryList({QStringLiteral("*.wav"), QStringLiteral("*.mid")}, QDir::Files);
    Form_sz->CheckBox1->setToolTip(
        present.isEmpty()
            ? QStringLiteral("声音文件夹 %1 里没有声音文件，不能播放音乐和提示音。")
                  .arg(regularfile::fullPath(programFolder() + QStringLiteral("sound")))
            : QStringLiteral("找不到可用的声音设备，不能播放音乐和提示音。"));
}

void TForm1::playCue(training::Cue cue) {
    SoundPlayer& player = Form2->MediaPlayer1();
    const int at = static_cast<int>(cue);
    if (at >= 1 && at <= 7)
        player.setFileName(regularfile::inFolder(HomeDir, QString::fromLatin1(kCueFiles[at])));
    player.open();
    player.play();
}

bool TForm1::soundCanPlay() {
    // The first cue that opens tells whether the machine plays sound: one
    // missing file (Jiayou.wav) does not silence the others.
    SoundPlayer& player = Form2->MediaPlayer1();
    for (int cue = 1; cue <= 7; ++cue) {
        player.setFileName(regularfile::inFolder(HomeDir, QString::fromLatin1(kCueFiles[cue])));
        player.open();
        if (player.canPlay())
            return true;
    }
    return false;
}

void TForm1::showPanel(const QString& textFile) {
    if (QFile::exists(textFile))
        readRtfFile(textFile, *FormSM->RichEdit1->document());
    // The Song font's own spacing lets the lines touch: room between them.
    QTextCursor all(FormSM->RichEdit1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat spaced;
    spaced.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
    all.mergeBlockFormat(spaced);
    const QPoint at = pos() + QPoint(108, 187);
    FormSM->keysTo = this;
    FormSM->move(at);
    FormSM->show();
    FormSM->move(at);
    // The panel never takes the keys: the window under it keeps them, and
    // the first key closes the panel.
}

void TForm1::closePanel() {
    if (!FormSM->isVisible())
        return;
    FormSM->close();
    // The keys go back to the training, not to the desktop (also when the
    // panel's own activation is still on its way).
    if (isVisible())
        activateWindow();
}

void TForm1::keysBackToBox() {
    if (!isVisible())
        return;
    activateWindow();
    for (QLineEdit* box : {Labelhint1, Editinput, Editinput2})
        if (box->isVisible() && box->isEnabled()) {
            box->setFocus();
            return;
        }
}

void TForm1::showPause() {
    refresh();
    Formstop->exec();
    keysBackToBox();
}

void TForm1::closePause() {
    if (Formstop->isVisible())
        Formstop->accept();
}

void TForm1::closeMediaPlayer() {
    Form2->MediaPlayer1().close();
}

void TForm1::showHelp(const QString& textFile) {
    refresh();
    form_help->loadFile(textFile);
    form_help->exec();
    keysBackToBox();
}

void TForm1::showSettings() {
    refresh();
    Form_sz->exec();
    keysBackToBox();
}

void TForm1::showRecordHolders() {
    refresh();
    FPhb->exec();
    keysBackToBox();
}

void TForm1::showHistory() {
    refresh();
    if (training::HistoryLink* history = training::historyLink())
        history->showWindow();
    showDueCounts(); // the learner may have deleted the history there
    keysBackToBox();
    // A drill asked for in the history starts here, once it has closed.
    if (requestedDrill_)
        QTimer::singleShot(0, this, [this] { startRequestedDrill(); });
}

void TForm1::showDueCounts() {
    training::HistoryLink* history = training::historyLink();
    const auto [characters, words] = history ? history->dueCounts() : std::pair<int, int>{};
    const int due[2] = {characters, words};
    for (int i = 0; i < 2; ++i) {
        QLabel* badge = dueBadges[static_cast<size_t>(i)];
        badge->setText(due[i] > 99 ? QStringLiteral("99+") : QString::number(due[i]));
        badge->setToolTip(QStringLiteral("今天有 %1 个%2到了该复习的时候")
                              .arg(due[i])
                              .arg(i == 0 ? QStringLiteral("字") : QStringLiteral("词")));
        badge->setVisible(due[i] > 0);
    }
}

void TForm1::requestDrill(const training::DrillTarget& target) {
    requestedDrill_ = target;
}

void TForm1::requestCourseRun(const training::CourseRun& step) {
    requestedCourseRun_ = step;
}

void TForm1::startRequestedDrill() {
    if (!requestedDrill_ || !isVisible())
        return;
    const training::DrillTarget target = *std::exchange(requestedDrill_, std::nullopt);
    run([&] { flow_->startDrill(target); });
}

bool TForm1::autoHintTicked() const {
    return !Form_sz || Form_sz->Checkhelp->isChecked();
}

// The diagram's close button takes the button that opens it away; however it
// closes, an exercise under way (Start disabled) gets its clocks back.
void TForm1::connectDiagram() {
    if (!formdelait)
        return;
    formdelait->closedByButton = [this] { BitBtn1->hide(); };
    formdelait->closed = [this] {
        if (!SBtnStart->isEnabled()) {
            Timer1->start();
            Timer3->start();
        }
    };
}

bool TForm1::showDiagram(const QString& picture) {
    refresh();
    QPixmap pixmap;
    errors::guarded(
        this, [&] { pixmap = QPixmap::fromImage(readImageFileFor(picture, devicePixelRatioF())); });
    // A picture that cannot be read has been named in the error box: no
    // empty diagram window after it, and no button to open it again.
    if (pixmap.isNull()) {
        keysBackToBox();
        return true;
    }
    formdelait->Image1->setPixmap(pixmap);
    connectDiagram();
    formdelait->exec();
    keysBackToBox();
    return formdelait->result() == QDialog::Accepted;
}

bool TForm1::judgeRecord(training::ExerciseKind kind, const QString& score) {
    RecordHoldersFile::Judgement j;
    errors::guarded(this, [&] {
        j = RecordHoldersFile(scoreFilePath(QStringLiteral("phb.txt")))
                .judge_record(training::numberOf(kind), score);
    });
    if (!j.notice.isEmpty() && j.notice != recordFileNotice_) {
        recordFileNotice_ = j.notice;
        refresh();
        errors::report(this, j.notice);
    }
    return j.record;
}

void TForm1::enterRecordName(training::ExerciseKind kind, const QString& score) {
    refresh();
    FPhbin->RecordSlot = training::numberOf(kind);
    FPhbin->RecordScore = score;
    FPhbin->exec();
    keysBackToBox();
}

bool TForm1::askQuit() {
    return prompts::askOkCancel(this, QStringLiteral("确认"), QStringLiteral("确定退出吗"));
}

void TForm1::closeWindow() {
    close();
}

void TForm1::waitBeforeClocks() {
    // The grid shows before the wait; the wait itself handles no events.
    refresh();
    repaint();
    if (startWaitMs > 0)
        QThread::msleep(static_cast<unsigned long>(startWaitMs));
}
