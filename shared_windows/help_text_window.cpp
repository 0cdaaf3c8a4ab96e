#include "shared_windows/help_text_window.h"

#include "platform/fonts.h"
#include "platform/rtf_reader.h"
#include "platform/window_setup.h"

#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

Tform_help* form_help = nullptr;

Tform_help::Tform_help(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("说明"), 600, 450, Frame::Dialog);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setGeometry(0, 0, 600, 400);
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFont(fonts::song(16));
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setGeometry(255, 410, 90, 32);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void Tform_help::loadFile(const QString& path) {
    readRtfFile(path, *RichEdit1->document());
    // Lines with air between them: the texts are read, not skimmed.
    QTextCursor all(RichEdit1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat spaced;
    spaced.setLineHeight(kLineHeightPercent, QTextBlockFormat::ProportionalHeight);
    spaced.setBottomMargin(4);
    all.mergeBlockFormat(spaced);
    RichEdit1->moveCursor(QTextCursor::Start); // the learner reads from the top
}
