#include "history/history_window.h"

#include "coaching/code_explanation.h"
#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"
#include "coaching/weak_drill.h"
#include "history/day_chart.h"
#include "history/history_csv.h"
#include "history/history_instance.h"
#include "history/history_stats.h"
#include "history/history_store.h"
#include "platform/error_report.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/regular_file.h"
#include "platform/window_setup.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TFormHistory* FormHistory = nullptr;

namespace {

// The error rate at each of the four corners of a square, the worse the
// redder; grey where no code was compared yet.
QPixmap cornerPicture(const std::array<coaching::CornerErrorRate, 5>& rates, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const int margin = size / 5, box = size - 2 * margin, spot = margin * 2;
    p.setPen(QPen(Qt::darkGray, 2));
    p.drawRect(margin, margin, box, box);
    const QPoint centres[4] = {{margin, margin},
                               {margin + box, margin},
                               {margin, margin + box},
                               {margin + box, margin + box}};
    QFont font = p.font();
    font.setPixelSize(std::max(8, size / 10));
    p.setFont(font);
    for (int c = 0; c < 4; ++c) {
        const coaching::CornerErrorRate& r = rates[static_cast<size_t>(c)];
        const QRect at(centres[c] - QPoint(spot / 2, spot / 2), QSize(spot, spot));
        const int red = r.answers > 0 ? static_cast<int>(std::lround(r.rate() * 255)) : 0;
        p.setPen(Qt::NoPen);
        p.setBrush(r.answers > 0 ? QColor(255, 255 - red, 255 - red) : QColor(230, 230, 230));
        p.drawEllipse(at);
        p.setPen(Qt::black);
        p.drawText(at, Qt::AlignCenter,
                   r.answers > 0 ? QStringLiteral("%1%").arg(std::lround(r.rate() * 100))
                                 : QStringLiteral("-"));
    }
    return pixmap;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TFormHistory::TFormHistory(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("学习记录"), 1000, 700, Frame::Dialog);
    auto* top = new QHBoxLayout;
    CheckRecord = new QCheckBox(QStringLiteral("记录学习历史"));
    SpinGoal = new QSpinBox;
    SpinGoal->setRange(0, 300);
    SpinGoal->setSuffix(QStringLiteral(" 字/分"));
    SpinGoal->setSpecialValueText(QStringLiteral("不设目标"));
    BtnExport = new QPushButton(QStringLiteral("导出CSV"));
    BtnDelete = new QPushButton(QStringLiteral("删除记录"));
    BtnClose = new QPushButton(QStringLiteral("关闭"));
    // Enter closes the window; it never opens the export's folder dialog.
    BtnExport->setAutoDefault(false);
    BtnDelete->setAutoDefault(false);
    BtnClose->setDefault(true);
    top->addWidget(CheckRecord);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("目标速度")));
    top->addWidget(SpinGoal);
    top->addStretch();
    top->addWidget(BtnExport);
    top->addWidget(BtnDelete);
    top->addWidget(BtnClose);

    ChartSpeed = new DayChart(QStringLiteral("每日速度（字/分）"));
    ChartAccuracy = new DayChart(QStringLiteral("文章测试正确率（%）"));
    LabelSummary = new QLabel;
    // Its lines as they are, never wrapped: the layout then gives the label
    // the height of all of them.
    LabelSummary->setWordWrap(false);
    LabelClass = new QLabel;
    LabelClass->setWordWrap(true);

    GridMissed = new QTableWidget(0, 6);
    GridMissed->setHorizontalHeaderLabels({QStringLiteral("字词"), QStringLiteral("编码"),
                                           QStringLiteral("错误"), QStringLiteral("查看(F1)"),
                                           QStringLiteral("编码打错"), QStringLiteral("选错候选")});
    GridDigits = new QTableWidget(0, 3);
    GridDigits->setHorizontalHeaderLabels(
        {QStringLiteral("笔形数字"), QStringLiteral("打错次数"), QStringLiteral("常错成")});
    GridWeak = new QTableWidget(0, 4);
    GridWeak->setHorizontalHeaderLabels({QStringLiteral("位置"), QStringLiteral("读错"),
                                         QStringLiteral("次数"), QStringLiteral("例字")});
    GridWeak->setSelectionBehavior(QAbstractItemView::SelectRows);
    PictureCorners = new QLabel;
    PictureCorners->setFixedSize(120, 120);
    GridGames = new QTableWidget(0, 4);
    GridGames->setHorizontalHeaderLabels({QStringLiteral("指法热身"), QStringLiteral("次数"),
                                          QStringLiteral("最好成绩"), QStringLiteral("最近成绩")});
    for (QTableWidget* g : {GridMissed, GridDigits, GridWeak, GridGames}) {
        g->verticalHeader()->hide();
        g->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        g->horizontalHeader()->setStretchLastSection(true);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    // The weak corners' examples take the room that is left, no scrolling sideways.
    GridWeak->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    GridWeak->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* charts = new QVBoxLayout;
    charts->addWidget(ChartSpeed, 3);
    charts->addWidget(ChartAccuracy, 2);
    // Every line of the summary shows: the charts give way to it.
    LabelSummary->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    charts->addWidget(LabelSummary);
    charts->addWidget(LabelClass);
    auto* tables = new QVBoxLayout;
    tables->addWidget(new QLabel(QStringLiteral("最常出错的字词")));
    tables->addWidget(GridMissed, 3);
    tables->addWidget(new QLabel(QStringLiteral("容易混淆的笔形")));
    tables->addWidget(GridDigits, 2);
    tables->addWidget(new QLabel(QStringLiteral("弱点：最常读错的角")));
    auto* weak = new QHBoxLayout;
    weak->addWidget(GridWeak, 1);
    weak->addWidget(PictureCorners, 0, Qt::AlignTop);
    tables->addLayout(weak, 2);
    tables->addWidget(GridGames, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(charts, 3);
    body->addLayout(tables, 2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(body);

    auto guarded = [this](void (TFormHistory::*handler)()) {
        return [this, handler] { errors::guarded(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(CheckRecord, &QCheckBox::clicked, this, guarded(&TFormHistory::CheckRecordClick));
    connect(SpinGoal, &QSpinBox::valueChanged, this, guarded(&TFormHistory::SpinGoalChange));
    connect(BtnExport, &QPushButton::clicked, this, guarded(&TFormHistory::BtnExportClick));
    connect(BtnDelete, &QPushButton::clicked, this, guarded(&TFormHistory::BtnDeleteClick));
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(GridWeak, &QTableWidget::cellClicked, this, [this](int row, int) {
        const QTableWidgetItem* place = GridWeak->item(row, 0);
        if (!place || !openDrill)
            return;
        const training::DrillTarget target{place->data(Qt::UserRole).toInt(),
                                           place->data(Qt::UserRole + 1).toString().front(),
                                           place->data(Qt::UserRole + 2).toString()};
        close();
        openDrill(target);
    });
}

void TFormHistory::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        errors::guarded(this, [this] {
            writeWaitingHistory();
            showHistory();
        });
}

void TFormHistory::showHistory() {
    filling_ = true;
    ChartSpeed->clear();
    ChartAccuracy->clear();
    GridMissed->setRowCount(0);
    GridDigits->setRowCount(0);
    GridWeak->setRowCount(0);
    PictureCorners->clear();
    PictureCorners->setToolTip(QString());
    HistoryStore* store = learningHistory();
    LabelClass->setText(classResultsLine());
    const bool usable = store != nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{CheckRecord, SpinGoal, BtnExport, BtnDelete})
        w->setEnabled(usable);
    if (!store) {
        LabelSummary->setText(historyProblem());
        filling_ = false;
        return;
    }
    CheckRecord->setChecked(store->enabled());
    SpinGoal->setValue(store->goal());
    filling_ = false;
    fillSpeedChart(*store);
    fillWeakCorners(*store);
    // Opened again, each table shows its top rows: the mistakes made most.
    for (QTableWidget* g : {GridMissed, GridDigits, GridWeak, GridGames})
        g->scrollToTop();
}

void TFormHistory::fillWeakCorners(HistoryStore& store) {
    // The counts the history keeps by the program's corner table; counted
    // from the answers for a history given none.
    store.setCornerTable(historyCornerTable()); // the table as its file is now
    const coaching::ConfusionReport report =
        store.confusions().value_or(coaching::ConfusionReport{});
    const int rows = static_cast<int>(std::min<size_t>(report.digits.size(), 5));
    GridWeak->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const coaching::DigitConfusion& d = report.digits[static_cast<size_t>(r)];
        auto* place = cell(coaching::cornerName(d.corner));
        place->setData(Qt::UserRole, d.corner);
        place->setData(Qt::UserRole + 1, QString(d.right));
        place->setData(Qt::UserRole + 2, coaching::drillStroke(d));
        GridWeak->setItem(r, 0, place);
        GridWeak->setItem(r, 1, cell(d.text()));
        GridWeak->setItem(r, 2, cell(QString::number(d.count)));
        // A narrow window elides the examples: the whole list on hovering.
        auto* examples = cell(d.examples.join(QStringLiteral("、")));
        examples->setToolTip(examples->text());
        GridWeak->setItem(r, 3, examples);
    }
    QStringList said;
    for (int c = 0; c < 5; ++c) {
        const coaching::CornerErrorRate& r = report.corners[static_cast<size_t>(c)];
        if (r.answers > 0)
            said << QStringLiteral("%1 %2%（%3/%4）")
                        .arg(coaching::cornerName(c))
                        .arg(std::lround(r.rate() * 100))
                        .arg(r.wrong)
                        .arg(r.answers);
    }
    PictureCorners->setPixmap(cornerPicture(report.corners, PictureCorners->width()));
    PictureCorners->setToolTip(said.isEmpty() ? QStringLiteral("还没有打过的角")
                                              : said.join(u'\n'));
}

void TFormHistory::fillSpeedChart(HistoryStore& store) {
    // What the history keeps counted: a few hundred rows whatever its age.
    const std::vector<ArticleTestRecord> tests = store.articleTestTotals();

    // Speed per day, one line per exercise, with the goal.
    const auto speeds = store.speedPerDay();
    // Each exercise its own colour; a day without practice leaves a gap.
    static const QColor kColours[] = {
        QColor(31, 119, 180),  QColor(255, 127, 14), QColor(44, 160, 44),   QColor(214, 39, 40),
        QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194), QColor(127, 127, 127),
        QColor(188, 189, 34),  QColor(23, 190, 207), QColor(0, 0, 128),     QColor(128, 0, 0),
        QColor(0, 128, 128),   QColor(128, 128, 0),  QColor(75, 0, 130)};
    std::vector<DayChart::Line> lines;
    QDate first, last;
    for (const auto& [kind, days] : speeds) {
        // The colour of the kind, not of its place: a new exercise in the
        // history leaves the others' colours as they were.
        const int slot = kind >= history_stats::kCourseLineBase
                             ? kind - history_stats::kCourseLineBase - 1
                             : kind - kArticleTestKind;
        lines.push_back({history_stats::kindName(kind),
                         kColours[static_cast<size_t>(std::max(slot, 0)) % std::size(kColours)],
                         days});
        if (!days.empty()) {
            first = first.isValid() ? std::min(first, days.front().day) : days.front().day;
            last = last.isValid() ? std::max(last, days.back().day) : days.back().day;
        }
    }
    ChartSpeed->setLines(std::move(lines), store.goal(), QStringLiteral("字/分"));
    if (store.goal() > 0)
        ChartSpeed->setGoal(store.goal(), QStringLiteral("目标 %1 字/分").arg(store.goal()));

    // Accuracy of every test, over the same days as the speeds (and its own).
    const auto accuracy = history_stats::testAccuracy(tests);
    ChartAccuracy->setLines({{QStringLiteral("文章测试"), QColor(31, 119, 180), accuracy}}, 100,
                            QStringLiteral("%"), true, {first, last});

    // A run left before any answer is no training.
    const QStringList summary = history_stats::summaryLines(
        store.trainedRuns(), static_cast<int>(tests.size()), speeds, accuracy);
    LabelSummary->setText(summary.join(u'\n'));
    LabelSummary->setMinimumHeight(LabelSummary->sizeHint().height()); // the charts give way

    const auto missed = store.mostMissed(50);
    GridMissed->setRowCount(static_cast<int>(missed.size()));
    for (int r = 0; r < static_cast<int>(missed.size()); ++r) {
        const history_stats::MissedItem& m = missed[static_cast<size_t>(r)];
        GridMissed->setItem(r, 0, cell(m.item));
        GridMissed->setItem(r, 1, cell(m.code));
        GridMissed->setItem(r, 2, cell(QString::number(m.misses)));
        GridMissed->setItem(r, 3, cell(QString::number(m.lookups)));
        GridMissed->setItem(
            r, 4,
            cell(m.wrongCode.isEmpty()
                     ? QString()
                     : QStringLiteral("%1（%2次）").arg(m.wrongCode).arg(m.wrongCodeCount)));
        GridMissed->setItem(r, 5,
                            cell(m.wrongCandidates > 0
                                     ? QStringLiteral("%1次").arg(m.wrongCandidates)
                                     : QString()));
    }

    // The warm-up games: each way of playing, how often, its best score and
    // the last five, newest first.
    GridGames->setRowCount(0);
    for (const QString& mode : {QStringLiteral("classic"), QStringLiteral("fun")}) {
        for (const HistoryStore::WarmupTotal& g : store.warmupTotals()) {
            if (g.mode != mode)
                continue;
            QStringList recent;
            for (int score : g.recent)
                recent << QString::number(score);
            const int r = GridGames->rowCount();
            GridGames->insertRow(r);
            GridGames->setItem(r, 0, cell(history_csv::modeName(mode)));
            GridGames->setItem(r, 1, cell(QString::number(g.games)));
            GridGames->setItem(r, 2, cell(QString::number(g.best)));
            GridGames->setItem(r, 3, cell(recent.join(QStringLiteral("、"))));
        }
    }

    const history_stats::DigitMistakes digits = store.digitMistakes();
    std::vector<int> order;
    for (int d = 0; d < 10; ++d) {
        if (digits.total(d) > 0)
            order.push_back(d);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return digits.total(a) > digits.total(b); });
    GridDigits->setRowCount(static_cast<int>(order.size()));
    for (int r = 0; r < static_cast<int>(order.size()); ++r) {
        const int d = order[static_cast<size_t>(r)];
        GridDigits->setItem(r, 0, cell(QString::number(d)));
        GridDigits->setItem(r, 1, cell(QString::number(digits.total(d))));
        GridDigits->setItem(r, 2, cell(QString::number(digits.mostConfusedWith(d))));
    }
}

