#include "articletest/article_test_settings_window.h"

#include "articletest/test_window_state.h"
#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <stdexcept>

TForm_color* Form_color = nullptr;

namespace {
const QString kSample1 = QStringLiteral("我们一起来学Tarvo码");
const QString kSample2 = QStringLiteral("我们一起来学");
constexpr int kMaxTypedDigits = 2;

// The duration field: the arrows reach 1 to 120, the keyboard types at most
// two digits, and a field left empty or unreadable counts as 1.
class DurationBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override {
        if (input.size() > kMaxTypedDigits && input != textFromValue(value()))
            return QValidator::Invalid;
        return QSpinBox::validate(input, pos);
    }
    void fixup(QString& input) const override {
        bool ok = false;
        const int v = input.trimmed().toInt(&ok);
        input = textFromValue(ok ? std::clamp(v, minimum(), maximum()) : minimum());
    }
};
} // namespace

TForm_color::TForm_color(QWidget* parent) : QDialog(parent) {
    if (!testWindowState())
        throw std::logic_error("the test window must be created before its settings dialog");
    setupWindow(this, QStringLiteral("设置"), 380, 300, Frame::Dialog);
    setFont(fonts::song(14));
    setStyleSheet(QStringLiteral("TForm_color { background: silver; }"));
    setAttribute(Qt::WA_StyledBackground);

    colorGroup = new QGroupBox(QStringLiteral("选项"), this);
    colorGroup->setGeometry(12, 10, 130, 150);
    colorItems = new QButtonGroup(this);
    const QStringList items = {QStringLiteral("底    色"), QStringLiteral("已打汉字"),
                               QStringLiteral("未打汉字"), QStringLiteral("输入汉字")};
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], colorGroup);
        b->setGeometry(14, 26 + i * 30, 110, 24);
        colorItems->addButton(b, i);
    }
    colorItems->button(0)->setChecked(true);

    auto* label3 = new QLabel(QStringLiteral("示例"), this);
    label3->setGeometry(160, 10, 60, 20);
    example = new QTextEdit(this);
    example->setGeometry(160, 32, 206, 80);
    example->setReadOnly(true);
    example->setFocusPolicy(Qt::NoFocus);
    example->setFont(fonts::song(16));
    example->setPlainText(kSample1 + u'\n' + kSample2);

    BitBtn5 = new QPushButton(QStringLiteral("颜色选择"), this);
    BitBtn5->setGeometry(160, 124, 96, 30);
    BtnDefault = new QPushButton(QStringLiteral("缺省值"), this);
    BtnDefault->setGeometry(270, 124, 96, 30);
    auto* label5 = new QLabel(QStringLiteral("练习时间(分)"), this);
    label5->setGeometry(20, 186, 110, 26);
    Edit_time = new DurationBox(this);
    Edit_time->setGeometry(134, 186, 70, 28);
    Edit_time->setRange(1, 120);
    Edit_time->setValue(10);
    BitBtn_ok = new QPushButton(QStringLiteral("确定"), this);
    BitBtn_ok->setGeometry(90, 250, 90, 32);
    BitBtn_ok->setDefault(true);
    BitBtn_cancel = new QPushButton(QStringLiteral("放弃"), this);
    BitBtn_cancel->setGeometry(200, 250, 90, 32);

    connect(BitBtn5, &QPushButton::clicked, this, &TForm_color::BitBtn5Click);
    connect(BtnDefault, &QPushButton::clicked, this, &TForm_color::BtnDefaultClick);
    connect(BitBtn_ok, &QPushButton::clicked, this, &TForm_color::BitBtn_okClick);
    connect(BitBtn_cancel, &QPushButton::clicked, this, &QDialog::reject);
    changecolor(0);
}

void TForm_color::changecolor(int item) {
    QTextDocument* doc = example->document();
    auto paint = [&](int block, int from, int length, Colour colour) {
        QTextCursor c(doc->findBlockByNumber(block));
        c.setPosition(c.block().position() + from);
        c.setPosition(c.block().position() + from + length, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setForeground(toQColor(colour));
        c.mergeCharFormat(f);
    };
    if (item == 0 || item == 1) {
        // The dialog's style sheet would paint over a palette colour: the
        // sample's own sheet sets the background that is drawn.
        const QColor ground = toQColor(testWindowState()->GroundColour);
        QPalette p = example->palette();
        p.setColor(QPalette::Base, ground);
        example->setPalette(p);
        example->setStyleSheet(
            QStringLiteral("QTextEdit { background-color: %1; }").arg(ground.name()));
    }
    if (item == 0 || item == 2)
        paint(0, 0, 6, testWindowState()->TypedColour);
    if (item == 0 || item == 3)
        paint(0, 7, static_cast<int>(kSample1.size()) - 7, testWindowState()->UntypedColour);
    if (item == 0 || item == 4)
        paint(1, 0, static_cast<int>(kSample2.size()), testWindowState()->InputColour);
    // The seventh character of line 1 is the current one: selected.
    QTextCursor current(doc);
    current.setPosition(6);
    current.setPosition(7, QTextCursor::KeepAnchor);
    example->setTextCursor(current);
}

void TForm_color::takeColour(Colour colour) {
    switch (colorItems->checkedId()) {
    case 0:
        testWindowState()->GroundColour = colour;
        changecolor(1);
        break;
    case 1:
        testWindowState()->TypedColour = colour;
        changecolor(2);
        break;
    case 2:
        testWindowState()->UntypedColour = colour;
        changecolor(3);
        break;
    case 3:
        testWindowState()->InputColour = colour;
        changecolor(4);
        break;
    default:
        break;
    }
}

void TForm_color::BitBtn5Click() {
    const QColor chosen =
        pickColour ? pickColour(lastPicked_) : QColorDialog::getColor(lastPicked_, this);
    if (!chosen.isValid())
        return;
    lastPicked_ = chosen;
    takeColour(fromQColor(chosen));
}

void TForm_color::BtnDefaultClick() {
    testWindowState()->TypedColour = 0x000000;
    testWindowState()->InputColour = 0xFF0000;
    testWindowState()->UntypedColour = 0x000000;
    testWindowState()->GroundColour = 0xFFFFFF;
    changecolor(0);
}

void TForm_color::BitBtn_okClick() {
    // What is typed counts even while the field still has the focus.
    Edit_time->interpretText();
    testWindowState()->TestMinutes = Edit_time->value();
    testWindowState()->applySettings();
    accept();
}
