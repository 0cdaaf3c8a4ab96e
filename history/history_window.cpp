#include "history/history_window.h"

#include "coaching/code_explanation.h"
#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"
#include "coaching/weak_drill.h"
#include "history/history_csv.h"
#include "history/history_instance.h"
#include "history/history_stats.h"
#include "history/history_store.h"
#include "platform/error_report.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/regular_file.h"
#include "platform/window_setup.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QShowEvent>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

TFormHistory* FormHistory = nullptr;

namespace {

qint64 msOf(const QDate& day) {
    return day.startOfDay().toMSecsSinceEpoch();
}

QChartView* chartView(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    // On the right, one line an entry: every name shows, however many.
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(160);
    return view;
}

// Puts date and value axes on a chart over the given days and values. The
// chart keeps its two axes from one drawing to the next: axes taken off a
// shown chart and made anew leave their old labels painted beside the new.
void setAxes(QChart* chart, QDate first, QDate last, double top, const QString& unit) {
    auto* x = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    if (!x) {
        x = new QDateTimeAxis;
        x->setFormat(QStringLiteral("MM-dd"));
        chart->addAxis(x, Qt::AlignBottom);
    }
    auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    if (!y) {
        y = new QValueAxis;
        y->setLabelFormat(QStringLiteral("%d"));
        chart->addAxis(y, Qt::AlignLeft);
    }
    // Ticks fall on whole days: one a day over two weeks or less, else every
    // few days, the range stretched to a whole number of steps. The axis
    // starts the day before the first and ends after the last.
    const qint64 span = first.daysTo(last) + 2;
    const qint64 step = span <= 14 ? 1 : (span + 11) / 12;
    const qint64 intervals = (span + step - 1) / step;
    x->setRange(first.addDays(-1).startOfDay(), first.addDays(-1 + intervals * step).startOfDay());
    x->setTickCount(static_cast<int>(intervals + 1));
    x->setFormat(step >= 28 ? QStringLiteral("yy-MM-dd") : QStringLiteral("MM-dd"));
    // At least 0-10: with one-digit labels only, Qt Charts elides the
    // upright axis title to "⋮" (a beginner's first days are below 10 字/分).
    y->setRange(0, std::max(top * 1.1, 10.0));
    y->applyNiceNumbers();
    y->setTitleText(unit);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

// One line of a chart over days, its points on their days; a day without a
// value cuts it, the later pieces in the same colour without a legend entry
// of their own.
void addDayLine(QChart* chart, const QString& name, const QColor& colour,
                const std::vector<history_stats::DayValue>& days) {
    // The points of each piece are handed over in one call: appending them
    // one by one redrew the series at every point.
    QList<QPointF> piece;
    bool firstPiece = true;
    auto flush = [&] {
        if (piece.isEmpty())
            return;
        auto* line = new QLineSeries;
        line->setName(name);
        line->setPointsVisible(true);
        line->setColor(colour);
        line->append(piece);
        chart->addSeries(line);
        if (!firstPiece)
            for (QLegendMarker* m : chart->legend()->markers(line))
                m->setVisible(false);
        firstPiece = false;
        piece.clear();
    };
    QDate previous;
    for (const history_stats::DayValue& d : days) {
        if (!piece.isEmpty() && previous.daysTo(d.day) > 1)
            flush();
        piece.append(QPointF(static_cast<qreal>(msOf(d.day)), d.value));
        previous = d.day;
    }
    flush();
}

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

    ChartSpeed = chartView(QStringLiteral("每日速度（字/分）"));
    ChartAccuracy = chartView(QStringLiteral("文章测试正确率（%）"));
    LabelSummary = new QLabel;
    // Its lines as they are, never wrapped: the layout then gives the label
    // the height of all of them.
    LabelSummary->setWordWrap(false);

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
    ChartSpeed->chart()->removeAllSeries();
    ChartAccuracy->chart()->removeAllSeries();
    GridMissed->setRowCount(0);
    GridDigits->setRowCount(0);
    GridWeak->setRowCount(0);
    PictureCorners->clear();
    PictureCorners->setToolTip(QString());
    HistoryStore* store = learningHistory();
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
    QDate first, last;
    double top = store.goal();
    QChart* chart = ChartSpeed->chart();
    // Each exercise its own colour; a day without practice leaves a gap: the
    // line is cut there, its later pieces without a legend entry of their own.
    static const QColor kColours[] = {
        QColor(31, 119, 180),  QColor(255, 127, 14), QColor(44, 160, 44),   QColor(214, 39, 40),
        QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194), QColor(127, 127, 127),
        QColor(188, 189, 34),  QColor(23, 190, 207), QColor(0, 0, 128),     QColor(128, 0, 0),
        QColor(0, 128, 128),   QColor(128, 128, 0),  QColor(75, 0, 130)};
    int colour = 0;
    for (const auto& [kind, days] : speeds) {
        const QColor c = kColours[colour++ % std::size(kColours)];
        addDayLine(chart, history_stats::kindName(kind), c, days);
        for (const history_stats::DayValue& d : days) {
            first = first.isValid() ? std::min(first, d.day) : d.day;
            last = last.isValid() ? std::max(last, d.day) : d.day;
            top = std::max(top, d.value);
        }
    }
    if (!first.isValid())
        first = last = QDate::currentDate();
    if (store.goal() > 0) {
        auto* goal = new QLineSeries;
        goal->setName(QStringLiteral("目标 %1 字/分").arg(store.goal()));
        goal->setPen(QPen(Qt::red, 2, Qt::DashLine));
        goal->append(static_cast<qreal>(msOf(first.addDays(-1))), store.goal());
        goal->append(static_cast<qreal>(msOf(last.addDays(1))), store.goal());
        chart->addSeries(goal);
    }
    setAxes(chart, first, last, top, QStringLiteral("字/分"));

