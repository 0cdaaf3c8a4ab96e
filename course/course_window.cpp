#include "course/course_window.h"

#include "course/course_path.h"
#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TFormCourse* FormCourse = nullptr;

TFormCourse::TFormCourse(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("学习路线"), 640, 560, Frame::Dialog);
    setFont(fonts::song(15));
    GridSteps = new QTableWidget(0, 3);
    GridSteps->setHorizontalHeaderLabels(
        {QStringLiteral("步"), QStringLiteral("学什么"), QStringLiteral("进度")});
    GridSteps->verticalHeader()->hide();
    GridSteps->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    GridSteps->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GridSteps->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridSteps->setSelectionMode(QAbstractItemView::SingleSelection);
    GridSteps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LabelAdvice = new QLabel;
    LabelAdvice->setWordWrap(true);
    LabelAdvice->setMinimumHeight(64);
    LabelAdvice->setFont(fonts::song(16, true));
    BtnStart = new QPushButton(QStringLiteral("开始这一步"));
    BtnStart->setDefault(true);
    BtnStart->setMinimumWidth(120);
    BtnClose = new QPushButton(QStringLiteral("关闭"));
    BtnClose->setAutoDefault(false);
    BtnClose->setMinimumWidth(80);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnStart);
    buttons->addWidget(BtnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(
        "一步一步来：每一步在不同的两天各练一次，正确率九成、速度达标，下一步就打开。"
        "想跳着学也可以。")));
    layout->addWidget(GridSteps, 1);
    layout->addWidget(LabelAdvice);
    layout->addLayout(buttons);
    for (QLabel* l : findChildren<QLabel*>())
        l->setWordWrap(true);

    connect(GridSteps, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { chooseRow(row); });
    connect(GridSteps, &QTableWidget::cellDoubleClicked, this, [this] { BtnStart->click(); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnStart, &QPushButton::clicked, this, [this] {
        const int row = GridSteps->currentRow();
        if (row < 0 || row >= static_cast<int>(steps_.size()))
            return;
        const course::Step step = steps_[static_cast<size_t>(row)];
        accept();
        if (startStep)
            startStep(step);
    });
}

void TFormCourse::showCourse(const std::vector<course::Step>& steps,
                             const std::vector<course::StepRun>& runs) {
    steps_ = steps;
    const std::vector<course::StepStatus> states = course::path(steps, runs);
    GridSteps->setRowCount(static_cast<int>(steps.size()));
    int current = steps.empty() ? -1 : static_cast<int>(steps.size()) - 1;
    for (size_t i = 0; i < steps.size(); ++i) {
        const int r = static_cast<int>(i);
        GridSteps->setItem(r, 0, new QTableWidgetItem(QString::number(steps[i].number)));
        GridSteps->setItem(r, 1, new QTableWidgetItem(steps[i].title));
        auto* state = new QTableWidgetItem(states[i].text());
        if (states[i].mastered)
            state->setForeground(QColor(0, 128, 0));
        if (states[i].current) {
            state->setForeground(QColor(192, 0, 0));
            current = r;
        }
        GridSteps->setItem(r, 2, state);
    }
    if (current >= 0) {
        GridSteps->setCurrentCell(current, 1);
        GridSteps->scrollToItem(GridSteps->item(current, 1), QAbstractItemView::PositionAtCenter);
    }
    chooseRow(current);
    // The keypad's arrows (Num Lock off) choose a step, Enter starts it.
    GridSteps->setFocus();
}

void TFormCourse::chooseRow(int row) {
    const bool any = row >= 0 && row < static_cast<int>(steps_.size());
    if (!any) {
        LabelAdvice->clear();
    } else {
        // What the step asks, in full: a beginner does not know what 达标 is.
        const course::Step& step = steps_[static_cast<size_t>(row)];
        // Two paragraphs with room between their wrapped lines (the Song
        // font's own spacing lets them touch).
        QString html;
        for (const QString& part : {step.advice, course::targetLine(step)})
            html += QStringLiteral("<p style=\"margin:0 0 4px 0; line-height:120%;\">%1</p>")
                        .arg(part.toHtmlEscaped());
        LabelAdvice->setText(html);
    }
    BtnStart->setEnabled(any);
}
