#include "records/record_holders_window.h"

#include "platform/prompts.h"

#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/score_files.h"
#include "platform/window_setup.h"
#include "records/record_holders_file.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TFPhb* FPhb = nullptr;

namespace {

// The rows of the three groups, top to bottom: exercise and the slot it shows.
struct Row {
    const char16_t* exercise;
    int slot;
};
struct Group {
    const char16_t* caption;
    std::initializer_list<Row> rows;
};
const Group kGroups[] = {
    {u"基本编码", {{u"简单", 0}, {u"较难", 1}, {u"彩色字", 2}}},
    {u"字编码", {{u"全码字", 3}, {u"稍难字", 4}, {u"一键简码", 5}, {u"二键简码", 6}}},
    {u"词编码", {{u"二字词", 7}, {u"三字词", 8}, {u"四字词", 9}, {u"多字词", 11}, {u"一键词", 10}}},
};

// Names and scores line up under their headings in a fixed-pitch face,
// where a Chinese character is as wide as two digits.
QFont fixedPitch() {
    QFont f;
    f.setFamilies({QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("AR PL UMing CN"),
                   QStringLiteral("monospace")});
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(16);
    return f;
}

} // namespace

TFPhb::TFPhb(QWidget* parent) : QDialog(parent) {
    constexpr int rowHeight = 24;
    setupWindow(this, QStringLiteral("记录保持者名单"), 420, 470, Frame::Dialog);
    setFont(fonts::song(16));
    for (auto [text, x] : {std::pair{u"姓名", 150}, std::pair{u"成绩(字/分)", 260}}) {
        QLabel* heading = placeLabel(this, QString::fromUtf16(text), x, 8, 120, 22);
        heading->setStyleSheet(QStringLiteral("color: #800000;"));
    }
    int top = 32;
    for (const Group& g : kGroups) {
        auto* box = new QGroupBox(QString::fromUtf16(g.caption), this);
        const int height = 28 + static_cast<int>(g.rows.size()) * rowHeight;
        box->setGeometry(10, top, 400, height);
        int y = 24;
        for (const Row& r : g.rows) {
            QLabel* name = placeLabel(box, QString::fromUtf16(r.exercise), 12, y, 110, 22);
            name->setStyleSheet(QStringLiteral("color: black;"));
            QLabel* value = placeLabel(box, QString(), 140, y, 250, 22);
            value->setFont(fixedPitch());
            value->setObjectName(QStringLiteral("slot%1").arg(r.slot));
            values[static_cast<size_t>(r.slot)] = value;
            y += rowHeight;
        }
        top += height + 6;
    }
    BitBtn1 = placeButton(this, QStringLiteral("关闭"), 230, top + 6, 100, 30);
    BitBtn2 = placeButton(this, QStringLiteral("重新记名"), 90, top + 6, 100, 30);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { errors::guarded(this, [this] { BitBtn2Click(); }); });
}

void TFPhb::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        errors::guarded(this, [this] { FormShow(); });
}

void TFPhb::emptyRows() {
    for (QLabel* v : values)
        v->clear();
}

void TFPhb::FormShow() {
    // Enter closes the list: the focus and the default are on 关闭, never on
    // the button that wipes every record.
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();
    emptyRows();
    const RecordHoldersFile file(scoreFilePath(QStringLiteral("phb.txt")));
    const RecordHoldersFile::Contents c = file.load();
    const auto rows = RecordHoldersFile::rows(c.bytes);
    for (size_t k = 0; k < rows.size(); ++k)
        values[k]->setText(rows[k]);
    if (!c.damage.isEmpty() || !c.notice.isEmpty())
        errors::report(this, c.damage + c.notice);
}

void TFPhb::BitBtn2Click() {
    // One click would wipe the records of all twelve exercises: ask first.
    const bool wipe =
        prompts::askOkCancel(this, QStringLiteral("重新记名"),
                             QStringLiteral("确定清除全部记录吗？"), prompts::Default::No);
    BitBtn1->setFocus(); // never left on the button that wipes
    if (!wipe)
        return;
    // The rows are emptied once the file is: a failed write (told by the
    // caller) leaves the list showing what the file still holds.
    RecordHoldersFile(scoreFilePath(QStringLiteral("phb.txt"))).clear();
    emptyRows();
}
