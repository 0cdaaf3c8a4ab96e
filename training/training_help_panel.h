#pragma once

#include <QWidget>

class QTextEdit;

// The borderless help panel the training window shows beside its pages.
class TFormSM : public QWidget {
    Q_OBJECT
public:
    explicit TFormSM(QWidget* parent = nullptr);
    QTextEdit* RichEdit1;
    static QString initialText() {
        return QStringLiteral("对不起，未找到说明文件，但你可以点“开始”练习的。");
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TFormSM* FormSM;
