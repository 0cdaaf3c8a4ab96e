#include "warmup/warmup_window.h"

#include "platform/key_hold.h"

#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/image_file.h"
#include "platform/keypad_key.h"
#include "platform/program_folder.h"
#include "platform/window_setup.h"
#include "warmup/history_link.h"
#include "warmup/warmup_help.h"
#include "warmup/warmup_ranking_window.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <random>

TFHot* FHot = nullptr;

const std::array<QPoint, 16> TFHot::kMarkPositions = {{
    {86, 263},
    {52, 203},
    {131, 203},
    {211, 203},
    {52, 142},
    {131, 142},
    {211, 142},
    {52, 78},
    {131, 78},
    {211, 78},
    {131, 17},
    {211, 17},
    {291, 17},
    {291, 78},
    {291, 198},
    {211, 263},
}};

namespace {

constexpr int kDigitSize = 60;

// The play field: sixteen green holes laid out like a numeric keypad.
class PlayField : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        struct Hole {
            const char* label;
            QRectF r;
        };
        static const Hole holes[] = {
            {"/", {110, 8, 74, 50}},     {"*", {190, 8, 74, 50}},        {"-", {270, 8, 74, 50}},
            {"7", {30, 68, 74, 52}},     {"8", {110, 68, 74, 52}},       {"9", {190, 68, 74, 52}},
            {"+", {270, 68, 74, 112}},   {"4", {30, 130, 74, 52}},       {"5", {110, 130, 74, 52}},
            {"6", {190, 130, 74, 52}},   {"1", {30, 192, 74, 52}},       {"2", {110, 192, 74, 52}},
            {"3", {190, 192, 74, 52}},   {"Enter", {270, 190, 74, 114}}, {"0", {30, 254, 154, 50}},
            {"Del", {190, 254, 74, 50}},
        };
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(150, 110, 60));
        for (const Hole& h : holes) {
            p.setPen(QPen(QColor(20, 80, 20), 2));
            p.setBrush(QColor(40, 150, 50));
            p.drawEllipse(h.r);
            p.setBrush(QColor(30, 50, 20));
            p.drawEllipse(h.r.adjusted(12, 10, -12, -10));
            p.setPen(Qt::white);
            p.setFont(fonts::sans(14, true));
            p.drawText(h.r.adjusted(0, h.r.height() - 18, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                       QString::fromLatin1(h.label));
        }
    }
};

QToolButton* smileyButton(QWidget* parent, int x, int y) {
    auto* b = new QToolButton(parent);
    b->setGeometry(x, y, 60, 60);
    b->setIconSize(QSize(48, 48));
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(QStringLiteral("开始"));
    return b;
}

} // namespace

DigitDisplay::DigitDisplay(int digits, QWidget* parent) : QWidget(parent), digits_(digits, u'0') {
    setFixedSize(digits * kDigitSize, kDigitSize);
}

void DigitDisplay::setDigits(const QString& d) {
    if (d == digits_)
        return;
    digits_ = d;
    update();
}

void DigitDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (digits_.isEmpty())
        return;
    // Three places; a longer number narrows its digits to fit.
    const qreal w =
        static_cast<qreal>(width()) / std::max<qsizetype>(digits_.size(), width() / kDigitSize);
    for (qsizetype i = 0; i < digits_.size(); ++i) {
        const int d = digits_[i].digitValue();
        const QRectF target(i * w, 0, w, height());
        if (d >= 0 && !strip_.isNull()) {
            p.drawPixmap(target, strip_, QRectF(d * kDigitSize, 0, kDigitSize, kDigitSize));
        } else {
            p.setPen(QColor(40, 255, 60));
            p.setFont(fonts::sans(44, true));
            p.drawText(target, Qt::AlignCenter, digits_.mid(i, 1));
        }
    }
}

