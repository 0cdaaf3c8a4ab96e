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
    // The window the panel explains: a key that reaches the panel (where the
    // desktop gave it the keys after all) closes it and goes on to that
    // window, as a click goes on to what the panel covered.
    QWidget* keysTo = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TFormSM* FormSM;
