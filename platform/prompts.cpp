#include "prompts.h"

#include <QMessageBox>
#include <QPushButton>

namespace prompts {
namespace {
Answerer& answerer() {
    static Answerer a;
    return a;
}
} // namespace

void setAnswerer(Answerer a) {
    answerer() = std::move(a);
}

namespace {
bool ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
         const QString& yesText, const QString& noText) {
    if (answerer())
        return answerer()(text);
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    QPushButton* no = box.addButton(noText, QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
} // namespace

bool askYesNo(QWidget* parent, const QString& title, const QString& text, Style style) {
    return ask(parent, style == Style::Warning ? QMessageBox::Warning : QMessageBox::Question,
               title, text, QStringLiteral("是(&Y)"), QStringLiteral("否(&N)"));
}

bool askOkCancel(QWidget* parent, const QString& title, const QString& text) {
    return ask(parent, QMessageBox::Question, title, text, QStringLiteral("确定"),
               QStringLiteral("取消"));
}

} // namespace prompts