TFHot::TFHot(QWidget* parent)
    : QDialog(parent), game_([](int n) {
          static std::mt19937 rng(std::random_device{}());
          return std::uniform_int_distribution<int>(0, n - 1)(rng);
      }) {
    setupWindow(this, QStringLiteral("热身"), 480, 470, Frame::Main);
    setFont(fonts::song(14));

    auto* bar = new QMenuBar(this);
    bar->setGeometry(0, 0, 480, 24);
    QMenu* warm = bar->addMenu(QStringLiteral(" (&T)热身"));
    auto* modes = new QActionGroup(this);
    // The game starts from the menu and by Enter or Space as well as by the
    // smiley: a keypad learner needs no mouse.
    NStart = warm->addAction(QStringLiteral("开始游戏"));
    warm->addSeparator();
    Nclass = warm->addAction(QStringLiteral("古典式"));
    Nintere = warm->addAction(QStringLiteral("趣味式"));
    for (QAction* a : {Nclass, Nintere}) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    Nclass->setChecked(true);
    warm->addSeparator();
    QMenu* lengths = warm->addMenu(QStringLiteral("时间设置"));
    auto* lengthGroup = new QActionGroup(this);
    const char* names[] = {"", "一分钟", "二分钟", "三分钟", "四分钟", "五分钟"};
    for (int m = 1; m <= 5; ++m) {
        N1x[static_cast<size_t>(m)] = lengths->addAction(QString::fromUtf8(names[m]));
        N1x[static_cast<size_t>(m)]->setCheckable(true);
        lengthGroup->addAction(N1x[static_cast<size_t>(m)]);
        connect(N1x[static_cast<size_t>(m)], &QAction::triggered, this,
                [this, m] { play([m](WarmupGame& g) { g.chooseLength(m); }); });
    }
    N1x[1]->setChecked(true);
    N2 = warm->addAction(QStringLiteral("排行榜"));
    warm->addSeparator();
    N6 = warm->addAction(QStringLiteral("退出"));
    QMenu* help = bar->addMenu(QStringLiteral("(&H) 帮助 "));
    N8 = help->addAction(QStringLiteral("说明"));

    const int top = 24;
    // The fun panel, under the classic one.
    Pintere = new QWidget(this);
    Pintere->setGeometry(0, top, 480, 446);
    s = new DigitDisplay(3, Pintere);
    s->move(20, 8);
    t = new DigitDisplay(3, Pintere);
    t->move(280, 8);
    start = smileyButton(Pintere, 210, 8);
    Panel3 = new PlayField(Pintere);
    Panel3->setGeometry(60, 84, 360, 312);
    mark = new QLabel(Panel3);
    mark->setFixedSize(32, 32);
    mark->hide();

    // The classic panel.
    Pclass = new QWidget(this);
    Pclass->setGeometry(0, top, 480, 446);
    Pclass->setAutoFillBackground(true);
    QPalette bg = Pclass->palette();
    bg.setColor(QPalette::Window, QColor(214, 228, 240));
    Pclass->setPalette(bg);
    sc = new DigitDisplay(3, Pclass);
    sc->move(20, 8);
    Tc = new DigitDisplay(3, Pclass);
    Tc->move(280, 8);
    startclass = smileyButton(Pclass, 210, 8);
    I = new DigitDisplay(6, Pclass);
    I->move(60, 84);
    input = new QLineEdit(Pclass);
    input->setGeometry(60, 156, 360, 36);
    // No length limit on the field itself: it must show the whole prompt, and
    // an entry is judged and emptied as soon as it has six characters.
    input->setFocusPolicy(Qt::ClickFocus);
    input->setFont(fonts::sans(22, true));
    input->setAlignment(Qt::AlignCenter);
    input->installEventFilter(this);
    // Alt during a game must not wake the menu bar: the keypad's Enter would
    // then choose a menu entry and reset the game.
    qApp->installEventFilter(this);
    // The on-screen keypad echoes the keys typed: laid out like the numeric
    // keypad's digits and its Del key, the key last typed plainly lit. It
    // only shows, it takes neither clicks nor the focus.
    Panel1 = new QWidget(Pclass);
    Panel1->setGeometry(155, 204, 170, 230);
    Panel1->setAutoFillBackground(true);
    QPalette sky = Panel1->palette();
    sky.setColor(QPalette::Window, QColor(135, 206, 235));
    Panel1->setPalette(sky);
    Panel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Panel1->setStyleSheet(QStringLiteral(
        "QToolButton { background: #f4f8fb; color: #1d3f5c; border: 1px solid #5a87a8;"
        " border-radius: 4px; font-weight: bold; }"
        "QToolButton:checked { background: #ff8c1a; color: white; border: 2px solid #b04a00; }"));
    auto* keys = new QButtonGroup(this);
    keys->setExclusive(true);
    // Rows 7 8 9 / 4 5 6 / 1 2 3 / a wide 0 and Del.
    const QPoint places[11] = {{10, 174}, {10, 120}, {62, 120}, {114, 120}, {10, 66},  {62, 66},
                               {114, 66}, {10, 12},  {62, 12},  {114, 12},  {114, 174}};
    for (int i = 0; i <= 10; ++i) {
        auto* b = new QToolButton(Panel1);
        b->setText(i == 10 ? QStringLiteral("DEL") : QString::number(i));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(places[i].x(), places[i].y(), i == 0 ? 98 : 46, 48);
        keys->addButton(b, i);
        k[static_cast<size_t>(i)] = b;
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    connect(Timer1, &QTimer::timeout, this,
            [this] { errors::guarded(this, [this] { Timer1Timer(); }); });
    connect(start, &QToolButton::clicked, this, [this] { play(&WarmupGame::startClick); });
    connect(startclass, &QToolButton::clicked, this,
            [this] { play(&WarmupGame::startclassClick); });
    connect(Nclass, &QAction::triggered, this, [this] { play(&WarmupGame::chooseClassic); });
    connect(Nintere, &QAction::triggered, this, [this] { play(&WarmupGame::chooseFun); });
    connect(N2, &QAction::triggered, this, [this] {
        FHot_Sort->Memo1->show();
        showRanking();
    });
    connect(N6, &QAction::triggered, this, &QDialog::close);
    connect(NStart, &QAction::triggered, this, [this] { startByKey(); });
    connect(N8, &QAction::triggered, this, [] { Fhelp->exec(); });
    connect(input, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (syncing_)
            return;
        errors::guarded(this, [&] {
            game_.inputChange(text);
            refresh();
        });
    });
}

