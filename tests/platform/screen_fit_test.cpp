// The scale factor the program starts again with when its start screen does
// not fit a scaled screen.
#include "platform/screen_fit.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenFit, AScaledScreenTooSmallGetsAFactorThatFitsNeverBelowOneDevicePixel) {
    struct Row {
        const char* name;
        QSize window, room;
        double ratio, asked;
        std::optional<double> factor;
    };
    const QSize start(1002, 752);
    const Row rows[] = {
        // 1920×1080 at 2, a 40-px panel: 960×520 scaled pixels.
        {"scale 2 on 1080p", start, {960, 520}, 2, 2, 1.38},
        {"it fits", start, {1280, 760}, 1.5, 1.5, std::nullopt},
        {"fits exactly", start, start, 2, 2, std::nullopt},
        {"not scaled: nothing to gain", start, {800, 600}, 1, 1, std::nullopt},
        {"too small even at one device pixel", start, {300, 200}, 2, 2, 1.0},
        {"the screen scales, the factor asked is 1", start, {960, 520}, 2, 1, 0.69},
        {"no room known", start, {}, 2, 2, std::nullopt},
    };
    for (const Row& r : rows) {
        const std::optional<double> f =
            screenfit::fittingFactor(r.window, r.room, r.ratio, r.asked);
        ASSERT_EQ(f.has_value(), r.factor.has_value()) << r.name;
        if (f) {
            EXPECT_DOUBLE_EQ(*f, *r.factor) << r.name;
        }
    }
}

} // namespace
