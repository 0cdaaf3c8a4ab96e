#include "platform/screen_fit.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

Q_LOGGING_CATEGORY(lcScreen, "tarvo.screen")

namespace screenfit {

namespace {
// Set in the program started again: it never starts again itself.
constexpr char kFitted[] = "TARVO_SCALE_FITTED";
// The title bar and borders the window manager adds, in scaled pixels.
constexpr int kFrame = 40;
} // namespace

std::optional<double> fittingFactor(QSize window, QSize room, double devicePixelRatio,
                                    double askedFactor) {
    if (devicePixelRatio <= 1.0 || window.isEmpty() || room.isEmpty())
        return std::nullopt;
    if (window.width() <= room.width() && window.height() <= room.height())
        return std::nullopt;
    const double shrink = std::min(static_cast<double>(room.width()) / window.width(),
                                   static_cast<double>(room.height()) / window.height());
    // Rounded down to a hundredth: a factor a hair too large would still
    // leave the bottom row a pixel off the screen.
    const double wanted = std::floor(askedFactor * shrink * 100) / 100;
    return std::max(wanted, askedFactor / devicePixelRatio);
}

void startAgainToFit(const QWidget& startScreen, char** argv) {
    if (qEnvironmentVariableIsSet(kFitted))
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    bool set = false;
    const double asked = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    const QSize window = startScreen.size() + QSize(0, kFrame);
    const std::optional<double> factor =
        fittingFactor(window, screen->availableGeometry().size(), screen->devicePixelRatio(),
                      set && asked > 0 ? asked : 1.0);
    if (!factor)
        return;
    qCInfo(lcScreen).noquote() << QStringLiteral("开始画面（%1×%2）比屏幕（%3×%4）大，缩放改为 %5")
                                      .arg(window.width())
                                      .arg(window.height())
                                      .arg(screen->availableGeometry().width())
                                      .arg(screen->availableGeometry().height())
                                      .arg(*factor);
    ::setenv("QT_SCALE_FACTOR", QByteArray::number(*factor).constData(), 1);
    ::setenv(kFitted, "1", 1);
    ::execv("/proc/self/exe", argv);
    // exec failed: the program goes on as it is (the title bar stays reachable).
    qCWarning(lcScreen).noquote() << QStringLiteral("无法以新的缩放重新启动：%1")
                                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace screenfit