void TFormHistory::CheckRecordClick() {
    if (HistoryStore* store = learningHistory())
        store->setEnabled(CheckRecord->isChecked());
}

void TFormHistory::SpinGoalChange() {
    if (filling_)
        return;
    if (HistoryStore* store = learningHistory()) {
        store->setGoal(SpinGoal->value());
        showHistory();
    }
}

void TFormHistory::BtnExportClick() {
    HistoryStore* store = learningHistory();
    if (!store)
        return;
    const QString folder =
        chooseFolder ? chooseFolder()
                     : QFileDialog::getExistingDirectory(
                           this, QStringLiteral("导出到文件夹"),
                           // The learner's documents, never the read-only program folder.
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (folder.isEmpty())
        return;
    // A failed write throws before the success is told.
    history_csv::exportTo(folder, store->trainingRuns(HistoryStore::Items::None),
                          store->articleTests(), store->warmups());
    prompts::inform(this, windowTitle(),
                    QStringLiteral("学习记录已导出到 %1").arg(regularfile::fullPath(folder)));
}

void TFormHistory::BtnDeleteClick() {
    HistoryStore* store = learningHistory();
    if (!store)
        return;
    if (!prompts::askYesNo(this, windowTitle(),
                           QStringLiteral("删除全部学习记录后无法恢复。确定要删除吗？"),
                           prompts::Style::Warning, prompts::Default::No))
        return;
    store->clear();
    showHistory();
}
