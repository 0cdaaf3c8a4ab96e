#include "platform/user_error.h"
#include "training/training_settings.h"

#include <gtest/gtest.h>

namespace {

// The training window as the settings see it.
struct FakeHost : TrainingSettingsHost {
    std::array<QColor, 3> panels{QColor(0, 128, 128), QColor(0, 128, 128), QColor(0, 128, 128)};
    QColor itemText = QColor(255, 255, 0);
    int levelStep = 1;
    QString levelName = QStringLiteral("初级能手");
    int hintAfter = 2;
    bool withoutLevel = false;

    std::array<QColor, 3> panelColours() const override { return panels; }
    void setPanelColours(const std::array<QColor, 3>& c) override { panels = c; }
    void setItemTextColour(const QColor& c) override { itemText = c; }
    void setLevel(int step, const QString& name) override {
        levelStep = step;
        levelName = name;
    }
    void setHintAfter(int n) override { hintAfter = n; }
    void setWithoutLevel(bool on) override { withoutLevel = on; }
};

TrainingSettings::Choice choice(int level, const QString& text, const QString& hint = "2") {
    TrainingSettings::Choice c;
    c.selectedLevel = level;
    c.levelText = text;
    c.hintText = hint;
    return c;
}

TEST(TrainingSettings, TheTextColourRule) {
    struct Row {
        QColor background, text;
    };
    // Colours as the learner picks them (red, green, blue).
    const Row rows[] = {
        {QColor(0, 128, 128), QColor(255, 255, 0)},   {QColor(64, 128, 128), QColor(255, 255, 0)},
        {QColor(0, 128, 64), QColor(255, 255, 0)},    {QColor(128, 128, 64), QColor(255, 255, 0)},
        {QColor(0, 128, 0), QColor(255, 0, 255)},     {QColor(128, 128, 0), QColor(255, 0, 255)},
        {QColor(128, 128, 128), QColor(255, 0, 255)}, {QColor(255, 0, 0), QColor(0, 255, 255)},
        {QColor(0, 0, 0), QColor(255, 255, 255)},     {QColor(10, 200, 30), QColor(245, 55, 225)},
        {QColor(0, 128, 129), QColor(255, 127, 126)},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TrainingSettings::textColourFor(r.background), r.text)
            << r.background.name().toStdString();
}

TEST(TrainingSettings, LevelsConfirmedAndTyped) {
    FakeHost host;
    TrainingSettings s;
    s.FormShow(host, "2");
    s.confirm(host, choice(-1, QStringLiteral("初级能手")));
    EXPECT_EQ(host.levelStep, 1);
    EXPECT_EQ(host.levelName, QStringLiteral("初级能手"));
    const int steps[] = {1, 4, 6, 10};
    for (int i = 0; i < 4; ++i) {
        s.confirm(host, choice(i, TrainingSettings::levelNames()[static_cast<size_t>(i)]));
        EXPECT_EQ(host.levelStep, steps[i]);
    }
    s.confirm(host, choice(-1, QStringLiteral("神级")));
    EXPECT_EQ(host.levelStep, 1) << "a level typed by hand runs at the first step";
    EXPECT_EQ(host.levelName, QStringLiteral("神级"));
}

TEST(TrainingSettings, APickedColourIsKeptOnlyByConfirm) {
    FakeHost host;
    TrainingSettings s;
    const auto before = host.panels;
    s.FormShow(host, "2");
    s.colourPicked(host, QColor(128, 128, 128));
    EXPECT_EQ(host.panels[1], QColor(128, 128, 128)) << "the panels show it at once";
    EXPECT_EQ(s.FormClose(host, "2"), "2");
    EXPECT_EQ(host.panels, before) << "closed without 确认: the old colours come back";
    EXPECT_EQ(host.itemText, QColor(255, 255, 0));

    s.FormShow(host, "2");
    s.colourPicked(host, QColor(128, 128, 128));
    s.confirm(host, choice(-1, QStringLiteral("初级能手")));
    s.FormClose(host, "2");
    EXPECT_EQ(host.panels[0], QColor(128, 128, 128));
    EXPECT_EQ(host.itemText, QColor(255, 0, 255));
    EXPECT_EQ(s.dialogColour, QColor(255, 0, 255))
        << "the colour dialog offers the text colour next";

    // Confirmed without picking a colour: the labels keep theirs.
    s.FormShow(host, "2");
    host.itemText = QColor(1, 2, 3);
    s.confirm(host, choice(-1, QStringLiteral("初级能手")));
    EXPECT_EQ(host.itemText, QColor(1, 2, 3));
}

TEST(TrainingSettings, HintCountsAndTrainingWithoutLevel) {
    FakeHost host;
    TrainingSettings s;
    s.FormShow(host, "3");
    TrainingSettings::Choice c = choice(1, QStringLiteral("中级能手"), QStringLiteral("10"));
    c.withoutLevel = true;
    s.confirm(host, c);
    EXPECT_EQ(host.hintAfter, 10) << "a count outside the list is taken";
    EXPECT_TRUE(host.withoutLevel);

    // Letters: reported, the steps before took effect, the count stays.
    s.FormShow(host, "abc");
    c = choice(3, QStringLiteral("超级高手"), QStringLiteral("abc"));
    EXPECT_THROW(s.confirm(host, c), UserError);
    EXPECT_EQ(host.levelStep, 10);
    EXPECT_FALSE(host.withoutLevel);
    EXPECT_EQ(host.hintAfter, 10);
    EXPECT_TRUE(s.Confirmed);
    EXPECT_EQ(s.FormClose(host, "abc"), "abc") << "confirmed: nothing is restored";
    for (const char* bad : {"", "2.5", "abc", "2147483648"})
        EXPECT_THROW(TrainingSettings::hintCountOf(QString::fromLatin1(bad)), UserError) << bad;
    const std::pair<const char*, int> whole[] = {
        {"0", 0}, {"-2", -2}, {" 999 ", 999}, {"1000", 1000}, {"2147483647", 2147483647}};
    for (const auto& [text, n] : whole)
        EXPECT_EQ(TrainingSettings::hintCountOf(QString::fromLatin1(text)), n) << text;

    // Unconfirmed: the hint text shown at opening comes back (its first five characters).
    s.FormShow(host, "1234567");
    EXPECT_EQ(s.FormClose(host, "9"), "12345");
}

} // namespace
