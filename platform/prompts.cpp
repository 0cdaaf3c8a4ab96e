#include "platform/prompts.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <QPushButton>
#include <algorithm>

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

// The width a question or input box needs for its whole title to show in a
// window manager's title bar beside its buttons.
int titleRoom(const QWidget& box, const QString& title) {
    constexpr int kTitleBarButtons = 140; // icon, minimise, maximise, close
    return std::max(260, box.fontMetrics().horizontalAdvance(title) * 3 / 2 + kTitleBarButtons);
}

bool ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
         const QString& yesText, const QString& noText, bool defaultYes = true) {
    if (answerer())
        return answerer()(text);
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // file names as they are spelt
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    QPushButton* no = box.addButton(noText, QMessageBox::NoRole);
    // Enter presses the button with the focus: the default one has it.
    box.setDefaultButton(defaultYes ? yes : no);
    box.defaultButton()->setFocus();
    box.setEscapeButton(no);
    // A message box sizes itself to its text; its text label is widened so
    // that a short question does not cut the title short.
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }")
                          .arg(titleRoom(box, title) - 80));
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

bool askYesNo(QWidget* parent, const QString& title, const QString& text, Style style,
              Default answer) {
    return ask(parent, style == Style::Warning ? QMessageBox::Warning : QMessageBox::Question,
               title, text, QStringLiteral("是(&Y)"), QStringLiteral("否(&N)"),
               answer == Default::Yes);
}

bool askOkCancel(QWidget* parent, const QString& title, const QString& text, Default answer) {
    return ask(parent, QMessageBox::Question, title, text, QStringLiteral("确定"),
               QStringLiteral("取消"), answer == Default::Yes);
}

std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label) {
    if (textAnswerer())
        return textAnswerer()(title);
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(label);
    box.setInputMode(QInputDialog::TextInput);
    box.setMinimumWidth(titleRoom(box, title));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

void inform(QWidget* parent, const QString& title, const QString& text) {
    if (notifier()) {
        notifier()(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace prompts