    // Accuracy of every test.
    const auto accuracy = history_stats::testAccuracy(tests);
    addDayLine(ChartAccuracy->chart(), QStringLiteral("文章测试"), QColor(31, 119, 180), accuracy);
    QDate afirst = first, alast = last;
    for (const history_stats::DayValue& d : accuracy) {
        afirst = std::min(afirst, d.day);
        alast = std::max(alast, d.day);
    }
    setAxes(ChartAccuracy->chart(), afirst, alast, 100, QStringLiteral("%"));
    if (auto* y = qobject_cast<QValueAxis*>(ChartAccuracy->chart()->axes(Qt::Vertical).value(0)))
        y->setRange(0, 100); // a percentage never goes beyond

    const auto testSpeeds = speeds.count(kArticleTestKind) ? speeds.at(kArticleTestKind)
                                                           : std::vector<history_stats::DayValue>{};
    QStringList summary;
    // A run left before any answer is no training.
    const int trained = store.trainedRuns();
    if (trained == 0 && tests.empty()) {
        summary << QStringLiteral("还没有学习记录。完成一次训练或文章测试后，这里会显示进步。");
    } else {
        summary << QStringLiteral("共 %1 次训练，%2 次文章测试。").arg(trained).arg(tests.size());
        for (const auto& [kind, days] : speeds) {
            if (kind != kArticleTestKind)
                summary << QStringLiteral("%1：最好 %2 字/分，中位 %3 字/分。")
                               .arg(history_stats::kindName(kind))
                               .arg(history_stats::best(days), 0, 'f', 0)
                               .arg(history_stats::median(days), 0, 'f', 0);
        }
        if (!accuracy.empty())
            summary << QStringLiteral("文章测试速度：最好 %1 字/分，中位 %2 字/分；正确率：最好 "
                                      "%3%，中位 %4%。")
                           .arg(history_stats::best(testSpeeds), 0, 'f', 0)
                           .arg(history_stats::median(testSpeeds), 0, 'f', 0)
                           // whole percent cut off, as the report shows it
                           .arg(std::floor(history_stats::best(accuracy)), 0, 'f', 0)
                           .arg(std::floor(history_stats::median(accuracy)), 0, 'f', 0);
    }
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
