#include "articletest/article_test_window.h"

#include "dictionary/character_codes.h"

#include "articletest/article_conversion.h"
#include "articletest/article_test_report_window.h"
#include "articletest/article_test_settings_window.h"
#include "articletest/conversion_done_window.h"
#include "articletest/history_link.h"
#include "articletest/top_ten_window.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/segmentation.h"
#include "dictionary/two.h"
#include "platform/chinese_clock.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/gbk_codec.h"
#include "platform/key_hold.h"
#include "platform/keypad_key.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/regular_file.h"
#include "platform/window_setup.h"
#include "shared_windows/help_text_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTime>
#include <QTimer>
#include <QToolButton>

Tform_test* form_test = nullptr;

namespace {

// A count shown in the gap of its caption ("已打    个字"), centred on the
// gap as this system's fonts draw it; a number wider than the gap is drawn
// smaller, so that it never runs into the words beside it (four and five
// digits are normal in a long test).
void showCount(QLabel* number, const QLabel* caption, long long count) {
    const QString text = QString::number(count);
    if (number->text() == text)
        return; // the window redraws at every key: a count unchanged stays as it is
    number->setText(text);
    const QFontMetrics captionMetrics(caption->font());
    const QString words = caption->text();
    const int gapStart = caption->x() + captionMetrics.horizontalAdvance(words.left(2));
    const int gapEnd = caption->x() + captionMetrics.horizontalAdvance(words.chopped(2));
    number->move((gapStart + gapEnd) / 2 - number->width() / 2, number->y());
    const int room = gapEnd - gapStart;
    QFont font = caption->font();
    for (int px = QFontInfo(font).pixelSize(); px > 6; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    number->setFont(font);
}

constexpr int kTextLeft = 8, kTextTop = 44, kTextWidth = 770, kTextHeight = 440;

} // namespace

Tform_test::Tform_test(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("Tarvo码文章练习"), 837, 613, Frame::Dialog);
    setFont(fonts::song(12));
    flow_ = std::make_unique<TestFlow>(static_cast<TestDialogs&>(*this), TestMinutes);

    // Status and file line.
    LChange = placeLabel(this, QStringLiteral("请选择文章"), 8, 8, 190, 28);
    LChange->setFont(fonts::hei(16, true));
    LChange->setStyleSheet(QStringLiteral("color: #8b0000;"));
    Label2 = placeLabel(this, QStringLiteral("练习文章:"), 206, 8, 66, 28);
    Label_file = placeLabel(this, QStringLiteral("缺省文章"), 272, 8, 200, 28);
    Label4 = placeLabel(this, QStringLiteral("练习时间:"), 478, 8, 66, 28);
    Label_time = placeLabel(this, QStringLiteral("15分钟  "), 544, 8, 80, 28);
    Ltime = placeLabel(this, QString(), 690, 8, 140, 28);
    Ltime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The text area, and the picture shown where it is hidden.
    Image2 = placeLabel(this, QString(), kTextLeft, kTextTop, kTextWidth, kTextHeight);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setStyleSheet(QStringLiteral("QLabel { background: qlineargradient(x1:0, y1:0, x2:0, "
                                         "y2:1, stop:0 #16306a, stop:1 #1d7c8c);"
                                         " color: #ffd65c; border-radius: 6px; }"));
    Image2->setFont(fonts::kai(40, true));
    Image2->setText(QStringLiteral("Tarvo码文章练习"));
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setGeometry(kTextLeft, kTextTop, kTextWidth, kTextHeight);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setFocusPolicy(Qt::NoFocus); // a click on the text leaves the focus in the code box
    ScrollBox1->hide();
    REdit1 = new TestTextView;
    REdit1->setFixedSize(kTextWidth - 20, 455);
    ScrollBox1->setWidget(REdit1);

    BtnStart = placeButton(this, QStringLiteral("开始训练"), 318, 330, 200, 56);
    BtnStart->setFont(fonts::hei(22, true));

