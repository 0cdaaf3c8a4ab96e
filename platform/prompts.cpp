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

bool askYesNo(QWidget* parent, const QString& title, const QString& text, Style style) {
    if (answerer())
        return answerer()(text);
    const auto icon = style == Style::Warning ? QMessageBox::Warning : QMessageBox::Question;
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace prompts
