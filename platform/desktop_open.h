#pragma once

#include <QUrl>

#include <functional>

// Asks the desktop to open a file or web address with its default program
// (the browser for help pages and web addresses).
namespace desktop {

// False when the desktop has no program for it (no web browser).
bool open(const QUrl& url);

using Opener = std::function<bool(const QUrl& url)>;
// Replaces the desktop; tests see what would have been opened.
void setOpener(Opener opener);

} // namespace desktop