    // Code entry line.
    Label3 = placeLabel(this, QStringLiteral(" Tarvo码 "), 8, 492, 80, 30);
    Label3->setStyleSheet(QStringLiteral("background: yellow; color: #8b0000;"));
    Label3->setFont(fonts::hei(16, true));
    Edit_input = new QLineEdit(this);
    Edit_input->setGeometry(94, 492, 90, 30);
    Edit_input->setMaxLength(TypingEngine::kMaxCodeLength);
    Edit_input->setToolTip(QStringLiteral("编码输入"));
    Edit_input->setFont(fonts::sans(18, true));
    Edit_input->setEnabled(false);
    Edit_input->installEventFilter(this);
    Bleft = new QToolButton(this);
    Bleft->setArrowType(Qt::LeftArrow);
    Bleft->setGeometry(190, 496, 20, 22);
    Bleft->setFocusPolicy(Qt::NoFocus);
    Bleft->hide();
    result1 = placeLabel(this, QString(), 212, 492, 540, 30);
    result1->setFont(fonts::song(18, true));
    result1->setStyleSheet(QStringLiteral("color: blue;"));
    bright = new QToolButton(this);
    bright->setArrowType(Qt::RightArrow);
    bright->setGeometry(752, 496, 20, 22);
    bright->setFocusPolicy(Qt::NoFocus);
    bright->hide();
    key_help = placeButton(this, QStringLiteral("?"), 780, 492, 48, 30);
    key_help->setToolTip(QStringLiteral("输入法说明"));
    key_help->setFocusPolicy(Qt::NoFocus);
    Label9 =
        placeLabel(this, QStringLiteral("输入说明：按“空格”或/键字结束，*键词结束，+和－键翻页。"),
                   8, 526, 700, 22);

    // Counters and clock.
    Label8 = placeLabel(this, QStringLiteral("已打    个字"), 8, 552, 100, 24);
    alread = placeLabel(this, QStringLiteral("0"), 30, 552, 36, 24);
    alread->setAlignment(Qt::AlignCenter);
    Label6 = placeLabel(this, QStringLiteral("打错    个字"), 112, 552, 100, 24);
    wrong = placeLabel(this, QStringLiteral("0"), 134, 552, 36, 24);
    wrong->setAlignment(Qt::AlignCenter);
    wrong->setStyleSheet(QStringLiteral("color: red;"));
    Label1 = placeLabel(this, QStringLiteral("用时"), 216, 552, 32, 24);
    Lgo = placeLabel(this, QStringLiteral("0 : 00"), 248, 552, 60, 24);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(312, 556, 200, 16);
    ProgressBar1->setMaximum(900);
    ProgressBar1->setTextVisible(false);

