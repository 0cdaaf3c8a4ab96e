#include "articletest/top_ten_window.h"

#include "articletest/top_ten_file.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/gbk_codec.h"
#include "platform/prompts.h"
#include "platform/score_files.h"
#include "platform/window_setup.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

Thighscore* highscore = nullptr;

TopTenFile articleTopTen() {
    return TopTenFile(scoreFilePath(QStringLiteral("record.dat")));
}

Thighscore::Thighscore(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("前十名英雄榜"), 330, 330, Frame::Dialog);
    setFont(fonts::song(12));
    StringGrid1 = new QTableWidget(11, 3, this);
    StringGrid1->setGeometry(0, 0, 330, 278);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    StringGrid1->setColumnWidth(0, 60);
    StringGrid1->setColumnWidth(1, 170);
    StringGrid1->setColumnWidth(2, 90);
    for (int r = 0; r < 11; ++r)
        StringGrid1->setRowHeight(r, 25);
    Button1 = new QPushButton(QStringLiteral("清空"), this);
    Button1->setGeometry(10, 290, 90, 30);
    Button1->hide();
    Button3 = new QPushButton(QStringLiteral("上一次成绩"), this);
    Button3->setGeometry(120, 290, 100, 30);
    Button2 = new QPushButton(QStringLiteral("关闭"), this);
    Button2->setGeometry(230, 290, 90, 30);
    for (QPushButton* b : {Button1, Button2, Button3})
        b->setAutoDefault(false);
    Button2->setDefault(true); // Enter closes the list
    connect(Button1, &QPushButton::clicked, this,
            [this] { errors::guarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button3, &QPushButton::clicked, this,
            [this] { errors::guarded(this, [this] { Button3Click(); }); });
}

void Thighscore::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    LastReport* report = lastReport();
    Button3->setEnabled(!(report && report->reportShown()));
    initgrid();
    // A failed insertion is reported and the list still shows what the file holds.
    if (report && report->entryPending())
        errors::guarded(this, [this] { addscore(); });
    errors::guarded(this, [this] { loadlist(); });
}

void Thighscore::initgrid() {
    const QStringList head = {QStringLiteral("前十名"), QStringLiteral("姓名"),
                              QStringLiteral("成绩")};
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 3; ++c) {
            QString text = r == 0 ? head[c] : (c == 0 ? QString::number(r) : QString());
            auto* item = new QTableWidgetItem(text);
            if (r == 0 || c == 0)
                item->setBackground(palette().button());
            StringGrid1->setItem(r, c, item);
        }
}

void Thighscore::addscore() {
    QString notice;
    LastReport* report = lastReport();
    if (!report)
        return;
    articleTopTen().add({report->entryName(), report->entrySpeed()}, &notice);
    if (!notice.isEmpty())
        errors::report(this, notice);
}

void Thighscore::loadlist() {
    QString notice;
    const auto entries = articleTopTen().read(&notice);
    if (!notice.isEmpty())
        errors::report(this, notice);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        StringGrid1->item(row, 1)->setText(gbk::toUnicode(entries[i].name));
        StringGrid1->item(row, 2)->setText(QString::number(entries[i].score));
    }
}

void Thighscore::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        Button1->show();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Thighscore::Button1Click() {
    articleTopTen().clear();
    prompts::inform(this, windowTitle(), QStringLiteral("排行榜已清空"));
    for (int r = 1; r <= 10; ++r) {
        StringGrid1->item(r, 1)->setText(QStringLiteral(" "));
        StringGrid1->item(r, 2)->setText(QStringLiteral(" "));
    }
}

void Thighscore::Button3Click() {
    if (LastReport* report = lastReport())
        report->showLastReport();
}

namespace {
LastReport* currentReport = nullptr;
}

LastReport::LastReport() {
    currentReport = this;
}

LastReport::~LastReport() {
    if (currentReport == this)
        currentReport = nullptr;
}

LastReport* lastReport() {
    return currentReport;
}
