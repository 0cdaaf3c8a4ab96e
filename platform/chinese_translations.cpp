#include "platform/chinese_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcTranslations, "tarvo.platform")

namespace {

// The texts of the file dialogs that Qt's Chinese translation leaves in
// English: the kind of each entry ("Folder", "txt File").
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* = nullptr,
                      int = -1) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        const QByteArray text(sourceText);
        if (text == "Folder" || text == "File Folder")
            return QStringLiteral("文件夹");
        if (text == "File")
            return QStringLiteral("文件");
        if (text == "%1 File")
            return QStringLiteral("%1 文件");
        if (text == "Drive")
            return QStringLiteral("驱动器");
        return {};
    }
};

} // namespace

bool installChineseTranslations() {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        qCWarning(lcTranslations) << "Qt's Chinese translation not found in" << folder;
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    return true;
}