    // Buttons.
    const int by = 580;
    SBtnfile = placeButton(this, QStringLiteral("文件"), 216, by, 96, 28);
    BitBtn1 = placeButton(this, QStringLiteral("自动切词"), 318, by, 96, 28);
    SBtnSetup = placeButton(this, QStringLiteral("设置"), 420, by, 96, 28);
    SBtnHelp = placeButton(this, QStringLiteral("成绩"), 522, by, 96, 28);
    BtnPause = placeButton(this, QStringLiteral("暂停"), 624, by, 96, 28);
    BtnPause->setEnabled(false);
    SBtnQuit = placeButton(this, QStringLiteral("退出"), 726, by, 96, 28);
    // The command buttons never take the focus: after a click the keys still
    // reach the code box (or the start button), never the button clicked.
    for (QPushButton* b : {SBtnfile, BitBtn1, SBtnSetup, SBtnHelp, BtnPause, SBtnQuit}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    BtnStart->setAutoDefault(false);

    // Progress of the word segmentation, over the picture.
    zdqc = new QFrame(this);
    zdqc->setGeometry(218, 180, 400, 150);
    zdqc->setFrameShape(QFrame::Panel);
    zdqc->setFrameShadow(QFrame::Raised);
    zdqc->setAutoFillBackground(true);
    // White like the article, so that its legend's magenta reads as the
    // words' magenta does there.
    QPalette legendGround = zdqc->palette();
    legendGround.setColor(QPalette::Window, Qt::white);
    zdqc->setPalette(legendGround);
    placeLabel(zdqc, QStringLiteral("正在自动切词……"), 20, 14, 360, 26)
        ->setFont(fonts::hei(18, true));
    placeLabel(zdqc, QStringLiteral("说明"), 20, 50, 40, 22);
    placeLabel(zdqc, QStringLiteral("黑色：单字词"), 64, 50, 110, 22);
    auto* blue = placeLabel(zdqc, QStringLiteral("蓝色、"), 180, 50, 48, 22);
    blue->setStyleSheet(QStringLiteral("color: blue;"));
    auto* fuchsia = placeLabel(zdqc, QStringLiteral("紫色："), 228, 50, 48, 22);
    fuchsia->setStyleSheet(QStringLiteral("color: magenta;"));
    placeLabel(zdqc, QStringLiteral("词组"), 276, 50, 40, 22);
    ProgressBar2 = new QProgressBar(zdqc);
    ProgressBar2->setGeometry(20, 96, 360, 20);
    ProgressBar2->setMaximum(180);
    zdqc->hide();

    rdgQC = new QGroupBox(this);
    rdgQC->setGeometry(640, 8, 150, 28);
    rdgQCAll = new QRadioButton(QStringLiteral("全部"), rdgQC);
    rdgQCAll->setGeometry(4, 4, 60, 20);
    rdgQCAll->setChecked(true);
    rdgQCFrequent = new QRadioButton(QStringLiteral("高频词"), rdgQC);
    rdgQCFrequent->setGeometry(70, 4, 76, 20);
    rdgQC->hide();

    FileMenu = new QMenu(this);
    select_file = FileMenu->addAction(QStringLiteral("选择文章"));
    change_file = FileMenu->addAction(QStringLiteral("文件转换"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);

    auto on = [this](auto* sender, auto signal, void (Tform_test::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { errors::guarded(this, [&] { (this->*handler)(); }); });
    };
    on(BtnStart, &QPushButton::clicked, &Tform_test::BtnStartClick);
    on(BtnPause, &QPushButton::clicked, &Tform_test::BtnPauseClick);
    on(SBtnQuit, &QPushButton::clicked, &Tform_test::SBtnQuitClick);
    on(SBtnHelp, &QPushButton::clicked, &Tform_test::SBtnHelpClick);
    on(SBtnSetup, &QPushButton::clicked, &Tform_test::SBtnSetupClick);
    on(SBtnfile, &QPushButton::clicked, &Tform_test::SBtnfileClick);
    on(key_help, &QPushButton::clicked, &Tform_test::key_helpClick);
    on(BitBtn1, &QPushButton::clicked, &Tform_test::BitBtn1Click);
    on(select_file, &QAction::triggered, &Tform_test::select_fileClick);
    on(change_file, &QAction::triggered, &Tform_test::change_fileClick);
    on(Timer1, &QTimer::timeout, &Tform_test::Timer1Timer);
    on(Timer3, &QTimer::timeout, &Tform_test::Timer3Timer);

    // The window sees every key before the control that has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

Tform_test::~Tform_test() = default;

QString Tform_test::clockText() const {
    return Lgo->text();
}

int Tform_test::typedCount() const {
    return alread->text().toInt();
}

int Tform_test::wrongCount() const {
    return wrong->text().toInt();
}

QString Tform_test::typedCodeOf(int index) const {
    const std::vector<std::string>& codes = flow_->engine.errorCodes;
    return index >= 0 && index < static_cast<int>(codes.size())
               ? QString::fromLatin1(codes[static_cast<size_t>(index)])
               : QString();
}

void Tform_test::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        errors::guarded(this, [this] { FormShow(); });
}

void Tform_test::FormShow() {
    Timer3->start();
    Timer3Timer();
    flow_->HomeDir = HomeDir;
    flow_->engine.setDictionary(two);
    try {
        flow_->FormShow();
    } catch (...) {
        refresh(true);
        throw;
    }
    refresh(true);
}

void Tform_test::reject() {
    // Esc, the close box and "退出" all leave through the question.
    if (prompts::askOkCancel(this, QStringLiteral("确认"), QStringLiteral("确定退出吗")))
        QDialog::reject();
}

void Tform_test::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        Timer1->stop();
        Timer3->stop();
    }
    QDialog::hideEvent(event);
}

void Tform_test::sizeTextArea() {
    const int lines = flow_->text.lineCount();
    const int height = lines < 13 ? 455 : 35 * lines;
    REdit1->setFixedHeight(height);
    ScrollBox1->verticalScrollBar()->setRange(0, 0); // the area sets it from the widget
}

