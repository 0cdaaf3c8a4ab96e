#include "warmup/warmup_ranking_window.h"

#include "platform/chinese_clock.h"
#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/score_files.h"
#include "platform/window_setup.h"
#include "warmup/warmup_log.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

TFHot_Sort* FHot_Sort = nullptr;

QString TFHot_Sort::logPath() {
    return scoreFilePath(QStringLiteral("record.txt"));
}

TFHot_Sort::TFHot_Sort(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("成绩排行"), 360, 250, Frame::Dialog);
    setFont(fonts::song(14));
    today = [] { return chinese_clock::shortDate(QDate::currentDate()); };
    auto field = [this](const QString& caption, int y, bool readOnly) {
        auto* l = new QLabel(caption, this);
        l->setGeometry(30, y, 300, 22);
        auto* e = new QLineEdit(this);
        e->setGeometry(30, y + 24, 300, 30);
        e->setReadOnly(readOnly);
        return e;
    };
    LabeledEdit1 = field(QStringLiteral("输入你的姓名："), 10, false);
    LabeledEdit2 = field(QStringLiteral("你的用时"), 68, true);
    LabeledEdit3 = field(QStringLiteral("你的成绩"), 126, true);
    Button1 = new QPushButton(QStringLiteral("加入排行榜"), this);
    Button1->setGeometry(40, 200, 120, 34);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("不加了^o^"), this);
    Button2->setGeometry(200, 200, 120, 34);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(0, 0, 360, 250);
    Memo1->setReadOnly(true);
    Memo1->hide();
    connect(Button1, &QPushButton::clicked, this,
            [this] { errors::guarded(this, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
}

void TFHot_Sort::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        errors::guarded(this, [this] { FormShow(); });
}

void TFHot_Sort::FormShow() {
    if (!Memo1->isHidden()) {
        Memo1->raise();
        const auto shown = warmuplog::read(logPath());
        if (!shown) {
            Memo1->setPlainText(QStringLiteral("暂无记录！"));
            return;
        }
        QStringList lines = shown->lines;
        if (shown->earlierLeftOut)
            lines.prepend(QStringLiteral("……（这里只列出最近的记录）"));
        Memo1->setPlainText(lines.join(u'\n'));
        return;
    }
    LabeledEdit1->setFocus();
    if (!TimeText.isEmpty()) {
        LabeledEdit2->setText(TimeText + QStringLiteral("秒"));
        LabeledEdit3->setText(ScoreText + QStringLiteral("个"));
    }
}

void TFHot_Sort::Button1Click() {
    // A failure is reported and the dialog stays open, nothing lost.
    warmuplog::append(logPath(),
                      warmuplog::line(today(), LabeledEdit1->text(), TimeText, ScoreText));
    close();
}
