#include "platform/desktop_open.h"

#include <QDesktopServices>

namespace desktop {
namespace {
Opener& opener() {
    static Opener o;
    return o;
}
} // namespace

void setOpener(Opener o) {
    opener() = std::move(o);
}

bool open(const QUrl& url) {
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

} // namespace desktop
