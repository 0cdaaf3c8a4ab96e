#pragma once

#include <QColor>
#include <QString>

#include <array>

// What the training's settings dialog changes in the training window.
class TrainingSettingsHost {
public:
    virtual ~TrainingSettingsHost() = default;
    // The background colours of the three pages' grid panels.
    virtual std::array<QColor, 3> panelColours() const = 0;
    virtual void setPanelColours(const std::array<QColor, 3>& colours) = 0;
    // The text colour of the item labels of the character and word pages.
    virtual void setItemTextColour(const QColor& colour) = 0;
    virtual void setLevel(int levelStep, const QString& levelName) = 0;
    virtual void setHintAfter(int wrongAnswers) = 0;
    // Training without level: the clock stops and the gauges hide; with a
    // level, the gauges show and the clock runs again if a run is under way.
    virtual void setWithoutLevel(bool withoutLevel) = 0;
};

// The settings dialog's rules, without its controls.
class TrainingSettings {
public:
    // The level names of the level box, in order; their steps are 1, 4, 6, 10.
    static const std::array<QString, 4>& levelNames();
    // The step of the level box's selected item; 1 when none is selected
    // (`selected` < 0: the initial state, or a text typed by hand).
    static int levelStepOf(int selected);
    // The text colour for a panel background: yellow on the teal and olive
    // grounds, fuchsia on the greens and grey, else each channel complemented.
    static QColor textColourFor(const QColor& background);
    // The hint count typed in the box: any whole number an int holds. Throws
    // UserError with a Chinese message for anything else.
    static int hintCountOf(const QString& text);

    // Showing the dialog: remembers the panel colours and the hint count text.
    void FormShow(const TrainingSettingsHost& host, const QString& hintText);
    // A colour picked in the colour dialog: the panels take it at once.
    void colourPicked(TrainingSettingsHost& host, const QColor& colour);

    struct Choice {
        int selectedLevel = -1; // index in levelNames(), or -1
        QString levelText;      // the level box's text as shown
        bool withoutLevel = false;
        QString hintText;
    };
    // "确认", in its order: the level, the text colour (when a colour was
    // picked, also the colour the colour dialog offers next), training
    // without level, the hint count. A hint count that is not a number
    // throws after the steps before it took effect.
    void confirm(TrainingSettingsHost& host, const Choice& choice);
    // Every closing: without "确认" the panel colours go back. Returns the
    // hint text the box shows afterwards.
    QString FormClose(TrainingSettingsHost& host, const QString& hintText) const;

    bool Confirmed = false;
    bool ColourChosen = false;
    std::array<QColor, 3> SavedColours;
    QString SavedHintAfter;
    // The colour the colour dialog offers when it opens.
    QColor dialogColour = QColor(0, 255, 0);
};
