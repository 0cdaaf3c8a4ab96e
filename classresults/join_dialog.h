#pragma once

#include "classresults/class_membership.h"
#include "classresults/results_poster.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// "加入班级": the learner gives the class results service's address, the
// class's join code and a name; 加入 asks the service (on the poster's
// thread, the window stays live) and keeps the membership in `path`, readable
// by the learner alone. 打开成绩网页 opens the results page of "Server.ini"
// without joining, when there is one.
class JoinDialog : public QDialog {
    Q_OBJECT
public:
    JoinDialog(QWidget* parent, const QString& path, const QString& address,
               std::optional<QUrl> resultsPage);

    // After 加入 succeeded.
    const std::optional<ClassMembership>& membership() const { return membership_; }
    // 打开成绩网页 was pressed.
    bool pageAsked() const { return pageAsked_; }

    QLineEdit* EditServer;
    QLineEdit* EditCode;
    QLineEdit* EditName;
    QLabel* LabelState;
    QPushButton* BtnJoin;
    QPushButton* BtnPage;
    QPushButton* BtnCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void join();
    void joined(bool ok, const QString& token, const QString& className, const QString& why);

    QString path_;
    ResultsPoster poster_;
    std::optional<ClassMembership> membership_;
    ClassMembership asked_;
    bool pageAsked_ = false;
};
