#pragma once

#include <QDialog>

class QLabel;
class QTextBrowser;

// A help page ("course.html", "readme.html") shown in a window of our own
// when the desktop has no web browser to open it: a line saying so, naming
// the file, and the page's text.
class HelpPageWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpPageWindow(QWidget* parent = nullptr);
    // Loads the page at `path` (read as UTF-8 HTML, within 256 KB).
    void load(const QString& path);

    QLabel* notice;
    QTextBrowser* page;
};
