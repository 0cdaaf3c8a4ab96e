#include "classresults/join_dialog.h"

#include "platform/user_error.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

JoinDialog::JoinDialog(QWidget* parent, const QString& path, const QString& address,
                       std::optional<QUrl> resultsPage)
    : QDialog(parent), path_(path) {
    setWindowTitle(QStringLiteral("加入班级"));
    EditServer = new QLineEdit(address);
    EditServer->setPlaceholderText(QStringLiteral("例如 http://192.168.1.10:8080"));
    EditCode = new QLineEdit;
    EditCode->setPlaceholderText(QStringLiteral("老师给的 8 位代码"));
    EditCode->setMaxLength(8);
    EditName = new QLineEdit;
    EditName->setPlaceholderText(QStringLiteral("在班级里显示的名字"));
    EditName->setMaxLength(20);
    LabelState = new QLabel(QStringLiteral("加入后，每次文章测试、字词训练和指法热身的成绩"
                                           "会发给班级；没有网络时先存着，以后再发。"));
    LabelState->setWordWrap(true);
    BtnJoin = new QPushButton(QStringLiteral("加入"));
    BtnJoin->setDefault(true);
    BtnPage = new QPushButton(QStringLiteral("打开成绩网页"));
    BtnPage->setEnabled(resultsPage.has_value());
    BtnCancel = new QPushButton(QStringLiteral("取消"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("服务器地址"), EditServer);
    form->addRow(QStringLiteral("班级代码"), EditCode);
    form->addRow(QStringLiteral("你的名字"), EditName);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {BtnJoin, BtnPage, BtnCancel})
        buttons->addWidget(b);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(LabelState);
    all->addLayout(buttons);
    setMinimumWidth(420);

    connect(BtnJoin, &QPushButton::clicked, this, &JoinDialog::join);
    connect(BtnPage, &QPushButton::clicked, this, [this] {
        pageAsked_ = true;
        accept();
    });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&poster_, &ResultsPoster::joined, this, &JoinDialog::joined);
}

void JoinDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The keys go where the learner starts: the code when the address is given.
    (EditServer->text().isEmpty() ? EditServer : EditCode)->setFocus(Qt::OtherFocusReason);
}

void JoinDialog::join() {
    const QUrl given(EditServer->text().trimmed(), QUrl::TolerantMode);
    const QUrl server = classmembership::serverOf(given);
    const QString scheme = server.scheme().toLower();
    if (!given.isValid() || server.host().isEmpty() ||
        (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))) {
        LabelState->setText(
            QStringLiteral("服务器地址应以 http:// 或 https:// 开头，并有主机名。"));
        EditServer->setFocus();
        return;
    }
    const QString code = EditCode->text().trimmed().toUpper();
    if (code.size() != 8) {
        LabelState->setText(QStringLiteral("班级代码应为 8 个字母或数字。"));
        EditCode->setFocus();
        return;
    }
    const QString name = EditName->text().trimmed();
    if (name.isEmpty()) {
        LabelState->setText(QStringLiteral("请写上你的名字。"));
        EditName->setFocus();
        return;
    }
    asked_ = {server, code, {}, name, {}};
    BtnJoin->setEnabled(false);
    LabelState->setText(QStringLiteral("正在加入……"));
    poster_.join(server, code, name);
}

void JoinDialog::joined(bool ok, const QString& token, const QString& className,
                        const QString& why) {
    BtnJoin->setEnabled(true);
    if (!ok) {
        LabelState->setText(QStringLiteral("没有加入：%1。").arg(why));
        return;
    }
    ClassMembership m = asked_;
    m.token = token;
    m.className = className;
    try {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        classmembership::write(path_, m);
    } catch (const UserError& e) {
        LabelState->setText(e.message());
        return;
    }
    membership_ = m;
    accept();
}