template <typename Action> void TFHot::play(Action action) {
    errors::guarded(this, [&] {
        std::invoke(action, game_);
        refresh();
    });
}

void TFHot::loadPictures() {
    // The digits, the mark and the smiley are drawn by the art tool; without
    // them the displays draw plain digits.
    const QString images = programFolder() + QStringLiteral("images/");
    if (strip_.isNull() && QFile::exists(images + "digits.png"))
        strip_ = QPixmap::fromImage(readImageFile(images + "digits.png"));
    for (DigitDisplay* d : {s, t, sc, Tc, I})
        d->setStrip(strip_);
    if (mark->pixmap().isNull() && QFile::exists(images + "mark.png"))
        mark->setPixmap(QPixmap::fromImage(readImageFile(images + "mark.png")));
    if (start->icon().isNull() && QFile::exists(images + "smiley.png"))
        start->setIcon(QPixmap::fromImage(readImageFile(images + "smiley.png")));
}

void TFHot::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    errors::guarded(this, [this] {
        N1x[1]->setChecked(true);
        loadPictures();
        game_.FormShow();
        refresh();
    });
}

void TFHot::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    game_.timerRunning = false;
    FHot_Sort->close();
    QDialog::closeEvent(event);
}

void TFHot::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) {
        FHot_Sort->close();
        game_.FormActivate();
        Timer1->stop();
    }
}

void TFHot::refresh() {
    WarmupGame& g = game_;
    const bool fun = g.mode == WarmupGame::Mode::Fun;
    Nclass->setChecked(!fun);
    Nintere->setChecked(fun);
    Pclass->setVisible(!fun);
    N1x[static_cast<size_t>(g.minutes)]->setChecked(true);
    const QString score = WarmupGame::displayDigits(g.Score);
    (fun ? s : sc)->setDigits(score);
    const QString clock = WarmupGame::displayDigits(g.SecondsLeft);
    t->setDigits(clock);
    Tc->setDigits(clock);
    I->setDigits(g.TargetCode);
    mark->move(kMarkPositions[static_cast<size_t>(g.TargetKey)]);
    mark->setVisible(g.markVisible);
    k[static_cast<size_t>(g.pressedKey)]->setChecked(true);
    input->setReadOnly(g.inputReadOnly);
    if (input->text() != g.input) {
        syncing_ = true;
        input->setText(g.input);
        input->deselect();
        syncing_ = false;
    }
    if (g.focusInput) {
        input->setFocus();
        g.focusInput = false;
    }
    if (g.timerRunning && !Timer1->isActive())
        Timer1->start();
    else if (!g.timerRunning)
        Timer1->stop();
    if (shownFace_ != g.faceChanges) {
        // Read from its file each time it is needed.
        shownFace_ = g.faceChanges;
        const char* file = g.face == WarmupGame::Face::Laugh ? "files/facelaugh.bmp"
                           : g.face == WarmupGame::Face::Cry ? "files/facec.bmp"
                                                             : "files/facestart.bmp";
        startclass->setIcon(
            QPixmap::fromImage(readImageFile(programFolder() + QString::fromLatin1(file))));
    }
}

