#pragma once

#include <QUrl>

#include <functional>

// Asks the desktop to open a file or web address with its default program
// (the browser for help pages and web addresses). The result is not examined.
namespace desktop {

void open(const QUrl& url);

using Opener = std::function<void(const QUrl& url)>;
// Replaces the desktop; tests see what would have been opened.
void setOpener(Opener opener);

} // namespace desktop
