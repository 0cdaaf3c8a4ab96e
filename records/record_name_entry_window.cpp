#include "records/record_name_entry_window.h"

#include "platform/error_report.h"
#include "platform/fonts.h"
#include "platform/image_file.h"
#include "platform/program_folder.h"
#include "platform/score_files.h"
#include "platform/window_setup.h"
#include "records/record_holders_file.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TFPhbin* FPhbin = nullptr;

TFPhbin::TFPhbin(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("提示"), 300, 150, Frame::Dialog);
    setFont(fonts::song(14));
    Image1 = new QLabel(this);
    Image1->setGeometry(12, 12, 57, 57);
    Image1->setScaledContents(true);
    Label1 = placeLabel(this, QStringLiteral("太棒了！恭喜你破记录！"), 80, 26, 210, 28);
    Label1->setFont(fonts::song(16, true));
    Label1->setStyleSheet(QStringLiteral("color: red;"));
    Label3 = placeLabel(this, QStringLiteral("请输入大名:"), 14, 82, 90, 26);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(108, 82, 176, 26);
    BitBtn1 = placeButton(this, QStringLiteral("确定"), 110, 116, 80, 28);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFPhbin::BitBtn1Click);
}

void TFPhbin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (Image1->pixmap().isNull()) {
        const QString picture = programFolder() + QStringLiteral("images/smiley.png");
        if (QFile::exists(picture))
            errors::guarded(this,
                            [&] { Image1->setPixmap(QPixmap::fromImage(readImageFile(picture))); });
    }
    Edit1->setFocus();
}

void TFPhbin::save_record(int slot) {
    RecordHoldersFile(scoreFilePath(QStringLiteral("phb.txt")))
        .save_record(slot, Edit1->text(), RecordScore);
}

void TFPhbin::BitBtn1Click() {
    // The dialog closes also when the record cannot be written; the learner
    // has been told why, and the old records are as they were.
    errors::guarded(this, [this] { save_record(RecordSlot); });
    accept();
}
