#include "training/training_settings_window.h"

#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

Tform_sz* Form_sz = nullptr;

namespace {

// The small decorative icon of a row: a rounded square with a glyph, drawn
// when the window is first painted (drawing its glyph at start would load the
// fonts before the learner opens any window).
class RowIcon : public QWidget {
public:
    RowIcon(QWidget* parent, const QColor& colour, const QString& glyph)
        : QWidget(parent), colour_(colour), glyph_(glyph) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(colour_);
        p.setPen(colour_.darker(150));
        p.drawRoundedRect(QRectF(1, 1, 20, 20), 4, 4);
        p.setPen(Qt::white);
        p.setFont(fonts::hei(13, true));
        p.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, glyph_);
    }

private:
    QColor colour_;
    QString glyph_;
};

void rowIcon(QWidget* parent, int y, const QColor& colour, const QString& glyph) {
    (new RowIcon(parent, colour, glyph))->setGeometry(16, y + 2, 22, 22);
}

QLabel* rowLabel(QWidget* parent, int y, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setFont(fonts::song(16));
    l->setStyleSheet(QStringLiteral("color: black;"));
    l->setGeometry(46, y, 110, 26);
    return l;
}

} // namespace

Tform_sz::Tform_sz(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("设置"), 419, 318, Frame::Dialog, true);
    setFont(fonts::song(14));

    auto* frame = new QFrame(this);
    frame->setGeometry(10, 10, 399, 250);
    frame->setFrameShape(QFrame::StyledPanel);

    const int rows[] = {14, 52, 90, 128, 166, 204};
    rowIcon(frame, rows[0], QColor(200, 120, 40), QStringLiteral("级"));
    rowLabel(frame, rows[0], QStringLiteral("级别"));
    ComboBox1 = new QComboBox(frame);
    ComboBox1->setEditable(true);
    for (const QString& name : TrainingSettings::levelNames())
        ComboBox1->addItem(name);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(TrainingSettings::levelNames()[0]);
    // A level typed by hand stays typed: Return confirms it (step 1) rather
    // than picking the list item of the same name or adding one.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);    // no completion into a list item either
    ComboBox1->installEventFilter(this); // the box has the focus; its line edit the keys
    ComboBox1->lineEdit()->installEventFilter(this);
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { levelTyped_ = true; });
    connect(ComboBox1, &QComboBox::activated, this, [this] { levelTyped_ = false; });
    ComboBox1->setGeometry(170, rows[0], 150, 26);

    rowIcon(frame, rows[1], QColor(90, 140, 60), QStringLiteral("无"));
    rowLabel(frame, rows[1], QStringLiteral("无级别训练"));
    CheckBox2 = new QCheckBox(frame);
    CheckBox2->setGeometry(170, rows[1], 26, 26);

    rowIcon(frame, rows[2], QColor(40, 110, 180), QStringLiteral("色"));
    rowLabel(frame, rows[2], QStringLiteral("背景"));
    SpeedButton1 = new QToolButton(frame);
    SpeedButton1->setText(QStringLiteral("…"));
    SpeedButton1->setToolTip(QStringLiteral("选择练习区的背景颜色"));
    SpeedButton1->setGeometry(170, rows[2], 40, 26);

    rowIcon(frame, rows[3], QColor(170, 60, 150), QStringLiteral("乐"));
    rowLabel(frame, rows[3], QStringLiteral("音乐"));
    CheckBox1 = new QCheckBox(frame);
    CheckBox1->setGeometry(170, rows[3], 26, 26);

    rowIcon(frame, rows[4], QColor(200, 60, 60), QStringLiteral("提"));
    rowLabel(frame, rows[4], QStringLiteral("自动提示"));
    Checkhelp = new QCheckBox(frame);
    Checkhelp->setChecked(true);
    Checkhelp->setGeometry(170, rows[4], 26, 26);
    list = new QComboBox(frame);
    list->setEditable(true);
    for (int n = 2; n <= 6; ++n)
        list->addItem(QString::number(n));
    list->setCurrentIndex(0);
    list->setGeometry(200, rows[4], 56, 26);
    Label5 = new QLabel(QStringLiteral("次错误后提示"), frame);
    Label5->setGeometry(262, rows[4], 120, 26);

    rowIcon(frame, rows[5], QColor(110, 110, 110), QStringLiteral("先"));
    rowLabel(frame, rows[5], QStringLiteral("优先订正"));
    yxdz = new QCheckBox(frame);
    yxdz->setChecked(true);
    yxdz->setEnabled(false);
    yxdz->setGeometry(170, rows[5], 26, 26);

    Button1 = new QPushButton(QStringLiteral("确认"), this);
    Button1->setGeometry(165, 274, 90, 32);
    Button1->setDefault(true);

    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) { ComboBox1->setEnabled(!on); });
    auto hintVisible = [this] {
        list->setVisible(Checkhelp->isChecked());
        Label5->setVisible(Checkhelp->isChecked());
    };
    connect(Checkhelp, &QCheckBox::toggled, this, hintVisible);
    connect(yxdz, &QCheckBox::toggled, this, hintVisible);
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { errors::guarded(this, [this] { SpeedButton1Click(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { errors::guarded(this, [this] { Button1Click(); }); });
}

void Tform_sz::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && host_)
        settings_.FormShow(*host_, list->currentText());
}

// Every way of closing (确认, the close box, Esc): without 确认 the colours
// and the hint count go back.
void Tform_sz::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && host_)
        list->setEditText(settings_.FormClose(*host_, list->currentText()));
    QDialog::hideEvent(event);
}

bool Tform_sz::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ComboBox1 || watched == ComboBox1->lineEdit()) &&
        event->type() == QEvent::KeyPress && levelTyped_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Button1->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tform_sz::SpeedButton1Click() {
    const QColor chosen = pickColour ? pickColour(settings_.dialogColour)
                                     : QColorDialog::getColor(settings_.dialogColour, this);
    if (chosen.isValid() && host_)
        settings_.colourPicked(*host_, chosen);
}

void Tform_sz::Button1Click() {
    if (!host_)
        return;
    TrainingSettings::Choice choice;
    // An item chosen and then edited by hand counts as typed: no item.
    const int index = ComboBox1->currentIndex();
    choice.selectedLevel =
        !levelTyped_ && index >= 0 && ComboBox1->itemText(index) == ComboBox1->currentText() ? index
                                                                                             : -1;
    choice.levelText = ComboBox1->currentText();
    choice.withoutLevel = CheckBox2->isChecked();
    choice.hintText = list->currentText();
    settings_.confirm(*host_, choice);
    close();
}
