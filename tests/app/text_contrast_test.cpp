// Every text the program colours stays readable on the ground it is drawn
// on, under a light and under a dark style.
#include "tests/gui/program_folder_fixture.h"

#include "app/create_windows.h"
#include "articletest/article_test_report_window.h"
#include "articletest/article_test_window.h"
#include "platform/window_setup.h"
#include "records/record_holders_window.h"
#include "records/record_name_entry_window.h"
#include "training/pause_notice.h"
#include "training/training_window.h"
#include "warmup/warmup_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>

#include <cmath>

namespace {

// The contrast ratio of two colours (1 to 21), as the web's accessibility
// rules measure it.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            v /= 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a widget's text lies on: its own ground when it paints one,
// else the nearest parent's that does, else its window's.
QColor groundOf(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (p->autoFillBackground() || p->isWindow() || p->testAttribute(Qt::WA_StyledBackground))
            return p->palette().color(p->backgroundRole());
    return w->palette().color(QPalette::Window);
}

class TextContrast : public ProgramFolderTest {};

TEST_F(TextContrast, ColouredTextsAreReadableUnderLightAndDarkStyles) {
    const QPalette original = QApplication::palette();
    QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    const std::pair<const char*, QPalette> styles[] = {{"light", original}, {"dark", dark}};
    const std::vector<QWidget*> windows = {Form1,  form_test, Form_result, FPhb,
                                           FPhbin, Formstop,  FHot};
    for (const auto& [name, palette] : styles) {
        SCOPED_TRACE(name);
        // The style is the desktop's before the windows are made.
        QApplication::setPalette(palette);
        destroyWindows();
        createWindows();
        int checked = 0;
        const std::vector<QWidget*> windows = {Form1,  form_test, Form_result, FPhb,
                                               FPhbin, Formstop,  FHot};
        for (QWidget* window : windows) {
            window->ensurePolished();
            for (QLabel* label : window->findChildren<QLabel*>()) {
                label->ensurePolished();
                if (label->text().trimmed().isEmpty())
                    continue;
                const QColor text = label->palette().color(label->foregroundRole());
                const QColor ground = groundOf(label);
                EXPECT_GE(contrast(text, ground), 3.0)
                    << window->metaObject()->className() << " "
                    << label->text().left(12).toStdString() << ": " << text.name().toStdString()
                    << " on " << ground.name().toStdString();
                ++checked;
            }
        }
        EXPECT_GT(checked, 50);
    }
    QApplication::setPalette(original);
}

// A disabled button looks disabled under a dark palette too, and a style
// whose own colours are dark gives way to Fusion.
TEST_F(TextContrast, DisabledLooksDisabledAndADarkStyleGivesWay) {
    const QPalette light = lightGround();
    EXPECT_GE(contrast(light.color(QPalette::Active, QPalette::ButtonText),
                       light.color(QPalette::Disabled, QPalette::ButtonText)),
              2.0);
    EXPECT_GE(contrast(light.color(QPalette::Disabled, QPalette::ButtonText),
                       light.color(QPalette::Disabled, QPalette::Button)),
              1.5)
        << "still legible";
    Form1->ensurePolished();
    const QPalette seen = Form1->SBtnPause->palette();
    EXPECT_NE(seen.color(QPalette::Disabled, QPalette::ButtonText),
              seen.color(QPalette::Active, QPalette::ButtonText));

    class DarkStyle : public QProxyStyle {
    public:
        DarkStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}
        QPalette standardPalette() const override {
            return QPalette(QColor(50, 50, 50), QColor(40, 40, 40));
        }
    };
    QStyle* before = QApplication::style();
    const QString beforeName = before->name();
    QApplication::setStyle(new DarkStyle);
    EXPECT_TRUE(styleIsDark(*QApplication::style()));
    keepStyleReadable(*qApp);
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
    QApplication::setStyle(QStyleFactory::create(beforeName));
}

} // namespace
