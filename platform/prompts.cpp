#include "prompts.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace prompts {
namespace {

Answerer& answerer() {
    static Answerer a;
    return a;
}
TextAnswerer& textAnswerer() {
    static TextAnswerer a;
    return a;
}
Notifier& notifier() {
    static Notifier n;
    return n;
}

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

void setAnswerer(Answerer a) {
    answerer() = std::move(a);
}
void setTextAnswerer(TextAnswerer a) {
    textAnswerer() = std::move(a);
}
void setNotifier(Notifier n) {
    notifier() = std::move(n);
}

bool askYesNo(QWidget* parent, const QString& title, const QString& text, Style style) {
    return ask(parent, style == Style::Warning ? QMessageBox::Warning : QMessageBox::Question,
               title, text, QStringLiteral("是(&Y)"), QStringLiteral("否(&N)"));
}

bool askOkCancel(QWidget* parent, const QString& title, const QString& text) {
    return ask(parent, QMessageBox::Question, title, text, QStringLiteral("确定"),
               QStringLiteral("取消"));
}

std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label) {
    if (textAnswerer())
        return textAnswerer()(title);
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void inform(QWidget* parent, const QString& title, const QString& text) {
    if (notifier()) {
        notifier()(text);
        return;
    }
    QMessageBox::information(parent, title, text);
}

} // namespace prompts