bool TFHot::FormKeyPress(QKeyEvent* event) {
    bool consumed = true;
    errors::guarded(this, [&] {
        const WarmupKeyPress key = padKeyOf(*event);
        // Only a key that types something plays: Shift or Num Lock alone do not.
        if (key.key == WarmupKey::Other && event->text().isEmpty()) {
            consumed = false;
            return;
        }
        const bool toInput = game_.FormKeyPress(key);
        if (toInput && key.key == WarmupKey::Dot) {
            game_.eraseLast(); // the point erases, it is never entered
        } else if (toInput && key.key == WarmupKey::Digit &&
                   event->text() != QString::number(key.digit)) {
            // A keypad digit with Num Lock off arrives as a cursor key: type its digit.
            game_.inputChange(game_.input + QString::number(key.digit));
        } else if (toInput) {
            consumed = false; // the entry field types it
        }
        refresh();
    });
    return consumed;
}

bool TFHot::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
         event->type() == QEvent::ShortcutOverride) &&
        game_.GameRunning && isActiveWindow()) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        // Alt alone, and Alt with a letter (the menu's Alt+T), never reach the
        // menu bar: an accepted shortcut override keeps the mnemonic from firing.
        if (key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Meta ||
            keyEvent->modifiers().testFlag(Qt::AltModifier)) {
            event->accept();
            return true;
        }
    }
    if (watched == input && event->type() == QEvent::FocusIn)
        // The prompt is never shown selected, however the focus came (a window
        // manager's activation selects a line edit's text).
        QTimer::singleShot(0, input, [this] { input->deselect(); });
    if (watched == input && event->type() == QEvent::KeyPress && !forwarding_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !game_.GameRunning)
            return true; // Esc never leaves the game
        if (!game_.GameRunning)
            return startKey(key->key());
        lastGameKey_.start();
        return FormKeyPress(key);
    }
    return QDialog::eventFilter(watched, event);
}

void TFHot::keyPressEvent(QKeyEvent* event) {
    if (forwarding_)
        return; // the entry field did not take a forwarded key: it ends here
    if (!game_.GameRunning) {
        if (startKey(event->key()))
            return;
        // The window is left by its menu or its close box, never by Esc.
        if (event->key() != Qt::Key_Escape)
            QDialog::keyPressEvent(event);
        return;
    }
    if (!FormKeyPress(event) && !event->text().isEmpty()) {
        // A key for the entry field while it has no focus: give it to the field.
        input->setFocus();
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        lastGameKey_.start();
        forwarding_ = true;
        QCoreApplication::sendEvent(input, &copy);
        forwarding_ = false;
    }
}

bool TFHot::startKey(int key) {
    // Enter or Space starts a game; not the keys still coming from the game
    // that just ended.
    if ((key == Qt::Key_Enter || key == Qt::Key_Return || key == Qt::Key_Space) &&
        (!lastGameKey_.isValid() || lastGameKey_.elapsed() > 600)) {
        startByKey();
        return true;
    }
    return false;
}

void TFHot::startByKey() {
    // The game of the mode shown: its smiley.
    if (game_.mode == WarmupGame::Mode::Fun)
        start->click();
    else
        startclass->click();
}

void TFHot::Timer1Timer() {
    if (game_.Timer1Timer())
        handOver();
    refresh();
}

void TFHot::handOver() {
    FHot_Sort->TimeText = QString::number(game_.GameSeconds).left(10);
    FHot_Sort->ScoreText = QString::number(game_.Score).left(10);
    if (warmup::HistoryLink* history = warmup::historyLink())
        history->gameEnded(game_.mode == WarmupGame::Mode::Fun, game_.GameSeconds, game_.Score);
    FHot_Sort->Memo1->hide();
    showRanking();
}

void TFHot::showRanking() {
    // The dialog comes up over the game and takes the keys: the learner types
    // a name, once the keys of the game have stopped coming (a keypad Enter
    // still aimed at a target must not log the result under the last name).
    rankingHold_ = std::make_unique<KeyHold>();
    FHot_Sort->show();
    FHot_Sort->raise();
    FHot_Sort->activateWindow();
}