void Tform_test::refresh(bool wholeText) {
    TestFlow& f = *flow_;
    TypingEngine& e = f.engine;
    if (wholeText) {
        REdit1->setColours({TypedColour, UntypedColour, InputColour, GroundColour});
        REdit1->showAll(f.text);
        sizeTextArea();
        e.changedLines.clear();
    } else if (!e.changedLines.empty()) {
        REdit1->showLines(f.text, e.changedLines);
        e.changedLines.clear();
    }
    REdit1->selectAt(f.text, e.AtArticleStart ? 0 : e.CursorPos);

    LChange->setText(f.LChange);
    Label_file->setText(f.Label_file);
    Lgo->setText(f.Lgo);
    ProgressBar1->setMaximum(TestMinutes * 60);
    ProgressBar1->setValue(std::min(f.ProgressBar1, ProgressBar1->maximum()));
    showCount(alread, Label8, e.typedCount);
    showCount(wrong, Label6, e.wrongCount);
    result1->setText(gbk::toUnicode(e.candidatePage));
    Bleft->setVisible(e.previousArrowShown);
    bright->setVisible(e.nextArrowShown);
    Edit_input->setText(QString::fromStdString(e.codeBox));
    Edit_input->setEnabled(f.EditInputEnabled);
    BtnStart->setVisible(f.BtnStartShown);
    ScrollBox1->setVisible(f.TextAreaShown);
    Image2->setVisible(!f.TextAreaShown);
    BtnPause->setEnabled(f.BtnPauseEnabled);
    SBtnQuit->setEnabled(f.SBtnQuitEnabled);
    SBtnSetup->setEnabled(f.SBtnSetupEnabled);
    SBtnfile->setEnabled(f.SBtnfileEnabled);
    SBtnHelp->setEnabled(f.SBtnHelpEnabled);
    BitBtn1->setEnabled(e.segmentationEnabled && f.hasArticle);
    if (f.Timer1Running && !Timer1->isActive())
        Timer1->start();
    else if (!f.Timer1Running)
        Timer1->stop();
    if (f.focusStart && BtnStart->isVisible())
        BtnStart->setFocus();
    if (f.focusInput && Edit_input->isEnabled())
        Edit_input->setFocus();
    f.focusStart = f.focusInput = false;
}

void Tform_test::BtnStartClick() {
    flow_->BtnStartClick();
    refresh();
}

void Tform_test::BtnPauseClick() {
    flow_->BtnPauseClick();
    refresh();
}

void Tform_test::Timer1Timer() {
    flow_->Timer1Timer();
    refresh();
}

void Tform_test::Timer3Timer() {
    Ltime->setText(chinese_clock::timeOfDay(QTime::currentTime()));
}

void Tform_test::SBtnQuitClick() {
    reject();
}

void Tform_test::SBtnHelpClick() {
    // A fresh top-ten list each time, shown only to be looked at.
    Form_result->EntryPending = false;
    Thighscore list(this);
    list.exec();
}

void Tform_test::applySettings() {
    Label_time->setText(QStringLiteral("  %1分钟  ").arg(TestMinutes));
    ProgressBar1->setMaximum(TestMinutes * 60);
}

void Tform_test::SBtnSetupClick() {
    const QString saved = flow_->LChange;
    LChange->setText(QStringLiteral("设置颜色和时间"));
    Form_color->exec();
    // Colours picked take effect even when the dialog was left with "放弃".
    ProgressBar1->setMaximum(TestMinutes * 60);
    refresh(true);
    LChange->setText(saved);
}

void Tform_test::SBtnfileClick() {
    // The menu opens right above its button (the window's foot leaves no
    // room below it).
    FileMenu->exec(SBtnfile->mapToGlobal(QPoint(0, -FileMenu->sizeHint().height())));
    if (BtnStart->isVisible())
        BtnStart->setFocus();
}

void Tform_test::select_fileClick() {
    try {
        flow_->select_fileClick();
    } catch (...) {
        refresh(true);
        throw;
    }
    refresh(true);
}

