#include "app/create_windows.h"

#include "app/about_box.h"
#include "app/course_opening.h"
#include "app/first_paint_probe.h"
#include "app/history_loader.h"
#include "app/start_screen.h"
#include "articletest/article_test_report_window.h"
#include "articletest/article_test_settings_window.h"
#include "articletest/article_test_window.h"
#include "articletest/conversion_done_window.h"
#include "articletest/top_ten_window.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "platform/program_folder.h"
#include "platform/score_files.h"
#include "platform/stale_temporaries.h"
#include "platform/window_setup.h"
#include "records/record_holders_window.h"
#include "records/record_name_entry_window.h"
#include "shared_windows/help_text_window.h"
#include "training/encoding_diagram.h"
#include "training/foreword_window.h"
#include "training/pause_notice.h"
#include "training/training_help_panel.h"
#include "training/training_settings_window.h"
#include "training/training_window.h"
#include "warmup/warmup_help.h"
#include "warmup/warmup_ranking_window.h"
#include "warmup/warmup_window.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QTimer>

namespace {
// A window owned by another is deleted with its owner; the pointer then reads null.
std::vector<QPointer<QWidget>> created;

template <typename T> T* make(T*& instance) {
    instance = new T;
    created.push_back(instance);
    return instance;
}
} // namespace

std::vector<QWidget*> createWindows() {
    createStartScreen();
    createModuleWindows();
    std::vector<QWidget*> windows;
    for (const QPointer<QWidget>& w : created)
        windows.push_back(w);
    return windows;
}

void createStartScreen() {
    created.clear();
    make(preface01);
    preface01->makeModuleWindows = createModuleWindows;
    preface01->openCourse = openCourse;
    preface01->plan = dailyPlan;
}

void createModuleWindows() {
    if (Form1)
        return;
    // The windows' icon, the menu entry's own SVG: it loads Qt's SVG
    // libraries, so it waits until the start screen has painted; every window,
    // the start screen too, takes it from the application.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.tarvo.tutor.svg")));
    make(Form_sz);
    make(Form2);
    make(Form_change);
    make(Form_result);
    make(form_test);
    make(Form_color);
    make(Formstop);
    make(formdelait);
    make(About);
    make(FormSM);
    make(form_help);
    make(highscore);
    make(FPhbin);
    make(FPhb);
    make(Fhelp);
    make(FHot_Sort);
    make(FHot);
    make(Form1);
    linkHistory();
    // The modeless windows that modal windows open belong to their opener, or
    // the modal opener would block them.
    ownWindow(FHot_Sort, FHot);
    ownWindow(FormSM, Form1);
    two = new Ttwo((programFolder() + QStringLiteral("hzlib")).toStdString());
    Form1->HomeDir = form_test->HomeDir = programFolder();
    // A score file's write that was cut off at its last step left its
    // temporary file behind: remove it now, the file itself is whole.
    removeStaleTemporaries(scoreFolder(),
                           {QStringLiteral("record.dat"), QStringLiteral("phb.txt")});
    // The day's plan reads the history: once the windows are made, not before.
    QTimer::singleShot(0, preface01, [] {
        if (!preface01)
            return;
        preface01->updatePlan();
        quitHereWhenAsked("plan");
    });
}

void destroyWindows() {
    closeCourse();
    closeHistory();
    delete two;
    two = nullptr;
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        delete it->data();
    created.clear();
    preface01 = nullptr;
    Form_sz = nullptr;
    Form2 = nullptr;
    Form_change = nullptr;
    Form_result = nullptr;
    form_test = nullptr;
    Form_color = nullptr;
    Formstop = nullptr;
    formdelait = nullptr;
    About = nullptr;
    FormSM = nullptr;
    form_help = nullptr;
    highscore = nullptr;
    FPhbin = nullptr;
    FPhb = nullptr;
    Fhelp = nullptr;
    FHot_Sort = nullptr;
    FHot = nullptr;
    Form1 = nullptr;
}
