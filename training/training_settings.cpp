#include "training/training_settings.h"

#include "platform/user_error.h"

const std::array<QString, 4>& TrainingSettings::levelNames() {
    static const std::array<QString, 4> names = {
        QStringLiteral("初级能手"), QStringLiteral("中级能手"), QStringLiteral("高级能手"),
        QStringLiteral("超级高手")};
    return names;
}

int TrainingSettings::levelStepOf(int selected) {
    static const int steps[] = {1, 4, 6, 10};
    return selected >= 0 && selected < 4 ? steps[selected] : 1;
}

QColor TrainingSettings::textColourFor(const QColor& c) {
    const QColor bg = c.toRgb();
    auto is = [&](int r, int g, int b) {
        return bg.red() == r && bg.green() == g && bg.blue() == b;
    };
    if (is(0, 128, 128) || is(64, 128, 128) || is(0, 128, 64) || is(128, 128, 64))
        return QColor(255, 255, 0);
    if (is(0, 128, 0) || is(128, 128, 0) || is(128, 128, 128))
        return QColor(255, 0, 255);
    return QColor(255 - bg.red(), 255 - bg.green(), 255 - bg.blue());
}

int TrainingSettings::hintCountOf(const QString& text) {
    // Every whole number is taken, as typed (0 or a negative count never
    // comes round: no hint); only a text that is no whole number is refused.
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok)
        throw UserError(QStringLiteral("“%1”不是整数：提示次数请填写一个整数，例如 2。").arg(text));
    return n;
}

void TrainingSettings::FormShow(const TrainingSettingsHost& host, const QString& hintText) {
    Confirmed = false;
    ColourChosen = false;
    SavedColours = host.panelColours();
    SavedHintAfter = hintText.left(5);
}

void TrainingSettings::colourPicked(TrainingSettingsHost& host, const QColor& colour) {
    ColourChosen = true;
    dialogColour = colour;
    host.setPanelColours({colour, colour, colour});
}

void TrainingSettings::confirm(TrainingSettingsHost& host, const Choice& choice) {
    Confirmed = true;
    host.setLevel(levelStepOf(choice.selectedLevel), choice.levelText);
    if (ColourChosen) {
        dialogColour = textColourFor(dialogColour);
        host.setItemTextColour(dialogColour);
    }
    host.setWithoutLevel(choice.withoutLevel);
    host.setHintAfter(hintCountOf(choice.hintText));
}

QString TrainingSettings::FormClose(TrainingSettingsHost& host, const QString& hintText) const {
    if (Confirmed)
        return hintText;
    host.setPanelColours(SavedColours);
    return SavedHintAfter;
}