namespace {

// Where a file dialog opens: the folder of the learner's last choice, else
// the learner's documents (never the read-only data folder the program
// works in when installed).
QString& lastChosenFolder() {
    static QString folder;
    return folder;
}
QString dialogFolder() {
    if (!lastChosenFolder().isEmpty() && QFileInfo(lastChosenFolder()).isDir())
        return lastChosenFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
QString remembered(const QString& chosen) {
    if (!chosen.isEmpty())
        lastChosenFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}

} // namespace

void Tform_test::change_fileClick() {
    const QString saved = flow_->LChange;
    const QString source = ChangeDialog
                               ? ChangeDialog()
                               : remembered(QFileDialog::getOpenFileName(
                                     this, QStringLiteral("选择欲转换文件"), dialogFolder(),
                                     QStringLiteral("文本文件(*.txt);;所有文件(*)")));
    if (source.isEmpty())
        return;
    LChange->setText(QStringLiteral("正在转换 ..."));
    std::string target;
    try {
        const auto result = conversion::convertFile(source.toStdString(), &target);
        LChange->setText(QStringLiteral("请作决定（%1）")
                             .arg(QLatin1String(conversion::encodingName(result.encoding))));
        Form_change->Label1->setText(QStringLiteral("共包含%1个汉字").arg(result.characters));
    } catch (...) {
        LChange->setText(saved);
        throw;
    }
    Form_change->UseConverted = false;
    Form_change->exec();
    if (Form_change->UseConverted) {
        flow_->takeArticle(QString::fromStdString(target));
        refresh(true);
    } else {
        LChange->setText(saved);
    }
}

void Tform_test::key_helpClick() {
    const QString saved = flow_->LChange;
    LChange->setText(QStringLiteral("输入法说明"));
    try {
        form_help->loadFile(regularfile::inFolder(HomeDir, QStringLiteral("files/tvm.rtf")));
    } catch (...) {
        LChange->setText(saved);
        throw;
    }
    form_help->exec();
    LChange->setText(saved);
}

void Tform_test::BitBtn1Click() {
    if (!prompts::askYesNo(this, QStringLiteral("确认"),
                           QStringLiteral("自动切词可能需要几分钟。要等待吗？"))) {
        if (BtnStart->isVisible())
            BtnStart->setFocus();
        return;
    }
    zdqc->show();
    zdqc->raise();
    // The bar shows the share of the article walked; it reads 100% only at
    // the end, and it is redrawn a few times a second so the window stays alive.
    const int lines =
        std::max(1, static_cast<int>(segmentation::articleLines(flow_->text.lines()).size()));
    ProgressBar2->setRange(0, lines);
    ProgressBar2->setValue(0);
    zdqc->repaint();
    // The clock does not run while the words are sought (refresh() starts it
    // again); keys wait meanwhile.
    Timer1->stop();
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    try {
        flow_->segmentArticle(rdgQCFrequent->isChecked(), [&](int line) {
            if (sinceRepaint.elapsed() < progressRepaintMs)
                return;
            ProgressBar2->setValue(std::min(line + 1, lines));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceRepaint.restart();
        });
    } catch (...) {
        zdqc->hide();
        refresh();
        throw;
    }
    ProgressBar2->setValue(lines);
    zdqc->hide();
    refresh(true);
}

bool Tform_test::askFindTestFile() {
    return prompts::askOkCancel(this, QStringLiteral("确认"),
                                QStringLiteral("没有找到测试文件，要亲自找吗"));
}

std::optional<QString> Tform_test::chooseTestFile() {
    const QString chosen = openDialog ? openDialog()
                                      : remembered(QFileDialog::getOpenFileName(
                                            this, QStringLiteral("选择测试文件"), dialogFolder(),
                                            QStringLiteral("Tarvo码测试文件(*.tvm)")));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

void Tform_test::showReport() {
    refresh();
    QStringList lines;
    for (const std::string& line : flow_->engine.errorLines)
        lines << gbk::toUnicode(line);
    Form_result->Mresult->setPlainText(lines.join(u'\n'));
    if (articletest::HistoryLink* history = articletest::historyLink())
        history->testEnded(Label_file->text(), Lgo->text(), flow_->engine.typedCount, lines,
                           flow_->engine.errorCodes, [](const QString& character) {
                               // Without a dictionary the report shows why; the
                               // history keeps the test without the code.
                               return dictionary::codesOfCharacter(character).value_or(
                                   QStringList());
                           });
    {
        // Digits typed just before the time ran out or the article ended are
        // not a name for the top ten nor an Enter for the report.
        KeyHold hold;
        Form_result->exec();
    }
    // The report's list belongs to this test only: "上一次成绩" shows it empty.
    Form_result->Mresult->clear();
}

void Tform_test::scrollTextBy(int pixels) {
    QScrollBar* bar = ScrollBox1->verticalScrollBar();
    bar->setValue(bar->value() + pixels);
}

void Tform_test::scrollTextToTop() {
    ScrollBox1->verticalScrollBar()->setValue(0);
}

bool Tform_test::handleKey(QKeyEvent* event) {
    TestFlow& f = *flow_;
    if (f.startButtonShown()) {
        // Enter, keypad Enter and Space press the start button, wherever the
        // focus is: a learner on the keypad alone can start and continue.
        const PadKey key = padKeyOf(*event).key;
        if ((key == PadKey::Enter || key == PadKey::Space) && BtnStart->isVisible() &&
            BtnStart->isEnabled()) {
            if (!event->isAutoRepeat()) {
                BtnStart->setFocus();
                BtnStart->click();
            }
            return true;
        }
        return false;
    }
    if (!f.textAreaShown())
        return false;
    errors::guarded(this, [&] {
        try {
            f.FormKeyPress(padKeyOf(*event));
        } catch (...) {
            refresh();
            throw;
        }
        refresh();
    });
    return true;
}

bool Tform_test::eventFilter(QObject* watched, QEvent* event) {
    // Keys for a control of this window (not for its pop-up menu) come here first.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return handleKey(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void Tform_test::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event))
        QDialog::keyPressEvent(event);
}
